// TCP sockets over POSIX: descriptors made close-on-exec, sends with MSG_NOSIGNAL, connects
// made non-blocking underneath so that even a blocking one waits no longer than its timeout.
#include "sockets/socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "orvane_core.h"

namespace ov
{

namespace
{

constexpr size_t kQueueLimit = size_t{64} << 20;

int32_t codeOf(int error)
{
    switch (error)
    {
    case ECONNREFUSED:
        return OV_SOCKET_REFUSED;
    case ECONNRESET:
    case EPIPE:
    case ECONNABORTED:
        return OV_SOCKET_RESET;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EHOSTDOWN:
        return OV_SOCKET_UNREACHABLE;
    case ETIMEDOUT:
        return OV_SOCKET_TIMED_OUT;
    default:
        return OV_SOCKET_FAILED;
    }
}

bool wouldBlock(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

bool setFlag(int fd, bool nonBlocking)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0)
        return false;
    const int wanted = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return wanted == flags || fcntl(fd, F_SETFL, wanted) == 0;
}

} // namespace

Socket::~Socket()
{
    flushQueue();
    closeDescriptor();
}

void Socket::closeDescriptor()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool Socket::makeDescriptor()
{
    fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
    {
        error = codeOf(errno);
        return false;
    }
    const int noDelay = nagle ? 0 : 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    if (family == AF_INET6)
    {
        const int off = 0;
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    }
    return setFlag(fd, nonBlocking);
}

bool Socket::open(int32_t flag)
{
    if (fd >= 0 || (flag != 0 && flag != 1))
        return false;
    family = flag == 1 ? AF_INET6 : AF_INET;
    return makeDescriptor();
}

bool Socket::listen(uint16_t port, int32_t backlog)
{
    if (fd < 0 || connected || connecting || listening)
        return false;
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_storage address{};
    socklen_t length = 0;
    if (family == AF_INET6)
    {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_any;
        in6->sin6_port = htons(port);
        length = sizeof *in6;
    }
    else
    {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
        in4->sin_family = AF_INET;
        in4->sin_addr.s_addr = htonl(INADDR_ANY);
        in4->sin_port = htons(port);
        length = sizeof *in4;
    }
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(fd, backlog > 0 ? backlog : SOMAXCONN) != 0)
    {
        error = codeOf(errno);
        return false;
    }
    listening = true;
    return true;
}

uint16_t Socket::localPort() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (fd < 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

bool Socket::connect(const char* host, uint16_t port)
{
    if (fd < 0 || !host || connected || connecting || listening)
        return false;
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    if (family == AF_INET6)
        hints.ai_flags = AI_V4MAPPED;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host, service.c_str(), &hints, &found) != 0 || !found)
    {
        error = OV_SOCKET_UNREACHABLE;
        return false;
    }
    bool made = false;
    for (addrinfo* at = found; at && !made; at = at->ai_next)
    {
        // A failed connect leaves the descriptor unusable: each further address gets a new one.
        if (at != found)
        {
            closeDescriptor();
            if (!makeDescriptor())
                break;
        }
        made = connectTo(at->ai_addr, at->ai_addrlen);
        if (nonBlocking)
            break; // the first address only: its result comes later
    }
    freeaddrinfo(found);
    return made;
}

bool Socket::connectTo(const void* address, uint32_t length)
{
    setFlag(fd, true);
    ended = false;
    error = OV_SOCKET_OK;
    if (::connect(fd, static_cast<const sockaddr*>(address), length) == 0)
        connected = true;
    else if (errno == EINPROGRESS || errno == EINTR)
        connecting = true;
    else
    {
        error = codeOf(errno);
        setFlag(fd, nonBlocking);
        return false;
    }
    if (!nonBlocking)
    {
        if (connecting)
            completeConnect(timeoutMs);
        setFlag(fd, false);
        if (!connected)
        {
            connecting = false;
            if (error == OV_SOCKET_OK)
                error = OV_SOCKET_TIMED_OUT;
        }
    }
    return connected || connecting;
}

// Looks at a connect under way (waiting up to timeoutMs) and settles it when it is over.
void Socket::completeConnect(int waitMs)
{
    pollfd entry{fd, POLLOUT, 0};
    const int ready = ::poll(&entry, 1, waitMs);
    if (ready <= 0)
        return;
    int result = 0;
    socklen_t length = sizeof result;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &length) != 0)
        result = errno;
    connecting = false;
    if (result == 0)
        connected = true;
    else
        end(codeOf(result));
}

bool Socket::acceptFrom(Socket& listener)
{
    if (fd >= 0 || !listener.listening || listener.fd < 0)
        return false;
    if (!listener.nonBlocking && !listener.waitFor(POLLIN))
        return false;
    const int accepted = ::accept4(listener.fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (accepted < 0)
    {
        if (!wouldBlock(errno))
            listener.error = codeOf(errno);
        return false;
    }
    fd = accepted;
    family = listener.family;
    nonBlocking = false;
    connected = true;
    const int noDelay = nagle ? 0 : 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    return true;
}

bool Socket::setNonBlocking(bool on)
{
    nonBlocking = on;
    // A connect under way keeps its descriptor non-blocking until it is settled.
    return fd < 0 || connecting || setFlag(fd, on);
}

bool Socket::setNagle(bool on)
{
    nagle = on;
    const int noDelay = on ? 0 : 1;
    return fd < 0 || listening ||
           setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay) == 0;
}

void Socket::end(int32_t code)
{
    ended = true;
    connected = false;
    connecting = false;
    error = code;
    outgoing.clear();
    outgoingSent = 0;
}

bool Socket::isConnected()
{
    if (connecting)
    {
        completeConnect(0);
        if (connecting)
            return true; // still under way: not ended
        if (connected && !nonBlocking)
            setFlag(fd, false);
    }
    if (!connected || ended || fd < 0)
        return false;
    flushQueue();
    uint8_t byte = 0;
    const ssize_t peeked = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked == 0)
        end(OV_SOCKET_CLOSED);
    else if (peeked < 0 && !wouldBlock(errno))
        end(codeOf(errno));
    return connected;
}

// Waits until the descriptor is ready for `events`, at most the timeout.
bool Socket::waitFor(short events)
{
    pollfd entry{fd, events, 0};
    int ready = 0;
    do
        ready = ::poll(&entry, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    if (ready == 0)
        error = OV_SOCKET_TIMED_OUT;
    return ready > 0;
}

// Writes what the system takes without waiting; stops at the first refusal.
uint32_t Socket::writeSome(const uint8_t* data, uint32_t n)
{
    uint32_t sent = 0;
    while (sent < n)
    {
        const ssize_t wrote = ::send(fd, data + sent, n - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (wrote > 0)
        {
            sent += static_cast<uint32_t>(wrote);
            continue;
        }
        if (wrote < 0 && wouldBlock(errno))
            break;
        end(wrote < 0 ? codeOf(errno) : OV_SOCKET_FAILED);
        break;
    }
    return sent;
}

// Sends queued bytes; true when the queue is empty.
bool Socket::flushQueue()
{
    if (fd < 0 || outgoing.empty() || !connected)
        return outgoing.empty();
    const size_t left = outgoing.size() - outgoingSent;
    outgoingSent += writeSome(outgoing.data() + outgoingSent, static_cast<uint32_t>(left));
    if (outgoingSent < outgoing.size())
        return false;
    outgoing.clear();
    outgoingSent = 0;
    return true;
}

uint32_t Socket::send(const uint8_t* data, uint32_t n, bool keep)
{
    if (connecting)
        isConnected();
    if (fd < 0 || ended || (!connected && !connecting) || n == 0)
        return 0;
    uint32_t sent = 0;
    if (!connecting && flushQueue())
        sent = writeSome(data, n);
    if (!nonBlocking)
    {
        while (sent < n && connected && waitFor(POLLOUT))
            sent += writeSome(data + sent, n - sent);
        return sent;
    }
    if (sent < n && keep && !ended)
    {
        const size_t room = kQueueLimit - std::min(kQueueLimit, outgoing.size() - outgoingSent);
        const uint32_t kept = static_cast<uint32_t>(std::min<size_t>(room, n - sent));
        outgoing.insert(outgoing.end(), data + sent, data + sent + kept);
        sent += kept;
    }
    return sent;
}

uint32_t Socket::receive(uint8_t* block, uint32_t n)
{
    if (connecting)
        isConnected();
    if (fd < 0 || !connected || ended)
        return 0;
    flushQueue();
    if (!nonBlocking && !waitFor(POLLIN))
        return 0;
    ssize_t got = 0;
    do
        got = ::recv(fd, block, n, MSG_DONTWAIT);
    while (got < 0 && errno == EINTR);
    if (got > 0)
        return static_cast<uint32_t>(got);
    if (got == 0)
        end(OV_SOCKET_CLOSED);
    else if (!wouldBlock(errno))
        end(codeOf(errno));
    return 0;
}

} // namespace ov
