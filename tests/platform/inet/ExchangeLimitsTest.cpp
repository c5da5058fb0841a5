// How long an exchange may hold its thread when the server is slow: a silent one is given up
// after the receive time-out, and one that keeps sending, however slowly, after the total
// time-out. What a hostile answer can make the exchange keep or do.
#include "platform/core/StopSignal.h"
#include "platform/inet/HttpConnection.h"
#include "platform/inet/HttpFile.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

namespace {

using namespace std::chrono_literals;
using fake::Reply;

constexpr LPCTSTR kServer = L"inet.test";

// How an exchange made through the layer's own objects ended, and what of its answer was kept.
struct Outcome
{
    DWORD error = 0; // 0: the answer came to its end
    bool bHeadArrived = false;
    std::string kept;
};

// A GET or a POST through a session whose total time-out is dwTotalTimeoutMs, reading the
// whole body. It runs on a thread with a stop signal: should the time-out not end it, the
// signal does after a generous wait, so that the test fails instead of hanging.
Outcome Exchange(int nVerb, DWORD dwTotalTimeoutMs)
{
    CStopSignal signal;
    auto done = std::async(std::launch::async, [&] {
        AfxSetThreadStopSignal(&signal);
        Outcome outcome;
        try {
            CInternetSession session;
            session.SetOption(INTERNET_OPTION_TOTAL_TIMEOUT, dwTotalTimeoutMs);
            std::unique_ptr<CHttpConnection> connection(session.GetHttpConnection(kServer));
            const bool bPost = nVerb == HTTP_VERB_POST;
            std::unique_ptr<CHttpFile> file(
                connection->OpenRequest(nVerb, L"devices/1", bPost ? L"HTTP/1.1" : nullptr));
            file->AddRequestHeaders(L"api-key:k1");
            file->SendRequest(bPost ? "body" : nullptr, bPost ? 4 : 0);
            outcome.bHeadArrived = true;
            char buffer[4096];
            while (const UINT n = file->Read(buffer, sizeof buffer))
                outcome.kept.append(buffer, n);
        } catch (CInternetException* e) {
            outcome.error = e->m_dwError;
            e->Delete();
        }
        return outcome;
    });
    if (done.wait_for(20s) != std::future_status::ready)
        signal.Raise();
    return done.get();
}

class ExchangeLimitsTest : public ::testing::Test
{
protected:
    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

TEST_F(ExchangeLimitsTest, silentServerIsGivenUpAfterReceiveTimeout)
{
    platform.scriptReply(fake::Reply::Silence());
    CInternetSession session;
    session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 300);
    std::unique_ptr<CHttpConnection> connection(session.GetHttpConnection(kServer));
    std::unique_ptr<CHttpFile> file(connection->OpenRequest(HTTP_VERB_GET, L"devices/1"));
    DWORD error = 0;
    try {
        file->SendRequest();
    } catch (CInternetException* e) {
        error = e->m_dwError;
        e->Delete();
    }
    EXPECT_EQ(error, ERROR_INTERNET_TIMEOUT);
}

// Neither a body sent a byte at a time nor a head that never ends outlasts the total
// time-out, for either verb.
TEST_F(ExchangeLimitsTest, totalTimeoutEndsTrickledAnswers)
{
    const std::string body(100, 'x');
    for (const int nVerb : {HTTP_VERB_GET, HTTP_VERB_POST}) {
        // Five seconds' worth of body: far beyond the bound, and never silent for long.
        platform.scriptReply(Reply::Trickled(body, 50ms));
        const Outcome trickledBody = Exchange(nVerb, 300);
        EXPECT_EQ(trickledBody.error, ERROR_INTERNET_TIMEOUT) << nVerb;
        EXPECT_TRUE(trickledBody.bHeadArrived) << nVerb;
        EXPECT_LT(trickledBody.kept.size(), body.size()) << nVerb;

        platform.scriptReply(Reply::TrickledHead(20ms));
        const Outcome endlessHead = Exchange(nVerb, 300);
        EXPECT_EQ(endlessHead.error, ERROR_INTERNET_TIMEOUT) << nVerb;
        EXPECT_FALSE(endlessHead.bHeadArrived) << nVerb;
        EXPECT_EQ(endlessHead.kept, "") << nVerb;
    }
    EXPECT_EQ(platform.requestCount(), 4u);
}

// Each ends the exchange as an invalid answer or as the answer itself, after one request and
// well under a megabyte sent, for either verb.
TEST_F(ExchangeLimitsTest, hostileAnswersAreRefusedOrTakenAsTheyAre)
{
    const std::string json = "{\"errno\":0}";
    const struct
    {
        const char* what;
        Reply reply;
        DWORD error;
        std::string kept;
    } rows[] = {
        {"endless trailer", Reply::EndlessTrailers(json), ERROR_HTTP_INVALID_SERVER_RESPONSE, json},
        {"gzip, gzip, chunked",
         Reply::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, gzip, chunked\r\n\r\nb\r\n" + json + "\r\n0\r\n\r\n"),
         ERROR_HTTP_INVALID_SERVER_RESPONSE, ""},
        {"gzip", Reply::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n" + json),
         ERROR_HTTP_INVALID_SERVER_RESPONSE, ""},
        {"endless head", Reply::TrickledHead(0ms), ERROR_HTTP_INVALID_SERVER_RESPONSE, ""},
        {"300", Reply::Redirect("/devices/7", 300), 0, "moved"},
        {"304", Reply::Redirect("/devices/7", 304), 0, ""},
        {"305", Reply::Redirect("/devices/7", 305), 0, "moved"},
    };
    for (const int nVerb : {HTTP_VERB_GET, HTTP_VERB_POST}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << row.what << (nVerb == HTTP_VERB_GET ? " GET" : " POST"));
            platform.clearRequests();
            platform.scriptReply(row.reply);
            const Outcome outcome = Exchange(nVerb, 10000);
            EXPECT_EQ(outcome.error, row.error);
            EXPECT_EQ(outcome.kept, row.kept);
            ASSERT_TRUE(platform.waitUntilIdle(10s));
            EXPECT_EQ(platform.requestCount(), 1u);
            EXPECT_LT(platform.bytesSent(), 1u << 20);
        }
    }
}

} // namespace
