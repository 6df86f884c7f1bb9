// The HTTP client against a scripted server that is not our endpoint: request texts byte
// for byte, framing by length, chunks and close, the stepwise states, and every way a
// response can be cut, split, stalled or malformed.
#include <string>

#include "net/http_request.h"
#include "net/net_fixture.h"
#include "net/script_server.h"
#include "support/manual_clock.h"

namespace
{

using namespace OvCore;
using OvTest::ScriptServer;
using OvTest::ScriptStep;

const std::string kHello = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

struct Outcome
{
    bool ok = false;
    std::string body;
    std::string request;
};

Outcome BlockingGet(std::vector<ScriptStep> script, const char* path = "x", uint32_t timeout = 5000)
{
    ScriptServer server(std::move(script));
    NetEndpoint endpoint;
    endpoint.timeout = timeout;
    ByteBuffer response;
    Outcome outcome;
    outcome.ok = endpoint.HttpGet("127.0.0.1", path, response, server.Port());
    EXPECT_EQ(endpoint.mode, NetEndpoint::MODE_IDLE);
    outcome.body = OvTest::Text(response);
    outcome.request = server.Request();
    return outcome;
}

// Steps until the request completes or fails; the states seen, in order, without repeats.
struct Stepped
{
    std::vector<uint32_t> states;
    HttpProgress progress;
    std::string body;
};

Stepped StepwiseGet(std::vector<ScriptStep> script)
{
    ScriptServer server(std::move(script));
    NetEndpoint endpoint;
    Stepped run;
    ByteBuffer response;
    EXPECT_TRUE(endpoint.HttpGetBegin(run.progress, "127.0.0.1", "x", server.Port()));
    run.states.push_back(run.progress.state);
    for (int i = 0;
         i < 200000 && run.progress.state != HTTP_IDLE && run.progress.state != HTTP_COMPLETE; ++i)
    {
        endpoint.HttpStep(run.progress, response);
        if (run.states.back() != run.progress.state)
            run.states.push_back(run.progress.state);
        usleep(50);
    }
    run.body = OvTest::Text(response);
    return run;
}

class HttpTest : public OvTest::NetTest
{
};

TEST_F(HttpTest, RequestTextsGoOutByteForByte)
{
    Outcome get = BlockingGet(OvTest::SendWhole(kHello), "a b/c d");
    EXPECT_TRUE(get.ok);
    EXPECT_EQ(get.body, "hello");
    EXPECT_EQ(get.request, "GET /a%20b/c%20d HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvane "
                           "Core\r\nConnection: close\r\n\r\n");

    ScriptServer server(OvTest::SendWhole(kHello));
    NetEndpoint endpoint;
    ByteBuffer response;
    EXPECT_TRUE(endpoint.HttpPost("127.0.0.1", "form", "a=1&b=2", response, server.Port()));
    EXPECT_EQ(server.Request(),
              "POST /form HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvane Core\r\nConnection: "
              "close\r\nContent-Length: 7\r\nContent-Type: "
              "application/x-www-form-urlencoded\r\n\r\na=1&b=2");

    ScriptServer stepwise(OvTest::SendWhole(kHello));
    HttpProgress progress;
    EXPECT_TRUE(endpoint.HttpPostBegin(progress, "127.0.0.1", "s", "q", stepwise.Port()));
    EXPECT_EQ(progress.state, HTTP_SENDING);
    EXPECT_TRUE(endpoint.HttpCancel(progress));
    EXPECT_NE(stepwise.Request().find("Connection: keep-alive\r\nContent-Length: 1\r\n"),
              std::string::npos);

    // A long host and path fit; a line break in either is refused before anything is sent.
    ByteBuffer request;
    const std::string longPath(100000, 'p');
    EXPECT_TRUE(BuildHttpRequest(request, HttpMethod::Get, "h", longPath.c_str(), nullptr, true));
    EXPECT_EQ(request.count, request.capacity);
    EXPECT_EQ(OvTest::Text(request), "GET /" + longPath +
                                         " HTTP/1.1\r\nHost: h\r\nUser-Agent: Orvane "
                                         "Core\r\nConnection: keep-alive\r\n\r\n");
    EXPECT_FALSE(endpoint.HttpGet("127.0.0.1", "x\r\nEvil: 1", response, stepwise.Port()));
}

TEST_F(HttpTest, BodiesAreFramedByLengthChunksOrClose)
{
    EXPECT_EQ(BlockingGet(OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 010\r\n\r\n"
                                            "12345678tail"))
                  .body,
              "12345678");
    const Outcome chunked = BlockingGet(OvTest::SendWhole(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;name=v\r\nWiki\r\n"
        "5\r\npedia\r\nE\r\n in\r\n\r\nchunks.\r\n0\r\nTrailer: x\r\n\r\n"));
    EXPECT_TRUE(chunked.ok);
    EXPECT_EQ(chunked.body, "Wikipedia in\r\n\r\nchunks.");
    // The last chunk without its closing line, then the close.
    EXPECT_TRUE(BlockingGet(OvTest::SendWhole("HTTP/1.1 200 OK\r\nTransfer-Encoding: "
                                              "chunked\r\n\r\n2\r\nab\r\n0\r\n"))
                    .ok);
    const Outcome untilClose = BlockingGet(OvTest::SendWhole("HTTP/1.0 200 OK\r\n\r\nall of it"));
    EXPECT_TRUE(untilClose.ok);
    EXPECT_EQ(untilClose.body, "all of it");
    const Outcome noContent = BlockingGet(OvTest::SendWhole(
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 204 No Content\r\nContent-Length: 3\r\n\r\nxyz"));
    EXPECT_TRUE(noContent.ok);
    EXPECT_EQ(noContent.body, "");
}

TEST_F(HttpTest, StepwiseStatesRunInOrder)
{
    const Stepped oneBlock = StepwiseGet(OvTest::SendWhole(kHello));
    EXPECT_EQ(oneBlock.states, (std::vector<uint32_t>{20, 17, 19}));
    EXPECT_EQ(oneBlock.progress.total, 5u);
    EXPECT_EQ(oneBlock.progress.done, 5u);
    EXPECT_EQ(oneBlock.body, "hello");

    const Stepped twoBlocks =
        StepwiseGet({{ScriptStep::Send, "HTTP/1.1 200 OK\r\nContent-Length: 010\r\n\r\n1234"},
                     {ScriptStep::Pause, "", 30},
                     {ScriptStep::Send, "5678"}});
    EXPECT_EQ(twoBlocks.states, (std::vector<uint32_t>{20, 17, 18, 19}));
    EXPECT_EQ(twoBlocks.progress.total, 8u);
    EXPECT_EQ(twoBlocks.body, "12345678");

    // Without a length the close completes it.
    const Stepped untilClose = StepwiseGet(OvTest::SendWhole("HTTP/1.1 200 OK\r\n\r\nend"));
    EXPECT_EQ(untilClose.states.back(), HTTP_COMPLETE);
    EXPECT_EQ(untilClose.body, "end");
}

TEST_F(HttpTest, HeadersSplitAnywhereAreFound)
{
    const std::string response =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n";
    for (size_t split = 1; split < response.size(); ++split)
    {
        const Outcome outcome = BlockingGet({{ScriptStep::Send, response.substr(0, split)},
                                             {ScriptStep::Pause, "", 2},
                                             {ScriptStep::Send, response.substr(split)}});
        EXPECT_TRUE(outcome.ok) << "split at " << split;
        EXPECT_EQ(outcome.body, "abcde") << "split at " << split;
    }
    const Stepped byteByByte = StepwiseGet(OvTest::SendSplit(kHello, 1, 1));
    EXPECT_EQ(byteByByte.states, (std::vector<uint32_t>{20, 17, 18, 19}));
    EXPECT_EQ(byteByByte.body, "hello");
}

TEST_F(HttpTest, BrokenResponsesFailCleanly)
{
    const std::vector<std::vector<ScriptStep>> broken = {
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort"),
        {{ScriptStep::Send, "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhe"},
         {ScriptStep::Reset, ""}},
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\nhello"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 4294967296\r\n\r\n"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nContent-Length: 12ab\r\n\r\n"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                          "100000000\r\n"),
        OvTest::SendWhole("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabcX"),
        OvTest::SendWhole("garbage\r\n\r\n"),
    };
    for (size_t i = 0; i < broken.size(); ++i)
    {
        EXPECT_FALSE(BlockingGet(broken[i]).ok) << "case " << i;
        const Stepped stepped = StepwiseGet(broken[i]);
        EXPECT_EQ(stepped.progress.state, HTTP_IDLE) << "case " << i;
    }
    // A stall: the blocking call gives up after its timeout.
    EXPECT_FALSE(
        BlockingGet({{ScriptStep::Send, "HTTP/1.1 200 OK\r\n"}, {ScriptStep::Pause, "", 400}}, "x",
                    100)
            .ok);
}

class HttpStallTest : public OvTest::ManualClockTest
{
};

TEST_F(HttpStallTest, AStalledStepwiseRequestFailsAfterItsTimeout)
{
    NetStartup();
    {
        ScriptServer server(
            {{ScriptStep::Send, "HTTP/1.1 200 OK\r\n"}, {ScriptStep::Pause, "", 300}});
        NetEndpoint endpoint;
        endpoint.timeout = 2000;
        HttpProgress progress;
        ByteBuffer response;
        ASSERT_TRUE(endpoint.HttpGetBegin(progress, "127.0.0.1", "x", server.Port()));
        for (int i = 0; i < 20; ++i)
            endpoint.HttpStep(progress, response);
        EXPECT_EQ(progress.state, HTTP_AWAITING_HEADER);
        PlatformTestAdvanceTime(2.5);
        endpoint.HttpStep(progress, response);
        EXPECT_EQ(progress.state, HTTP_IDLE);
        EXPECT_EQ(endpoint.mode, NetEndpoint::MODE_IDLE);
        EXPECT_FALSE(endpoint.HttpCancel(progress));
    }
    NetShutdown();
}

} // namespace
