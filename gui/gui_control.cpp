// The control record and the application's wrapper control.
#include "gui/gui_control.h"

#include "gui/gui_system.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

CONTROL::CONTROL() = default;

CONTROL* CONTROL::Parent() const
{
    return Node && Node->parent ? Node->parent->control.get() : nullptr;
}

const char* CONTROL::Tag() const
{
    if (!Extend.start || Extend.count == 0 || !std::memchr(Extend.start, 0, Extend.count))
        return "";
    return reinterpret_cast<const char*>(Extend.start);
}

bool CONTROL::HasTag(const char* tag) const
{
    return tag && std::strcmp(Tag(), tag) == 0;
}

// Stored with its terminator, so the tag always reads back as one string.
void CONTROL::SetTag(const char* tag)
{
    Extend.Reset(0);
    Extend.WriteString(tag ? tag : "", true);
}

} // namespace OV_GUI

namespace Com
{

void C_GUI_CONTROL::OnEvents()
{
    if (EventProc)
        EventProc(this);
}

void C_GUI_CONTROL::OnRender()
{
    if (RenderProc)
        RenderProc(this);
}

} // namespace Com
} // namespace OvCore
