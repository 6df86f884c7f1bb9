// NetEndpoint as a TCP server and client: the order of engine calls, the callbacks, the
// targeted sends.
#include "net/net_endpoint.h"

#include <algorithm>
#include <cstddef>

namespace OvCore
{

static_assert(offsetof(ByteBuffer, capacity) == offsetof(OvByteBuffer, capacity));
static_assert(offsetof(ByteBuffer, start) == offsetof(OvByteBuffer, start));
static_assert(offsetof(ByteBuffer, cursor) == offsetof(OvByteBuffer, cursor));
static_assert(offsetof(ByteBuffer, scratch) == offsetof(OvByteBuffer, scratch));
static_assert(offsetof(ByteBuffer, borrowed) == offsetof(OvByteBuffer, borrowed));
static_assert(offsetof(ByteBuffer, count) == offsetof(OvByteBuffer, count));
static_assert(offsetof(ByteBuffer, growStep) == offsetof(OvByteBuffer, growStep));
static_assert(sizeof(ByteBuffer) == sizeof(OvByteBuffer));

OvByteBuffer* EngineBuffer(ByteBuffer& buffer)
{
    return reinterpret_cast<OvByteBuffer*>(&buffer);
}

const OvByteBuffer* EngineBuffer(const ByteBuffer& buffer)
{
    return reinterpret_cast<const OvByteBuffer*>(&buffer);
}

namespace
{

void DestroySocket(SocketHandle& handle)
{
    if (!IsEmptySocket(handle))
        OvSocketDestroy(handle);
    handle = EmptySocket();
}

// Hands a received block back to the engine before the next receive.
void Release(ByteBuffer& buffer)
{
    OvSocketReceive(EmptySocket(), EngineBuffer(buffer), 0, 0);
}

} // namespace

void NetStartup()
{
    OvSocketInitiation();
}

void NetShutdown()
{
    OvSocketClosure();
}

NetEndpoint& NetEndpoint::Close()
{
    DestroySocket(socket);
    for (SocketHandle& client : clients)
        DestroySocket(client);
    clients.clear();
    DestroySocket(pending);
    mode = MODE_IDLE;
    return *this;
}

bool NetEndpoint::Listen(uint16_t port, int32_t backlog)
{
    Close();
    if (!OvSocketCreate(&socket))
        return false;
    if (!OvSocketOpen(socket, 0) || !OvSocketListen(socket, port, backlog))
    {
        DestroySocket(socket);
        return false;
    }
    // Clients are accepted into `pending`: a server without it would never accept anyone.
    if (!OvSocketCreate(&pending))
    {
        DestroySocket(socket);
        return false;
    }
    mode = MODE_SERVER;
    OvSocketAsync(socket, 1);
    return true;
}

// Creates, opens and connects `socket`, blocking; false (socket destroyed) on any failure.
bool NetEndpoint::OpenConnection(const char* host, uint16_t port, int32_t openFlag)
{
    if (!OvSocketCreate(&socket))
        return false;
    OvSocketTimeout(socket, static_cast<int32_t>(std::min<uint32_t>(timeout, INT32_MAX)));
    if (!OvSocketOpen(socket, openFlag) || !OvSocketConnect(socket, host, port))
    {
        DestroySocket(socket);
        return false;
    }
    return true;
}

bool NetEndpoint::Connect(const char* host, uint16_t port, int32_t openFlag)
{
    Close();
    if (!OpenConnection(host, port, openFlag))
        return false;
    mode = MODE_CLIENT;
    OvSocketNagle(socket, 1);
    OvSocketAsync(socket, 0);
    if (OnConnect && !OnConnect(this))
    {
        Close();
        return false;
    }
    OvSocketAsync(socket, 1);
    return true;
}

bool NetEndpoint::DisconnectClient(SocketHandle client)
{
    const auto found = std::find_if(clients.begin(), clients.end(),
                                    [&](const SocketHandle& h) { return SameSocket(h, client); });
    if (found == clients.end() || IsEmptySocket(client))
        return false;
    OvSocketDestroy(*found);
    clients.erase(found);
    return true;
}

void NetEndpoint::AcceptOne()
{
    if (!OvSocketAccept(pending, socket))
        return;
    const SocketHandle client = pending;
    OvSocketNagle(client, 1);
    OvSocketAsync(client, 0);
    clients.push_back(client);
    pending = EmptySocket();
    OvSocketCreate(&pending);
    if (OnAccept && !OnAccept(this, client))
        DisconnectClient(client);
    else
        OvSocketAsync(client, 1);
}

// Delivers everything waiting on one connection. The buffer is the caller's for the
// length of the callback; the engine takes its block back right after.
void NetEndpoint::ReceiveFrom(SocketHandle from, bool server)
{
    ByteBuffer buffer;
    while (OvSocketReceive(from, EngineBuffer(buffer), 0, 0))
    {
        if (buffer.count > 0)
        {
            if (server && OnServerReceive)
                OnServerReceive(this, from, &buffer);
            else if (!server && OnClientReceive)
                OnClientReceive(this, &buffer);
        }
        Release(buffer);
        // A callback may have dropped the client, or closed the endpoint.
        if (server ? std::none_of(clients.begin(), clients.end(),
                                  [&](const SocketHandle& h) { return SameSocket(h, from); })
                   : !SameSocket(socket, from))
            break;
    }
    Release(buffer);
}

void NetEndpoint::DropGoneClients()
{
    for (size_t i = 0; i < clients.size();)
    {
        const SocketHandle client = clients[i];
        if (OvSocketIsConnected(client))
        {
            ++i;
            continue;
        }
        clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
        if (OnServerDisconnect)
            OnServerDisconnect(this, client);
        OvSocketDestroy(client);
    }
}

bool NetEndpoint::Poll()
{
    if (mode == MODE_SERVER && !IsEmptySocket(socket) && !IsEmptySocket(pending))
    {
        AcceptOne();
        // A callback may change the list: walk a copy.
        const std::vector<SocketHandle> walk = clients;
        for (const SocketHandle& client : walk)
            ReceiveFrom(client, true);
        DropGoneClients();
        return true;
    }
    if (mode == MODE_CLIENT && !IsEmptySocket(socket))
    {
        ReceiveFrom(socket, false);
        if (mode == MODE_CLIENT && OvSocketIsConnected(socket))
            return true;
        if (mode == MODE_CLIENT && OnClientDisconnect)
            OnClientDisconnect(this);
        Close();
    }
    return false;
}

uint32_t NetEndpoint::SendToClients(const SendRequest& request, bool skipTarget)
{
    uint32_t largest = 0;
    const std::vector<SocketHandle> walk = clients;
    for (const SocketHandle& client : walk)
        if (!skipTarget || !SameSocket(client, request.target))
            largest =
                std::max(largest, OvSocketSend(client, EngineBuffer(request.buffer),
                                               OV_SOCKET_SEND_KEEP, request.offset, request.count));
    return largest;
}

uint32_t NetEndpoint::Send(const SendRequest& request)
{
    const OvByteBuffer* bytes = EngineBuffer(request.buffer);
    if (mode == MODE_IDLE)
        return 0;
    if (IsEmptySocket(request.target) || request.allButTarget)
    {
        const bool skip = !IsEmptySocket(request.target);
        if (mode == MODE_SERVER)
            return SendToClients(request, skip);
        if (mode == MODE_CLIENT && !(skip && SameSocket(socket, request.target)))
            return OvSocketSend(socket, bytes, OV_SOCKET_SEND_KEEP, request.offset, request.count);
        return 0;
    }
    return OvSocketSend(request.target, bytes, OV_SOCKET_SEND_KEEP, request.offset, request.count);
}

uint8_t NetEndpoint::Receive(ByteBuffer& buffer, SocketHandle from)
{
    const SocketHandle source = IsEmptySocket(from) ? socket : from;
    // An empty handle would ask the engine to release the buffer instead.
    return IsEmptySocket(source) ? 0 : OvSocketReceive(source, EngineBuffer(buffer), 0, 0);
}

uint16_t NetEndpoint::LocalPort() const
{
    return OvSocketLocalPort(socket);
}

} // namespace OvCore
