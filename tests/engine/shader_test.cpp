// Shaders on a real window: a greyscale GLSL program driven by a uniform, build failures and
// their logs, and a low-level fragment program with a local parameter.
#include "gl_fixture.h"

#include <string>

using namespace enginetest;

namespace
{

const char* kVertex = "void main() {\n"
                      "    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n"
                      "    gl_FrontColor = gl_Color;\n"
                      "    gl_TexCoord[0] = gl_MultiTexCoord0;\n"
                      "}\n";
const char* kGreyscale = "uniform float Factor;\n"
                         "void main() {\n"
                         "    vec4 c = gl_Color;\n"
                         "    float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));\n"
                         "    gl_FragColor = vec4(mix(c.rgb, vec3(grey), Factor), c.a);\n"
                         "}\n";

} // namespace

class ShaderTest : public GlTest
{
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        ASSERT_TRUE(OvShaderInit());
        EXPECT_GE(OvShaderModel(), 110);
    }

    // Builds a program the way the framework does; true when every step succeeded.
    bool Build(OvHandle& program, const char* vertexText, const char* fragmentText,
               std::string& log)
    {
        OvHandle shaders[2] = {{1, nullptr}, {1, nullptr}};
        OvShaderCreate(&program);
        OvShaderCreate(&shaders[0]);
        OvShaderCreate(&shaders[1]);
        bool ok = OvShaderLoadFromMemory(shaders[0], vertexText, 431);
        log += OvShaderLastLog();
        ok = OvShaderLoadFromMemory(shaders[1], fragmentText, 432) && ok;
        log += OvShaderLastLog();
        ok = OvShaderMakeProgram(program, shaders, 2) && ok;
        log += OvShaderLastLog();
        OvShaderDestroy(shaders[0]);
        OvShaderDestroy(shaders[1]);
        return ok;
    }
};

TEST_F(ShaderTest, GreyscaleUniformAppliesToTheQuadsDrawnAfterIt)
{
    OvHandle program{1, nullptr};
    std::string log;
    ASSERT_TRUE(Build(program, kVertex, kGreyscale, log)) << log;
    EXPECT_EQ(log, "");
    OvShaderActivate(program);
    const int32_t factor = OvShaderUniformLocation(program, "Factor");
    ASSERT_GE(factor, 0);
    EXPECT_EQ(OvShaderUniformLocation(program, "Missing"), -1);

    OvShaderUniform(factor, 0, 0, 0, 1, 1);
    auto left = Quad(0, 0, 10, 10, {1, 0, 0, 1});
    OvDrawDataStruct(11, 0, 4, left.data(), nullptr);
    OvShaderUniform(factor, 1, 0, 0, 1, 1); // must not reach the quad already drawn
    auto right = Quad(20, 0, 10, 10, {1, 0, 0, 1});
    OvDrawDataStruct(11, 0, 4, right.data(), nullptr);
    OvShaderUnactivate(429);
    OvShaderUnactivate(430);
    OvShaderUnactivate(433);
    auto plain = Quad(40, 0, 10, 10, {1, 0, 0, 1});
    OvDrawDataStruct(11, 0, 4, plain.data(), nullptr);

    EXPECT_TRUE(NearColour(PixelAt(5, 5), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(25, 5), {76, 76, 76, 255}));
    EXPECT_TRUE(NearColour(PixelAt(45, 5), {255, 0, 0, 255}));
    OvShaderDestroy(program);
}

TEST_F(ShaderTest, BuildFailuresLeaveTheirMessage)
{
    OvHandle program{1, nullptr};
    std::string log;
    EXPECT_FALSE(Build(program, "void main() { this is not glsl }", kGreyscale, log));
    EXPECT_FALSE(log.empty());
    // Activating the unusable program does nothing: drawing stays fixed-function.
    OvShaderActivate(program);
    EXPECT_EQ(OvShaderUniformLocation(program, "Factor"), -1);
    auto quad = Quad(0, 0, 10, 10, {0, 0, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    EXPECT_TRUE(NearColour(PixelAt(5, 5), {0, 0, 255, 255}));
    OvShaderDestroy(program);

    OvHandle shader{1, nullptr};
    ASSERT_TRUE(OvShaderCreate(&shader));
    EXPECT_FALSE(OvShaderLoadFromMemory(shader, kVertex, 434));
    EXPECT_NE(std::string(OvShaderLastLog()), "");
    EXPECT_FALSE(OvShaderLoad(shader, "/nonexistent/shader.vert", 431));
    EXPECT_NE(std::string(OvShaderLastLog()).find("cannot read"), std::string::npos);
    EXPECT_TRUE(OvShaderLoadFromMemory(shader, kVertex, 431));
    EXPECT_EQ(std::string(OvShaderLastLog()), "");
    OvShaderDestroy(shader);
}

TEST_F(ShaderTest, LowLevelFragmentProgramReadsItsLocalParameter)
{
    OvHandle fragment{1, nullptr};
    ASSERT_TRUE(OvShaderCreate(&fragment));
    ASSERT_TRUE(OvShaderLoadFromMemory(
        fragment, "!!ARBfp1.0\nPARAM c = program.local[0];\nMOV result.color, c;\nEND\n", 430))
        << OvShaderLastLog();
    OvShaderActivate(fragment);
    OvShaderLocalParam(430, 0, 0, 1, 0, 1);
    auto quad = Quad(0, 0, 10, 10, {1, 1, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    OvShaderUnactivate(430);
    OvDrawDataStruct(11, 0, 4, Quad(20, 0, 10, 10, {1, 1, 1, 1}).data(), nullptr);
    EXPECT_TRUE(NearColour(PixelAt(5, 5), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(25, 5), {255, 255, 255, 255}));

    OvHandle broken{1, nullptr};
    ASSERT_TRUE(OvShaderCreate(&broken));
    EXPECT_FALSE(OvShaderLoadFromMemory(broken, "!!ARBfp1.0\nNOPE;\nEND\n", 430));
    EXPECT_NE(std::string(OvShaderLastLog()), "");
    OvShaderDestroy(broken);
    OvShaderDestroy(fragment);
}

// A program of the caller's sees the texture of unit 0 as it was bound for each quad: a
// texture change under it still ends the batch.
TEST_F(ShaderTest, UnderAProgramEachTextureChangeIsItsOwnDraw)
{
    OvHandle program{1, nullptr};
    std::string log;
    ASSERT_TRUE(Build(program, kVertex,
                      "uniform sampler2D picture;\n"
                      "void main() { gl_FragColor = texture2D(picture, gl_TexCoord[0].st); }\n",
                      log))
        << log;
    OvHandle textures[2] = {{1, nullptr}, {1, nullptr}};
    const uint8_t pixels[2][4] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(OvTextureCreate(&textures[i]));
        ASSERT_TRUE(OvTextureLoadRGBAFromMemory(textures[i], pixels[i], 1, 1));
    }
    OvShaderActivate(program);
    const uint64_t before = DrawCalls();
    for (int i = 0; i < 2; ++i)
    {
        OvTextureActivate(textures[i]);
        auto quad = Quad(i * 10.0f, 0, 10, 10, {1, 1, 1, 1});
        OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    }
    OvShaderUnactivate(433);
    OvRenderScene(1);
    EXPECT_EQ(DrawCalls() - before, 2u);
    EXPECT_TRUE(NearColour(PixelAt(5, 5), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(15, 5), {0, 0, 255, 255}));
    for (const OvHandle& texture : textures)
        OvTextureDestroy(texture);
    OvShaderDestroy(program);
}

// After batches of the engine's own programs, a caller's GLSL program still reads the
// built-ins: gl_Vertex, gl_Color, gl_MultiTexCoord0 and gl_ModelViewProjectionMatrix.
TEST_F(ShaderTest, ACallersProgramAfterTheEnginesBatchesReadsTheBuiltIns)
{
    OvHandle program{1, nullptr};
    std::string log;
    ASSERT_TRUE(Build(program, kVertex,
                      "uniform sampler2D picture;\n"
                      "void main() {\n"
                      "    gl_FragColor = gl_Color * texture2D(picture, gl_TexCoord[0].st);\n"
                      "}\n",
                      log))
        << log;
    OvHandle texture{1, nullptr};
    const uint8_t pixels[2][4] = {{0, 0, 255, 255}, {255, 255, 0, 255}}; // blue | yellow
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(texture, pixels, 2, 1));
    OvTextureActivate(texture);
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, OV_FILTER_NEAREST);
    OvDrawDataStruct(11, 0, 4, Quad(0, 20, 8, 8, {1, 0.5f, 1, 1}).data(), nullptr);
    OvRenderScene(1);

    OvShaderActivate(program);
    OvMatrixPush();
    OvMatrixTranslate(20, 0, 0);
    auto quad = Quad(0, 0, 16, 8, {0.5f, 1, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    OvMatrixPop();
    OvShaderUnactivate(433);
    EXPECT_TRUE(NearColour(PixelAt(2, 22), {0, 0, 255, 255}));
    EXPECT_TRUE(NearColour(PixelAt(6, 22), {255, 128, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(19, 4), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(24, 4), {0, 0, 255, 255}));
    EXPECT_TRUE(NearColour(PixelAt(32, 4), {128, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(36, 4), {0, 0, 0, 255}));
    OvShaderDestroy(program);
    OvTextureDestroy(texture);
}
