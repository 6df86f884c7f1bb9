#include "core/ov_number.h"

namespace OvCore
{

int32_t OV_NUMBER::ToInt32() const
{
    // Converting an out-of-range double is undefined in C++; give what x86 gives instead.
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace OvCore
