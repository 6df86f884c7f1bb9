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

// Up to the first zero byte, or all of the data when a script wrote it without one.
std::string_view CONTROL::Tag() const
{
    if (!Extend.start || Extend.count == 0)
        return {};
    const auto* text = reinterpret_cast<const char*>(Extend.start);
    const void* end = std::memchr(text, 0, Extend.count);
    return {text, end ? size_t(static_cast<const char*>(end) - text) : Extend.count};
}

bool CONTROL::HasTag(const char* tag) const
{
    return tag && Tag() == tag;
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
