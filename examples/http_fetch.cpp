// Downloads a file step by step, one HTTP step a frame, and draws a progress bar: a dark
// track and a fill that grows with the body received (a sliding block while the length is
// unknown: chunked or read to the close). Prints the outcome and saves the body as
// http_fetch.out. Esc cancels. Usage: http_fetch host port path
#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace OvCore;

namespace
{

constexpr int WIDTH = 480;
constexpr int HEIGHT = 80;

struct Fetch
{
    std::string host = "127.0.0.1";
    uint16_t port = 80;
    std::string path;
    NetEndpoint endpoint;
    HttpProgress progress;
    ByteBuffer body;
    bool failed = false;
};
Fetch fetch;

// A filled rectangle (x, y from the top-left) drawn as a clear inside a scissor box.
void FillRectangle(int x, int y, int width, int height, double r, double g, double b)
{
    OvSetState(OV_STATE_SCISSOR_BOX, x, HEIGHT - y - height, width, height);
    OvSetState(OV_STATE_SCISSOR_TEST, 1);
    Application().ClearScreen(r, g, b, 1.0);
    OvSetState(OV_STATE_SCISSOR_TEST, 0);
}

void DrawBar()
{
    Application().ClearScreen(0.12, 0.12, 0.14, 1.0);
    const int x = 20, y = 30, width = WIDTH - 40, height = 20;
    FillRectangle(x, y, width, height, 0.3, 0.3, 0.34);
    const HttpProgress& p = fetch.progress;
    if (p.state == HTTP_COMPLETE || (p.total > 0 && p.state == HTTP_RECEIVING_BODY))
    {
        const double share = p.state == HTTP_COMPLETE ? 1.0 : double(p.done) / p.total;
        FillRectangle(x, y, static_cast<int>(width * share), height, 0.3, 0.8, 0.4);
    }
    else if (p.state != HTTP_IDLE)
    {
        const int block = width / 5;
        const int at = static_cast<int>(Loop().frameCount * 4 % (width - block));
        FillRectangle(x + at, y, block, height, 0.4, 0.6, 0.9);
    }
    if (fetch.failed)
        FillRectangle(x, y, width, height, 0.8, 0.25, 0.2);
}

void FetchFrame(HWND, void*)
{
    if (Input().KeyPressed(VK_ESCAPE))
    {
        fetch.endpoint.HttpCancel(fetch.progress);
        Loop().running = false;
    }
    const uint32_t before = fetch.progress.state;
    if (before != HTTP_IDLE && before != HTTP_COMPLETE)
    {
        fetch.endpoint.HttpStep(fetch.progress, fetch.body, 65536);
        fetch.failed = fetch.progress.state == HTTP_IDLE;
        if (fetch.failed)
        {
            std::printf("http_fetch: the download failed after %u bytes\n", fetch.body.count);
            std::fflush(stdout);
        }
        else if (fetch.progress.state == HTTP_COMPLETE)
        {
            std::printf("http_fetch: %u bytes received\n", fetch.body.count);
            fetch.body.SaveFile("http_fetch.out");
            std::fflush(stdout);
        }
    }
    DrawBar();
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

void FetchState()
{
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.WindowNamed("main");
    window.width = WIDTH;
    window.height = HEIGHT;
    app.CenterWindow("main");
    window.ApplyWindow();
    app.ActivateWindow("main");
    app.SetVsync(true);
    NetStartup();
    if (!fetch.endpoint.HttpGetBegin(fetch.progress, fetch.host.c_str(), fetch.path.c_str(),
                                     fetch.port))
    {
        std::printf("http_fetch: cannot reach %s:%u\n", fetch.host.c_str(), fetch.port);
        fetch.failed = true;
    }
    Loop().RunFrameLoop(FetchFrame, nullptr);
    fetch.endpoint.Close();
    NetShutdown();
    app.ReleaseAll();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char host[256] = "", path[1024] = "";
    unsigned port = 80;
    if (!commandLine || std::sscanf(commandLine, "%255s %u %1023s", host, &port, path) < 3)
    {
        std::fprintf(stderr, "usage: http_fetch host port path\n");
        return 0;
    }
    fetch.host = host;
    fetch.port = static_cast<uint16_t>(port);
    fetch.path = path;
    const OV_STATE_DEFINITION states[] = {{"fetch", FetchState}};
    return RunProgram("Orvane Core download", states, 1, commandLine);
}
