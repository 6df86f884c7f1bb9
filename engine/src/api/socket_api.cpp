// Sockets: the table of live sockets and the blocks lent to receiving buffers. A lent block
// stays the engine's until the caller releases it (OvSocketReceive with an empty handle) or
// OvSocketClosure, even when its socket is destroyed meanwhile.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <vector>

#include "api/guard.h"
#include "base/handle_table.h"
#include "orvane_core.h"
#include "sockets/socket.h"

using namespace ov;

namespace
{

constexpr uint32_t kLargestBlock = 16u << 20;
constexpr size_t kPooledBlocks = 16;

struct Sockets
{
    bool initiated = false;
    HandleTable<Socket> table;
    std::unordered_map<uint8_t*, uint32_t> lent; // block -> its size
    std::vector<uint8_t*> pool;                  // free blocks of OV_SOCKET_RECEIVE_BLOCK
};

Sockets& sockets()
{
    static auto* state = new Sockets; // never destroyed: a static's destructor could run
    return *state;                    // after a program's own exit-time socket calls
}

Socket* find(const OvHandle& handle)
{
    return sockets().table.find(handle);
}

uint8_t* takeBlock(uint32_t size)
{
    Sockets& s = sockets();
    if (size == OV_SOCKET_RECEIVE_BLOCK && !s.pool.empty())
    {
        uint8_t* block = s.pool.back();
        s.pool.pop_back();
        return block;
    }
    return static_cast<uint8_t*>(std::malloc(size));
}

void giveBack(uint8_t* block, uint32_t size)
{
    Sockets& s = sockets();
    if (size == OV_SOCKET_RECEIVE_BLOCK && s.pool.size() < kPooledBlocks)
        s.pool.push_back(block);
    else
        std::free(block);
}

// Empties the buffer: a lent block goes back to the engine, an owned one is freed, a block
// borrowed from anyone else is only forgotten.
bool releaseBuffer(OvByteBuffer& buffer)
{
    Sockets& s = sockets();
    bool released = false;
    if (buffer.start)
    {
        const auto found = s.lent.find(buffer.start);
        if (found != s.lent.end())
        {
            giveBack(found->first, found->second);
            s.lent.erase(found);
            released = true;
        }
        else if (!buffer.borrowed)
            std::free(buffer.start);
    }
    buffer.capacity = 0;
    buffer.start = nullptr;
    buffer.cursor = nullptr;
    buffer.borrowed = 0;
    buffer.count = 0;
    return released;
}

uint8_t receiveInto(Socket& socket, OvByteBuffer& buffer, uint32_t limit)
{
    releaseBuffer(buffer);
    const uint32_t size = limit == 0 ? OV_SOCKET_RECEIVE_BLOCK : std::min(limit, kLargestBlock);
    uint8_t* block = takeBlock(size);
    if (!block)
        return 0;
    const uint32_t got = socket.receive(block, size);
    if (got == 0)
    {
        giveBack(block, size);
        return 0;
    }
    sockets().lent.emplace(block, size);
    buffer.capacity = size;
    buffer.start = block;
    buffer.cursor = block;
    buffer.borrowed = 1;
    buffer.count = got;
    return 1;
}

} // namespace

extern "C"
{

    OV_API void OvSocketInitiation(void)
    {
        sockets().initiated = true;
    }

    OV_API void OvSocketClosure(void)
    {
        guard(
            []
            {
                Sockets& s = sockets();
                s.table.clear();
                for (auto& [block, size] : s.lent)
                    std::free(block);
                s.lent.clear();
                for (uint8_t* block : s.pool)
                    std::free(block);
                s.pool.clear();
                s.initiated = false;
            });
    }

    OV_API uint8_t OvSocketCreate(OvHandle* socket)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         if (!socket)
                             return uint8_t(0);
                         *socket = emptyHandle();
                         if (!sockets().initiated)
                             return uint8_t(0);
                         auto made = std::make_unique<Socket>();
                         *socket = sockets().table.add(made);
                         return uint8_t(!handleIsEmpty(*socket));
                     });
    }

    OV_API uint8_t OvSocketOpen(OvHandle socket, int32_t flag)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         Socket* s = find(socket);
                         return uint8_t(s && s->open(flag));
                     });
    }

    OV_API uint8_t OvSocketListen(OvHandle socket, uint16_t port, int32_t backlog)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         Socket* s = find(socket);
                         return uint8_t(s && s->listen(port, backlog));
                     });
    }

    OV_API uint16_t OvSocketLocalPort(OvHandle socket)
    {
        const Socket* s = find(socket);
        return s ? s->localPort() : 0;
    }

    OV_API uint8_t OvSocketConnect(OvHandle socket, const char* host, uint16_t port)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         Socket* s = find(socket);
                         return uint8_t(s && s->connect(host, port));
                     });
    }

    OV_API uint8_t OvSocketAccept(OvHandle accepted, OvHandle listening)
    {
        Socket* into = find(accepted);
        Socket* from = find(listening);
        return uint8_t(into && from && into != from && into->acceptFrom(*from));
    }

    OV_API uint8_t OvSocketAsync(OvHandle socket, int32_t on)
    {
        Socket* s = find(socket);
        return uint8_t(s && s->setNonBlocking(on != 0));
    }

    OV_API uint8_t OvSocketNagle(OvHandle socket, int32_t on)
    {
        Socket* s = find(socket);
        return uint8_t(s && s->setNagle(on != 0));
    }

    OV_API uint8_t OvSocketTimeout(OvHandle socket, int32_t milliseconds)
    {
        Socket* s = find(socket);
        if (!s || milliseconds < 0)
            return 0;
        s->timeoutMs = milliseconds;
        return 1;
    }

    OV_API uint8_t OvSocketIsConnected(OvHandle socket)
    {
        Socket* s = find(socket);
        return uint8_t(s && s->isConnected());
    }

    OV_API uint32_t OvSocketSend(OvHandle socket, const OvByteBuffer* buffer, int32_t flag,
                                 uint32_t offset, uint32_t count)
    {
        return guard(uint32_t(0),
                     [&]
                     {
                         Socket* s = find(socket);
                         if (!s || !buffer || !buffer->start)
                             return uint32_t(0);
                         const uint32_t used = std::min(buffer->count, buffer->capacity);
                         if (offset >= used)
                             return uint32_t(0);
                         const uint32_t left = used - offset;
                         const uint32_t n = count == 0 ? left : std::min(count, left);
                         return s->send(buffer->start + offset, n,
                                        (flag & OV_SOCKET_SEND_KEEP) != 0);
                     });
    }

    OV_API uint8_t OvSocketReceive(OvHandle socket, OvByteBuffer* buffer, uint32_t limit, int32_t)
    {
        return guard(uint8_t(0),
                     [&]
                     {
                         if (!buffer)
                             return uint8_t(0);
                         if (handleIsEmpty(socket))
                             return uint8_t(releaseBuffer(*buffer));
                         Socket* s = find(socket);
                         return s ? receiveInto(*s, *buffer, limit) : uint8_t(0);
                     });
    }

    OV_API int32_t OvSocketLastError(OvHandle socket)
    {
        const Socket* s = find(socket);
        return s ? s->error : OV_SOCKET_FAILED;
    }

    OV_API void OvSocketDestroy(OvHandle socket)
    {
        guard([&] { sockets().table.remove(socket); });
    }
}
