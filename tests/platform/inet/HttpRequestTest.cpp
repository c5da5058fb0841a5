#include "platform/inet/HttpConnection.h"
#include "platform/inet/HttpFile.h"
#include "platform/inet/InternetSession.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

constexpr LPCTSTR kServer = L"inet.test";

// Requests made through the layer's own objects, their bytes read by the fake platform.
class HttpRequestTest : public ::testing::Test
{
protected:
    std::unique_ptr<CHttpFile> Open(int nVerb, LPCTSTR pszObject, INTERNET_PORT nPort = INTERNET_DEFAULT_HTTP_PORT)
    {
        m_connection.reset(m_session.GetHttpConnection(kServer, nPort));
        return std::unique_ptr<CHttpFile>(m_connection->OpenRequest(nVerb, pszObject));
    }

    // Sends the request and gives what the platform received.
    fake::RecordedRequest Sent(CHttpFile& file)
    {
        platform.clearRequests();
        file.SendRequest();
        const auto requests = platform.requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? fake::RecordedRequest() : requests.front();
    }

    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
    CInternetSession m_session;
    std::unique_ptr<CHttpConnection> m_connection;
};

TEST_F(HttpRequestTest, aHeaderIsAddedOnlyWhenNoLineOfThatNameIsThere)
{
    const auto file = Open(HTTP_VERB_GET, L"/x");
    EXPECT_TRUE(file->AddRequestHeaders(L"Accept: a\r\nX-One: 1\r\n"));
    // The name compares without regard to case or the blanks around it; the new lines of the
    // same text are added all the same.
    EXPECT_FALSE(file->AddRequestHeaders(L"ACCEPT: b\r\nX-Two: 2\n x-one :3\r\nX-Three:3"));
    EXPECT_FALSE(file->AddRequestHeaders(L"no colon"));
    EXPECT_FALSE(file->AddRequestHeaders(L" : no name"));
    EXPECT_FALSE(file->AddRequestHeaders(L"X-Four: 4", 0));

    const auto request = Sent(*file);
    EXPECT_FALSE(file->AddRequestHeaders(L"X-Late: 5"));
    const std::vector<std::string> added{"Accept: a", "X-One: 1", "X-Two: 2", "X-Three:3"};
    std::vector<std::string> kept;
    for (const std::string& line : request.headerLines)
        if (std::find(added.begin(), added.end(), line) != added.end())
            kept.push_back(line);
    EXPECT_EQ(kept, added) << request.raw;
    EXPECT_EQ(request.headers("Accept"), std::vector<std::string>{"Accept: a"});
    EXPECT_EQ(request.headers("X-One"), std::vector<std::string>{"X-One: 1"});
    EXPECT_TRUE(request.headers("X-Four").empty());
    EXPECT_EQ(request.raw.find("no "), std::string::npos) << request.raw;
}

// libcurl would leave out a header line with nothing after its colon.
TEST_F(HttpRequestTest, aHeaderWithAnEmptyValueIsSentAsWritten)
{
    for (const int nVerb : {HTTP_VERB_GET, HTTP_VERB_POST}) {
        const auto file = Open(nVerb, L"/x");
        file->AddRequestHeaders(L"api-key:");
        const auto request = Sent(*file);
        EXPECT_NE(request.raw.find("\r\napi-key:\r\n"), std::string::npos) << request.raw;
        EXPECT_EQ(request.headers("api-key"), std::vector<std::string>{"api-key:"});
    }
}

// Characters that cannot stand in a request line as they are still name the same object;
// the rest, '%' included, go as they are.
TEST_F(HttpRequestTest, theObjectKeepsItsCharactersInTheRequestLine)
{
    const auto file = Open(HTTP_VERB_POST, L"/cmds?device_id=a&b#c d/%41\t\x7f在");
    EXPECT_EQ(Sent(*file).path, "/cmds?device_id=a&b%23c%20d/%41%09%7F%D4%DA");
}

TEST_F(HttpRequestTest, aRelativeObjectIsAtTheServersRootAndOnlyAPortOtherThan80IsNamed)
{
    const auto relative = Open(HTTP_VERB_GET, L"devices/1");
    EXPECT_EQ(Sent(*relative).requestLine, "GET http://inet.test/devices/1 HTTP/1.0");
    const auto onPort = Open(HTTP_VERB_GET, L"/devices/1", 8080);
    EXPECT_EQ(Sent(*onPort).requestLine, "GET http://inet.test:8080/devices/1 HTTP/1.0");
}

} // namespace
