// Echo throughput and latency of a server endpoint polled once per frame, as the scene
// polls it, against 1,000 loopback clients in a child process, each keeping one 64-byte
// message in flight. Prints messages per second and the median and 99th-percentile round
// trip. Usage: net [clients] [seconds]
#include "net/net_endpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace OvCore;

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int MESSAGE = 64;

struct Client
{
    int fd = -1;
    int received = 0;
    Clock::time_point sent;
};

void Echo(NetEndpoint* endpoint, SocketHandle client, ByteBuffer* buffer)
{
    SendRequest request;
    request.buffer.Write(buffer->start, buffer->count);
    request.target = client;
    endpoint->Send(request);
}

void Send(Client& client)
{
    char message[MESSAGE] = {};
    client.sent = Clock::now();
    client.received = 0;
    if (::send(client.fd, message, MESSAGE, MSG_NOSIGNAL) != MESSAGE)
        std::exit(2);
}

// The clients' side: connect them all, then ping-pong for `seconds` and report.
int RunClients(uint16_t port, int count, double seconds)
{
    std::vector<Client> clients(count);
    const int poller = epoll_create1(EPOLL_CLOEXEC);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < count; ++i)
    {
        clients[i].fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        setsockopt(clients[i].fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        if (::connect(clients[i].fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return 3;
        epoll_event event{EPOLLIN, {}};
        event.data.u32 = static_cast<uint32_t>(i);
        epoll_ctl(poller, EPOLL_CTL_ADD, clients[i].fd, &event);
    }
    for (Client& client : clients)
        Send(client);
    std::vector<double> trips;
    trips.reserve(4000000);
    const Clock::time_point start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    std::vector<epoll_event> events(256);
    char block[4096];
    while (Clock::now() < end)
    {
        const int ready = epoll_wait(poller, events.data(), static_cast<int>(events.size()), 100);
        for (int e = 0; e < ready; ++e)
        {
            Client& client = clients[events[e].data.u32];
            const ssize_t got = ::recv(client.fd, block, sizeof block, MSG_DONTWAIT);
            if (got <= 0)
                continue;
            client.received += static_cast<int>(got);
            if (client.received < MESSAGE)
                continue;
            trips.push_back(
                std::chrono::duration<double, std::micro>(Clock::now() - client.sent).count());
            Send(client);
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    for (Client& client : clients)
        ::close(client.fd);
    if (trips.empty())
        return 4;
    std::sort(trips.begin(), trips.end());
    std::printf("%d clients, %zu messages in %.2f s: %.0f messages/s, round trip median "
                "%.0f us, p99 %.0f us\n",
                count, trips.size(), elapsed, trips.size() / elapsed, trips[trips.size() / 2],
                trips[trips.size() * 99 / 100]);
    std::fflush(stdout); // the child leaves by _exit, which flushes nothing
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);

    NetStartup();
    NetEndpoint server;
    server.OnServerReceive = Echo;
    if (!server.Listen(0, 4096))
        return 1;
    const uint16_t port = server.LocalPort();
    const pid_t child = fork();
    if (child == 0)
        _exit(RunClients(port, count, seconds));
    uint64_t frames = 0;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
    {
        server.Poll(); // one frame's poll, as the scene step makes it
        ++frames;
    }
    std::printf("server: %llu frames (polls), %zu clients left\n",
                static_cast<unsigned long long>(frames), server.clients.size());
    server.Close();
    NetShutdown();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
