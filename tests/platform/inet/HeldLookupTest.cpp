// A name lookup that never answers must end with the connect time-out or a stop, like every
// other wait. This program puts its own getaddrinfo in front of the C library's (and of a
// sanitizer's): it holds the lookup of one name until the test lets it go, and passes every
// other name on.
#include "platform/core/StopSignal.h"
#include "platform/inet/HttpConnection.h"
#include "platform/inet/HttpFile.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <netdb.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr char kHeldName[] = "held-lookup.test";
// Far longer than any exchange of these tests may last, yet short of CTest's limit, so a
// client that waits for the lookup fails rather than hangs.
constexpr auto kHoldAtMost = 20s;

std::mutex g_mutex;
std::condition_variable g_changed;
int g_nHeld = 0; // lookups of the held name that have not returned
bool g_bReleased = false;
pid_t g_heldThread = 0; // the thread of the last held lookup

template <class Predicate>
bool WaitUntil(Predicate done)
{
    std::unique_lock lock(g_mutex);
    return g_changed.wait_for(lock, kHoldAtMost, done);
}

bool ThreadRuns(pid_t thread)
{
    return std::filesystem::exists("/proc/self/task/" + std::to_string(thread));
}

} // namespace

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** res)
{
    if (!node || std::strcmp(node, kHeldName) != 0) {
        using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
        static const auto next = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
        return next(node, service, hints, res);
    }
    std::unique_lock lock(g_mutex);
    ++g_nHeld;
    g_heldThread = gettid();
    g_changed.notify_all();
    g_changed.wait_for(lock, kHoldAtMost, [] { return g_bReleased; });
    --g_nHeld;
    g_changed.notify_all();
    return EAI_AGAIN;
}

namespace {

struct HeldLookupCase
{
    const char* what;
    std::string proxy; // "" for none
    bool bStop;        // else the short connect time-out ends the exchange
    DWORD expected;
};

TEST(HeldLookupTest, connectTimeoutOrStopEndsTheExchangeWhileTheLookupIsStillHeld)
{
    const std::string heldUrl = std::string("http://") + kHeldName + ":8080";
    const CString heldServer(std::wstring(kHeldName, kHeldName + std::strlen(kHeldName)));
    const HeldLookupCase cases[] = {
        {"server, time-out", "", false, ERROR_INTERNET_TIMEOUT},
        {"server, stop", "", true, ERROR_INTERNET_OPERATION_CANCELLED},
        {"proxy, time-out", heldUrl, false, ERROR_INTERNET_TIMEOUT},
        {"proxy, stop", heldUrl, true, ERROR_INTERNET_OPERATION_CANCELLED},
    };
    for (const HeldLookupCase& c : cases) {
        fake::ProxyEnvironment proxy(c.proxy);
        {
            std::lock_guard lock(g_mutex);
            g_bReleased = false;
        }
        CStopSignal signal;
        auto done = std::async(std::launch::async, [&] {
            AfxSetThreadStopSignal(&signal);
            try {
                CInternetSession session;
                // Only the stop may end the stop cases.
                session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, c.bStop ? 60000 : 300);
                std::unique_ptr<CHttpConnection> connection(session.GetHttpConnection(heldServer));
                std::unique_ptr<CHttpFile> file(connection->OpenRequest(HTTP_VERB_GET, L"devices/1"));
                file->SendRequest();
            } catch (CInternetException* e) {
                const DWORD error = e->m_dwError;
                e->Delete();
                return error;
            }
            return DWORD{0};
        });
        if (c.bStop) {
            ASSERT_TRUE(WaitUntil([] { return g_nHeld > 0; })) << c.what;
            signal.Raise();
        }
        EXPECT_EQ(done.get(), c.expected) << c.what;
        pid_t heldThread = 0;
        {
            std::lock_guard lock(g_mutex);
            EXPECT_EQ(g_nHeld, 1) << c.what << ": the exchange waited for the lookup";
            heldThread = g_heldThread;
            g_bReleased = true;
            g_changed.notify_all();
        }
        // The thread left behind frees what it holds once its lookup returns, and ends.
        ASSERT_TRUE(WaitUntil([] { return g_nHeld == 0; })) << c.what;
        for (int i = 0; i < 1000 && ThreadRuns(heldThread); ++i)
            std::this_thread::sleep_for(10ms);
        EXPECT_FALSE(ThreadRuns(heldThread)) << c.what;
    }
}

} // namespace
