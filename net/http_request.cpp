// HTTP request texts, byte for byte as the framework sends them.
#include "net/http_request.h"

#include <cstring>
#include <string>

namespace OvCore
{

namespace
{

bool SplitsRequest(const char* text)
{
    return std::strpbrk(text, "\r\n") != nullptr;
}

std::string EscapeSpaces(const char* path)
{
    std::string escaped;
    for (const char* c = path; *c; ++c)
        if (*c == ' ')
            escaped += "%20";
        else
            escaped += *c;
    return escaped;
}

} // namespace

bool BuildHttpRequest(ByteBuffer& request, HttpMethod method, const char* host, const char* path,
                      const char* formData, bool keepAlive)
{
    if (!host || !path || SplitsRequest(host) || SplitsRequest(path))
        return false;
    const std::string connection = keepAlive ? "keep-alive" : "close";
    std::string text = (method == HttpMethod::Get ? "GET /" : "POST /") + EscapeSpaces(path) +
                       " HTTP/1.1\r\nHost: " + host +
                       "\r\nUser-Agent: Orvane Core\r\nConnection: " + connection + "\r\n";
    if (method == HttpMethod::Post)
    {
        const std::string form = formData ? formData : "";
        text += "Content-Length: " + std::to_string(form.size()) +
                "\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n" + form;
    }
    else
        text += "\r\n";
    if (text.size() > UINT32_MAX)
        return false;
    const auto size = static_cast<uint32_t>(text.size());
    if (!request.Reset(size))
        return false;
    return request.Write(text.data(), size) == size;
}

} // namespace OvCore
