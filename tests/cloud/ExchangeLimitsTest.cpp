// The console's bounds on its exchanges are those the README gives, and a raised stop signal
// ends either exchange of the client at once, each in its own way.
#include "cloud/ApiConstants.h"
#include "cloud/HttpClient.h"
#include "platform/core/StopSignal.h"
#include "platform/inet/InternetException.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <sstream>

namespace {

using namespace std::chrono_literals;

class ExchangeLimitsTest : public ::testing::Test
{
protected:
    // Runs work on a thread that obeys a stop signal and raises the signal once the platform
    // has the request. True when the work then ended well before the 20 s receive time-out
    // could have ended it instead.
    template <class Work>
    bool EndedByStopSignal(Work work)
    {
        CStopSignal signal;
        auto done = std::async(std::launch::async, [&] {
            AfxSetThreadStopSignal(&signal);
            work();
        });
        EXPECT_TRUE(platform.waitForRequests(1, 10s));
        signal.Raise();
        return done.wait_for(10s) == std::future_status::ready;
    }

    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

// The README's table of time-outs gives the operator the console's bounds on each exchange.
TEST(ExchangeTimeoutsTest, theConsolesBoundsAreTheReadmesFigures)
{
    std::ifstream readme(QUORVANE_README);
    const std::string text{std::istreambuf_iterator<char>(readme), {}};
    for (const auto& [exchange, timeouts] :
         {std::pair{"status query (GET, polling thread)", STATUS_QUERY_TIMEOUTS},
          std::pair{"relay command (POST, window waits)", SWITCH_COMMAND_TIMEOUTS}}) {
        std::ostringstream row;
        row << "\n| " << exchange;
        for (const DWORD dwMs : {timeouts.dwConnectMs, timeouts.dwReceiveMs, timeouts.dwTotalMs})
            row << " | " << dwMs / 1000.0 << " s";
        row << " |\n";
        EXPECT_NE(text.find(row.str()), std::string::npos) << row.str();
    }
}

TEST_F(ExchangeLimitsTest, stopSignalEndsGetPromptlyWithEmptyText)
{
    platform.scriptReply(fake::Reply::Silence());
    CString result = L"unset";
    EXPECT_TRUE(
        EndedByStopSignal([&] { result = CHttpClient().HttpGet(L"devices/1", nullptr, STATUS_QUERY_TIMEOUTS); }));
    EXPECT_EQ(result, L"");
}

TEST_F(ExchangeLimitsTest, stopSignalEndsPostWithException)
{
    platform.scriptReply(fake::Reply::Silence());
    DWORD error = 0;
    EXPECT_TRUE(EndedByStopSignal([&] {
        try {
            CHttpClient().HttpPost(CString(g_szCommandUrlPrefix) + L"1", SWITCH_ON_BODY, 11, nullptr,
                                   SWITCH_COMMAND_TIMEOUTS);
        } catch (CInternetException* e) {
            error = e->m_dwError;
            e->Delete();
        }
    }));
    EXPECT_EQ(error, ERROR_INTERNET_OPERATION_CANCELLED);
}

TEST_F(ExchangeLimitsTest, stopSignalEndsSlowBodyRead)
{
    fake::Reply slow;
    slow.body = std::string(100, 'x');
    slow.resetAfterBodyBytes = 10;
    slow.delay = 60s;
    platform.scriptReply(slow);
    EXPECT_TRUE(EndedByStopSignal([] { CHttpClient().HttpGet(L"devices/1", nullptr, STATUS_QUERY_TIMEOUTS); }));
}

} // namespace
