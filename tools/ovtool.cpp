// ovtool: converts images to the engine's .ovt texture files and back, prints an .ovt
// file's header, and lists, packs and unpacks packages. It uses the engine library's own
// codec and package reader (orvane_core.h, formats/package.h), so what it writes is exactly
// what OvTextureLoad and PackageOpen read.
//
// Usage: ovtool to-ovt <image> <out.ovt>   (PNG, BMP, JPEG, TGA or GIF in)
//        ovtool to-png <file.ovt> <out.png>
//        ovtool info <file.ovt>
//        ovtool list <package>
//        ovtool pack <folder> <package>    (every file under the folder)
//        ovtool unpack <package> <folder>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "formats/package.h"
#include "formats/package_unpack.h"
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

// The package, or a message that says why it does not open.
int OpenPackage(const char* path, OvCore::PackageInfo& package)
{
    if (package.PackageOpen(path))
        return 0;
    switch (OvVirtualFileLastError())
    {
    case OV_VIRTUAL_FILE_NOT_FOUND:
        return Fail(std::string("cannot read ") + path);
    case OV_VIRTUAL_FILE_TOO_LARGE:
        return Fail(std::string(path) + " is past the package limits (65536 entries, " +
                    "names of 1024 bytes, 256 MiB an entry)");
    default:
        return Fail(std::string(path) + " is not a package, or it is damaged or truncated");
    }
}

int List(const char* input)
{
    OvCore::PackageInfo package;
    if (OpenPackage(input, package) != 0)
        return 1;
    uint64_t total = 0;
    for (uint32_t i = 0; i < package.PackageEntryCount(); ++i)
    {
        std::printf("%10u  %s\n", package.PackageEntrySize(i), package.PackageEntryName(i));
        total += package.PackageEntrySize(i);
    }
    std::printf("%u entries, %llu bytes\n", package.PackageEntryCount(),
                static_cast<unsigned long long>(total));
    return 0;
}

// Every regular file under `folder`, named by its path below it with '/' between folders.
std::vector<std::string> FilesUnder(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder))
        if (item.is_regular_file())
            names.push_back(item.path().lexically_relative(folder).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

int Pack(const char* folder, const char* output)
{
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return Fail(std::string(folder) + " is not a folder");
    std::vector<std::string> names;
    try
    {
        names = FilesUnder(folder);
    }
    catch (const std::filesystem::filesystem_error& failure)
    {
        return Fail(failure.what());
    }
    if (names.empty())
        return Fail(std::string(folder) + " holds no files");
    std::vector<OvCore::ByteBuffer> buffers(names.size());
    std::vector<OvCore::PackageFile> files;
    for (size_t i = 0; i < names.size(); ++i)
    {
        const std::string path = (std::filesystem::path(folder) / names[i]).string();
        if (!buffers[i].LoadFile(path.c_str()))
            return Fail("cannot read " + path);
        files.push_back({names[i].c_str(), &buffers[i]});
    }
    if (!OvCore::PackageInfo::PackageSave(output, files.data(), uint32_t(files.size())))
        return Fail(std::string("cannot write ") + output);
    std::printf("packed %zu files into %s\n", files.size(), output);
    return 0;
}

int Unpack(const char* input, const char* folder)
{
    OvCore::PackageInfo package;
    if (OpenPackage(input, package) != 0)
        return 1;
    std::vector<uint32_t> failed;
    const uint32_t written = OvCore::PackageUnpack(package, folder, failed);
    for (uint32_t i : failed)
        std::fprintf(stderr, "ovtool: skipped \"%s\": %s\n", package.PackageEntryName(i),
                     OvCore::PackageEntryNameIsSafe(package.PackageEntryName(i))
                         ? "it could not be read or written"
                         : "its name would leave the folder");
    std::printf("unpacked %u of %u entries into %s\n", written, package.PackageEntryCount(),
                folder);
    return failed.empty() ? 0 : 1;
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
    if (argc == 3 && std::strcmp(argv[1], "list") == 0)
        return List(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "unpack") == 0)
        return Unpack(argv[2], argv[3]);
    std::fprintf(stderr, "usage: ovtool to-ovt <image> <out.ovt>\n"
                         "       ovtool to-png <file.ovt> <out.png>\n"
                         "       ovtool info <file.ovt>\n"
                         "       ovtool list <package>\n"
                         "       ovtool pack <folder> <package>\n"
                         "       ovtool unpack <package> <folder>\n");
    return 2;
}
