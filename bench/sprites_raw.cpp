// The raw OpenGL bound for bench/sprites: the same sprites drawn the fastest way found on
// Mesa llvmpipe (docs/performance.md lists the ways measured). Each frame the corners are
// computed on the CPU into a streaming vertex buffer (orphaned, then mapped with
// invalidation), 16-byte vertices (x, y, u, v) read as two generic attributes by a minimal
// GLSL 3.30 shader that only samples the texture, one GL_QUADS draw, in an OpenGL 3.3
// compatibility context (the quads need it). The depth bits stay an option: the bound is
// depth 0; a depth buffer costs unturned sprites about 0.6x even with the depth test off.
// A benchmark, not framework code: it calls SDL and OpenGL directly.
//   sprites_raw [--counts 1000,10000] [--sizes 8,32] [--depth 0|16] [--turn 0|1] [--seconds S]
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
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    return SDL_CreateWindow("raw sprites", 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
}

// Window pixels (y down) to clip space; the texture as it is.
constexpr const char* VERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;
uniform vec2 pixelToClip;
out vec2 uv;
void main()
{
    uv = texCoord;
    gl_Position = vec4(position * pixelToClip + vec2(-1.0, 1.0), 0.0, 1.0);
})";

constexpr const char* FRAGMENT_SHADER = R"(#version 330 core
in vec2 uv;
uniform sampler2D image;
out vec4 colour;
void main() { colour = texture(image, uv); })";

GLuint CompileShader(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// Builds and activates the shader; false (with the log on stderr) when it does not link.
bool UseSpriteProgram()
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, CompileShader(GL_VERTEX_SHADER, VERTEX_SHADER));
    glAttachShader(program, CompileShader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER));
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked)
    {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "sprites_raw: shader: %s\n", log);
        return false;
    }
    glUseProgram(program);
    glUniform2f(glGetUniformLocation(program, "pixelToClip"), 2.0f / WINDOW_WIDTH,
                -2.0f / WINDOW_HEIGHT);
    glUniform1i(glGetUniformLocation(program, "image"), 0);
    return true;
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

// The vertex array and its one streaming buffer, attribute 0 the position, 1 the texture
// coordinate.
void SetUpState()
{
    GLuint vertexArray = 0, buffer = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offsetof(Vertex, u)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glViewport(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
}

// The four corners of a size x size sprite turned about its middle (an unturned one without
// the sine and cosine).
void PutSprite(const Mover& mover, float half, Vertex* out)
{
    float c = 1, s = 0;
    if (mover.angle != 0)
    {
        const double radians = mover.angle * std::numbers::pi / 180.0;
        c = static_cast<float>(std::cos(radians));
        s = static_cast<float>(std::sin(radians));
    }
    const float x = static_cast<float>(mover.x), y = static_cast<float>(mover.y);
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i)
        out[i] = {x + c * corners[i][0] - s * corners[i][1],
                  y + s * corners[i][0] + c * corners[i][1], uv[i][0], uv[i][1]};
}

// One frame: move, orphan and map the buffer, write the corners, one draw, present, clear.
// Returns the milliseconds spent filling and issuing, or a negative value when the buffer
// cannot be mapped.
double Frame(SDL_Window* window, int size, std::vector<Mover>& movers)
{
    const double margin = EdgeMargin(size);
    for (Mover& mover : movers)
        Move(mover, margin);
    const Clock::time_point start = Clock::now();
    const auto bytes = static_cast<GLsizeiptr>(movers.size() * 4 * sizeof(Vertex));
    glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
    auto* vertices = static_cast<Vertex*>(glMapBufferRange(
        GL_ARRAY_BUFFER, 0, bytes, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT));
    if (!vertices)
        return -1;
    const float half = size / 2.0f;
    for (size_t i = 0; i < movers.size(); ++i)
        PutSprite(movers[i], half, &vertices[i * 4]);
    glUnmapBuffer(GL_ARRAY_BUFFER);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(movers.size() * 4));
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
                             "[--turn 0|1] [--seconds S] [--warmup N] [--no-header]\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = OpenWindow(options.depthBits);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context || !UseSpriteProgram())
    {
        std::fprintf(stderr, "sprites_raw: no window, context or shader: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    const bool swapIntervalOff = SDL_GL_SetSwapInterval(0) == 0;
    SetUpState();
    PrintHeader("raw OpenGL, mapped buffer, GLSL, one GL_QUADS draw per frame", options,
                swapIntervalOff);
    uint64_t drawCalls = 0;
    bool mapped = true;
    for (int size : options.sizes)
    {
        const GLuint texture = MakeTexture(size);
        for (int count : options.counts)
        {
            std::vector<Mover> movers = MakeMovers(count, size, options.turning);
            const Result result = Measure(
                options, size, count,
                [&]
                {
                    ++drawCalls;
                    const double issueMs = Frame(window, size, movers);
                    mapped = mapped && issueMs >= 0;
                    return issueMs;
                },
                [&] { return drawCalls; });
            PrintRow("raw", options.depthBits, result);
        }
        glDeleteTextures(1, &texture);
    }
    const GLenum error = glGetError();
    if (!mapped || error != GL_NO_ERROR)
        std::fprintf(stderr, "sprites_raw: buffer mapped: %s, GL error %#x\n",
                     mapped ? "yes" : "no", error);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return mapped && error == GL_NO_ERROR ? 0 : 1;
}
