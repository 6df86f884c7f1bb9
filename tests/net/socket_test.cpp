// The engine's sockets on 127.0.0.1: connects refused and completed, sends that the peer
// cannot take at once, SIGPIPE, the receive's lent blocks, descriptors.
#include <csignal>
#include <string>

#include "net/net_fixture.h"
#include "net/script_server.h"

namespace
{

using namespace OvCore;
using OvTest::NetTest;

// A listening socket on an ephemeral port, and a client connected to it, both blocking.
struct Pair
{
    SocketHandle listener = EmptySocket(), client = EmptySocket(), accepted = EmptySocket();

    Pair()
    {
        OvSocketCreate(&listener);
        OvSocketOpen(listener, 0);
        OvSocketListen(listener, 0, 8);
        OvSocketCreate(&client);
        OvSocketOpen(client, 0);
        OvSocketConnect(client, "127.0.0.1", OvSocketLocalPort(listener));
        OvSocketCreate(&accepted);
        OvSocketAccept(accepted, listener);
    }
    ~Pair()
    {
        OvSocketDestroy(client);
        OvSocketDestroy(accepted);
        OvSocketDestroy(listener);
    }
};

uint16_t UnusedPort()
{
    SocketHandle probe = EmptySocket();
    OvSocketCreate(&probe);
    OvSocketOpen(probe, 0);
    OvSocketListen(probe, 0, 1);
    const uint16_t port = OvSocketLocalPort(probe);
    OvSocketDestroy(probe);
    return port;
}

TEST_F(NetTest, ConnectsAreReportedWhetherRefusedOrCompletedLater)
{
    const uint16_t closedPort = UnusedPort();
    SocketHandle socket = EmptySocket();
    ASSERT_TRUE(OvSocketCreate(&socket));
    ASSERT_TRUE(OvSocketOpen(socket, 0));
    EXPECT_FALSE(OvSocketConnect(socket, "127.0.0.1", closedPort));
    EXPECT_EQ(OvSocketLastError(socket), OV_SOCKET_REFUSED);
    OvSocketDestroy(socket);

    // Non-blocking: under way at once, refused when polled.
    OvSocketCreate(&socket);
    OvSocketOpen(socket, 0);
    OvSocketAsync(socket, 1);
    EXPECT_TRUE(OvSocketConnect(socket, "127.0.0.1", closedPort));
    for (int i = 0; i < 1000 && OvSocketIsConnected(socket); ++i)
        usleep(1000);
    EXPECT_FALSE(OvSocketIsConnected(socket));
    EXPECT_EQ(OvSocketLastError(socket), OV_SOCKET_REFUSED);
    OvSocketDestroy(socket);

    // A name that does not resolve.
    OvSocketCreate(&socket);
    OvSocketOpen(socket, 0);
    EXPECT_FALSE(OvSocketConnect(socket, "no-such-host.invalid", 80));
    EXPECT_EQ(OvSocketLastError(socket), OV_SOCKET_UNREACHABLE);
    OvSocketDestroy(socket);

    // By host name, non-blocking, completed by polling.
    Pair pair;
    SocketHandle named = EmptySocket();
    OvSocketCreate(&named);
    OvSocketOpen(named, 0);
    OvSocketAsync(named, 1);
    ASSERT_TRUE(OvSocketConnect(named, "localhost", OvSocketLocalPort(pair.listener)));
    SocketHandle accepted = EmptySocket();
    OvSocketCreate(&accepted);
    EXPECT_TRUE(OvSocketAccept(accepted, pair.listener));
    EXPECT_TRUE(OvSocketIsConnected(named));
    OvSocketDestroy(named);
    OvSocketDestroy(accepted);
}

TEST_F(NetTest, AQueuedSendFinishesAndNothingRaisesSigpipe)
{
    Pair pair;
    OvSocketAsync(pair.client, 1);
    std::string big(8 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 131 + i / 4096);
    ByteBuffer buffer = OvTest::Bytes(big);
    // More than the kernel takes at once: the rest is queued, and counted.
    EXPECT_EQ(OvSocketSend(pair.client, EngineBuffer(buffer), OV_SOCKET_SEND_KEEP, 0, 0),
              big.size());
    std::string received;
    ByteBuffer block;
    OvSocketAsync(pair.accepted, 1);
    for (int i = 0; i < 100000 && received.size() < big.size(); ++i)
    {
        OvSocketIsConnected(pair.client); // sends what was queued
        while (OvSocketReceive(pair.accepted, EngineBuffer(block), 0, 0))
        {
            EXPECT_TRUE(block.borrowed);
            received += OvTest::Text(block);
            OvSocketReceive(EmptySocket(), EngineBuffer(block), 0, 0);
            EXPECT_EQ(block.start, nullptr);
        }
    }
    EXPECT_TRUE(received == big);

    // Offset and count pick a range; the peer then goes away: no signal, a reported end.
    ByteBuffer text = OvTest::Bytes("0123456789");
    OvSocketAsync(pair.client, 0);
    EXPECT_EQ(OvSocketSend(pair.client, EngineBuffer(text), 0, 3, 4), 4u);
    OvSocketAsync(pair.accepted, 0);
    ASSERT_TRUE(OvSocketReceive(pair.accepted, EngineBuffer(block), 0, 0));
    EXPECT_EQ(OvTest::Text(block), "3456");
    OvSocketReceive(EmptySocket(), EngineBuffer(block), 0, 0);
    OvSocketDestroy(pair.accepted);
    pair.accepted = EmptySocket();
    std::signal(SIGPIPE, SIG_DFL);
    for (int i = 0; i < 50 && OvSocketIsConnected(pair.client); ++i)
        OvSocketSend(pair.client, EngineBuffer(text), 0, 0, 0);
    EXPECT_FALSE(OvSocketIsConnected(pair.client));
    EXPECT_EQ(OvSocketSend(pair.client, EngineBuffer(text), 0, 0, 0), 0u);
}

TEST_F(NetTest, DescriptorsAreClosedOnExecAndNeverLeaked)
{
    const int before = OvTest::OpenDescriptors();
    const int inheritable = OvTest::InheritableDescriptors();
    {
        Pair pair;
        EXPECT_EQ(OvTest::OpenDescriptors(), before + 3);
        EXPECT_EQ(OvTest::InheritableDescriptors(), inheritable);
        SocketHandle unopened = EmptySocket();
        OvSocketCreate(&unopened); // never opened: holds no descriptor
        EXPECT_FALSE(OvSocketAccept(unopened, unopened));
    }
    EXPECT_EQ(OvTest::OpenDescriptors(), before);
    // Closure destroys what is left.
    Pair left;
    ByteBuffer lent;
    OvSocketSend(left.client, EngineBuffer(OvTest::Bytes("x")), 0, 0, 0);
    EXPECT_TRUE(OvSocketReceive(left.accepted, EngineBuffer(lent), 0, 0));
    NetShutdown();
    EXPECT_EQ(OvTest::OpenDescriptors(), before);
    EXPECT_FALSE(OvSocketIsConnected(left.client));
    lent.Init(); // the block went with the closure
    NetStartup();
}

} // namespace
