// Canvases and techniques on the suite window: a canvas rendered into and drawn back, the
// flip of CANVAS ENABLE and the mipmaps of CANVAS DISABLE, blending, shader parameters and
// attributes, RECT's flip, IMAGE, empty and refused programs, and the registries' release.
#include "support/ovt_images.h"
#include "support/technique_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_canvas.h"
#include "graphics/ov_shader.h"
#include "graphics/ov_shapes.h"
#include "graphics/technique_commands.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

// Clears a canvas to blue, runs the scene into it and draws it back over (0, 0, 32, 32).
const std::string DRAW_THROUGH_CANVAS = "ARG canvas\n"
                                        "ARG scene\n"
                                        "ARG blue\n"
                                        "ARG rect\n"
                                        "ARG coords\n"
                                        "ARG flip\n"
                                        "CANVAS ENABLE canvas FLIP\n"
                                        "COLOR SCENE blue\n"
                                        "CLEAR COLOR\n"
                                        "EXECUTE scene\n"
                                        "CANVAS DISABLE canvas FALSE\n"
                                        "RECT CANVAS canvas rect coords FALSE\n";

std::array<double, 16> Projection()
{
    std::array<double, 16> matrix{};
    OvMatrixSave(OV_MATRIX_PROJECTION, matrix.data());
    return matrix;
}

std::array<double, 16> OrthoCamera(double x, double y, double width, double height)
{
    std::array<double, 16> matrix{};
    OvCameraOrthoBuild(x, y, width, height, 0, matrix.data());
    return matrix;
}

const int32_t* BlendState()
{
    return static_cast<const int32_t*>(OvGetState(OV_STATE_BLEND));
}

} // namespace

class CanvasTest : public TechniqueTest
{
  protected:
    // Draws red over the top-left quarter of a 32 x 32 canvas through the technique, with
    // CANVAS ENABLE's flag, and keeps the projection the scene was drawn under.
    void DrawQuarterThroughCanvas(const char* flag)
    {
        ASSERT_TRUE(canvas.Create(32, 32, 0, 0));
        scene = [this]
        {
            sceneProjection = Projection();
            FillRect(0, 0, 16, 16, 1, 0, 0);
        };
        std::string source = DRAW_THROUGH_CANVAS;
        source.replace(source.find("FLIP"), 4, flag);
        OV_CANVAS* slotCanvas = &canvas;
        double blue[4] = {0, 0, 1, 1};
        double* slotBlue = blue;
        RectArrays rect(0, 0, 32, 32);
        OV_VECTOR* corners = rect.corners;
        OV_VECTOR* coords = rect.coords;
        const auto before = Projection();
        EXPECT_EQ(Run(source, {&slotCanvas, &SCENE, &slotBlue, &corners, &coords}), 6);
        EXPECT_EQ(Projection(), before) << "CANVAS DISABLE puts the projection back";
    }

    OV_CANVAS canvas;
    std::array<double, 16> sceneProjection{};
};

TEST_F(CanvasTest, RenderedIntoWithEnableTrueAndDrawnBackMatches)
{
    DrawQuarterThroughCanvas("TRUE");
    EXPECT_EQ(sceneProjection, OrthoCamera(0, 32, 32, -32));
    EXPECT_TRUE(Near(PixelAt(4, 4), RED)) << PixelAt(4, 4);
    EXPECT_TRUE(Near(PixelAt(12, 12), RED));
    EXPECT_TRUE(Near(PixelAt(20, 4), BLUE));
    EXPECT_TRUE(Near(PixelAt(4, 20), BLUE));
    EXPECT_TRUE(Near(PixelAt(40, 40), BLACK)) << "the window outside the quad was drawn on";
}

TEST_F(CanvasTest, EnableFalseDrawsUnderAYDownCameraAndComesBackFlipped)
{
    DrawQuarterThroughCanvas("FALSE");
    EXPECT_EQ(sceneProjection, OrthoCamera(0, 0, 32, 32));
    EXPECT_TRUE(Near(PixelAt(4, 28), RED)) << PixelAt(4, 28);
    EXPECT_TRUE(Near(PixelAt(4, 4), BLUE)) << PixelAt(4, 4);
}

TEST_F(CanvasTest, DisableTrueBuildsMipmapsThatMinifyingUses)
{
    // One-pixel white stripes on black, drawn back at an eighth of their size.
    ASSERT_TRUE(canvas.Create(64, 64, 0, 0));
    scene = []
    {
        FillRect(0, 0, 64, 64, 0, 0, 0); // opaque: averaged alpha would darken the grey
        for (int x = 0; x < 64; x += 2)
            FillRect(x, 0, x + 1, 64, 1, 1, 1);
    };
    OV_CANVAS* slotCanvas = &canvas;
    RectArrays rect(0, 0, 8, 8);
    OV_VECTOR* corners = rect.corners;
    OV_VECTOR* coords = rect.coords;
    auto drawMinified = [&](const char* mipmap)
    {
        const std::string source = std::string("CANVAS ENABLE $0 FALSE\n"
                                               "EXECUTE $1\n"
                                               "CANVAS DISABLE $0 ") +
                                   mipmap + "\nRECT CANVAS $0 $2 $3 FALSE\n";
        canvas.BindTexture();
        OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_FILTER_NEAREST);
        OvTextureUnactivate(OV_TEXTURE_2D);
        EXPECT_EQ(Run(source, {&slotCanvas, &SCENE, &corners, &coords}), 4);
        return PixelAt(3, 3);
    };
    const Rgba picked = drawMinified("FALSE");
    EXPECT_TRUE(picked.r < 10 || picked.r > 245) << "one stripe sampled: " << picked;
    const Rgba averaged = drawMinified("TRUE");
    EXPECT_TRUE(Near(averaged, Rgba{128, 128, 128, 255}, 8)) << averaged;
}

TEST_F(TechniqueTest, BlendMapsFactorKeywordsAndOthersToZero)
{
    EXPECT_EQ(Run("BLEND SRC_ALPHA ONE\n", {}), 1);
    EXPECT_EQ(BlendState()[0], 164);
    EXPECT_EQ(BlendState()[1], 159);
    // Additive now: half-transparent red over green gives yellow-ish, not a mix.
    FillRect(0, 0, 8, 8, 0, 1, 0);
    OV_RECTANGLE red;
    red.filled = 1;
    red.corner2 = OV_VECTOR(8, 8);
    for (OV_VECTOR& colour : red.colors)
        colour = OV_VECTOR(1, 0, 0, 0.5);
    red.Draw(OV_VECTOR(0, 0), true);
    EXPECT_TRUE(Near(PixelAt(4, 4), Rgba{128, 255, 0, 255})) << PixelAt(4, 4);

    EXPECT_EQ(BlendFactorCode(uint32_t(TechniqueKeyword::True)), 0);
    EXPECT_EQ(BlendFactorCode(uint32_t(TechniqueKeyword::One)), 159);
    for (uint32_t k = uint32_t(TechniqueKeyword::Zero);
         k <= uint32_t(TechniqueKeyword::OneMinusConstantAlpha); ++k)
        EXPECT_EQ(BlendFactorCode(k), int32_t(158 + k - 10));
    EXPECT_EQ(BlendFactorCode(uint32_t(TechniqueKeyword::Float)), 0);
    EXPECT_EQ(BlendFactorCode(9999), 0);
    // (0, 159) is no blend function: the engine keeps the one it had.
    EXPECT_EQ(Run("BLEND TRUE ONE\n", {}), 1);
    EXPECT_EQ(BlendState()[0], 164);
    OvSetState(OV_STATE_BLEND, 164, 165);
}

TEST_F(TechniqueTest, ParamVec3SetsThreeComponentsAndAttribIntDoesNothing)
{
    if (ShaderModel() < 110)
        GTEST_SKIP() << "no GLSL on this context";
    OV_SHADER& tint = *Application().shaders.Get("technique-tint");
    ASSERT_TRUE(
        tint.LoadFromMemory(0, 13,
                            "attribute vec4 Extra; varying vec4 extra;"
                            " void main() { extra = Extra; gl_Position = ftransform(); }",
                            "uniform vec3 Tint; varying vec4 extra;"
                            " void main() { gl_FragColor = vec4(Tint + extra.rgb, 1.0); }"));
    int32_t tintAt = tint.UniformLocation(0, "Tint");
    int32_t extraAt = tint.AttributeLocation(0, "Extra");
    ASSERT_GE(tintAt, 0);
    ASSERT_GE(extraAt, 0);
    OV_SPRITE& white = *Application().sprites.Get("technique-white");
    ASSERT_TRUE(LoadImages(white, {Image(2, 2, WHITE)}));
    OvHandle texture = white.frames[0];
    OV_SHADER* set = &tint;
    int32_t slot = 0;
    int32_t* tintSlot = &tintAt;
    int32_t* extraSlot = &extraAt;
    float orange[4] = {1, 0.5f, 0, 0.25f};
    float none[4] = {0, 0, 0, 0};
    float blue[4] = {0, 0, 1, 1};
    float* orangeSlot = orange;
    float* noneSlot = none;
    float* blueSlot = blue;
    OvHandle* textureSlot = &texture;
    RectArrays rect(0, 0, 16, 16);
    OV_VECTOR* corners = rect.corners;
    OV_VECTOR* coords = rect.coords;
    const std::string source = "ARG set\nARG slot\nARG tint\nARG extra\nARG orange\nARG none\n"
                               "ARG blue\nARG texture\nARG rect\nARG coords\n"
                               "PASS ENABLE set slot\n"
                               "PARAM VEC3 set tint orange\n"
                               "ATTRIB VEC4 set extra none\n"
                               "ATTRIB INT set extra blue\n"
                               "RECT TEXTURE texture rect coords FALSE\n"
                               "PASS DISABLE set slot\n";
    EXPECT_EQ(Run(source, {&set, &slot, &tintSlot, &extraSlot, &orangeSlot, &noneSlot, &blueSlot,
                           &textureSlot, &corners, &coords}),
              6);
    EXPECT_TRUE(Near(PixelAt(8, 8), Rgba{255, 128, 0, 255})) << PixelAt(8, 8);
}

TEST_F(TechniqueTest, RectTextureFlipDrawsReversedAndLeavesTheCallersCoordinates)
{
    // Red over blue; flipped, blue comes out on top.
    OV_SPRITE& picture = *Application().sprites.Get("technique-picture");
    Image image(1, 2, RED);
    image.at(0, 1) = BLUE;
    ASSERT_TRUE(LoadImages(picture, {image}));
    OvHandle texture = picture.frames[0];
    OvHandle* textureSlot = &texture;
    RectArrays rect(0, 0, 16, 16);
    OV_VECTOR* corners = rect.corners;
    OV_VECTOR* coords = rect.coords;
    const RectArrays untouched(0, 0, 16, 16);
    EXPECT_EQ(Run("RECT TEXTURE $0 $1 $2 FALSE\n", {&textureSlot, &corners, &coords}), 1);
    EXPECT_TRUE(Near(PixelAt(8, 2), RED)) << PixelAt(8, 2);
    EXPECT_EQ(Run("RECT TEXTURE $0 $1 $2 TRUE\n", {&textureSlot, &corners, &coords}), 1);
    EXPECT_TRUE(Near(PixelAt(8, 2), BLUE)) << PixelAt(8, 2);
    EXPECT_TRUE(Near(PixelAt(8, 13), RED));
    EXPECT_EQ(std::memcmp(rect.coords, untouched.coords, sizeof rect.coords), 0);
    // An unknown kind ends the command without drawing.
    RectArrays elsewhere(40, 40, 16, 16);
    OV_VECTOR* elsewhereCorners = elsewhere.corners;
    EXPECT_EQ(Run("RECT COLOR $0 $1 $2 FALSE\n", {&textureSlot, &elsewhereCorners, &coords}), 1);
    EXPECT_TRUE(Near(PixelAt(48, 48), BLACK)) << PixelAt(48, 48);
}

TEST_F(TechniqueTest, ImageCopiesTheAreaOfTheRenderIntoATexture)
{
    FillRect(0, 0, 128, 96, 0, 1, 0);
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    OvHandle* textureSlot = &texture;
    double area[12] = {4, 8, 0, 1, 0, 0, 0, 1, 6, 5, 0, 1};
    double* areaSlot = area;
    EXPECT_EQ(Run("IMAGE $0 $1 TRUE\n", {&textureSlot, &areaSlot}), 1);
    OvTextureUnactivate(OV_TEXTURE_2D);
    EXPECT_EQ(*static_cast<const int32_t*>(OvTextureGet(texture, 258)), 6);
    EXPECT_EQ(*static_cast<const int32_t*>(OvTextureGet(texture, 259)), 5);
    EXPECT_TRUE(Near(TexturePixels(texture).at(3, 3), GREEN));
    // An area no pixel has is refused, not converted.
    area[8] = 1e300;
    EXPECT_EQ(Run("IMAGE $0 $1 TRUE\n", {&textureSlot, &areaSlot}), 1);
    EXPECT_EQ(*static_cast<const int32_t*>(OvTextureGet(texture, 258)), 6);
    OvTextureDestroy(texture);
}

TEST_F(TechniqueTest, EmptyRefusedAndLoadedProgramsAndEmptySlots)
{
    OV_TECHNIQUE empty;
    EXPECT_EQ(empty.Execute(), 0);
    EXPECT_FALSE(empty.LoadFile("/nonexistent/technique.bin"));
    EXPECT_EQ(empty.count, 0u);
    EXPECT_FALSE(empty.LoadMemory(nullptr, 4));
    EXPECT_FALSE(empty.LoadMemory("x", 0));
    EXPECT_FALSE(empty.Compile("BLUR ONE\n", 9));
    EXPECT_EQ(empty.compiled, 0);
    EXPECT_EQ(empty.Execute(), 0);

    // A compiled file loads as bytes the framework owns and runs the same commands.
    const std::string path = std::string(OV_BINARY_DIR) + "/technique_test.bin";
    const std::string source = "CLEAR COLOR\nCLEAR DEPTH\n";
    ASSERT_TRUE(OV_TECHNIQUE::CompileToFile(source.data(), uint32_t(source.size()), path.c_str()));
    ASSERT_TRUE(technique.LoadFile(path.c_str()));
    EXPECT_EQ(technique.compiled, 0);
    EXPECT_EQ(technique.Execute(), 2);
    std::filesystem::remove(path);

    // A script whose slots hold nothing runs and does nothing with them.
    void* nothing = nullptr;
    EXPECT_EQ(Run("EXECUTE $0\nCANVAS ENABLE $0 TRUE\nPASS ENABLE $0 $0\nCOLOR SCENE $0\n"
                  "RECT CANVAS $0 $0 $0 TRUE\nPARAM VEC4 $0 $0 $0\nIMAGE $0 $0 TRUE\n",
                  {&nothing}),
              7);
    EXPECT_EQ(technique.compiled, 1);
}

TEST_F(TechniqueTest, ReleaseAllDestroysCanvasesAndFreesTechniques)
{
    OV_CANVAS& canvas = *Application().canvases.Get("technique-canvas");
    ASSERT_TRUE(canvas.Create(8, 8, 0, 0));
    EXPECT_EQ(canvas.Width(), 8);
    EXPECT_TRUE(canvas.UseFBO());
    const OvHandle frameBuffer = canvas.handle;
    OV_TECHNIQUE& program = *Application().techniques.Get("technique-program");
    ASSERT_TRUE(program.Compile("CLEAR COLOR\n", 12));
    Application().ReleaseAll();
    EXPECT_FALSE(Application().canvases.Find("technique-canvas"));
    EXPECT_FALSE(Application().techniques.Find("technique-program"));
    EXPECT_EQ(OvFrameBufferGet(frameBuffer, OV_FRAME_BUFFER_WIDTH), nullptr);
    EXPECT_FALSE(OvFrameBufferActivate(frameBuffer));
}
