// PlatformRegisterDesktopFileType: a shared-mime-info package and a desktop entry under the
// user's data folder, each written to a temporary file and renamed into place, then the
// databases refreshed by their tools when they are installed.
#include "child_process.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const int kToolTimeoutMilliseconds = 20000;

std::string DataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/.local/share";
}

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1))
    {
        if (mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool WriteWhole(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".tmp-" + std::to_string(long(getpid()));
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

// The type name as a file-name and MIME-subtype word: letters, digits, '.', '-' and '_' kept,
// anything else '-'.
std::string Word(const std::string& name)
{
    std::string out;
    for (char c : name)
    {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '-' || c == '_';
        out += plain ? char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) : '-';
    }
    return out;
}

bool HasControl(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

std::string XmlEscaped(const std::string& text)
{
    std::string out;
    for (char c : text)
    {
        switch (c)
        {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A desktop entry's string value: backslashes doubled.
std::string EntryEscaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// The command as an Exec line: "%1" (quoted or not) becomes the file code %f, any other '%'
// is doubled; with no "%1" the file is appended.
std::string ExecLine(const std::string& command)
{
    std::string out;
    bool file = false;
    for (size_t i = 0; i < command.size(); ++i)
    {
        if (command.compare(i, 4, "\"%1\"") == 0 || command.compare(i, 2, "%1") == 0)
        {
            i += command[i] == '"' ? 3 : 1;
            out += "%f";
            file = true;
        }
        else
            out += command[i] == '%' ? std::string("%%") : std::string(1, command[i]);
    }
    return EntryEscaped(file ? out : out + " %f");
}

void Refresh(const std::vector<std::string>& argv)
{
    OvPlatform::RunChild(argv, kToolTimeoutMilliseconds, false); // absent tools are no fault
}

} // namespace

extern "C" BOOL WINAPI PlatformRegisterDesktopFileType(LPCSTR typeName, LPCSTR extension,
                                                       LPCSTR command, LPCSTR icon)
{
    std::string type = typeName ? typeName : "";
    std::string ext = extension ? extension : "";
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    std::string exec = command ? command : "";
    std::string iconName = icon ? icon : "";
    if (type.empty() || ext.empty() || exec.empty() || ext.find('/') != std::string::npos ||
        HasControl(type) || HasControl(ext) || HasControl(exec) || HasControl(iconName))
        return FALSE;
    std::string id = "orvane-" + Word(type);
    std::string mime = "application/x-" + id;
    std::string data = DataFolder();
    std::string packages = data + "/mime/packages", applications = data + "/applications";
    if (!MakeFolders(packages) || !MakeFolders(applications))
        return FALSE;
    std::string package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        mime +
        "\">\n"
        "    <comment>" +
        XmlEscaped(type) +
        "</comment>\n"
        "    <glob pattern=\"*." +
        XmlEscaped(ext) +
        "\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    std::string entry = "[Desktop Entry]\nType=Application\nName=" + EntryEscaped(type) +
                        "\nExec=" + ExecLine(exec) + "\n" +
                        (iconName.empty() ? "" : "Icon=" + EntryEscaped(iconName) + "\n") +
                        "MimeType=" + mime + ";\nNoDisplay=true\n";
    if (!WriteWhole(packages + "/" + id + ".xml", package) ||
        !WriteWhole(applications + "/" + id + ".desktop", entry))
        return FALSE;
    Refresh({"update-mime-database", data + "/mime"});
    Refresh({"update-desktop-database", applications});
    Refresh({"xdg-mime", "default", id + ".desktop", mime});
    return TRUE;
}
