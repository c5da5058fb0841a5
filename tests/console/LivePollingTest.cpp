#include "PlatformConsoleFixture.h"
#include "console/QuorvaneDlg.h"

#include <QComboBox>
#include <QElapsedTimer>

namespace {

using LivePollingTest = PlatformConsoleTest;

TEST_F(LivePollingTest, listShowsEachDevicesStateAndFollowsTheChosenUser)
{
    QStringList firstUser, secondUser;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 2, 4), QString("离线"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 1, 5), QString("通"), 5000);
        for (int nRow = 0; nRow < 3; ++nRow)
            firstUser << Cell(w, nRow, 4) + Cell(w, nRow, 5);
        m_platform.setDevice("dev0", false, 0, "key0");
        QTest::keyClick(Control<QComboBox>(w, IDC_COMBO_USER), Qt::Key_Down);
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 4), QString("离线"), 5000);
        secondUser << Cell(w, 0, 4) + Cell(w, 0, 5);
        w->close();
    });
    CQuorvaneDlg dlg;
    dlg.DoModal();
    ASSERT_TRUE(ScriptPlayed());
    EXPECT_EQ(firstUser, (QStringList{"在线断", "在线通", "离线?"}));
    EXPECT_EQ(secondUser, QStringList{"离线?"});
}

TEST_F(LivePollingTest, closingWhileTheWorkerWaitsOnASilentPlatformEndsPromptly)
{
    m_platform.scriptReply(fake::Reply::Silence());
    qint64 nClosingMs = -1;
    QElapsedTimer clock;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        QTRY_VERIFY_WITH_TIMEOUT(m_platform.requestCount() >= 1, 5000);
        clock.start();
        w->close();
    });
    {
        CQuorvaneDlg dlg;
        dlg.DoModal();
        nClosingMs = clock.elapsed();
    }
    ASSERT_TRUE(ScriptPlayed());
    EXPECT_LT(nClosingMs, 2000);
    EXPECT_EQ(m_platform.requestCount(), 1u);
}

} // namespace
