// The factories of windows, buttons, scroll planes and the plain composites.
#include "gui/gui_factories.h"

#include "gui/gui_factory_parts.h"
#include "gui/gui_skin.h"
#include "gui/gui_widget_ops.h"

#include <algorithm>

namespace OvCore
{
namespace OV_GUI
{

using Com::C_GUI_CONTROL;

namespace
{

void Place(CONTROL* control, const OV_VECTOR_F& position, const OV_VECTOR_F& size)
{
    control->Position = position;
    control->Size = size;
}

void SetMargins(CONTROL* control, const MARGINS& margins)
{
    control->MarginTop = margins.top;
    control->MarginBottom = margins.bottom;
    control->MarginLeft = margins.left;
    control->MarginRight = margins.right;
}

// Close, full size, minimise: created in this order from the right edge leftwards.
struct TITLE_BUTTON
{
    uint32_t flag;
    const char* tag;
    const char* glyph;
};
constexpr TITLE_BUTTON TITLE_BUTTONS[] = {
    {WINDOW_CLOSE_BUTTON, "btnclose", "ButtonClose"},
    {WINDOW_FULL_SIZE_BUTTON, "btnfull", "ButtonFull"},
    {WINDOW_MINIMISE_BUTTON, "btnmini", "ButtonMin"},
};

void BuildTitleButton(SKIN_BUILDER& builder, CONTROL* window, const TITLE_BUTTON& kind,
                      float offset)
{
    auto* button = builder.Part<__window>(window);
    button->MarginLeft = -offset;
    button->MarginRight = offset;
    button->Behaviour = DOCK_TO_EDGE_TOP | DOCK_TO_EDGE_RIGHT_INSIDE;
    button->Size = OV_VECTOR_F(TITLE_BUTTON_WIDTH, TITLE_BAR_HEIGHT);
    builder.Styles(button, "ButtonActive", "ButtonUnactive");
    button->SetTag(kind.tag);
    auto* glyph = builder.Part<__window>(button);
    Place(glyph, OV_VECTOR_F(10, 6), OV_VECTOR_F(12, 12));
    glyph->Hitable = false;
    builder.Styles(glyph, kind.glyph, kind.glyph);
}

// A panel of rows (check and option boxes).
CONTROL* CreateItemPanel(GUI_SYSTEM& system, const PLACE& place, float cutTop, float cutBottom,
                         float cutLeft, const char* tag)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* panel = builder.Part<C_GUI_CONTROL>(place.parent);
    Place(panel, place.position, place.size);
    builder.Styles(panel, "Area", "Area");
    panel->CutMarginTop = cutTop;
    panel->CutMarginBottom = cutBottom;
    panel->CutMarginLeft = cutLeft;
    panel->Size.y += cutTop + cutBottom;
    panel->SetTag(tag);
    return builder.Finish(panel, place.name);
}

} // namespace

SCROLL_PLANE BuildScrollPlane(SKIN_BUILDER& builder, CONTROL* parent, const OV_VECTOR_F& position,
                              const OV_VECTOR_F& size, float barWidth, float barHeight,
                              float contentWidth, float contentHeight, const MARGINS& content,
                              bool comboList)
{
    auto* outer = builder.Part<__default>(parent);
    Place(outer, position, size);
    outer->MarginRight = barWidth;
    outer->MarginBottom = barHeight;
    // The bars lie in the margins, outside the area's box: its clip reaches over both.
    outer->CutMarginBottom = -barHeight;
    outer->CutMarginRight = -barWidth;
    builder.Styles(outer, "Area", "Area");
    outer->SetTag("scrollarea");

    CONTROL* inner = comboList ? static_cast<CONTROL*>(builder.Part<__combo>(outer))
                               : builder.Part<C_GUI_CONTROL>(outer);
    inner->Behaviour = FIT_TO_EDGE;
    SetMargins(inner, content);
    if (comboList)
        inner->SetTag("comboboxl");

    auto* hTrack = builder.Part<__scroll>(outer);
    hTrack->Size.y = barHeight;
    hTrack->Behaviour = FIT_TO_EDGE_LEFT | FIT_TO_EDGE_RIGHT | DOCK_TO_EDGE_BOTTOM;
    builder.Styles(hTrack, "BarBackH", "BarBackH");
    hTrack->SetTag("hscrollb");
    auto* hThumb = builder.Part<__scroll>(hTrack);
    hThumb->Size.x = contentWidth;
    hThumb->ContentLength = contentWidth;
    hThumb->Behaviour = INHERIT_HEIGHT;
    builder.Styles(hThumb, "BarFrontActiveH", "BarFrontUnactiveH");
    hThumb->SetTag("hscrollf");

    auto* vTrack = builder.Part<__scroll>(outer);
    vTrack->Size.x = barWidth;
    vTrack->Behaviour = FIT_TO_EDGE_TOP | FIT_TO_EDGE_BOTTOM | DOCK_TO_EDGE_RIGHT;
    builder.Styles(vTrack, "BarBackV", "BarBackV");
    vTrack->SetTag("vscrollb");
    auto* vThumb = builder.Part<__scroll>(vTrack);
    vThumb->Size.y = contentHeight;
    vThumb->ContentLength = contentHeight;
    vThumb->Behaviour = INHERIT_WIDTH;
    builder.Styles(vThumb, "BarFrontActiveV", "BarFrontUnactiveV");
    vThumb->SetTag("vscrollf");
    return {outer, inner};
}

CONTROL* BuildButton(SKIN_BUILDER& builder, CONTROL* parent, const OV_VECTOR_F& position,
                     const OV_VECTOR_F& size, const char* caption, OvHandle icon)
{
    auto* button = builder.Part<C_GUI_CONTROL>(parent);
    Place(button, position, size);
    builder.Styles(button, "AreaActive", "AreaUnactive");
    button->Text = caption;
    button->Icon = icon;
    auto* face = builder.Part<__button>(button);
    face->Behaviour = INHERIT_SIZE;
    face->HoverStyle = builder.Style("AreaOver");
    face->NormalStyle = builder.Style("AreaActive");
    return button;
}

CONTROL* CreateWindow(GUI_SYSTEM& system, const PLACE& place, const char* caption, uint32_t flags,
                      OvHandle icon, const MARGINS& content)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* window = builder.Part<__window>(place.parent);
    Place(window, place.position, place.size);
    window->SetTag("winarea");
    if (flags & 0xF)
    {
        window->MarginTop = TITLE_BAR_HEIGHT;
        window->CutMarginTop = -TITLE_BAR_HEIGHT;
        builder.Styles(window, "AreaBarActive", "AreaBarUnactive");
    }
    else
        builder.Styles(window, "AreaActive", "AreaUnactive");

    auto* inside = builder.Part<C_GUI_CONTROL>(window);
    inside->Behaviour = FIT_TO_EDGE;
    SetMargins(inside, content);

    if (flags & WINDOW_TITLE_BAR)
    {
        auto* bar = builder.Part<__window>(window);
        bar->Behaviour = INHERIT_WIDTH | DOCK_TO_EDGE_TOP;
        bar->Size = OV_VECTOR_F(place.size.x, TITLE_BAR_HEIGHT);
        builder.Styles(bar, "BarActive", "BarUnactive");
        bar->Text = caption;
        bar->Icon = icon;
        bar->SetTag("bar");
    }
    float offset = 0;
    for (const TITLE_BUTTON& kind : TITLE_BUTTONS)
        if (flags & kind.flag)
        {
            BuildTitleButton(builder, window, kind, offset);
            offset += TITLE_BUTTON_WIDTH;
        }
    return builder.Finish(inside, place.name);
}

CONTROL* CreateButton(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon)
{
    SKIN_BUILDER builder(system, place.skin);
    CONTROL* button = BuildButton(builder, place.parent, place.position, place.size, caption, icon);
    return builder.Finish(button, place.name);
}

CONTROL* CreateScrollPlane(GUI_SYSTEM& system, const PLACE& place, float barWidth, float barHeight,
                           float contentWidth, float contentHeight, const MARGINS& content)
{
    SKIN_BUILDER builder(system, place.skin);
    const SCROLL_PLANE plane =
        BuildScrollPlane(builder, place.parent, place.position, place.size, barWidth, barHeight,
                         contentWidth, contentHeight, content, false);
    return builder.Finish(plane.content, place.name);
}

CONTROL* CreateListBox(GUI_SYSTEM& system, const PLACE& place, float barWidth, float barHeight,
                       float contentWidth, float contentHeight, const MARGINS& content)
{
    SKIN_BUILDER builder(system, place.skin);
    const SCROLL_PLANE plane =
        BuildScrollPlane(builder, place.parent, place.position, place.size, barWidth, barHeight,
                         contentWidth, contentHeight, content, false);
    plane.content->SetTag("listbox");
    return builder.Finish(plane.content, place.name);
}

CONTROL* CreateStatic(GUI_SYSTEM& system, const PLACE& place, const char* caption)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* label = builder.Part<C_GUI_CONTROL>(place.parent);
    Place(label, place.position, place.size);
    builder.Styles(label, "AreaActive", "AreaUnactive");
    label->Text = caption;
    return builder.Finish(label, place.name);
}

CONTROL* CreateGroup(GUI_SYSTEM& system, const PLACE& place, const char* title)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* group = builder.Part<__default>(place.parent);
    Place(group, place.position, place.size);
    builder.Styles(group, "Area", "Area");
    group->Text = title;
    return builder.Finish(group, place.name);
}

CONTROL* CreateProgressBar(GUI_SYSTEM& system, const PLACE& place, const MARGINS& bar)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* frame = builder.Part<C_GUI_CONTROL>(place.parent);
    Place(frame, place.position, place.size);
    builder.Styles(frame, "Area", "Area");
    frame->CutMarginTop = bar.top;
    frame->CutMarginBottom = bar.bottom;
    frame->CutMarginLeft = bar.left;
    frame->CutMarginRight = bar.right;
    auto* fill = builder.Part<__default>(frame);
    fill->Position = OV_VECTOR_F(bar.left, 0);
    fill->Size = OV_VECTOR_F(0, 0);
    builder.Styles(fill, "BarActive", "BarUnactive");
    fill->Behaviour = INHERIT_HEIGHT;
    fill->Hitable = false;
    return builder.Finish(frame, place.name);
}

CONTROL* CreateCheckBox(GUI_SYSTEM& system, const PLACE& place, float cutTop, float cutBottom,
                        float cutLeft)
{
    return CreateItemPanel(system, place, cutTop, cutBottom, cutLeft, "checkbox");
}

CONTROL* CreateOptionBox(GUI_SYSTEM& system, const PLACE& place, float cutTop, float cutBottom,
                         float cutLeft)
{
    return CreateItemPanel(system, place, cutTop, cutBottom, cutLeft, "optionbox");
}

CONTROL* CreateSlider(GUI_SYSTEM& system, const PLACE& place)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* owner = builder.Part<C_GUI_CONTROL>(place.parent);
    Place(owner, place.position, place.size);
    builder.Styles(owner, "Area", "Area");
    owner->SetTag("slider");
    const float width = place.size.x, height = place.size.y;
    const bool vertical = height >= width;
    auto* track = builder.Part<__slider>(owner);
    track->Size = place.size; // so its factor can be set before the first layout
    track->Behaviour = INHERIT_SIZE;
    builder.Styles(track, vertical ? "Barv" : "BarH", vertical ? "BarV" : "BarH");
    track->SetTag(vertical ? "vbar" : "hbar");
    auto* handle = builder.Part<__default>(track);
    const float side = std::min(width, height);
    Place(handle, OV_VECTOR_F(width * 0.5f - side * 0.5f, 0), OV_VECTOR_F(side, side));
    builder.Styles(handle, "DragActive", "DragUnactive");
    handle->Behaviour = vertical ? DOCK_TO_CENTER : DOCK_TO_MIDDLE;
    handle->Hitable = false;
    return builder.Finish(owner, place.name);
}

CONTROL* CreateEditBox(GUI_SYSTEM& system, const PLACE& place, const char* text, bool password)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* owner = builder.Part<C_GUI_CONTROL>(place.parent);
    Place(owner, place.position, place.size);
    builder.Styles(owner, "AreaActive", "AreaUnactive");
    auto* edit = builder.Part<__edit>(owner);
    edit->Behaviour = INHERIT_SIZE;
    edit->SetTag("editbox");
    builder.Styles(edit, "BoxActive", "BoxUnactive");
    edit->Password = password;
    EditBoxSetText(owner, text);
    return builder.Finish(owner, place.name);
}

} // namespace OV_GUI
} // namespace OvCore
