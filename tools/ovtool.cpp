// ovtool: converts images to the engine's .ovt texture files and back, and prints an .ovt
// file's header. It uses the engine library's own codec (orvane_core.h), so what it writes
// is exactly what OvTextureLoad reads.
//
// Usage: ovtool to-ovt <image> <out.ovt>   (PNG, BMP, JPEG, TGA or GIF in)
//        ovtool to-png <file.ovt> <out.png>
//        ovtool info <file.ovt>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "orvane_core.h"

namespace
{

std::optional<std::vector<uint8_t>> ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

bool WriteFile(const char* path, const void* data, size_t size)
{
    std::ofstream file(path, std::ios::binary);
    return file.write(static_cast<const char*>(data), std::streamsize(size)) && file.flush();
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "ovtool: %s\n", message.c_str());
    return 1;
}

// Decoded RGBA pixels of any image the engine reads, freed with the engine's allocator.
struct Pixels
{
    void* data = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ~Pixels() { OvImageFree(data); }
};

bool Decode(const std::vector<uint8_t>& bytes, Pixels& pixels)
{
    pixels.data = OvImageDecode(bytes.data(), bytes.size(), &pixels.width, &pixels.height);
    return pixels.data != nullptr;
}

int ToOvt(const char* input, const char* output)
{
    const auto bytes = ReadFile(input);
    Pixels pixels;
    if (!bytes)
        return Fail(std::string("cannot read ") + input);
    if (!Decode(*bytes, pixels))
        return Fail(std::string(input) + " is not an image ovtool can read");
    size_t size = 0;
    void* file = OvImageEncodeOvt(pixels.data, pixels.width, pixels.height, &size);
    if (!file)
        return Fail("the image is too large for .ovt (at most 16384 pixels a side)");
    const bool written = WriteFile(output, file, size);
    OvImageFree(file);
    return written ? 0 : Fail(std::string("cannot write ") + output);
}

int ToPng(const char* input, const char* output)
{
    const auto bytes = ReadFile(input);
    OvTextureFileHeader header{};
    Pixels pixels;
    if (!bytes)
        return Fail(std::string("cannot read ") + input);
    if (!OvTextureFileReadHeader(bytes->data(), bytes->size(), &header) || !Decode(*bytes, pixels))
        return Fail(std::string(input) + " is not a valid .ovt file");
    if (!stbi_write_png(output, pixels.width, pixels.height, 4, pixels.data, pixels.width * 4))
        return Fail(std::string("cannot write ") + output);
    return 0;
}

int Info(const char* input)
{
    const auto bytes = ReadFile(input);
    OvTextureFileHeader header{};
    if (!bytes)
        return Fail(std::string("cannot read ") + input);
    if (!OvTextureFileReadHeader(bytes->data(), bytes->size(), &header))
        return Fail(std::string(input) + " is not a valid .ovt file");
    std::printf("version %u\nformat %u (RGBA8)\nwidth %u\nheight %u\ncompressed %u bytes\n",
                header.version, header.format, header.width, header.height, header.compressedSize);
    Pixels pixels;
    return Decode(*bytes, pixels) ? 0 : Fail("the pixel data is damaged");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "to-ovt") == 0)
        return ToOvt(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "to-png") == 0)
        return ToPng(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "info") == 0)
        return Info(argv[2]);
    std::fprintf(stderr, "usage: ovtool to-ovt <image> <out.ovt>\n"
                         "       ovtool to-png <file.ovt> <out.png>\n"
                         "       ovtool info <file.ovt>\n");
    return 2;
}
