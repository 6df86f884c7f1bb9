// Skin binding: the style a skin gives one element of a composite, and the builder the
// factories (gui/gui_factories.h) make their part trees with.
#pragma once

#include "gui/gui_system.h"

#include <memory>
#include <vector>

namespace OvCore
{
namespace OV_GUI
{

// The style of `element` in the skin `skin`: the skin (created empty when missing), the style
// name it gives the element ("" when it gives none) and that style (created with the
// defaults when missing). Null only for names no table can hold.
STYLE_REF StyleOf(GUI_SYSTEM& system, const char* skin, const char* element);

// Builds one composite. Part attaches a new control; when that fails the composite is
// spoilt and Part hands out a scratch control, so the factory's code runs on unchanged and
// Finish takes the composite out again.
class SKIN_BUILDER
{
  public:
    // A builder for one composite in `system`, its styles from the skin `skin` (null: "").
    SKIN_BUILDER(GUI_SYSTEM& system, const char* skin) : system_(system), skin_(skin ? skin : "") {}
    // Not copied: it holds the scratch controls of its one composite.
    SKIN_BUILDER(const SKIN_BUILDER&) = delete;
    SKIN_BUILDER& operator=(const SKIN_BUILDER&) = delete;

    // A new T attached under `parent` (the first one attached is the composite's top, which
    // Finish takes out on failure); never null.
    template <class T> T* Part(CONTROL* parent)
    {
        auto* attached = static_cast<T*>(system_.AddControl(new T, parent));
        if (!attached)
            return Scratch<T>();
        if (!top_)
            top_ = attached;
        return attached;
    }
    // StyleActive and StyleUnactive from the skin's two elements.
    void Styles(CONTROL* control, const char* active, const char* unactive);
    // The style the builder's skin gives `element` (StyleOf).
    STYLE_REF Style(const char* element) { return StyleOf(system_, skin_, element); }
    // The result, entered under `name` when given; null, with the composite taken out, when
    // a part could not be attached.
    CONTROL* Finish(CONTROL* result, const char* name);
    // The system the composite is built in.
    GUI_SYSTEM& System() { return system_; }

  private:
    template <class T> T* Scratch()
    {
        spoilt_ = true;
        auto* scratch = new T;
        scratch_.emplace_back(scratch);
        return scratch;
    }

    GUI_SYSTEM& system_;
    const char* skin_;
    CONTROL* top_ = nullptr;
    bool spoilt_ = false;
    std::vector<std::unique_ptr<CONTROL>> scratch_;
};

} // namespace OV_GUI
} // namespace OvCore
