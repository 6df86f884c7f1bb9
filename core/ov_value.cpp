#include "core/ov_value.h"

namespace OvCore
{

double OV_VALUE::GetNumber() const
{
    const OV_NUMBER* number = std::get_if<OV_NUMBER>(&payload_);
    return number ? number->value : 0.0;
}

bool OV_VALUE::operator==(const OV_VALUE& other) const
{
    return payload_ == other.payload_;
}

} // namespace OvCore
