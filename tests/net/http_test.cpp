// The HTTP client against a scripted server that is not our endpoint: request texts byte
// for byte, framing by length, chunks and close, the stepwise states, and every way a
// response can be cut, split, stalled or malformed.
#include <string>

#include "net/http_request.h"
#include "net/net_fixture.h"
#include "net/script_server.h"
#include "support/failing_allocation.h"
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
    ByteBuffer response = OvTest::Bytes("previous"); // what a failure must leave
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
    std::string body;          // what the request appended
    bool keptPrevious = false; // the response still began with what it held before
};

Stepped StepwiseGet(std::vector<ScriptStep> script)
{
    ScriptServer server(std::move(script));
    NetEndpoint endpoint;
    Stepped run;
    ByteBuffer response = OvTest::Bytes("previous");
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
    const std::string text = OvTest::Text(response);
    run.keptPrevious = text.compare(0, 8, "previous") == 0;
    run.body = run.keptPrevious ? text.substr(8) : text;
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
        const Outcome blocking = BlockingGet(broken[i]);
        EXPECT_FALSE(blocking.ok) << "case " << i;
        EXPECT_EQ(blocking.body, "previous") << "case " << i;
        const Stepped stepped = StepwiseGet(broken[i]);
        EXPECT_EQ(stepped.progress.state, HTTP_IDLE) << "case " << i;
        EXPECT_TRUE(stepped.keptPrevious) << "case " << i;
    }
    // A reset in the body: the stepwise response keeps what came before it (the system may
    // drop unread bytes with the reset).
    const Stepped reset = StepwiseGet(broken[1]);
    EXPECT_EQ(std::string("he").compare(0, reset.body.size(), reset.body), 0) << reset.body;
    // A stall in the header or in the body: the blocking call gives up after its timeout.
    for (const char* sent :
         {"HTTP/1.1 200 OK\r\n", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nhalf"})
    {
        const Outcome stalled =
            BlockingGet({{ScriptStep::Send, sent}, {ScriptStep::Pause, "", 400}}, "x", 100);
        EXPECT_FALSE(stalled.ok) << sent;
        EXPECT_EQ(stalled.body, "previous") << sent;
    }
}

// A body too large for memory: each of its big allocations failed in turn fails the call.
TEST_F(HttpTest, ABodyThatFindsNoMemoryFailsAndKeepsThePreviousResponse)
{
    constexpr size_t kBig = 1536 * 1024;
    const std::string large =
        "HTTP/1.1 200 OK\r\nContent-Length: 2097152\r\n\r\n" + std::string(2 * 1024 * 1024, 'b');
    bool failed = true;
    for (unsigned pass = 0; failed && pass < 32; ++pass)
    {
        ScriptServer server(OvTest::SendWhole(large));
        NetEndpoint endpoint;
        ByteBuffer response = OvTest::Bytes("previous");
        bool ok = false;
        {
            const OvTest::FAILING_ALLOCATION trap(kBig, pass);
            ok = endpoint.HttpGet("127.0.0.1", "x", response, server.Port());
            failed = trap.Failed();
        }
        EXPECT_NE(ok, failed) << "big allocation " << pass;
        if (failed)
            EXPECT_EQ(OvTest::Text(response), "previous") << "big allocation " << pass;
        else
            EXPECT_EQ(response.count, 2u * 1024 * 1024);
        EXPECT_EQ(endpoint.mode, NetEndpoint::MODE_IDLE);
    }
    EXPECT_FALSE(failed) << "the body still found no memory";
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

TEST_F(HttpStallTest, AStallInTheBodyFailsTheStepwiseRequestAndKeepsWhatCame)
{
    NetStartup();
    {
        ScriptServer server({{ScriptStep::Send, "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nhalf"},
                             {ScriptStep::Pause, "", 300}});
        NetEndpoint endpoint;
        endpoint.timeout = 2000;
        HttpProgress progress;
        ByteBuffer response = OvTest::Bytes("previous");
        ASSERT_TRUE(endpoint.HttpGetBegin(progress, "127.0.0.1", "x", server.Port()));
        for (int i = 0; i < 20000 && progress.done < 4; ++i)
        {
            endpoint.HttpStep(progress, response);
            usleep(50);
        }
        EXPECT_EQ(progress.state, HTTP_RECEIVING_BODY);
        EXPECT_EQ(progress.done, 4u);
        PlatformTestAdvanceTime(2.5);
        endpoint.HttpStep(progress, response);
        EXPECT_EQ(progress.state, HTTP_IDLE);
        EXPECT_EQ(endpoint.mode, NetEndpoint::MODE_IDLE);
        EXPECT_EQ(OvTest::Text(response), "previoushalf");
    }
    NetShutdown();
}

} // namespace
