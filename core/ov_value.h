// OV_VALUE, the framework's variant: empty, a number (OV_NUMBER) or a string (OV_STRING). It
// owns its payload; copies are deep. Used by layout variables and expressions.
#pragma once

#include <cstdint>
#include <variant>

#include "core/ov_number.h"
#include "core/ov_string.h"

namespace OvCore
{

// A value that is empty, a number or a string, owning its payload.
class OV_VALUE
{
  public:
    // What a value holds: nothing, an OV_NUMBER or an OV_STRING.
    enum Kind : int32_t
    {
        EMPTY = 0,  // no value (a new or cleared one)
        NUMBER = 1, // an OV_NUMBER, read with GetNumber
        STRING = 2, // an OV_STRING, read with GetString
    };

    // What the value holds now.
    Kind GetKind() const { return static_cast<Kind>(payload_.index()); }

    // Makes the value the number `number`, dropping what it held.
    void SetNumber(double number) { payload_ = OV_NUMBER(number); }
    void SetString(const char* text) { payload_ = OV_STRING(text); } // null sets ""
    // Makes the value a copy of `text`.
    void SetString(const OV_STRING& text) { payload_ = text; }
    // Makes the value empty.
    void Clear() { payload_ = std::monostate(); }

    // 0 unless the value is a number.
    double GetNumber() const;
    // Null unless the value is a string.
    const OV_STRING* GetString() const { return std::get_if<OV_STRING>(&payload_); }

    // Equal kinds, and both empty, or equal numbers, or byte-equal strings.
    bool operator==(const OV_VALUE& other) const;

  private:
    std::variant<std::monostate, OV_NUMBER, OV_STRING> payload_;
};

} // namespace OvCore
