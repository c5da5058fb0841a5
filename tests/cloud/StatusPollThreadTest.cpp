#include "registry/Account.h"
#include "registry/UserListLock.h"
#include "tests/support/AccountData.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StatusPollHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

using fake::Reply;
using Write = FakePollTarget::CellWrite;
using namespace std::chrono_literals;

// Long enough for a worker that should stay quiet to have shown otherwise on loopback.
constexpr auto kQuietSpell = 300ms;

// A JSON answer of exactly nBytes bytes: json (an object) with a padding member added.
std::string PaddedTo(const std::string& json, size_t nBytes)
{
    const std::string head = json.substr(0, json.size() - 1) + ",\"pad\":\"";
    return head + std::string(nBytes - head.size() - 2, 'x') + "\"}";
}

class StatusPollThreadTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CUserListLock lock;
        g_arrDevGroup.RemoveAll();
    }

    // A user whose devices are given as {platform id, API key}; the other fields are never
    // sent, so they are left empty.
    static void AddUser(const std::vector<std::pair<LPCTSTR, LPCTSTR>>& devices)
    {
        DEVGROUP group;
        group.strName = L"user";
        for (const auto& [id, key] : devices)
            group.arrDevice.Add(MakeDevice(L"", key, id, L"", L"", L""));
        CUserListLock lock;
        g_arrDevGroup.Add(group);
    }

    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (const auto& request : platform.requests())
            paths.push_back(request.method + " " + request.path);
        return paths;
    }
    bool StaysQuiet(size_t nRequests) const { return !platform.waitForRequests(nRequests + 1, kQuietSpell); }

    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy{platform.proxyUrl()};
};

TEST_F(StatusPollThreadTest, offlineThenOnlineDevice_queriesInOrderAndWritesTheirCells)
{
    platform.setDevice("a", false, 1, "ka");
    platform.setDevice("b", true, 1, "kb");
    AddUser({{L"a", L"ka"}, {L"b", L"kb"}});
    FakePollTarget target(0);
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(3));
    EXPECT_TRUE(StaysQuiet(3)) << "the cycle ends with a pause";
    worker.Stop();

    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"GET /devices/a", "GET /devices/b", "GET /devices/b/datastreams/status"}));
    const auto requests = platform.requests();
    EXPECT_EQ(requests[0].headers("api-key"), std::vector<std::string>{"api-key:ka"});
    EXPECT_EQ(requests[1].headers("api-key"), std::vector<std::string>{"api-key:kb"});
    EXPECT_EQ(requests[2].headers("api-key"), std::vector<std::string>{"api-key:kb"});
    EXPECT_EQ(target.Writes(), (std::vector<Write>{{0, 0, 4, L"离线"}, {0, 1, 4, L"在线"}, {0, 1, 5, L"通"}}));
    EXPECT_EQ(target.SelectionReads(), 1u);
}

TEST_F(StatusPollThreadTest, unusableDeviceAnswers_writeNothingAndSkipTheStatusQuery)
{
    const std::vector<Reply> unusable = {
        Reply::Json("{\"errno\":0,\"data\":{\"online\":1}}", 500),
        Reply::Json(""),
        Reply::Json("{\"errno\":0,\"data\":"),
        Reply::Json(PaddedTo("{\"errno\":0,\"data\":{\"online\":1}}", 10240)),
        Reply::Json("{\"data\":{\"online\":1}}"),
        Reply::Json("{\"errno\":3,\"data\":{\"online\":1}}"),
        Reply::Json("{\"errno\":0,\"online\":1}"),
        Reply::Json("{\"errno\":0,\"data\":{}}"),
        Reply::Json("[0,{\"online\":1}]"),
    };
    std::vector<std::pair<LPCTSTR, LPCTSTR>> devices(unusable.size(), {L"bad", L"k"});
    for (const Reply& reply : unusable)
        platform.scriptReply(reply);
    // The longest device answer that fits its buffer is still read.
    platform.scriptReply(Reply::Json(PaddedTo("{\"errno\":0,\"data\":{\"online\":1}}", 10239)));
    platform.setDevice("good", true, 0);
    devices.push_back({L"good", L"k"});
    AddUser(devices);
    FakePollTarget target(0);
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(2));
    worker.Stop();
    const int nGood = static_cast<int>(unusable.size());
    EXPECT_EQ(target.Writes(), (std::vector<Write>{{0, nGood, 4, L"在线"}, {0, nGood, 5, L"断"}}));
    std::vector<std::string> expected(unusable.size() + 1, "GET /devices/bad");
    expected.back() = "GET /devices/good";
    expected.push_back("GET /devices/good/datastreams/status");
    EXPECT_EQ(Paths(), expected);
}

TEST_F(StatusPollThreadTest, unusableStatusAnswers_leaveTheRelayCell)
{
    const std::string online = "{\"errno\":0,\"data\":{\"online\":1}}";
    const std::vector<Reply> unusable = {
        Reply::Json("{\"errno\":0,\"data\":{\"current_value\":1}}", 404),
        Reply::Json(""),
        Reply::Json("current_value"),
        Reply::Json(PaddedTo("{\"errno\":0,\"data\":{\"current_value\":1}}", 1024)),
        Reply::Json("{\"data\":{\"current_value\":1}}"),
        Reply::Json("{\"errno\":-1,\"data\":{\"current_value\":1}}"),
        Reply::Json("{\"errno\":0,\"current_value\":1}"),
        Reply::Json("{\"errno\":0,\"data\":{\"online\":1}}"),
    };
    for (const Reply& reply : unusable) {
        platform.scriptReply(Reply::Json(online));
        platform.scriptReply(reply);
    }
    platform.scriptReply(Reply::Json(online));
    platform.scriptReply(Reply::Json(PaddedTo("{\"errno\":0,\"data\":{\"current_value\":1}}", 1023)));
    AddUser(std::vector<std::pair<LPCTSTR, LPCTSTR>>(unusable.size() + 1, {L"d", L"k"}));
    FakePollTarget target(0);
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(unusable.size() + 2));
    worker.Stop();
    std::vector<Write> expected;
    for (int i = 0; i <= static_cast<int>(unusable.size()); ++i)
        expected.push_back({0, i, 4, L"在线"});
    expected.push_back({0, static_cast<int>(unusable.size()), 5, L"通"});
    EXPECT_EQ(target.Writes(), expected);
    EXPECT_EQ(platform.requestCount(), 2 * (unusable.size() + 1));
}

// The cycle goes on with the user it began with, and every state it reads is meant for the
// list as it was then, which the window has refilled for the new user in the meantime.
TEST_F(StatusPollThreadTest, selectionChangedDuringCycle_finishesForTheOldListAndPollsTheNewUserNext)
{
    platform.setDevice("x0", true, 0);
    platform.setDevice("x1", false, 0);
    platform.setDevice("y", true, 1);
    AddUser({{L"x0", L"k"}, {L"x1", L"k"}});
    AddUser({{L"y", L"k"}});
    FakePollTarget target(0);
    target.onWrite = [&](size_t nWrites) {
        if (nWrites == 1)
            target.SetSelection(1);
    };
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(5));
    worker.Stop();
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"GET /devices/x0", "GET /devices/x0/datastreams/status", "GET /devices/x1",
                                        "GET /devices/y", "GET /devices/y/datastreams/status"}));
    EXPECT_EQ(target.Writes(),
              (std::vector<Write>{
                  {0, 0, 4, L"在线"}, {0, 0, 5, L"断"}, {0, 1, 4, L"离线"}, {1, 0, 4, L"在线"}, {1, 0, 5, L"通"}}));
    EXPECT_EQ(target.SelectionReads(), 2u);
}

TEST_F(StatusPollThreadTest, deviceGoingOffline_keepsItsLastRelayState)
{
    platform.setDevice("x", true, 1);
    AddUser({{L"x", L"k"}});
    FakePollTarget target(0);
    target.onWrite = [&](size_t nWrites) {
        if (nWrites == 2)
            platform.setDevice("x", false, 1);
    };
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(3));
    EXPECT_TRUE(StaysQuiet(3));
    worker.Stop();
    EXPECT_EQ(target.Writes(), (std::vector<Write>{{0, 0, 4, L"在线"}, {0, 0, 5, L"通"}, {0, 0, 4, L"离线"}}));
}

TEST_F(StatusPollThreadTest, noUserChosen_makesNoRequestsAndReadsTheSelectionAgain)
{
    platform.setDevice("x", true, 1);
    AddUser({{L"x", L"k"}});
    FakePollTarget target(-1);
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForSelectionReads(1));
    EXPECT_TRUE(StaysQuiet(0));
    target.SetSelection(0);
    ASSERT_TRUE(platform.waitForRequests(1, 5s));
    worker.Stop();
    EXPECT_EQ(Paths().front(), "GET /devices/x");
    EXPECT_GE(target.SelectionReads(), 2u);
}

TEST_F(StatusPollThreadTest, userWithoutDevicesOrPastTheList_makesNoRequests)
{
    platform.setDevice("x", true, 1);
    AddUser({});
    AddUser({{L"x", L"k"}});
    for (int nSelection : {0, 2, 7}) {
        FakePollTarget target(nSelection);
        PollWorker worker(target);
        ASSERT_TRUE(target.WaitForSelectionReads(1));
        EXPECT_TRUE(StaysQuiet(0)) << nSelection;
        EXPECT_TRUE(target.Writes().empty());
    }
}

TEST_F(StatusPollThreadTest, userDeletedDuringCycle_endsTheCycleQuietly)
{
    platform.setDevice("p", true, 1);
    platform.setDevice("q", true, 1);
    AddUser({});
    AddUser({{L"p", L"k"}, {L"q", L"k"}});
    FakePollTarget target(1);
    // Cell writes are made without the user-list lock held, else this would deadlock.
    target.onWrite = [](size_t nWrites) {
        if (nWrites == 1) {
            CUserListLock lock;
            g_arrDevGroup.RemoveAt(1);
        }
    };
    PollWorker worker(target);

    ASSERT_TRUE(target.WaitForWrites(2));
    ASSERT_TRUE(target.WaitForSelectionReads(2));
    EXPECT_TRUE(StaysQuiet(2));
    worker.Stop();
    EXPECT_EQ(Paths(), (std::vector<std::string>{"GET /devices/p", "GET /devices/p/datastreams/status"}));
}

TEST_F(StatusPollThreadTest, devicesDeletedDuringCycle_endTheCycleThenPollingGoesOn)
{
    platform.setDevice("d0", true, 1);
    AddUser({{L"d0", L"k"}, {L"d1", L"k"}, {L"d2", L"k"}});
    FakePollTarget target(0);
    target.onWrite = [](size_t nWrites) {
        if (nWrites == 1) {
            CUserListLock lock;
            g_arrDevGroup[0].arrDevice.RemoveAt(1, 2);
        }
    };
    PollWorker worker(target);

    ASSERT_TRUE(platform.waitForRequests(3, 5s));
    worker.Stop();
    const auto paths = Paths();
    EXPECT_EQ(std::vector<std::string>(paths.begin(), paths.begin() + 3),
              (std::vector<std::string>{"GET /devices/d0", "GET /devices/d0/datastreams/status", "GET /devices/d0"}));
}

TEST_F(StatusPollThreadTest, userListChangedByAnotherThread_whilePolling)
{
    std::vector<std::pair<LPCTSTR, LPCTSTR>> devices(20, {L"d", L"k"});
    AddUser(devices);
    platform.setDevice("d", true, 1);
    FakePollTarget target(0);
    PollWorker worker(target);

    std::atomic<bool> done{false};
    std::thread editor([&] {
        const DEVICE device = MakeDevice(L"", L"k", L"d", L"", L"", L"");
        while (!done) {
            std::this_thread::sleep_for(100us);
            CUserListLock lock;
            auto& arrDevice = g_arrDevGroup[0].arrDevice;
            if (arrDevice.GetSize() > 10)
                arrDevice.RemoveAt(arrDevice.GetSize() - 1);
            else
                arrDevice.Add(device);
        }
    });
    const bool bPolled = platform.waitForRequests(20, 10s);
    done = true;
    editor.join();
    worker.Stop();
    EXPECT_TRUE(bPolled);
}

TEST_F(StatusPollThreadTest, stopWhileExchangeHangs_endsPromptly)
{
    platform.scriptReply(Reply::Silence());
    AddUser({{L"x", L"k"}});
    FakePollTarget target(0);
    PollWorker worker(target);

    ASSERT_TRUE(platform.waitForRequests(1, 5s));
    // Half the 20 s receive time-out that would end the exchange without the stop.
    EXPECT_LT(worker.Stop(), 10s) << "neither the exchange nor the pause may hold the stop";
    EXPECT_TRUE(target.Writes().empty());
}

} // namespace
