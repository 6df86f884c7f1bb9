// NetEndpoint as server and client on 127.0.0.1, against clients of another process and a
// real HTTP server; the scene step's poll and ReleaseAll.
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "app/ov_application.h"
#include "net/net_fixture.h"
#include "net/script_server.h"
#include "support/failing_allocation.h"
#include "support/scene_fixture.h"

namespace
{

using namespace OvCore;
using OvTest::ChildProcess;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

int disconnects = 0;
std::string clientReceived;

void Echo(NetEndpoint* endpoint, SocketHandle client, ByteBuffer* buffer)
{
    SendRequest request;
    request.buffer.Write(buffer->start, buffer->count);
    request.target = client;
    EXPECT_EQ(endpoint->Send(request), buffer->count);
}

void CountDisconnect(NetEndpoint*, SocketHandle)
{
    ++disconnects;
}

void KeepClientData(NetEndpoint*, ByteBuffer* buffer)
{
    clientReceived += OvTest::Text(*buffer);
}

class EndpointTest : public OvTest::NetTest
{
  protected:
    void SetUp() override
    {
        NetTest::SetUp();
        disconnects = 0;
        clientReceived.clear();
    }
};

TEST_F(EndpointTest, ServerAndClientTalkAndReportEachDisconnectOnce)
{
    NetEndpoint server;
    server.OnServerReceive = Echo;
    server.OnServerDisconnect = CountDisconnect;
    ASSERT_TRUE(server.Listen(0, 16));
    EXPECT_EQ(server.mode, NetEndpoint::MODE_SERVER);
    EXPECT_EQ(server.Send(SendRequest{OvTest::Bytes("nobody")}), 0u);

    NetEndpoint first, second;
    first.OnClientReceive = KeepClientData;
    ASSERT_TRUE(first.Connect("127.0.0.1", server.LocalPort()));
    ASSERT_TRUE(second.Connect("127.0.0.1", server.LocalPort()));
    for (int i = 0; i < 1000 && server.clients.size() < 2; ++i)
        server.Poll();
    ASSERT_EQ(server.clients.size(), 2u);

    EXPECT_EQ(first.Send(SendRequest{OvTest::Bytes("ping")}), 4u);
    for (int i = 0; i < 2000 && clientReceived != "ping"; ++i)
    {
        server.Poll();
        first.Poll();
    }
    EXPECT_EQ(clientReceived, "ping");

    // All but the target: the second client's server-side handle is skipped.
    SendRequest others{OvTest::Bytes("news")};
    others.target = server.clients[1];
    others.allButTarget = true;
    clientReceived.clear();
    EXPECT_EQ(server.Send(others), 4u);
    for (int i = 0; i < 2000 && clientReceived != "news"; ++i)
        first.Poll();
    EXPECT_EQ(clientReceived, "news");
    ByteBuffer nothing;
    EXPECT_EQ(second.Receive(nothing), 0);

    second.Close();
    for (int i = 0; i < 2000 && server.clients.size() == 2; ++i)
        server.Poll();
    server.Poll();
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(server.clients.size(), 1u);
    EXPECT_TRUE(server.DisconnectClient(server.clients[0]));
    EXPECT_FALSE(server.DisconnectClient(EmptySocket()));
    for (int i = 0; i < 2000 && first.mode != NetEndpoint::MODE_IDLE; ++i)
        first.Poll();
    EXPECT_EQ(first.mode, NetEndpoint::MODE_IDLE);
}

TEST_F(EndpointTest, RefusedClientsAndConnectionsLeaveNothingBehind)
{
    NetEndpoint server;
    server.OnAccept = [](NetEndpoint*, SocketHandle) { return false; };
    ASSERT_TRUE(server.Listen(0, 4));
    NetEndpoint client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.LocalPort()));
    for (int i = 0; i < 200; ++i)
        server.Poll();
    EXPECT_TRUE(server.clients.empty());
    for (int i = 0; i < 2000 && client.Poll(); ++i)
        usleep(100);
    EXPECT_EQ(client.mode, NetEndpoint::MODE_IDLE);

    client.OnConnect = [](NetEndpoint*) { return false; };
    EXPECT_FALSE(client.Connect("127.0.0.1", server.LocalPort()));
    EXPECT_TRUE(IsEmptySocket(client.socket));
    const uint16_t port = server.LocalPort();
    server.Close();
    client.OnConnect = nullptr;
    EXPECT_FALSE(client.Connect("127.0.0.1", port));
    EXPECT_FALSE(client.Poll());
}

TEST_F(EndpointTest, AServerWithoutMemoryForItsHandlesIsNotListening)
{
    NetEndpoint server;
    const int failedRuns = OvTest::FailEachBigAllocation(
        16, [&] { return server.Listen(0, 4); },
        [&]
        {
            EXPECT_EQ(server.mode, NetEndpoint::MODE_IDLE);
            EXPECT_TRUE(IsEmptySocket(server.socket));
        });
    EXPECT_GE(failedRuns, 2); // the listening socket and the one clients are accepted into
    NetEndpoint client;
    EXPECT_TRUE(client.Connect("127.0.0.1", server.LocalPort()));
}

TEST_F(EndpointTest, ManyClientsOfAnotherProcessAreEchoed)
{
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    // 1,000 where descriptors allow; fewer under the sanitizers, which slow each poll.
    const rlim_t clients = limit.rlim_max < 2200 ? 200 : kSanitized ? 300 : 1000;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);

    const int descriptors = OvTest::OpenDescriptors();
    {
        NetEndpoint server;
        server.OnServerReceive = Echo;
        server.OnServerDisconnect = CountDisconnect;
        ASSERT_TRUE(server.Listen(0, 2048));
        ChildProcess peers({"python3", OV_SOURCE_DIR "/tests/net/echo_clients.py",
                            std::to_string(server.LocalPort()), std::to_string(clients)});
        for (int i = 0; i < 2000000 && peers.Exited() < 0; ++i)
            server.Poll();
        EXPECT_EQ(peers.ReadLine(), "ok " + std::to_string(clients));
        EXPECT_EQ(peers.Exited(), 0);
        for (int i = 0; i < 100000 && !server.clients.empty(); ++i)
            server.Poll();
        EXPECT_EQ(disconnects, static_cast<int>(clients));
    }
    EXPECT_EQ(OvTest::OpenDescriptors(), descriptors);
}

TEST_F(EndpointTest, ARealHttpServerAnswers)
{
    const std::string folder = testing::TempDir() + "ov_http_files";
    std::system(("mkdir -p '" + folder + "'").c_str());
    // 50 MiB as a real download would be; 8 under the sanitizers, whose realloc always copies.
    std::string big(size_t(kSanitized ? 8 : 50) << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 2654435761u) >> 13);
    std::ofstream(folder + "/big file.bin", std::ios::binary) << big;
    const std::string part = big.substr(0, 1 << 20);
    std::ofstream(folder + "/part.bin", std::ios::binary) << part;
    std::ofstream(folder + "/small.txt") << "small";
    ChildProcess server({"python3", OV_SOURCE_DIR "/tests/net/http_test_server.py", folder});
    const uint16_t port = static_cast<uint16_t>(std::stoi(server.ReadLine()));

    NetEndpoint endpoint;
    ByteBuffer response;
    ASSERT_TRUE(endpoint.HttpGet("127.0.0.1", "big file.bin", response, port));
    EXPECT_TRUE(OvTest::Text(response) == big);
    EXPECT_TRUE(endpoint.HttpPost("127.0.0.1", "form", "a=1", response, port));
    EXPECT_EQ(OvTest::Text(response), "posted: a=1");

    HttpProgress progress;
    response.Init();
    ASSERT_TRUE(endpoint.HttpGetBegin(progress, "localhost", "part.bin", port));
    uint32_t lastDone = 0;
    for (int i = 0; i < 1000000 && progress.state != HTTP_COMPLETE && progress.state != 0; ++i)
    {
        endpoint.HttpStep(progress, response, 65536);
        EXPECT_GE(progress.done, lastDone);
        lastDone = progress.done;
    }
    EXPECT_EQ(progress.state, HTTP_COMPLETE);
    EXPECT_EQ(progress.total, part.size());
    EXPECT_TRUE(OvTest::Text(response) == part);
    ASSERT_TRUE(endpoint.HttpPostBegin(progress, "127.0.0.1", "form", "b=2", port));
    response.Init();
    for (int i = 0; i < 100000 && progress.state != HTTP_COMPLETE && progress.state != 0; ++i)
        endpoint.HttpStep(progress, response);
    EXPECT_EQ(OvTest::Text(response), "posted: b=2");
    // A missing file: a complete response, the server's page as the body.
    EXPECT_TRUE(endpoint.HttpGet("127.0.0.1", "missing", response, port));
}

// A peer that stalls in the middle of a stream, then resets it: what arrived is delivered and
// stays the caller's, a stall only makes a blocking read time out, and the reset is reported.
TEST_F(EndpointTest, AStreamThatStallsThenResetsKeepsWhatArrived)
{
    OvTest::ScriptServer peer({{OvTest::ScriptStep::Send, "part one"},
                               {OvTest::ScriptStep::Pause, "", 400},
                               {OvTest::ScriptStep::Reset, ""}});
    static int32_t endedWith = 0;
    NetEndpoint client;
    client.OnClientReceive = KeepClientData;
    client.OnClientDisconnect = [](NetEndpoint* endpoint)
    {
        ++disconnects;
        endedWith = OvSocketLastError(endpoint->socket);
    };
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_EQ(client.Send(SendRequest{OvTest::Bytes("hello\r\n\r\n")}), 9u);
    for (int i = 0; i < 20000 && clientReceived.empty(); ++i)
    {
        EXPECT_TRUE(client.Poll());
        usleep(50);
    }
    EXPECT_EQ(clientReceived, "part one");
    // The stall: a blocking read waits its timeout and says so; the connection stays.
    OvSocketAsync(client.socket, 0);
    OvSocketTimeout(client.socket, 50);
    ByteBuffer nothing;
    EXPECT_EQ(client.Receive(nothing), 0);
    EXPECT_EQ(OvSocketLastError(client.socket), OV_SOCKET_TIMED_OUT);
    OvSocketAsync(client.socket, 1);
    EXPECT_TRUE(client.Poll());
    // The reset ends the client once, and what came before stays delivered.
    for (int i = 0; i < 40000 && client.mode == NetEndpoint::MODE_CLIENT; ++i)
    {
        client.Poll();
        usleep(50);
    }
    EXPECT_EQ(client.mode, NetEndpoint::MODE_IDLE);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(endedWith, OV_SOCKET_RESET);
    EXPECT_EQ(clientReceived, "part one");
}

// The scene step polls endpoints after the update hook and before the actors; ReleaseAll
// closes them.
TEST_F(EndpointTest, TheSceneStepPollsEveryEndpointAndReleaseAllClosesThem)
{
    OV_APPLICATION& app = Application();
    OvTest::ClearScene();
    auto server = app.endpoints.Append("server");
    server->OnAccept = [](NetEndpoint*, SocketHandle)
    {
        OvTest::events.push_back("poll");
        return true;
    };
    ASSERT_TRUE(server->Listen(0, 4));
    NetEndpoint client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server->LocalPort()));
    app.AddActor("probe", new OvTest::Probe("A"));
    app.updateHook = [] { OvTest::events.push_back("hook"); };
    OvTest::Step(false, false); // the probe goes live
    OvTest::Take();
    OvTest::Step(true, false);
    EXPECT_EQ(OvTest::Take(), (OvTest::Events{"hook", "poll", "update A"}));
    app.ReleaseAll();
    EXPECT_TRUE(app.endpoints.IsEmpty());
    OvTest::ClearScene();
}

} // namespace
