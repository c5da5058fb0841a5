#include "console/QuorvaneDlg.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/FakeDeviceAnswers.h"
#include "tests/support/RunScripted.h"

#include <QComboBox>
#include <QElapsedTimer>

namespace {

using LivePollingTest = AliceConsoleTest;

TEST_F(LivePollingTest, listShowsEachDevicesStateAndFollowsTheChosenUser)
{
    QStringList firstUser, secondUser;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 2, 4), QString("离线"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 1, 5), QString("通"), 5000);
        firstUser = ShownStates(w);
        m_platform.setDevice("dev0", false, 0, "key0");
        QTest::keyClick(Control<QComboBox>(w, IDC_COMBO_USER), Qt::Key_Down);
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 4), QString("离线"), 5000);
        secondUser = ShownStates(w);
    });
    RunMainWindow();
    EXPECT_EQ(firstUser, (QStringList{"在线断", "在线通", "离线?"}));
    EXPECT_EQ(secondUser, QStringList{"离线?"});
}

// The operator chooses another user while a cycle is half way through the first user's
// devices. The second user's devices are unknown to the platform, so nothing may ever be
// written into its rows: any state there would be one of the first user's devices.
TEST_F(LivePollingTest, choosingAnotherUserMidCycle_keepsTheOldUsersStatesOutOfTheNewRows)
{
    DEVGROUP second = MakeUser(L"用户二", 3);
    for (int i = 0; i < 3; ++i)
        second.arrDevice[i].strDeviceId.Format(L"other%d", i);
    WriteAccount(L"alice", L"pw", {MakeUser(L"用户一", 3), second});
    m_platform.setDevice("dev2", true, 1, "key2");
    // dev1's answer comes late, so that the choice falls into its exchange; dev2 is then read
    // after the choice.
    m_platform.scriptReply(fake::Reply::Json(fake::DeviceJson("dev0", {true, 0, ""})));
    m_platform.scriptReply(fake::Reply::Json(fake::StatusJson({true, 0, ""})));
    fake::Reply lateAnswer = fake::Reply::Json(fake::DeviceJson("dev1", {true, 1, ""}));
    lateAnswer.delay = std::chrono::milliseconds(1000);
    m_platform.scriptReply(lateAnswer);

    QStringList newRows;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 5), QString("断"), 5000);
        // Without turning to the event loop, so that dev1's state cannot be written before.
        ASSERT_TRUE(m_platform.waitForRequests(3, std::chrono::seconds(5)));
        QTest::keyClick(Control<QComboBox>(w, IDC_COMBO_USER), Qt::Key_Down);
        QTRY_VERIFY_WITH_TIMEOUT(m_platform.requestCount() >= 9, 15000);
        for (int nRow = 0; nRow < DeviceList(w)->rowCount(); ++nRow)
            newRows << Cell(w, nRow, 0) + ":" + Cell(w, nRow, 4) + Cell(w, nRow, 5);
    });
    RunMainWindow();
    std::vector<std::string> paths;
    for (const auto& request : m_platform.requests())
        paths.push_back(request.path);
    paths.resize(9);
    EXPECT_EQ(paths,
              (std::vector<std::string>{"/devices/dev0", "/devices/dev0/datastreams/status", "/devices/dev1",
                                        "/devices/dev1/datastreams/status", "/devices/dev2",
                                        "/devices/dev2/datastreams/status", "/devices/other0", "/devices/other1",
                                        "/devices/other2"}));
    EXPECT_EQ(newRows, (QStringList{"用户二-id0:??", "用户二-id1:??", "用户二-id2:??"}));
}

TEST_F(LivePollingTest, closingWhileTheWorkerWaitsOnASilentPlatformEndsPromptly)
{
    m_platform.scriptReply(fake::Reply::Silence());
    qint64 nClosingMs = -1;
    QElapsedTimer clock;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_VERIFY_WITH_TIMEOUT(m_platform.requestCount() >= 1, 5000);
        clock.start();
        w->close();
    });
    {
        CQuorvaneDlg dlg;
        RunScripted(m_script, dlg);
        nClosingMs = clock.elapsed();
    }
    // Half the 20 s receive time-out that would end the exchange without the stop.
    EXPECT_LT(nClosingMs, 10000);
    EXPECT_EQ(m_platform.requestCount(), 1u);
}

} // namespace
