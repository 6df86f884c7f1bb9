// NetEndpoint as an HTTP client: the blocking exchange and the stepwise request.
#include "core/ov_loop.h"
#include "net/http_request.h"
#include "net/net_endpoint.h"

#include <utility>

namespace OvCore
{

namespace
{

void Release(ByteBuffer& buffer)
{
    OvSocketReceive(EmptySocket(), EngineBuffer(buffer), 0, 0);
}

bool SendWhole(SocketHandle socket, const ByteBuffer& request)
{
    return OvSocketSend(socket, EngineBuffer(request), 0, 0, 0) == request.count;
}

} // namespace

bool NetEndpoint::HttpGet(const char* host, const char* path, ByteBuffer& response, uint16_t port,
                          uint32_t chunk)
{
    ByteBuffer request;
    if (!BuildHttpRequest(request, HttpMethod::Get, host, path, nullptr, false))
        return false;
    return Exchange(host, request, response, port, chunk);
}

bool NetEndpoint::HttpPost(const char* host, const char* path, const char* formData,
                           ByteBuffer& response, uint16_t port, uint32_t chunk)
{
    ByteBuffer request;
    if (!BuildHttpRequest(request, HttpMethod::Post, host, path, formData, false))
        return false;
    return Exchange(host, request, response, port, chunk);
}

// Sends the request and reads until the body is complete or the connection ends; a body
// framed by the close needs an orderly close, anything cut short is a failure and leaves the
// caller's response as it was.
bool NetEndpoint::Exchange(const char* host, const ByteBuffer& request, ByteBuffer& response,
                           uint16_t port, uint32_t chunk)
{
    Close();
    if (!OpenConnection(host, port, 0))
        return false;
    mode = MODE_HTTP;
    if (!SendWhole(socket, request))
    {
        Close();
        return false;
    }
    parser_ = HttpResponseParser();
    ByteBuffer body; // the caller's response changes only once the whole body is here
    ByteBuffer received;
    while (!parser_.Done() && !parser_.Failed() &&
           OvSocketReceive(socket, EngineBuffer(received), chunk, 0))
    {
        parser_.Feed(received.start, received.count, body);
        Release(received);
    }
    Release(received);
    if (!parser_.Done() && !parser_.Failed())
    {
        if (OvSocketLastError(socket) == OV_SOCKET_CLOSED)
            parser_.PeerClosed();
    }
    Close();
    if (!parser_.Done())
        return false;
    response = std::move(body);
    return true;
}

bool NetEndpoint::HttpGetBegin(HttpProgress& progress, const char* host, const char* path,
                               uint16_t port)
{
    ByteBuffer request;
    progress = HttpProgress();
    if (!BuildHttpRequest(request, HttpMethod::Get, host, path, nullptr, true))
        return Fail(progress);
    return Begin(progress, host, request, port);
}

bool NetEndpoint::HttpPostBegin(HttpProgress& progress, const char* host, const char* path,
                                const char* formData, uint16_t port)
{
    ByteBuffer request;
    progress = HttpProgress();
    if (!BuildHttpRequest(request, HttpMethod::Post, host, path, formData, true))
        return Fail(progress);
    return Begin(progress, host, request, port);
}

bool NetEndpoint::Begin(HttpProgress& progress, const char* host, const ByteBuffer& request,
                        uint16_t port)
{
    Close();
    if (!OpenConnection(host, port, 0))
        return Fail(progress);
    mode = MODE_HTTP;
    if (!SendWhole(socket, request))
        return Fail(progress);
    OvSocketAsync(socket, 1);
    parser_ = HttpResponseParser();
    lastReceive_ = OV_LOOP::NowPrecise();
    progress.state = HTTP_SENDING;
    return true;
}

bool NetEndpoint::HttpStep(HttpProgress& progress, ByteBuffer& response, uint32_t chunk)
{
    if (IsEmptySocket(socket) || mode != MODE_HTTP)
    {
        progress = HttpProgress();
        return false;
    }
    switch (progress.state)
    {
    case HTTP_SENDING:
        progress = HttpProgress{HTTP_AWAITING_HEADER, 0, 0};
        return false;
    case HTTP_AWAITING_HEADER:
    case HTTP_RECEIVING_BODY:
        return StepReceive(progress, response, chunk);
    default:
        return false;
    }
}

bool NetEndpoint::StepReceive(HttpProgress& progress, ByteBuffer& response, uint32_t chunk)
{
    ByteBuffer received;
    const bool got = OvSocketReceive(socket, EngineBuffer(received), chunk, 0);
    if (got)
    {
        lastReceive_ = OV_LOOP::NowPrecise();
        parser_.Feed(received.start, received.count, response);
        Release(received);
    }
    else if (!OvSocketIsConnected(socket))
    {
        if (OvSocketLastError(socket) == OV_SOCKET_CLOSED)
            parser_.PeerClosed();
        else
            return Fail(progress);
    }
    else if (OV_LOOP::NowPrecise() - lastReceive_ > timeout / 1000.0)
        return Fail(progress);
    if (parser_.Failed())
        return Fail(progress);
    if (parser_.HeaderDone())
    {
        progress.state = HTTP_RECEIVING_BODY;
        progress.total = parser_.HasLength() ? parser_.ContentLength() : 0;
        progress.done = static_cast<uint32_t>(parser_.BodyBytes());
    }
    if (parser_.Done())
    {
        progress.state = HTTP_COMPLETE;
        Close();
    }
    return got;
}

bool NetEndpoint::HttpCancel(HttpProgress& progress)
{
    if (mode != MODE_HTTP)
        return false;
    Close();
    progress.state = HTTP_IDLE;
    return true;
}

bool NetEndpoint::Fail(HttpProgress& progress)
{
    Close();
    progress = HttpProgress();
    return false;
}

} // namespace OvCore
