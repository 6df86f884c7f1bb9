// Handles that cannot come back: every family of engine objects (render targets, textures,
// shaders, linked programs, vertex buffers, font display lists) hands out ids that are never
// reused, so a handle kept after its object was destroyed is refused for ever, even when the
// next object of its family takes the same memory, and a handle of one family is refused by
// the functions of every other.
#include "gl_fixture.h"

#include <functional>
#include <string>
#include <vector>

using namespace enginetest;

namespace
{

const char* kVertex = "void main() { gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex; }\n";
const char* kFragment = "uniform vec4 Tint;\n"
                        "void main() { gl_FragColor = Tint; }\n";

// One family: how to make and destroy an object, and whether the family's functions accept
// a handle as one of their live objects. Shaders and linked programs are one kind of object
// (a program is a shader made by OvShaderMakeProgram), so they share a table.
struct Family
{
    std::string name;
    std::string table;
    std::function<OvHandle()> create;
    std::function<void(OvHandle)> destroy;
    std::function<bool(OvHandle)> accepted;
};

bool Same(const OvHandle& a, const OvHandle& b)
{
    return a.flags == b.flags && a.object == b.object;
}

} // namespace

class HandleTest : public GlTest
{
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        ASSERT_TRUE(OvShaderInit());
        ASSERT_TRUE(OvVertexBufferInit());
        extra_ = OpenWindow("handle test", 16, 16);
        ASSERT_NE(extra_, nullptr);
    }

    void TearDown() override
    {
        GlTest::TearDown(); // OvClosure frees whatever a failed check left alive
        CloseWindow(extra_, "handle test");
    }

    std::vector<Family> Families()
    {
        static const Vertex vertices[4] = {};
        return {
            {"render target", "targets",
             [this]
             {
                 OvHandle target{1, nullptr};
                 OvRenderTargetCreate(&target, extra_, OV_MODE_NORMAL, 32, 0);
                 return target;
             },
             [](OvHandle target) { OvRenderTargetDestroy(target); },
             [](OvHandle target) { return OvRenderTargetGet(target, OV_TARGET_MODE) != nullptr; }},
            {"texture", "textures",
             []
             {
                 OvHandle texture{1, nullptr};
                 OvTextureCreate(&texture);
                 return texture;
             },
             [](OvHandle texture) { OvTextureDestroy(texture); },
             [](OvHandle texture) { return OvTextureGet(texture, OV_TEXTURE_WIDTH) != nullptr; }},
            {"shader", "shaders",
             []
             {
                 OvHandle shader{1, nullptr};
                 OvShaderCreate(&shader);
                 return shader;
             },
             [](OvHandle shader) { OvShaderDestroy(shader); },
             [](OvHandle shader)
             { return OvShaderLoadFromMemory(shader, kVertex, OV_SHADER_VERTEX) != 0; }},
            {"program", "shaders", [] { return LinkedProgram(); },
             [](OvHandle program) { OvShaderDestroy(program); },
             [](OvHandle program) { return OvShaderUniformLocation(program, "Tint") >= 0; }},
            {"vertex buffer", "buffers",
             []
             {
                 OvHandle buffer{1, nullptr};
                 OvVertexBufferCreate(&buffer, sizeof vertices, vertices, OV_USAGE_STATIC, 0,
                                      nullptr, OV_USAGE_STATIC);
                 return buffer;
             },
             [](OvHandle buffer) { OvVertexBufferDestroy(buffer); },
             [](OvHandle buffer)
             { return OvVertexBufferSize(buffer, OV_BUFFER_VERTICES) == sizeof vertices; }},
            {"display list", "display lists",
             []
             {
                 OvHandle list{1, nullptr};
                 OvGenerateFont(&list, nullptr);
                 return list;
             },
             [](OvHandle list) { OvDisplaylistDestroy(list); },
             // A live list is regenerated in place and keeps its handle; any other handle
             // gets a new list (destroyed again here).
             [](OvHandle list)
             {
                 OvHandle probe = list;
                 if (!OvGenerateFont(&probe, nullptr))
                     return false;
                 if (Same(probe, list))
                     return true;
                 OvDisplaylistDestroy(probe);
                 return false;
             }},
        };
    }

    static OvHandle LinkedProgram()
    {
        OvHandle program{1, nullptr};
        OvHandle parts[2] = {{1, nullptr}, {1, nullptr}};
        OvShaderCreate(&program);
        OvShaderCreate(&parts[0]);
        OvShaderCreate(&parts[1]);
        OvShaderLoadFromMemory(parts[0], kVertex, OV_SHADER_VERTEX);
        OvShaderLoadFromMemory(parts[1], kFragment, OV_SHADER_FRAGMENT);
        OvShaderMakeProgram(program, parts, 2);
        OvShaderDestroy(parts[0]);
        OvShaderDestroy(parts[1]);
        return program;
    }

    HWND extra_ = nullptr;
};

TEST_F(HandleTest, DestroyedObjectsHandlesAreRefusedForEver)
{
    for (const Family& family : Families())
    {
        SCOPED_TRACE(family.name);
        const OvHandle first = family.create();
        ASSERT_TRUE(family.accepted(first));
        EXPECT_EQ(first.flags, 0u);
        family.destroy(first);
        EXPECT_FALSE(family.accepted(first));

        // The next object (often at the first one's address) gets a handle of its own.
        const OvHandle second = family.create();
        ASSERT_TRUE(family.accepted(second));
        EXPECT_NE(second.object, first.object);
        EXPECT_FALSE(family.accepted(first));
        family.destroy(first); // a stale Destroy must not reach the new object
        EXPECT_TRUE(family.accepted(second));

        // Many more objects later, the first handle still names none of them.
        std::vector<OvHandle> later;
        for (int i = 0; i < 8; ++i)
            later.push_back(family.create());
        EXPECT_FALSE(family.accepted(first));
        for (const OvHandle& handle : later)
        {
            EXPECT_NE(handle.object, first.object);
            family.destroy(handle);
        }
        family.destroy(second);
        EXPECT_FALSE(family.accepted(second));
    }
}

TEST_F(HandleTest, EachFamilyRefusesTheHandlesOfEveryOther)
{
    const std::vector<Family> families = Families();
    std::vector<OvHandle> live;
    for (const Family& family : families)
    {
        live.push_back(family.create());
        ASSERT_TRUE(family.accepted(live.back())) << family.name;
    }
    for (size_t owner = 0; owner < families.size(); ++owner)
        for (size_t other = 0; other < families.size(); ++other)
        {
            if (families[other].table == families[owner].table)
                continue;
            EXPECT_FALSE(families[other].accepted(live[owner]))
                << families[other].name << " accepted a " << families[owner].name << " handle";
            families[other].destroy(live[owner]); // refused as well: the object stays
        }
    for (size_t i = 0; i < families.size(); ++i)
    {
        EXPECT_TRUE(families[i].accepted(live[i])) << families[i].name;
        families[i].destroy(live[i]);
    }
}

TEST_F(HandleTest, HandlesFromBeforeClosureAreRefusedAfterIt)
{
    const std::vector<Family> families = Families();
    std::vector<OvHandle> before;
    for (const Family& family : families)
        before.push_back(family.create());

    OvClosure();
    OvInitiation();
    ASSERT_TRUE(
        OvRenderTargetCreate(&target_, window_, OV_MODE_NORMAL, 32, 16)); // target_ was stale
    for (size_t i = 0; i < families.size(); ++i)
    {
        SCOPED_TRACE(families[i].name);
        const OvHandle after = families[i].create();
        ASSERT_TRUE(families[i].accepted(after));
        EXPECT_NE(after.object, before[i].object);
        EXPECT_FALSE(families[i].accepted(before[i]));
        families[i].destroy(after);
    }
}
