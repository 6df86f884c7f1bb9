// One TCP socket behind an OvSocket handle: its descriptor, its mode, how its connection
// stands and the bytes queued for sending. Every wait is bounded by its timeout; no call
// raises SIGPIPE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ov
{

struct Socket
{
    int fd = -1;
    int family = 0;
    bool nonBlocking = false;
    bool nagle = true;
    bool listening = false;
    bool connecting = false; // a non-blocking connect under way
    bool connected = false;
    bool ended = false; // the peer closed or reset, or the connect failed
    int32_t error = 0;  // OV_SOCKET_...
    int32_t timeoutMs = 10000;
    std::vector<uint8_t> outgoing; // queued by OV_SOCKET_SEND_KEEP
    size_t outgoingSent = 0;

    Socket() = default;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket();

    bool open(int32_t flag);
    bool listen(uint16_t port, int32_t backlog);
    uint16_t localPort() const;
    bool connect(const char* host, uint16_t port);
    bool acceptFrom(Socket& listener);
    bool setNonBlocking(bool on);
    bool setNagle(bool on);
    bool isConnected();
    uint32_t send(const uint8_t* data, uint32_t n, bool keep);
    // Bytes received into `block` (up to n); 0 when nothing came (error tells why).
    uint32_t receive(uint8_t* block, uint32_t n);

  private:
    bool makeDescriptor();
    void closeDescriptor();
    bool connectTo(const void* address, uint32_t length);
    bool waitFor(short events);
    void completeConnect(int timeoutMs);
    void end(int32_t code);
    bool flushQueue();
    uint32_t writeSome(const uint8_t* data, uint32_t n);
};

} // namespace ov
