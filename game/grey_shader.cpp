#include "game/grey_shader.h"

#include "app/ov_application.h"
#include "game/game_values.h"
#include "graphics/ov_shader.h"

#include <cmath>
#include <numbers>

namespace
{

constexpr const char* GREY_SHADER = "gscl";
constexpr int32_t GREY_SLOT = 0;

} // namespace

float GreyAmount()
{
    return static_cast<float>(std::fabs(std::sin(greyFactor * std::numbers::pi)));
}

bool BeginGreyShader()
{
    const auto shader = OvCore::Application().shaders.Find(GREY_SHADER, 0);
    if (!shader || !shader->Activate(GREY_SLOT))
        return false;
    const int32_t factor = shader->UniformLocation(GREY_SLOT, "Factor");
    OvCore::SetParameter(OvCore::OV_SHADER_LINKED, factor, GreyAmount(), 0, 0, 1, 1);
    return true;
}

void EndGreyShader()
{
    OvCore::Deactivate();
}
