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

// True for an empty handle: the flag byte set or no socket id.
inline bool IsEmptySocket(const SocketHandle& handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}
// A new empty handle (flag byte 1, no id).
inline SocketHandle EmptySocket()
{
    return SocketHandle{1, nullptr};
}
// True when both handles carry the same socket id, whatever their flags.
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
    HTTP_IDLE = 0,             // no request, or one that failed
    HTTP_AWAITING_HEADER = 17, // sent; the response's header has not all come
    HTTP_RECEIVING_BODY = 18,  // the header came; body bytes are arriving
    HTTP_COMPLETE = 19,        // the whole body came; the connection is closed
    HTTP_SENDING = 20,         // the request went out; the next step starts waiting
};

// Where a stepwise HTTP request stands; the caller keeps it between steps.
struct HttpProgress
{
    uint32_t state = HTTP_IDLE; // an HTTP_STATE
    uint32_t total = 0;         // the response's Content-Length, 0 when it has none
    uint32_t done = 0;          // body bytes received so far
};

// A send: the bytes, the target (empty: every client, or the connection), whether to send
// to every client but the target, and the range (offset 0 and count 0: the whole buffer).
struct SendRequest
{
    ByteBuffer buffer;                   // the bytes to send
    SocketHandle target = EmptySocket(); // one client or the connection; empty: every client
    bool allButTarget = false;           // send to every client except `target`
    uint32_t offset = 0;                 // first byte of the buffer to send
    uint32_t count = 0;                  // bytes from `offset`; 0 with offset 0: all of them
};

// A TCP server, a TCP client or an HTTP client over the engine's sockets, with its callbacks.
class NetEndpoint
{
  public:
    // What the endpoint is doing; the numbers are the stored values.
    enum MODE : uint32_t
    {
        MODE_IDLE = 0,    // nothing open
        MODE_SERVER = 14, // listening and serving accepted clients (Listen)
        MODE_CLIENT = 15, // one connection (Connect)
        MODE_HTTP = 16,   // an HTTP request under way
    };

    // A client was accepted; return false to refuse (drop) it.
    typedef bool (*ACCEPT_CALLBACK)(NetEndpoint* endpoint, SocketHandle client);
    // Data arrived from one client; the buffer is released after the call.
    typedef void (*SERVER_RECEIVE_CALLBACK)(NetEndpoint* endpoint, SocketHandle client,
                                            ByteBuffer* buffer);
    // A client was found disconnected; its handle is destroyed after the call.
    typedef void (*SERVER_DISCONNECT_CALLBACK)(NetEndpoint* endpoint, SocketHandle client);
    // The connection was just made (the socket still blocking); return false to abandon it.
    typedef bool (*CONNECT_CALLBACK)(NetEndpoint* endpoint);
    // Data arrived on the client connection; the buffer is released after the call.
    typedef void (*CLIENT_RECEIVE_CALLBACK)(NetEndpoint* endpoint, ByteBuffer* buffer);
    // The client connection was found closed; the endpoint is closed after the call.
    typedef void (*CLIENT_DISCONNECT_CALLBACK)(NetEndpoint* endpoint);

    uint32_t mode = MODE_IDLE;            // a MODE; idle after Close
    SocketHandle socket = EmptySocket();  // the listening socket, or the connection
    std::vector<SocketHandle> clients;    // a server's accepted clients, in order of acceptance
    SocketHandle pending = EmptySocket(); // a server's handle for the next accepted client
    ACCEPT_CALLBACK OnAccept = nullptr;   // server: a new client; null accepts every one
    SERVER_RECEIVE_CALLBACK OnServerReceive = nullptr;       // server: data from a client
    SERVER_DISCONNECT_CALLBACK OnServerDisconnect = nullptr; // server: a client went away
    CONNECT_CALLBACK OnConnect = nullptr; // client: the connection is made; null keeps it
    CLIENT_RECEIVE_CALLBACK OnClientReceive = nullptr;       // client: data arrived
    CLIENT_DISCONNECT_CALLBACK OnClientDisconnect = nullptr; // client: the connection closed
    // The longest wait, in milliseconds, of a blocking connect, send or receive, and the
    // longest a stepwise request may go without receiving before it fails.
    uint32_t timeout = 10000;

    NetEndpoint() = default;
    NetEndpoint(const NetEndpoint&) = delete;
    NetEndpoint& operator=(const NetEndpoint&) = delete;
    ~NetEndpoint() { Close(); }

    // Closes, then serves on `port` (0: any free port) with a queue of `backlog` waiting
    // clients; false, and idle, when the socket cannot be made, opened or bound.
    bool Listen(uint16_t port, int32_t backlog);
    // Closes, then connects to host:port (`openFlag` goes to the engine's open unchanged),
    // waiting at most `timeout`; false, and idle, when that fails or OnConnect refuses.
    bool Connect(const char* host, uint16_t port, int32_t openFlag = 0);
    // Destroys the socket, every client and the pending handle; the endpoint is idle.
    NetEndpoint& Close();
    // Drops one accepted client (no callback); false when it is not in `clients`.
    bool DisconnectClient(SocketHandle client);
    // Server: accepts one waiting client, delivers what every client sent, drops the clients
    // that are gone. Client: delivers what arrived; false (and idle) once the connection is
    // gone. False in any other mode.
    bool Poll();
    // Sends as the request says; the bytes sent, the largest count of any client when sent
    // to several, 0 when idle or nothing went out.
    uint32_t Send(const SendRequest& request);
    // One receive into `buffer` from `from`, or from the endpoint's own socket when `from` is
    // empty; non-zero when data arrived, 0 without a socket.
    uint8_t Receive(ByteBuffer& buffer, SocketHandle from = EmptySocket());
    // The port a server listens on (useful after Listen(0, ...)), 0 when none.
    uint16_t LocalPort() const;

    // Blocking: true when the request went out and the whole body arrived in `response`
    // (framed by its Content-Length, its chunks or the peer's close); on failure `response`
    // keeps what it held. `chunk` bounds each receive (0: the engine's block). The endpoint
    // always ends idle.
    bool HttpGet(const char* host, const char* path, ByteBuffer& response, uint16_t port = 80,
                 uint32_t chunk = 0);
    bool HttpPost(const char* host, const char* path, const char* formData, ByteBuffer& response,
                  uint16_t port = 80, uint32_t chunk = 0);
    // Stepwise: Begin sends the request (state 20); each HttpStep then moves the request on
    // once without waiting (17 awaiting the header, 18 the body, 19 complete) and appends
    // body bytes to `response`; true when data arrived in the step. A refused response, a
    // lost connection or `timeout` without data sets the progress to 0 and the endpoint idle;
    // `response` then keeps what it held and the body bytes that came before the failure.
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
