// A console program, cross-compiled for 32-bit Windows and run under Wine by
// scripts/wine-smoke.sh, that exercises the framework code whose behaviour differs between
// the C runtimes and file systems of the two systems: whole-file saves (created beside the
// target, renamed over it), appends, markup written back, wide strings (UTF-16 there, with
// surrogate pairs), number text from the runtime's printf, binary reads of an MP3 tag, and
// the HTTP and OBJ readers fed CRLF text. It reaches no engine or audio function, so it
// starts without their DLLs. Prints each failed check; exits 0 when all held.
#include <cstdio>
#include <cstring>
#include <string>

#include "formats/byte_buffer.h"
#include "formats/markup.h"
#include "graphics/obj_reader.h"
#include "net/http_response.h"
#include "sound/sound_system.h"

using namespace OvCore;

namespace
{

int failures = 0;

void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::printf("FAILED: %s\n", what);
    ++failures;
}

std::string Read(const char* path)
{
    ByteBuffer buffer;
    buffer.Init();
    std::string text;
    if (buffer.LoadFile(path))
        text.assign(reinterpret_cast<const char*>(buffer.start), buffer.count);
    buffer.Destroy();
    return text;
}

bool Save(const char* path, const std::string& text)
{
    ByteBuffer buffer;
    buffer.Init();
    const auto n = static_cast<uint32_t>(text.size());
    const bool ok = buffer.Write(text.data(), n) == n && buffer.SaveFile(path);
    buffer.Destroy();
    return ok;
}

void SavesReplaceWholeFiles()
{
    Check(Save("smoke.bin", std::string("first\r\n\0binary", 14)), "save a new file");
    Check(Read("smoke.bin") == std::string("first\r\n\0binary", 14), "bytes kept (no text mode)");
    Check(Save("smoke.bin", "second"), "save over an existing file");
    Check(Read("smoke.bin") == "second", "the second save replaced the first");
    Check(!Save("no such folder/smoke.bin", "x"), "a save into a missing folder fails");

    ByteBuffer tail;
    tail.Init();
    Check(tail.Write("+++", 3) == 3 && tail.AppendFile("smoke.bin"), "append");
    tail.Destroy();
    Check(Read("smoke.bin") == "second+++", "append adds at the end");
}

void MarkupIsWrittenBack()
{
    const char text[] = "<Skin><Style id=\"a\">one</Style></Skin>";
    MARKUP_NODE root;
    Check(root.Parse(text, sizeof text - 1), "parse markup");
    MARKUP_ATTRIBUTE* id = root.FindAttribute("Skin/Style", "id");
    Check(id && id->value == "a", "find an attribute");
    if (id)
        id->value = "b";
    ByteBuffer out;
    out.Init();
    Check(root.Write(out) && out.SaveFile("smoke.markup"), "write markup to a file");
    out.Destroy();
    MARKUP_NODE again;
    const std::string saved = Read("smoke.markup");
    Check(again.Parse(saved.data(), saved.size()), "read the written markup");
    MARKUP_ATTRIBUTE* changed = again.FindAttribute("Skin/Style", "id");
    Check(changed && changed->value == "b", "the change survived the round trip");
}

void StringsAndNumbers()
{
    // U+00E9 and U+1F600: one UTF-16 unit and a surrogate pair on Windows.
    const OV_STRING wide(L"\u00e9\U0001F600");
    Check(wide == "\xC3\xA9\xF0\x9F\x98\x80", "wide text becomes UTF-8");
    wchar_t back[8] = {};
    Check(wide.ToWide(back, 8) && std::wcscmp(back, L"\u00e9\U0001F600") == 0,
          "UTF-8 becomes wide text again");

    OV_STRING numbers;
    numbers += 1.5;
    numbers += " ";
    numbers += 1e20;
    numbers += " ";
    numbers += int32_t{-7};
    numbers += " ";
    numbers += uint32_t{4000000000u};
    Check(numbers == "1.5 1e+20 -7 4000000000", "numbers as text (two-digit exponents)");
    OV_STRING formatted;
    Check(formatted.Format("%05.1f|%lld|%zu", 2.25, 1LL << 40, size_t{42}) &&
              formatted == "002.2|1099511627776|42",
          "printf-style formats of the C99 runtime");
}

void Mp3TagIsReadInBinary()
{
    std::string file(300, '\n');
    std::string tag = "TAG" + std::string("Song") + std::string(26, '\0') + "Band" +
                      std::string(26, '\0') + std::string(30 + 4 + 30, '\0') + "\x0c";
    tag.resize(128, '\0');
    file += tag;
    Check(Save("smoke.mp3", file), "save an MP3 file");
    MP3_TAG read{};
    Check(SOUND_SYSTEM::ReadMp3Tag("smoke.mp3", read) && std::strncmp(read.title, "Song", 5) == 0 &&
              std::strncmp(read.artist, "Band", 5) == 0,
          "read the tag at the end of the file");
}

void ReadersTakeCrlfText()
{
    const char reply[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
    HttpResponseParser parser;
    ByteBuffer body;
    body.Init();
    Check(parser.Feed(reinterpret_cast<const uint8_t*>(reply), sizeof reply - 1, body) &&
              parser.Done() && parser.Status() == 200 && body.count == 5 &&
              std::memcmp(body.start, "hello", 5) == 0,
          "an HTTP reply");
    body.Destroy();

    OBJ_MODEL model;
    const auto library = [](const std::string& name, std::string& text)
    {
        text = "newmtl red\r\nKd 1 0 0\r\n";
        return name == "red.mtl";
    };
    Check(ReadObj("mtllib red.mtl\r\nv 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nusemtl red\r\n"
                  "f 1 2 3\r\n",
                  library, model) &&
              model.meshes.size() == 1 && model.meshes[0].vertices.size() == 3 &&
              model.materials.size() == 1 && model.materials[0].colour.y == 0.0f,
          "an OBJ triangle with CRLF line ends");
}

} // namespace

int main()
{
    SavesReplaceWholeFiles();
    MarkupIsWrittenBack();
    StringsAndNumbers();
    Mp3TagIsReadInBinary();
    ReadersTakeCrlfText();
    std::printf("%s: %d failed\n", failures ? "wine-smoke FAILED" : "wine-smoke passed", failures);
    return failures ? 1 : 0;
}
