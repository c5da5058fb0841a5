#include "cloud/HttpClient.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace std::chrono_literals;
using fake::Reply;

const std::string kAcceptLine =
    "Accept: audio/x-aiff, audio/basic, audio/midi,\t\t\t\t\t\t audio/mpeg, audio/wav, image/jpeg, image/gif, "
    "image/jpg, image/png,\t\t\t\t\t\t image/mng, image/bmp, text/plain, text/html, text/htm";

class HttpGetTest : public ::testing::Test
{
protected:
    CString Get(LPCTSTR path, CArray<CString, CString>* headers = nullptr)
    {
        CHttpClient client;
        return client.HttpGet(path, headers, STATUS_QUERY_TIMEOUTS);
    }
    fake::RecordedRequest OnlyRequest() const
    {
        const auto requests = platform.requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? fake::RecordedRequest() : requests.front();
    }

    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

TEST_F(HttpGetTest, sendsHttp10RequestWithStoredAcceptLineThenCallersLines)
{
    platform.scriptReply(Reply::Json("{\"errno\":0}"));
    CArray<CString, CString> headers;
    headers.Add(L"api-key:k1");
    EXPECT_EQ(Get(L"devices/42", &headers), L"{\"errno\":0}");

    const auto request = OnlyRequest();
    EXPECT_EQ(request.requestLine, "GET http://" QUORVANE_API_HOST "/devices/42 HTTP/1.0");
    ASSERT_EQ(kAcceptLine.size() + 2, 182u);
    ASSERT_EQ(request.headers("Accept").size(), 1u);
    EXPECT_EQ(request.headers("Accept").front(), kAcceptLine);
    EXPECT_EQ(request.headers("api-key"), std::vector<std::string>{"api-key:k1"});
    EXPECT_EQ(request.headers("User-Agent"), std::vector<std::string>{"User-Agent: cloud_client_tests"});
    EXPECT_TRUE(request.headers("Expect").empty());
    const auto accept = std::find(request.headerLines.begin(), request.headerLines.end(), kAcceptLine);
    EXPECT_EQ(accept + 1, std::find(request.headerLines.begin(), request.headerLines.end(), "api-key:k1"));
    EXPECT_TRUE(request.body.empty());
}

TEST_F(HttpGetTest, addsOnlyHeadersNotYetOnTheRequest)
{
    platform.scriptReply(Reply::Json("{}"));
    CArray<CString, CString> headers;
    headers.Add(L"ACCEPT: text/json");
    headers.Add(L"api-key:first\r\n");
    headers.Add(L"Api-Key:second");
    Get(L"devices/1", &headers);

    const auto request = OnlyRequest();
    EXPECT_EQ(request.headers("Accept"), std::vector<std::string>{kAcceptLine});
    EXPECT_EQ(request.headers("api-key"), std::vector<std::string>{"api-key:first"});
}

TEST_F(HttpGetTest, nullHeaderListSendsOnlyTheAcceptLine)
{
    platform.scriptReply(Reply::Json("{}"));
    Get(L"devices/1");
    const auto request = OnlyRequest();
    EXPECT_EQ(request.headers("Accept").size(), 1u);
    EXPECT_TRUE(request.headers("api-key").empty());
}

TEST_F(HttpGetTest, everyStatusButOkYieldsEmptyText)
{
    for (int status : {204, 404, 500, 201}) {
        platform.scriptReply(Reply::Json("{\"errno\":0}", status));
        EXPECT_EQ(Get(L"devices/1"), L"") << status;
    }
    platform.scriptReply(Reply::Json(""));
    EXPECT_EQ(Get(L"devices/1"), L"");
}

// The rest of a longer body is not read: an endless one ends the exchange all the same, and
// the platform sees the connection closed.
TEST_F(HttpGetTest, longBodyIsCutAt32767Bytes)
{
    Reply plain, chunked, endless = Reply::Endless("abcdefghij");
    plain.body = chunked.body = std::string(40000, 'a');
    plain.body[32766] = chunked.body[32766] = 'z';
    chunked.chunked = true;
    for (const Reply& reply : {plain, chunked, endless}) {
        platform.scriptReply(reply);
        const CString text = Get(L"devices/1");
        ASSERT_EQ(text.GetLength(), 32767);
        EXPECT_EQ(text[32766], reply.endless ? L'g' : L'z');
        EXPECT_TRUE(platform.waitUntilIdle(10s));
    }
}

TEST_F(HttpGetTest, bodyEndsAtItsFirstNulByte)
{
    Reply reply;
    reply.body = std::string("{\"a\":1}\0tail", 12);
    platform.scriptReply(reply);
    EXPECT_EQ(Get(L"devices/1"), L"{\"a\":1}");
}

TEST_F(HttpGetTest, bodyIsDecodedFromTheCodePage)
{
    platform.scriptReply(Reply::Json("{\"name\":\"\xd4\xda\xcf\xdf\"}"));
    EXPECT_EQ(Get(L"devices/1"), L"{\"name\":\"在线\"}");
}

// The device's key goes to the API host and nowhere else: a redirect is followed only on that
// host and port, and one elsewhere is a status other than 200.
TEST_F(HttpGetTest, followsRedirectsOnTheApiHostOnly)
{
    platform.setDevice("7", true, 1);
    CArray<CString, CString> headers;
    headers.Add(L"api-key:k1");
    const auto hostsWithKey = [this] {
        std::set<std::string> hosts;
        for (const auto& request : platform.requests())
            if (!request.headers("api-key").empty())
                hosts.insert(request.host);
        return hosts;
    };

    // Whatever the body does: goes on past one read until the close, or without end.
    Reply endless = Reply::Redirect("/devices/7");
    endless.body = std::string(1000, 'm');
    endless.endless = true;
    const std::vector<Reply> followed = {
        Reply::Redirect("http://" QUORVANE_API_HOST "/devices/7", 301), Reply::Redirect("/devices/7", 301),
        Reply::Redirect("http://" QUORVANE_API_HOST ":80/devices/7", 301),
        Reply::Raw("HTTP/1.0 302 Found\r\nLocation: /devices/7\r\n\r\n" + std::string(100000, 'm')), endless};
    for (size_t i = 0; i < followed.size(); ++i) {
        platform.clearRequests();
        platform.scriptReply(followed[i]);
        const CString text = Get(L"devices/1", &headers);
        EXPECT_NE(text.Find(L"\"online\":true"), -1) << i;
        ASSERT_TRUE(platform.waitUntilIdle(10s));
        EXPECT_LT(platform.bytesSent(), 1u << 20) << i;
        const auto requests = platform.requests();
        ASSERT_EQ(requests.size(), 2u) << i;
        EXPECT_EQ(requests[1].path, "/devices/7");
        EXPECT_EQ(requests[1].headers("api-key"), std::vector<std::string>{"api-key:k1"});
    }

    for (const char* location : {"http://other.example/devices/7", "http://" QUORVANE_API_HOST ":8080/devices/7",
                                 "http://127.0.0.1/devices/7"}) {
        platform.clearRequests();
        Reply redirect = Reply::Redirect(location);
        redirect.body = "{\"errno\":0,\"data\":{\"online\":true}}";
        platform.scriptReply(redirect);
        EXPECT_EQ(Get(L"devices/1", &headers), L"") << location;
        EXPECT_EQ(platform.requestCount(), 1u) << location;
        EXPECT_EQ(hostsWithKey(), std::set<std::string>{QUORVANE_API_HOST}) << location;
    }

    // A hop on the API host first does not open the way to another.
    platform.clearRequests();
    platform.scriptReply(Reply::Redirect("/devices/2"));
    platform.scriptReply(Reply::Redirect("http://other.example/devices/7", 307));
    EXPECT_EQ(Get(L"devices/1", &headers), L"");
    EXPECT_EQ(platform.requestCount(), 2u);
    EXPECT_EQ(hostsWithKey(), std::set<std::string>{QUORVANE_API_HOST});
}

TEST_F(HttpGetTest, redirectLoopOnTheApiHostEndsAfterTenHops)
{
    for (int i = 0; i < 12; ++i)
        platform.scriptReply(Reply::Redirect("/devices/1"));
    EXPECT_EQ(Get(L"devices/1"), L"");
    EXPECT_EQ(platform.requestCount(), 11u);
}

TEST_F(HttpGetTest, brokenAnswersYieldEmptyText)
{
    Reply reset;
    reset.body = std::string(20000, 'x');
    reset.resetAfterBodyBytes = 5000;
    platform.scriptReply(reset);
    EXPECT_EQ(Get(L"devices/1"), L"");

    platform.scriptReply(Reply::Raw("garbage instead of a status line\r\n\r\n{}"));
    EXPECT_EQ(Get(L"devices/1"), L"");

    platform.scriptReply(Reply::Raw(""));
    EXPECT_EQ(Get(L"devices/1"), L"");
}

TEST_F(HttpGetTest, unreachablePlatformYieldsEmptyText)
{
    fake::ProxyEnvironment refused(fake::RefusingUrl());
    EXPECT_EQ(Get(L"devices/1"), L"");
}

} // namespace
