// The texts of the framework's HTTP/1.1 requests: GET and form POST, with "Connection: close"
// for the blocking calls and "Connection: keep-alive" for the stepwise ones. Every space of
// the path goes out as "%20". Any host and path length fits: the text is built to its size.
#pragma once

#include "formats/byte_buffer.h"

namespace OvCore
{

// The request's method: GET, or POST of URL-encoded form data.
enum class HttpMethod
{
    Get,  // GET: no body
    Post, // POST with a form body (Content-Type application/x-www-form-urlencoded)
};

// Fills `request` with the text, exactly its length (no terminator). A null host or path, or
// one holding CR or LF (it would split the request), is refused (false). A null form is an
// empty one.
bool BuildHttpRequest(ByteBuffer& request, HttpMethod method, const char* host, const char* path,
                      const char* formData, bool keepAlive);

} // namespace OvCore
