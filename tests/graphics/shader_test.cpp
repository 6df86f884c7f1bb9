// Shader sets on a real context: the game's grey shader changes the read-back colours by
// its uniform, build logs record compiler failures and accumulate, slots grow and stay
// empty, and low-level programs take their parameters per stage.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_shader.h"

#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

const std::string GAME_DATA = std::string(OV_SOURCE_DIR) + "/game/data/";

const char* const PASS_VERTEX = "void main() { gl_FrontColor = gl_Color;"
                                " gl_TexCoord[0] = gl_MultiTexCoord0;"
                                " gl_Position = ftransform(); }";
const char* const BROKEN_VERTEX = "void main() { gl_Position = ftransform() }";
const char* const FLAT_FRAGMENT = "uniform vec4 Colour; void main() { gl_FragColor = Colour; }";

const char* const ARB_VERTEX = "!!ARBvp1.0\n"
                               "PARAM mvp[4] = { state.matrix.mvp };\n"
                               "DP4 result.position.x, mvp[0], vertex.position;\n"
                               "DP4 result.position.y, mvp[1], vertex.position;\n"
                               "DP4 result.position.z, mvp[2], vertex.position;\n"
                               "DP4 result.position.w, mvp[3], vertex.position;\n"
                               "MOV result.color, program.local[0];\n"
                               "END\n";
// Red from the fragment program's own parameter, green from the vertex program's.
const char* const ARB_FRAGMENT = "!!ARBfp1.0\n"
                                 "TEMP c;\n"
                                 "MOV c, fragment.color;\n"
                                 "MOV c.x, program.local[0].x;\n"
                                 "MOV c.w, 1.0;\n"
                                 "MOV result.color, c;\n"
                                 "END\n";

class ShaderTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        ASSERT_TRUE(ShaderInit());
        if (ShaderModel() < 110)
            GTEST_SKIP() << "no GLSL on this context";
    }
    void TearDown() override
    {
        Deactivate();
        DrawingTest::TearDown();
    }

    // A white 16 x 16 square at (x, y) tinted by `tint`.
    void DrawSquare(int32_t x, int32_t y, float r, float g, float b)
    {
        OV_SPRITE& square = *Application().sprites.Get("shader-square");
        if (square.FrameCount() == 0)
            LoadImages(square, {Image(16, 16, WHITE)});
        square.SetColor(r, g, b, 1);
        square.Draw(OV_VECTOR(x, y), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    }

    static std::string Log(const OV_SHADER& set, int32_t slot)
    {
        OV_STRING text;
        set.GetLog(slot, text);
        return text.Text();
    }
};

TEST_F(ShaderTest, TheGreyShaderBlendsTowardsLumaByItsFactor)
{
    OV_SHADER& gscl = *Application().shaders.Get("gscl");
    ASSERT_TRUE(gscl.Load(0, 13, (GAME_DATA + "Default.vert").c_str(),
                          (GAME_DATA + "GrayScale.frag").c_str()));
    EXPECT_EQ(Log(gscl, 0), "Load Vertex Shader: Successful!\r\n"
                            "Load Fragment Shader: Successful!\r\n"
                            "Make Shader Program: Successful!\r\n");
    ASSERT_TRUE(gscl.Activate(0));
    const int32_t luminosity = gscl.UniformLocation(0, "Luminosity");
    const int32_t factor = gscl.UniformLocation(0, "Factor");
    ASSERT_GE(luminosity, 0);
    ASSERT_GE(factor, 0);
    EXPECT_TRUE(SetParameter(13, luminosity, 1, 0, 0, 1, 1));

    EXPECT_TRUE(SetParameter(13, factor, 0, 0, 0, 1, 1));
    DrawSquare(0, 0, 1, 0, 0);
    EXPECT_TRUE(Near(PixelAt(8, 8), RED)) << PixelAt(8, 8);

    EXPECT_TRUE(SetParameter(13, factor, 1, 0, 0, 1, 1));
    DrawSquare(20, 0, 1, 0, 0);
    const uint8_t redLuma = 76; // 0.299 of full red
    EXPECT_TRUE(Near(PixelAt(28, 8), Rgba{redLuma, redLuma, redLuma, 255})) << PixelAt(28, 8);

    EXPECT_TRUE(SetParameter(13, factor, 0.5f, 0, 0, 1, 1));
    DrawSquare(40, 0, 0, 1, 0);
    const int greenLuma = 150; // 0.587 of full green
    EXPECT_TRUE(Near(PixelAt(48, 8), Rgba{greenLuma / 2, (255 + greenLuma) / 2, greenLuma / 2}))
        << PixelAt(48, 8);

    Deactivate(); // fixed-function drawing again: the tint as it is
    DrawSquare(60, 0, 0, 1, 0);
    EXPECT_TRUE(Near(PixelAt(68, 8), GREEN)) << PixelAt(68, 8);
    EXPECT_FALSE(SetParameter(7, factor, 1, 0, 0, 1, 1));
}

TEST_F(ShaderTest, ABrokenVertexShaderIsLoggedAndLoadingAgainAppends)
{
    OV_SHADER set;
    ASSERT_TRUE(set.LoadFromMemory(0, 13, BROKEN_VERTEX, FLAT_FRAGMENT));
    const std::string first = Log(set, 0);
    const std::string prefix = "Load Vertex Shader: Failed! ";
    ASSERT_EQ(first.compare(0, prefix.size(), prefix), 0) << first;
    const size_t vertexEnd = first.find("\r\n");
    ASSERT_NE(vertexEnd, std::string::npos);
    EXPECT_GT(vertexEnd, prefix.size()) << "the engine's message follows the prefix";
    EXPECT_NE(first.find("Load Fragment Shader: Successful!\r\n"), std::string::npos);
    EXPECT_NE(first.find("Make Shader Program: Failed! "), std::string::npos);
    EXPECT_EQ(first.substr(first.size() - 2), "\r\n");

    ASSERT_TRUE(set.LoadFromMemory(0, 13, PASS_VERTEX, FLAT_FRAGMENT));
    const std::string both = Log(set, 0);
    EXPECT_EQ(both, first + "Load Vertex Shader: Successful!\r\n"
                            "Load Fragment Shader: Successful!\r\n"
                            "Make Shader Program: Successful!\r\n");
    ASSERT_EQ(set.slots.size(), 1u);

    // The rebuilt slot works.
    ASSERT_TRUE(set.Activate(0));
    const int32_t colour = set.UniformLocation(0, "Colour");
    ASSERT_GE(colour, 0);
    SetParameter(13, colour, 0, 0, 1, 1, 4);
    DrawSquare(0, 0, 1, 1, 1);
    EXPECT_TRUE(Near(PixelAt(4, 4), BLUE)) << PixelAt(4, 4);

    // A missing file is a failure even when the engine has no message for it.
    OV_SHADER missing;
    ASSERT_TRUE(missing.Load(0, 13, "/nonexistent/a.vert", "/nonexistent/b.frag"));
    EXPECT_EQ(Log(missing, 0).find("Load Vertex Shader: Failed! "), 0u) << Log(missing, 0);
    EXPECT_EQ(Log(missing, 0).find("Successful"), std::string::npos) << Log(missing, 0);
}

TEST_F(ShaderTest, SlotsGrowOnDemandAndEmptySlotsRefuseUse)
{
    OV_SHADER set;
    EXPECT_FALSE(set.LoadFromMemory(-1, 13, PASS_VERTEX, FLAT_FRAGMENT));
    EXPECT_FALSE(set.LoadFromMemory(0, 14, PASS_VERTEX, FLAT_FRAGMENT));
    EXPECT_TRUE(set.slots.empty());

    ASSERT_TRUE(set.LoadFromMemory(3, 13, PASS_VERTEX, FLAT_FRAGMENT));
    ASSERT_EQ(set.slots.size(), 4u);
    ASSERT_EQ(set.logs.size(), 4u);
    EXPECT_FALSE(set.Activate(1));
    EXPECT_EQ(set.UniformLocation(1, "Colour"), -1);
    EXPECT_EQ(set.AttributeLocation(1, "Colour"), -1);
    EXPECT_EQ(Log(set, 1), "");
    EXPECT_FALSE(set.Activate(4));
    EXPECT_FALSE(set.Activate(-2));
    EXPECT_TRUE(set.Activate(3));
    EXPECT_GE(set.UniformLocation(3, "Colour"), 0);
    EXPECT_EQ(set.UniformLocation(3, "NoSuchUniform"), -1);
    OV_STRING untouched = "kept";
    EXPECT_FALSE(set.GetLog(4, untouched));
    EXPECT_EQ(untouched, "kept");

    const OvHandle program = set.slots[3].program;
    EXPECT_EQ(set.slots[3].vertex.object, nullptr); // only the program is kept
    set.DestroyAll();
    EXPECT_TRUE(set.slots.empty());
    EXPECT_TRUE(set.logs.empty());
    EXPECT_EQ(OvShaderUniformLocation(program, "Colour"), -1); // released
}

TEST_F(ShaderTest, LowLevelParametersGoToTheStagesTheFlagsLeaveOn)
{
    if (!(OvExtensions(0) & 2))
        GTEST_SKIP() << "no low-level programs on this context";
    OV_SHADER set;
    ASSERT_TRUE(set.LoadFromMemory(0, 12, ARB_VERTEX, ARB_FRAGMENT));
    EXPECT_EQ(Log(set, 0), ""); // low-level programs keep no log
    EXPECT_EQ(set.UniformLocation(0, "anything"), -1);
    ASSERT_TRUE(set.Activate(0));

    // Red comes from the fragment program's parameter, green from the vertex program's.
    EXPECT_TRUE(SetParameter(12, 0, 0, 0, 0, 1, 0));
    EXPECT_TRUE(SetParameter(12, 0, 1, 1, 0, 1, 1)); // fragment only
    DrawSquare(0, 0, 1, 1, 1);
    EXPECT_TRUE(Near(PixelAt(8, 8), RED)) << PixelAt(8, 8);

    EXPECT_TRUE(SetParameter(12, 0, 0, 1, 0, 1, 2)); // vertex only: red stays
    DrawSquare(20, 0, 1, 1, 1);
    EXPECT_TRUE(Near(PixelAt(28, 8), Rgba{255, 255, 0})) << PixelAt(28, 8);

    EXPECT_TRUE(SetParameter(12, 0, 0, 0, 1, 1, 3)); // neither
    DrawSquare(40, 0, 1, 1, 1);
    EXPECT_TRUE(Near(PixelAt(48, 8), Rgba{255, 255, 0})) << PixelAt(48, 8);

    const int32_t values[4] = {0, 0, 0, 1};
    EXPECT_TRUE(SetParameterInt(12, 0, values, 0)); // both, as floats
    DrawSquare(60, 0, 1, 1, 1);
    EXPECT_TRUE(Near(PixelAt(68, 8), BLACK)) << PixelAt(68, 8);
    EXPECT_FALSE(SetParameterInt(12, 0, nullptr, 0));
}

} // namespace
