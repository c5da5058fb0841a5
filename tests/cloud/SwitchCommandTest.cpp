#include "cloud/SwitchCommand.h"
#include "platform/inet/InternetException.h"
#include "tests/support/AccountData.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

using fake::Reply;

class SendSwitchCommandTest : public ::testing::Test
{
protected:
    const DEVICE device = MakeDevice(L"", L"key7", L"dev7", L"", L"", L"");
    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

TEST_F(SendSwitchCommandTest, postsTheBodyOfTheCommandToTheDevicesCommandUrlWithItsKey)
{
    SendSwitchCommand(device, TRUE);
    SendSwitchCommand(device, FALSE);

    const auto posts = platform.requests();
    ASSERT_EQ(posts.size(), 2u);
    const std::string bodies[] = {"s,-1,90,300", "s,0,90,300"};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(posts[i].requestLine,
                  "POST http://" QUORVANE_API_HOST "/cmds?qos=1&timeout=10&device_id=dev7 HTTP/1.1");
        EXPECT_EQ(posts[i].headers("api-key"), std::vector<std::string>{"api-key:key7"});
        EXPECT_EQ(posts[i].headers("Content-Length"),
                  std::vector<std::string>{"Content-Length: " + std::to_string(bodies[i].size())});
        EXPECT_EQ(posts[i].body, bodies[i]);
    }
}

// Whatever the platform answers, the command is done once the answer is in.
TEST_F(SendSwitchCommandTest, anyAnswerEndsTheCommandQuietly)
{
    for (const Reply& reply : {Reply::Json("{\"errno\":1}", 500), Reply::Json("not json"),
                               Reply::Json("{\"pad\":\"" + std::string(2000, 'x') + "\"}")}) {
        platform.scriptReply(reply);
        EXPECT_NO_THROW(SendSwitchCommand(device, TRUE));
    }
}

TEST_F(SendSwitchCommandTest, anUnreachablePlatformRaisesTheExchangesError)
{
    const fake::ProxyEnvironment refused(fake::RefusingUrl());
    DWORD dwError = 0;
    try {
        SendSwitchCommand(device, FALSE);
    } catch (CInternetException* e) {
        dwError = e->m_dwError;
        e->Delete();
    }
    EXPECT_EQ(dwError, ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_TRUE(platform.requests().empty());
}

} // namespace
