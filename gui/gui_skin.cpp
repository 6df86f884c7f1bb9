// Style lookup through skins and the composite builder.
#include "gui/gui_skin.h"

namespace OvCore
{
namespace OV_GUI
{

STYLE_REF StyleOf(GUI_SYSTEM& system, const char* skin, const char* element)
{
    auto found = system.Skins.Get(skin ? skin : "");
    auto name = found && element ? found->Find(element) : OV_ENTRY<OV_STRING>();
    return system.Styles.Get(name ? name->Text() : "");
}

void SKIN_BUILDER::Styles(CONTROL* control, const char* active, const char* unactive)
{
    control->StyleActive = Style(active);
    control->StyleUnactive = Style(unactive);
}

CONTROL* SKIN_BUILDER::Finish(CONTROL* result, const char* name)
{
    if (spoilt_)
    {
        system_.RemoveControl(top_);
        return nullptr;
    }
    system_.NameControl(name, result);
    return result;
}

} // namespace OV_GUI
} // namespace OvCore
