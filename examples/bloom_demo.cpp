// A glow over a small scene, drawn by a technique script: the scene (bright orbs circling
// over a dark field) is drawn into a canvas; its bright parts are picked out into a canvas of
// half the size and blurred across and then down through a GLSL blur, ping-ponging between
// two half-size canvases; the scene and the blurred glow are then added together on the
// window. Esc quits.
//   bloom_demo [--screenshot file.png]   saves the window as a PNG after a second and quits
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "examples/example_window.h"
#include "graphics/ov_shapes.h"
#include "orvane_core.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>

using namespace OvCore;

namespace
{

constexpr int WIDTH = 480;
constexpr int HEIGHT = 360;
constexpr int GLOW_WIDTH = WIDTH / 2;
constexpr int GLOW_HEIGHT = HEIGHT / 2;

const char* const PASS_VERTEX = "void main() {\n"
                                "    gl_TexCoord[0] = gl_MultiTexCoord0;\n"
                                "    gl_FrontColor = gl_Color;\n"
                                "    gl_Position = ftransform();\n"
                                "}\n";
// Keeps what is bright, fading in between 0.6 and 0.9 of the brightest channel.
const char* const BRIGHT_FRAGMENT =
    "uniform sampler2D Picture;\n"
    "void main() {\n"
    "    vec3 c = texture2D(Picture, gl_TexCoord[0].st).rgb;\n"
    "    float level = max(c.r, max(c.g, c.b));\n"
    "    gl_FragColor = vec4(c * smoothstep(0.6, 0.9, level), 1.0);\n"
    "}\n";
// Nine taps of a Gaussian along Step.
const char* const BLUR_FRAGMENT =
    "#version 120\n"
    "uniform sampler2D Picture;\n"
    "uniform vec2 Step;\n"
    "void main() {\n"
    "    vec2 at = gl_TexCoord[0].st;\n"
    "    float weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);\n"
    "    vec3 sum = texture2D(Picture, at).rgb * weights[0];\n"
    "    for (int i = 1; i < 5; ++i) {\n"
    "        vec2 offset = Step * float(i);\n"
    "        sum += (texture2D(Picture, at + offset).rgb + texture2D(Picture, at - offset).rgb)\n"
    "               * weights[i];\n"
    "    }\n"
    "    gl_FragColor = vec4(sum * 1.25, 1.0);\n"
    "}\n";

// Every canvas is drawn into with a y-up camera (CANVAS ENABLE ... TRUE), so each picture
// is stored to be drawn back upright, texture coordinate (0, 0) at its top-left.
const char* const BLOOM_TECHNIQUE = "# The scene into a canvas of the window's size.\n"
                                    "ARG scene\n"
                                    "ARG glowA\n"
                                    "ARG glowB\n"
                                    "ARG drawScene\n"
                                    "ARG bloom\n"
                                    "ARG brightPass\n"
                                    "ARG blurPass\n"
                                    "ARG stepAt\n"
                                    "ARG across\n"
                                    "ARG down\n"
                                    "ARG night\n"
                                    "ARG black\n"
                                    "ARG window\n"
                                    "ARG half\n"
                                    "ARG whole\n"
                                    "CANVAS ENABLE scene TRUE\n"
                                    "COLOR SCENE night\n"
                                    "CLEAR COLOR\n"
                                    "EXECUTE drawScene\n"
                                    "CANVAS DISABLE scene FALSE\n"
                                    "# Its bright parts at half size.\n"
                                    "COLOR SCENE black\n"
                                    "CANVAS ENABLE glowA TRUE\n"
                                    "CLEAR COLOR\n"
                                    "PASS ENABLE bloom brightPass\n"
                                    "RECT CANVAS scene half whole FALSE\n"
                                    "CANVAS DISABLE glowA FALSE\n"
                                    "# Twice blurred across into B, then down back into A.\n"
                                    "PASS ENABLE bloom blurPass\n"
                                    "PARAM VEC2 bloom stepAt across\n"
                                    "CANVAS ENABLE glowB TRUE\n"
                                    "RECT CANVAS glowA half whole FALSE\n"
                                    "CANVAS DISABLE glowB FALSE\n"
                                    "PARAM VEC2 bloom stepAt down\n"
                                    "CANVAS ENABLE glowA TRUE\n"
                                    "RECT CANVAS glowB half whole FALSE\n"
                                    "CANVAS DISABLE glowA FALSE\n"
                                    "PARAM VEC2 bloom stepAt across\n"
                                    "CANVAS ENABLE glowB TRUE\n"
                                    "RECT CANVAS glowA half whole FALSE\n"
                                    "CANVAS DISABLE glowB FALSE\n"
                                    "PARAM VEC2 bloom stepAt down\n"
                                    "CANVAS ENABLE glowA TRUE\n"
                                    "RECT CANVAS glowB half whole FALSE\n"
                                    "CANVAS DISABLE glowA FALSE\n"
                                    "PASS DISABLE bloom blurPass\n"
                                    "# The scene, and the glow added over it.\n"
                                    "RECT CANVAS scene window whole FALSE\n"
                                    "BLEND ONE ONE\n"
                                    "RECT CANVAS glowA window whole FALSE\n"
                                    "BLEND SRC_ALPHA ONE_MINUS_SRC_ALPHA\n";

double Seconds()
{
    return OV_LOOP::NowPrecise() / 1000.0;
}

void FillRectangle(double x0, double y0, double x1, double y1, const OV_VECTOR& colour)
{
    OV_RECTANGLE rectangle;
    rectangle.filled = 1;
    rectangle.corner1 = OV_VECTOR(x0, y0);
    rectangle.corner2 = OV_VECTOR(x1, y1);
    for (OV_VECTOR& corner : rectangle.colors)
        corner = colour;
    rectangle.Draw(OV_VECTOR(0, 0), true);
}

void FillCircle(const OV_VECTOR& centre, float radius, const OV_VECTOR& inner, const OV_VECTOR& rim)
{
    OV_CIRCLE circle;
    circle.radius = radius;
    circle.segments = 48;
    circle.filled = 1;
    circle.centerColor = inner;
    circle.rimColor = rim;
    circle.Draw(centre, 0, true);
}

// Dim towers on a dark field, and four bright orbs circling over them.
void DrawScene()
{
    for (int i = 0; i < 8; ++i)
    {
        const double x = 20 + i * 58;
        const double top = 170 + 60 * std::sin(i * 1.7);
        FillRectangle(x, top, x + 40, HEIGHT - 40, OV_VECTOR(0.16, 0.18, 0.26, 1));
        FillRectangle(x + 8, top + 14, x + 16, top + 22, OV_VECTOR(0.95, 0.85, 0.4, 1));
    }
    FillRectangle(0, HEIGHT - 40, WIDTH, HEIGHT, OV_VECTOR(0.1, 0.12, 0.1, 1));
    const OV_VECTOR colours[4] = {
        {1, 0.45, 0.2, 1}, {0.3, 0.8, 1, 1}, {1, 0.95, 0.5, 1}, {0.8, 0.4, 1, 1}};
    const double t = Seconds();
    for (int i = 0; i < 4; ++i)
    {
        const double angle = t * (0.6 + 0.15 * i) + i * 1.57;
        const OV_VECTOR centre(WIDTH / 2.0 + 150 * std::cos(angle),
                               150 + 70 * std::sin(angle * 1.3), 0);
        OV_VECTOR rim = colours[i];
        rim.w = 1;
        FillCircle(centre, 18, OV_VECTOR(1, 1, 1, 1), rim);
    }
}

// The host slots the technique names, in its ARG order.
struct BloomSlots
{
    OV_CANVAS* scene = nullptr;
    OV_CANVAS* glowA = nullptr;
    OV_CANVAS* glowB = nullptr;
    void (*drawScene)() = DrawScene;
    OV_SHADER* bloom = nullptr;
    int32_t brightPass = 0;
    int32_t blurPass = 1;
    int32_t* stepAt = nullptr;
    float* across = nullptr;
    float* down = nullptr;
    double* night = nullptr;
    double* black = nullptr;
    OV_VECTOR* window = nullptr;
    OV_VECTOR* half = nullptr;
    OV_VECTOR* whole = nullptr;
};

struct Demo
{
    std::string screenshot;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    OV_TECHNIQUE* technique = nullptr;
    void* slots[15] = {};
};

void Frame(HWND, void* context)
{
    Demo& demo = *static_cast<Demo*>(context);
    if (Input().KeyPressed(VK_ESCAPE))
        Loop().running = false;
    Application().ClearScreen(0, 0, 0, 1);
    Application().camera.Apply();
    demo.technique->Execute(demo.slots, 15);
    Example::FinishFrame(demo.screenshot, demo.start, std::chrono::seconds(1), WIDTH, HEIGHT);
}

// The bright pass in slot 0 and the blur in slot 1; false (with the logs printed) when
// either does not build.
bool LoadBloomShaders(OV_SHADER& bloom)
{
    bloom.LoadFromMemory(0, OV_SHADER_LINKED, PASS_VERTEX, BRIGHT_FRAGMENT);
    bloom.LoadFromMemory(1, OV_SHADER_LINKED, PASS_VERTEX, BLUR_FRAGMENT);
    bool built = true;
    for (int32_t slot = 0; slot < 2; ++slot)
    {
        OV_STRING log;
        bloom.GetLog(slot, log);
        if (std::string(log.Text()).find("Failed") != std::string::npos)
        {
            std::fprintf(stderr, "bloom shader %d:\n%s", slot, log.Text());
            built = false;
        }
    }
    return built;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    Demo demo;
    demo.screenshot = Example::ScreenshotOption(commandLine);
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW* window = Example::OpenMainWindow("Bloom", WIDTH, HEIGHT);
    if (!window)
        return 0;

    ShaderInit();
    RegisterDefinitions();
    OV_CANVAS& scene = *app.canvases.Get("scene");
    OV_CANVAS& glowA = *app.canvases.Get("glow", 0);
    OV_CANVAS& glowB = *app.canvases.Get("glow", 1);
    OV_SHADER& bloom = *app.shaders.Get("bloom");
    OV_TECHNIQUE& technique = *app.techniques.Get("bloom");
    const std::string source = BLOOM_TECHNIQUE;
    if (!scene.Create(WIDTH, HEIGHT, 0, 0) || !glowA.Create(GLOW_WIDTH, GLOW_HEIGHT, 0, 0) ||
        !glowB.Create(GLOW_WIDTH, GLOW_HEIGHT, 0, 0) || !LoadBloomShaders(bloom) ||
        !technique.Compile(source.data(), uint32_t(source.size())))
    {
        std::fprintf(stderr, "bloom_demo: %s\n", OvMentaroLastError());
        return 0;
    }

    bloom.Activate(1);
    int32_t stepAt = bloom.UniformLocation(1, "Step");
    Deactivate();
    float across[4] = {1.5f / GLOW_WIDTH, 0, 0, 0};
    float down[4] = {0, 1.5f / GLOW_HEIGHT, 0, 0};
    double night[4] = {0.03, 0.04, 0.09, 1};
    double black[4] = {0, 0, 0, 1};
    OV_VECTOR windowCorners[4] = {{0, 0}, {WIDTH, 0}, {WIDTH, HEIGHT}, {0, HEIGHT}};
    OV_VECTOR halfCorners[4] = {
        {0, 0}, {GLOW_WIDTH, 0}, {GLOW_WIDTH, GLOW_HEIGHT}, {0, GLOW_HEIGHT}};
    OV_VECTOR whole[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    BloomSlots slots;
    slots.scene = &scene;
    slots.glowA = &glowA;
    slots.glowB = &glowB;
    slots.bloom = &bloom;
    slots.stepAt = &stepAt;
    slots.across = across;
    slots.down = down;
    slots.night = night;
    slots.black = black;
    slots.window = windowCorners;
    slots.half = halfCorners;
    slots.whole = whole;
    void* const addresses[15] = {
        &slots.scene,      &slots.glowA,    &slots.glowB,  &slots.drawScene, &slots.bloom,
        &slots.brightPass, &slots.blurPass, &slots.stepAt, &slots.across,    &slots.down,
        &slots.night,      &slots.black,    &slots.window, &slots.half,      &slots.whole};
    std::copy(std::begin(addresses), std::end(addresses), demo.slots);
    demo.technique = &technique;

    Loop().RunFrameLoop(Frame, &demo);

    app.ReleaseAll();
    window->CloseWindow();
    OvClosure();
    return 1;
}
