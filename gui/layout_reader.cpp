// The layout reader: documents, start elements, the visit of each element in document order
// (create, procedures, OnLoad, children), Include and the bounds of one load.
#include "formats/byte_buffer.h"
#include "gui/layout_parts.h"
#include "gui/layout_script.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// The same file however it is written (./a, a), so cycles through spellings are caught.
std::string LoadKey(const char* path, const char* elementPath)
{
    std::error_code error;
    std::filesystem::path file = std::filesystem::weakly_canonical(path, error);
    return (error ? std::string(path) : file.string()) + "#" + elementPath;
}

// Only regular files: a layout naming a pipe or a device (/dev/stdin) would wait for ever.
bool ReadDocument(LAYOUT_LOAD& load, const char* path, MARKUP_NODE& document)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    ByteBuffer file;
    if (file.FileSize(path) > LAYOUT_LIMITS::FILE_BYTES)
    {
        load.Note(std::string("file too large: ") + path);
        return false;
    }
    return file.LoadFile(path, 0, 0) &&
           document.Parse(reinterpret_cast<const char*>(file.start), file.count, " \t\n\r", true);
}

void AttachProcedures(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, const LAYOUT_BUILT& built)
{
    auto* owner = dynamic_cast<Com::C_GUI_CONTROL*>(built.control);
    if (!owner)
        return;
    auto lookUp = [&load](const char* name)
    {
        Com::C_GUI_CONTROL::PROC* procedure = load.procedures.Get(name).Get();
        return procedure ? *procedure : nullptr;
    };
    const char* eventProc = element.Text("EventProc");
    if (built.eventProc && *eventProc)
        owner->EventProc = lookUp(eventProc);
    const char* renderProc = element.Text("RenderProc");
    if (built.renderProc && *renderProc)
        owner->RenderProc = lookUp(renderProc);
}

bool HasElementChildren(const MARKUP_NODE& node)
{
    return std::any_of(node.children.begin(), node.children.end(),
                       [](const MARKUP_NODE& child) { return child.name.Length() > 0; });
}

// Include: the children of `Node` in `File` (the current file when empty), under `parent`.
void Include(LAYOUT_LOAD& load, const char* path, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const std::string node = element.Text("Node");
    if (node.empty())
        return;
    const std::string file = *element.Text("File") ? element.Text("File") : path;
    const std::string key = LoadKey(file.c_str(), node.c_str());
    if (std::find(load.loading.begin(), load.loading.end(), key) != load.loading.end())
        load.Note("include cycle: " + key);
    else if (load.loading.size() > LAYOUT_LIMITS::INCLUDE_DEPTH)
        load.Note("includes nested too deep: " + key);
    else if (load.includes >= LAYOUT_LIMITS::INCLUDES)
        load.Note("too many includes: " + key);
    else
    {
        ++load.includes;
        if (!LoadFrom(load, file.c_str(), node.c_str(), nullptr, parent, nullptr))
            load.Note("include not loaded: " + key);
    }
}

void LoadElement(LAYOUT_LOAD& load, const char* path, MARKUP_NODE& node, CONTROL* parent,
                 MARKUP_NODE& document)
{
    LAYOUT_ELEMENT element(node);
    if (node.name == "Include")
    {
        Include(load, path, element, parent);
        return;
    }
    bool known = false;
    const LAYOUT_BUILT built = BuildElement(load, element, parent, known);
    if (!known)
        return;
    if (built.control)
    {
        AttachProcedures(load, element, built);
        const char* onLoad = element.Text("OnLoad");
        if (built.onLoad && *onLoad)
            RunScript(built.control, onLoad, load.system);
    }
    // Children of an element whose control could not be made are skipped rather than
    // scattered over the top level.
    if (built.children && built.control && HasElementChildren(node))
        LoadChildren(load, path, node, built.control, document);
}

} // namespace

void LoadChildren(LAYOUT_LOAD& load, const char* path, MARKUP_NODE& start, CONTROL* parent,
                  MARKUP_NODE& document)
{
    if (load.nesting >= LAYOUT_LIMITS::NESTING)
    {
        load.Note("elements nested too deep under: " + std::string(start.name.Text()));
        return;
    }
    ++load.nesting;
    for (MARKUP_NODE& child : start.children)
    {
        if (child.name.Length() == 0)
            continue; // text between elements
        if (load.elements >= LAYOUT_LIMITS::ELEMENTS)
        {
            load.Note("too many elements: the rest of " + std::string(start.name.Text()));
            break;
        }
        ++load.elements;
        LoadElement(load, path, child, parent, document);
    }
    --load.nesting;
}

bool LoadFrom(LAYOUT_LOAD& load, const char* path, const char* elementPath, MARKUP_NODE* start,
              CONTROL* parent, MARKUP_NODE* document)
{
    std::unique_ptr<MARKUP_NODE> owned;
    if (!document)
    {
        owned = std::make_unique<MARKUP_NODE>();
        if (!ReadDocument(load, path, *owned))
            return false;
        document = owned.get();
    }
    if (!start)
        start = document->FindNode(elementPath, MARKUP_FIND);
    if (!start)
        return false;
    load.loading.push_back(LoadKey(path, elementPath));
    LoadChildren(load, path, *start, parent, *document);
    load.loading.pop_back();
    return true;
}

bool LoadLayout(const char* path, const char* elementPath, LAYOUT_PROCEDURES& procedures,
                LAYOUT_ICONS& icons, GUI_SYSTEM& system, MARKUP_NODE* start, CONTROL* parent,
                MARKUP_NODE* document, LAYOUT_NOTES* notes)
{
    if (!path || !elementPath || (start && !document))
        return false;
    LAYOUT_LOAD load{procedures, icons, system, notes, 0, 0, 0, {}};
    return LoadFrom(load, path, elementPath, start, parent, document);
}

} // namespace OV_GUI
} // namespace OvCore
