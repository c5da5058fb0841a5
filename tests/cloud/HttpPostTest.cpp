#include "cloud/ApiConstants.h"
#include "cloud/HttpClient.h"
#include "platform/inet/InternetException.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using fake::Reply;

class HttpPostTest : public ::testing::Test
{
protected:
    CString Post(const char* body, CArray<CString, CString>* headers = nullptr, CString url = CommandUrl(L"42"))
    {
        CHttpClient client;
        return client.HttpPost(url, body, static_cast<int>(strlen(body)), headers, SWITCH_COMMAND_TIMEOUTS);
    }
    static CString CommandUrl(LPCTSTR id) { return CString(g_szCommandUrlPrefix) + id; }

    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

// The error code that a POST raised, or 0 when it returned.
DWORD PostError(const std::function<void()>& post)
{
    try {
        post();
    } catch (CInternetException* e) {
        const DWORD error = e->m_dwError;
        TCHAR text[128];
        EXPECT_TRUE(e->GetErrorMessage(text, 128));
        e->Delete();
        return error;
    }
    return 0;
}

TEST_F(HttpPostTest, sendsHttp11RequestWithFixedHeadersAndExactBody)
{
    platform.setDevice("42", true, 0);
    CArray<CString, CString> headers;
    headers.Add(L"api-key:k1");
    headers.Add(L"accept: text/html");
    Post(SWITCH_ON_BODY, &headers);

    const auto requests = platform.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& request = requests.front();
    EXPECT_EQ(request.requestLine, "POST http://" QUORVANE_API_HOST "/cmds?qos=1&timeout=10&device_id=42 HTTP/1.1");
    EXPECT_EQ(request.headers("Content-Type"),
              std::vector<std::string>{"Content-Type: application/json;charset=UTF-8"});
    EXPECT_EQ(request.headers("Accept"), std::vector<std::string>{"Accept: */*"});
    EXPECT_EQ(request.headers("api-key"), std::vector<std::string>{"api-key:k1"});
    EXPECT_EQ(request.headers("Content-Length"), std::vector<std::string>{"Content-Length: 11"});
    EXPECT_TRUE(request.headers("Expect").empty());
    EXPECT_EQ(request.body, "s,-1,90,300");
    EXPECT_EQ(platform.device("42")->relay, 1);

    Post(SWITCH_OFF_BODY, &headers);
    EXPECT_EQ(platform.requests().back().body, "s,0,90,300");
    EXPECT_EQ(platform.device("42")->relay, 0);
}

TEST_F(HttpPostTest, returnsAnswerLinesWhateverTheStatus)
{
    platform.scriptReply(Reply::Json("line one\r\nline two", 500));
    EXPECT_EQ(Post(SWITCH_ON_BODY), L"line one\r\nline two\r\n");

    platform.scriptReply(Reply::Json("a\n\rb\n\n"));
    EXPECT_EQ(Post(SWITCH_ON_BODY), L"a\r\nb\r\n\r\n");

    platform.scriptReply(Reply::Json(""));
    EXPECT_EQ(Post(SWITCH_ON_BODY), L"");
}

TEST_F(HttpPostTest, redirectIsNotFollowed)
{
    CArray<CString, CString> headers;
    headers.Add(L"api-key:k1");
    for (const char* location : {"http://" QUORVANE_API_HOST "/elsewhere", "http://other.example/cmds"}) {
        platform.clearRequests();
        platform.scriptReply(Reply::Redirect(location));
        EXPECT_EQ(Post(SWITCH_OFF_BODY, &headers), L"moved\r\n");
        ASSERT_EQ(platform.requestCount(), 1u);
        EXPECT_EQ(platform.requests().front().host, QUORVANE_API_HOST);
    }
}

// The answer is kept up to 32767 bytes, however long it runs; the rest is not read, and the
// platform sees the connection closed.
TEST_F(HttpPostTest, answerIsCutAt32767Bytes)
{
    Reply longLine;
    longLine.body = std::string(40000, 'x');
    platform.scriptReply(longLine);
    EXPECT_EQ(Post(SWITCH_ON_BODY), CString(L'x', 32767) + L"\r\n");

    // 8191 lines "ab" and, cut after its CR, an 8192nd.
    platform.scriptReply(Reply::Endless("ab\r\n"));
    CString lines;
    for (int i = 0; i < 8192; ++i)
        lines += L"ab\r\n";
    EXPECT_EQ(Post(SWITCH_ON_BODY), lines);
    EXPECT_TRUE(platform.waitUntilIdle(10s));
}

TEST_F(HttpPostTest, transportFailuresRaise)
{
    const std::string refused = fake::RefusingUrl() + "/cmds";
    {
        fake::ProxyEnvironment direct("");
        EXPECT_EQ(PostError([&] { Post(SWITCH_ON_BODY, nullptr, FromUtf8(refused)); }), ERROR_INTERNET_CANNOT_CONNECT);
    }
    platform.scriptReply(Reply::Raw("garbage\r\n\r\n"));
    EXPECT_EQ(PostError([&] { Post(SWITCH_ON_BODY); }), ERROR_HTTP_INVALID_SERVER_RESPONSE);

    Reply reset;
    reset.body = std::string(5000, 'x');
    reset.resetAfterBodyBytes = 100;
    platform.scriptReply(reset);
    EXPECT_NE(PostError([&] { Post(SWITCH_ON_BODY); }), 0u);

    EXPECT_EQ(PostError([&] { Post(SWITCH_ON_BODY, nullptr, L"not a url"); }), ERROR_INTERNET_INVALID_URL);
}

} // namespace
