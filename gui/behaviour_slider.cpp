// Sliders: pressed on, the handle follows the cursor along the track (centred on it, kept on
// the track) until the button goes up; the factor reads and sets the handle's place.
#include "gui/behaviour_common.h"
#include "gui/gui_widget_ops.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// A slider's run along its axis: x and widths ("hbar") or y and heights ("vbar").
struct RUN
{
    bool vertical;

    float& Along(OV_VECTOR_F& v) const { return vertical ? v.y : v.x; }
    float Along(const OV_VECTOR_F& v) const { return vertical ? v.y : v.x; }
    float Along(const OV_VECTOR& v) const { return float(vertical ? v.y : v.x); }
    float& Across(OV_VECTOR_F& v) const { return vertical ? v.x : v.y; }
    // The room the handle moves in; none when the handle is as long as the track.
    float Room(__slider& slider, CONTROL& handle) const
    {
        return std::max(0.0f, Along(slider.Size) - Along(handle.Size));
    }
};

bool RunOf(const CONTROL& slider, RUN& run)
{
    if (slider.HasTag("hbar"))
        run = RUN{false};
    else if (slider.HasTag("vbar"))
        run = RUN{true};
    else
        return false;
    return true;
}

__slider* SliderOf(CONTROL* owner)
{
    return dynamic_cast<__slider*>(FirstChild(owner));
}

} // namespace

void __slider::OnEvents()
{
    if (PressedOn(Events))
        Dragging = true;
    // Also when no button is down: a release the slider never saw (it was switched off, or
    // the button went up outside the window) ends the drag too.
    if (Released(Events))
        Dragging = false;
    RUN run;
    CONTROL* handle = FirstChild(this);
    if (!Dragging || !handle || !RunOf(*this, run))
        return;
    const float place =
        run.Along(PassCursor(*System)) - run.Along(TopLeft()) - run.Along(handle->Size) * 0.5f;
    run.Along(handle->Position) = std::clamp(place, 0.0f, run.Room(*this, *handle));
    run.Across(handle->Position) = 0;
    SendCommand(*this, Parent(), run.vertical ? SLIDER_MOVED_V : SLIDER_MOVED_H);
}

float SliderGetFactor(CONTROL* owner)
{
    __slider* slider = SliderOf(owner);
    CONTROL* handle = FirstChild(slider);
    RUN run;
    if (!handle || !RunOf(*slider, run))
        return 0;
    const float room = run.Room(*slider, *handle);
    return room > 0 ? run.Along(handle->Position) / room : 0;
}

bool SliderSetFactor(CONTROL* owner, float factor)
{
    __slider* slider = SliderOf(owner);
    CONTROL* handle = FirstChild(slider);
    RUN run;
    if (!handle || !RunOf(*slider, run))
        return false;
    if (std::isnan(factor))
        factor = 0;
    const float place = factor * (run.Along(slider->Size) - run.Along(handle->Size) * 0.5f);
    run.Along(handle->Position) = std::clamp(place, 0.0f, run.Room(*slider, *handle));
    return true;
}

} // namespace OV_GUI
} // namespace OvCore
