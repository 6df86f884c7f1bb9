// NetEndpoint, the framework's one network endpoint: a TCP server that accepts many
// clients, a TCP client with one connection, or an HTTP/1.1 client for GET and form POST,
// blocking (one call returns the body) or stepwise (one HttpStep a frame, with a progress
// record). The engine's sockets do the work; the endpoint owns the state, the order of the
// engine calls and the callbacks. The scene step polls every endpoint of the application's
// registry once per update pass (net/ov_net_part.h). docs/net.md has the model.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/byte_buffer.h"
#include "net/http_response.h"
#include "orvane_core.h"

namespace OvCore
{

// The engine's socket handle: empty when the low byte of `flags` is set or the id is 0.
using SocketHandle = OvHandle;

inline bool IsEmptySocket(const SocketHandle& handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}
inline SocketHandle EmptySocket()
{
    return SocketHandle{1, nullptr};
}
inline bool SameSocket(const SocketHandle& a, const SocketHandle& b)
{
    return a.object == b.object;
}

// NetStartup and NetShutdown bracket all other use of the network.
void NetStartup();
void NetShutdown();

// States of a stepwise HTTP request; `total` is the Content-Length (0 when the response has
// none: chunked or read to the close), `done` the body bytes received so far.
enum HTTP_STATE : uint32_t
{
    HTTP_IDLE = 0,
    HTTP_AWAITING_HEADER = 17,
    HTTP_RECEIVING_BODY = 18,
    HTTP_COMPLETE = 19,
    HTTP_SENDING = 20,
};

struct HttpProgress
{
    uint32_t state = HTTP_IDLE;
    uint32_t total = 0;
    uint32_t done = 0;
};

// A send: the bytes, the target (empty: every client, or the connection), whether to send
// to every client but the target, and the range (offset 0 and count 0: the whole buffer).
struct SendRequest
{
    ByteBuffer buffer;
    SocketHandle target = EmptySocket();
    bool allButTarget = false;
    uint32_t offset = 0;
    uint32_t count = 0;
};

class NetEndpoint
{
  public:
    enum MODE : uint32_t
    {
        MODE_IDLE = 0,
        MODE_SERVER = 14,
        MODE_CLIENT = 15,
        MODE_HTTP = 16,
    };

    typedef bool (*ACCEPT_CALLBACK)(NetEndpoint* endpoint, SocketHandle client);
    typedef void (*SERVER_RECEIVE_CALLBACK)(NetEndpoint* endpoint, SocketHandle client,
                                            ByteBuffer* buffer);
    typedef void (*SERVER_DISCONNECT_CALLBACK)(NetEndpoint* endpoint, SocketHandle client);
    typedef bool (*CONNECT_CALLBACK)(NetEndpoint* endpoint);
    typedef void (*CLIENT_RECEIVE_CALLBACK)(NetEndpoint* endpoint, ByteBuffer* buffer);
    typedef void (*CLIENT_DISCONNECT_CALLBACK)(NetEndpoint* endpoint);

    uint32_t mode = MODE_IDLE;
    SocketHandle socket = EmptySocket();
    std::vector<SocketHandle> clients;
    SocketHandle pending = EmptySocket();
    ACCEPT_CALLBACK OnAccept = nullptr;
    SERVER_RECEIVE_CALLBACK OnServerReceive = nullptr;
    SERVER_DISCONNECT_CALLBACK OnServerDisconnect = nullptr;
    CONNECT_CALLBACK OnConnect = nullptr;
    CLIENT_RECEIVE_CALLBACK OnClientReceive = nullptr;
    CLIENT_DISCONNECT_CALLBACK OnClientDisconnect = nullptr;
    // The longest wait, in milliseconds, of a blocking connect, send or receive, and the
    // longest a stepwise request may go without receiving before it fails.
    uint32_t timeout = 10000;

    NetEndpoint() = default;
    NetEndpoint(const NetEndpoint&) = delete;
    NetEndpoint& operator=(const NetEndpoint&) = delete;
    ~NetEndpoint() { Close(); }

    bool Listen(uint16_t port, int32_t backlog);
    bool Connect(const char* host, uint16_t port, int32_t openFlag = 0);
    NetEndpoint& Close();
    bool DisconnectClient(SocketHandle client);
    // Server: accepts one waiting client, delivers what every client sent, drops the clients
    // that are gone. Client: delivers what arrived; false (and idle) once the connection is
    // gone. False in any other mode.
    bool Poll();
    uint32_t Send(const SendRequest& request);
    uint8_t Receive(ByteBuffer& buffer, SocketHandle from = EmptySocket());
    // The port a server listens on (useful after Listen(0, ...)), 0 when none.
    uint16_t LocalPort() const;

    // Blocking: true when the request went out and the whole body arrived in `response`
    // (framed by its Content-Length, its chunks or the peer's close). `chunk` bounds each
    // receive (0: the engine's block). The endpoint always ends idle.
    bool HttpGet(const char* host, const char* path, ByteBuffer& response, uint16_t port = 80,
                 uint32_t chunk = 0);
    bool HttpPost(const char* host, const char* path, const char* formData, ByteBuffer& response,
                  uint16_t port = 80, uint32_t chunk = 0);
    // Stepwise: Begin sends the request (state 20); each HttpStep then moves the request on
    // once without waiting (17 awaiting the header, 18 the body, 19 complete) and appends
    // body bytes to `response`; true when data arrived in the step. A refused response, a
    // lost connection or `timeout` without data sets the progress to 0 and the endpoint idle.
    bool HttpGetBegin(HttpProgress& progress, const char* host, const char* path,
                      uint16_t port = 80);
    bool HttpPostBegin(HttpProgress& progress, const char* host, const char* path,
                       const char* formData, uint16_t port = 80);
    bool HttpStep(HttpProgress& progress, ByteBuffer& response, uint32_t chunk = 0);
    bool HttpCancel(HttpProgress& progress);

  private:
    bool OpenConnection(const char* host, uint16_t port, int32_t openFlag);
    void AcceptOne();
    void ReceiveFrom(SocketHandle from, bool server);
    void DropGoneClients();
    uint32_t SendToClients(const SendRequest& request, bool skipTarget);
    bool Exchange(const char* host, const ByteBuffer& request, ByteBuffer& response, uint16_t port,
                  uint32_t chunk);
    bool Begin(HttpProgress& progress, const char* host, const ByteBuffer& request, uint16_t port);
    bool StepReceive(HttpProgress& progress, ByteBuffer& response, uint32_t chunk);
    bool Fail(HttpProgress& progress);

    HttpResponseParser parser_;
    double lastReceive_ = 0; // seconds, of the stepwise request's last data
};

// The engine's view of a framework buffer (the same fields in the same order).
OvByteBuffer* EngineBuffer(ByteBuffer& buffer);
const OvByteBuffer* EngineBuffer(const ByteBuffer& buffer);

} // namespace OvCore
