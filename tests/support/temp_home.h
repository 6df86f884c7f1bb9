// A throw-away home for tests that write user files (registry store, desktop entries): HOME,
// XDG_CONFIG_HOME and XDG_DATA_HOME point into a fresh temporary folder for the object's
// lifetime and are restored afterwards; the folder is removed.
#pragma once

#include <functional>
#include <string>

namespace OvTest
{

class TempHome
{
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& Path() const { return path_; }
    std::string ConfigHome() const { return path_ + "/config"; }
    std::string DataHome() const { return path_ + "/data"; }

  private:
    std::string path_;
    std::string saved_[3];
    bool had_[3] = {};
};

// Runs `body` in a forked child and returns its exit code (body's result), or 128 + signal
// when it was killed; -1 when the fork failed.
int RunInChild(const std::function<int()>& body);

} // namespace OvTest
