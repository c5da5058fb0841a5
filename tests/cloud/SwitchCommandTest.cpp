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
    SendSwitchCommand(device, TRUE, SWITCH_COMMAND_TIMEOUTS);
    SendSwitchCommand(device, FALSE, SWITCH_COMMAND_TIMEOUTS);

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
        EXPECT_NO_THROW(SendSwitchCommand(device, TRUE, SWITCH_COMMAND_TIMEOUTS));
    }
}

// An unreachable platform, or one that trickles its answer past the bounds the command was
// given, ends the command with the exchange's error.
TEST_F(SendSwitchCommandTest, aFailedExchangeRaisesItsError)
{
    using namespace std::chrono_literals;
    auto errorOfCommand = [this](const EXCHANGE_TIMEOUTS& timeouts) {
        try {
            SendSwitchCommand(device, FALSE, timeouts);
        } catch (CInternetException* e) {
            const DWORD dwError = e->m_dwError;
            e->Delete();
            return dwError;
        }
        return DWORD(0);
    };
    // Five seconds' worth of answer, never silent for long, against a bound of one.
    platform.scriptReply(Reply::Trickled(std::string(100, ' '), 50ms));
    EXPECT_EQ(errorOfCommand({5000, 5000, 1000}), ERROR_INTERNET_TIMEOUT);

    const fake::ProxyEnvironment refused(fake::RefusingUrl());
    EXPECT_EQ(errorOfCommand(SWITCH_COMMAND_TIMEOUTS), ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(platform.requestCount(), 1u);
}

} // namespace
