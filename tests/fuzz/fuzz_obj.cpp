// Fuzzes the OBJ/MTL reader: the input up to its first zero byte is the OBJ text, the rest
// the text of every material library it names. Whatever the text, the reader keeps within its
// limits, and every triangle it makes is whole.
#include "graphics/obj_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace OvCore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string_view obj = input.substr(0, split);
    const std::string_view library =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    OBJ_MODEL model;
    ReadObj(
        obj,
        [library](const std::string&, std::string& text)
        {
            text = library;
            return true;
        },
        model);
    size_t corners = 0;
    for (const OBJ_MESH& mesh : model.meshes)
    {
        if (mesh.vertices.size() % 3 != 0)
            std::abort();
        corners += mesh.vertices.size();
    }
    if (corners > OBJ_MAX_VERTICES)
        std::abort();
    return 0;
}
