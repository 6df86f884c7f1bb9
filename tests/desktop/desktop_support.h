// Stand-in helper programs for desktop tests: a folder put first on PATH for the fixture's
// lifetime, holding scripts that record their arguments (one per line) and answer as told.
#pragma once

#include "support/temp_home.h"

#include <string>
#include <vector>

namespace OvTest
{

class StandInTools
{
  public:
    StandInTools();
    ~StandInTools();
    StandInTools(const StandInTools&) = delete;
    StandInTools& operator=(const StandInTools&) = delete;

    // A program `name` that records its arguments, prints `output` and exits with `code`.
    void Add(const std::string& name, const std::string& output, int code);
    // Each run's arguments, in the order the runs came (empty when it never ran).
    std::vector<std::vector<std::string>> Runs(const std::string& name) const;
    const TempHome& Home() const { return home_; }

  private:
    TempHome home_;
    std::string bin_;
    std::string savedPath_;
};

} // namespace OvTest
