// The raw OpenGL reference for bench/sprites: the same moving, turning sprites, their
// corners computed on the CPU into one array and drawn with one GL_QUADS call per frame, on
// an SDL window with the context settings the engine asks for (8-bit colour channels, no
// alpha, the given depth bits, double buffered, OpenGL 2.1 compatibility) and the swap
// interval off. A benchmark, not framework code: it calls SDL and OpenGL directly.
//   sprites_raw [--counts 1000,10000] [--sizes 8,32] [--depth 0|16] [--seconds S]
#include "bench/sprite_bench.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <numbers>

using namespace SpriteBench;

namespace
{

struct Vertex
{
    float x, y, u, v;
};

SDL_Window* OpenWindow(int depthBits)
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    return SDL_CreateWindow("raw sprites", 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
}

GLuint MakeTexture(int size)
{
    const std::vector<uint8_t> pixels = NoisePixels(size);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    return texture;
}

void SetUpState()
{
    glViewport(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, WINDOW_WIDTH, WINDOW_HEIGHT, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The four corners of a size x size sprite turned about its middle.
void PutSprite(const Mover& mover, float half, Vertex* out)
{
    const double radians = mover.angle * std::numbers::pi / 180.0;
    const float c = static_cast<float>(std::cos(radians)),
                s = static_cast<float>(std::sin(radians));
    const float x = static_cast<float>(mover.x), y = static_cast<float>(mover.y);
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i)
        out[i] = {x + c * corners[i][0] - s * corners[i][1],
                  y + s * corners[i][0] + c * corners[i][1], uv[i][0], uv[i][1]};
}

// One frame: move, fill the array, one draw, present, clear. Returns the milliseconds spent
// filling and issuing.
double Frame(SDL_Window* window, int size, std::vector<Mover>& movers,
             std::vector<Vertex>& vertices)
{
    for (Mover& mover : movers)
        Move(mover);
    const Clock::time_point start = Clock::now();
    const float half = size / 2.0f;
    for (size_t i = 0; i < movers.size(); ++i)
        PutSprite(movers[i], half, &vertices[i * 4]);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].u);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size()));
    const double issueMs = MillisecondsSince(start);
    SDL_GL_SwapWindow(window);
    glClear(GL_COLOR_BUFFER_BIT);
    return issueMs;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: sprites_raw [--counts N,N] [--sizes S,S] [--depth 0|16] "
                             "[--seconds S] [--warmup N] [--no-header]\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = OpenWindow(options.depthBits);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context)
    {
        std::fprintf(stderr, "sprites_raw: no window or context: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    const bool swapIntervalOff = SDL_GL_SetSwapInterval(0) == 0;
    SetUpState();
    PrintHeader("raw OpenGL, one GL_QUADS draw per frame", options, swapIntervalOff);
    uint64_t drawCalls = 0;
    for (int size : options.sizes)
    {
        const GLuint texture = MakeTexture(size);
        for (int count : options.counts)
        {
            std::vector<Mover> movers = MakeMovers(count);
            std::vector<Vertex> vertices(static_cast<size_t>(count) * 4);
            const Result result = Measure(
                options, size, count,
                [&]
                {
                    ++drawCalls;
                    return Frame(window, size, movers, vertices);
                },
                [&] { return drawCalls; });
            PrintRow("raw", options.depthBits, result);
        }
        glDeleteTextures(1, &texture);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
