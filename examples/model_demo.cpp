// A textured OBJ model turning in a 3D actor: the program writes a four-sided pyramid (its OBJ
// file, an MTL library of two materials and their textures) into a temporary folder, loads it
// into an OV_ACTOR3D's model and lets the scene draw it, turning about the view axis and
// rocking gently, seen from above. Esc quits.
//   model_demo [--screenshot file.png]   saves the window as a PNG after a second and quits
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "examples/example_window.h"
#include "orvane_core.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace OvCore;

namespace
{

constexpr int WIDTH = 480;
constexpr int HEIGHT = 360;

// The apex above the centre of a unit square base; faces alternate between the materials.
const char* const PYRAMID_OBJ = "mtllib pyramid.mtl\n"
                                "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nv 0 0 1.2\n"
                                "vt 0 0\nvt 1 0\nvt 0.5 1\n"
                                "usemtl stone\nf 1/1 2/2 5/3\nf 3/1 4/2 5/3\n"
                                "usemtl sand stone\nf 2/1 3/2 5/3\nf 4/1 1/2 5/3\n";
const char* const PYRAMID_MTL = "newmtl stone\nKd 1 1 1\nmap_Kd stone.ovt\n"
                                "newmtl sand stone\nKd 1 0.9 0.7\nmap_Kd sand.ovt\n";

// Horizontal courses of blocks in two shades.
bool WriteTexture(const std::string& path, uint8_t light, uint8_t dark)
{
    constexpr int SIZE = 32;
    std::vector<uint8_t> pixels(SIZE * SIZE * 4);
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x)
        {
            const bool joint = y % 8 == 0 || (x + (y / 8) * 4) % 16 == 0;
            uint8_t* p = &pixels[size_t(y * SIZE + x) * 4];
            p[0] = joint ? dark : light;
            p[1] = uint8_t((joint ? dark : light) * 0.85);
            p[2] = uint8_t((joint ? dark : light) * 0.6);
            p[3] = 255;
        }
    size_t size = 0;
    void* file = OvImageEncodeOvt(pixels.data(), SIZE, SIZE, &size);
    const bool written = file && std::ofstream(path, std::ios::binary)
                                     .write(static_cast<const char*>(file), std::streamsize(size));
    OvImageFree(file);
    return written;
}

// A folder that did not exist before, under the system's temporary folder; empty when none
// can be made.
std::string FreshFolder()
{
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; !error && attempt < 100; ++attempt)
    {
        const std::filesystem::path folder = base / ("ov-model-demo-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error))
            return folder.string();
    }
    return "";
}

// The model's files in a fresh temporary folder; empty when they cannot be written.
std::string WriteModelFiles()
{
    const std::string at = FreshFolder();
    if (at.empty())
        return "";
    std::ofstream(at + "/pyramid.obj") << PYRAMID_OBJ;
    std::ofstream(at + "/pyramid.mtl") << PYRAMID_MTL;
    if (!WriteTexture(at + "/stone.ovt", 210, 120) || !WriteTexture(at + "/sand.ovt", 250, 160))
        return "";
    return at;
}

class TurningModel : public OV_ACTOR3D
{
  public:
    void Update() override
    {
        const double seconds = OV_LOOP::NowPrecise() / 1000.0;
        rotation.x = std::fmod(seconds * 40, 360); // about the view axis
        rotation.z = 15 * std::sin(seconds);       // rocking about the screen's X axis
    }
    void Draw() override { model.Draw(position, rotation, scale); }
};

// The camera's orthographic projection keeps depths within -1..1; the turning model reaches
// further, so its depth range is widened to +-1000 (nothing else of the projection changes).
void DeepenProjection()
{
    double projection[16];
    OvMatrixSave(OV_MATRIX_PROJECTION, projection);
    projection[10] /= 1000; // column-major (2, 2): the depth scale
    OvMatrixMode(OV_MATRIX_PROJECTION);
    OvMatrixLoad(projection);
    OvMatrixMode(OV_MATRIX_MODELVIEW);
}

struct Demo
{
    std::string screenshot;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

void Frame(HWND, void* context)
{
    Demo& demo = *static_cast<Demo*>(context);
    OV_APPLICATION& app = Application();
    if (Input().KeyPressed(VK_ESCAPE))
        Loop().running = false;
    app.ClearScreen(0.35, 0.55, 0.8, 1.0);
    app.camera.Apply();
    DeepenProjection();
    app.SceneStep();
    Example::FinishFrame(demo.screenshot, demo.start, std::chrono::seconds(1), WIDTH, HEIGHT);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    Demo demo;
    demo.screenshot = Example::ScreenshotOption(commandLine);
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW* window = Example::OpenMainWindow("Model", WIDTH, HEIGHT);
    if (!window)
        return 0;

    const std::string folder = WriteModelFiles();
    auto* pyramid = new TurningModel;
    if (folder.empty() ||
        !pyramid->model.Load((folder + "/pyramid.obj").c_str(), folder.c_str(), OV_FILTER_LINEAR,
                             OV_FILTER_LINEAR, OV_USAGE_STATIC, false))
    {
        delete pyramid;
        return 0;
    }
    pyramid->position = OV_VECTOR(WIDTH / 2.0, HEIGHT / 2.0, 0);
    pyramid->scale = OV_VECTOR(110, 110, 110);
    app.AddActor("pyramid", pyramid);

    Loop().RunFrameLoop(Frame, &demo);

    app.ReleaseAll();
    window->CloseWindow();
    OvClosure();
    std::error_code error; // not through a shell: the folder's name is never a command
    std::filesystem::remove_all(folder, error);
    return 1;
}
