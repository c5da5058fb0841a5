#include "ConsoleFixture.h"
#include "tests/platform/ui/ModalScript.h"
#include "console/QuorvaneDlg.h"
#include "platform/ui/Thread.h"
#include "registry/Account.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <atomic>

namespace {

const char* const kMain = "Tesmir继电器控制";

QStringList Row(QTableWidget* pList, int nRow)
{
    QStringList texts;
    for (int nCol = 0; nCol < pList->columnCount(); ++nCol)
        texts << pList->item(nRow, nCol)->text();
    return texts;
}

class MainDlgTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        WriteAccount(L"alice", L"pw", {User(L"用户一", 2), User(L"用户二", 1), User(L"空用户", 0)});
        m_script.OnWindow("输入账号密码", [](QWidget* w) {
            TypeInto(w, IDC_EDIT_ACCOUNT, "alice");
            TypeInto(w, IDC_EDIT_PASSWORD, "pw");
            Click(w, IDOK);
        });
    }

    CModalScript m_script;
};

// A state read for the list as it was before a refill never lands in the refilled rows.
TEST_F(MainDlgTest, aStateMeantForTheListBeforeARefillIsDropped)
{
    CQuorvaneDlg dlg;
    IStatusPollTarget& target = dlg;
    QStringList cells;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        auto* pList = Control<QTableWidget>(w, IDC_LIST_DEVICE);
        unsigned nBefore = 0, nAfter = 0;
        target.GetSelectedUser(nBefore);
        QTest::keyClick(Control<QComboBox>(w, IDC_COMBO_USER), Qt::Key_Down);
        target.SetStateCell(nBefore, 0, 4, L"在线");
        cells << pList->item(0, 4)->text();
        target.GetSelectedUser(nAfter);
        target.SetStateCell(nAfter, 0, 4, L"离线");
        cells << pList->item(0, 4)->text();
        w->close();
    });
    dlg.DoModal();
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_EQ(cells, (QStringList{"?", "离线"}));
}

TEST_F(MainDlgTest, showsTheUsersAndTheDevicesOfTheChosenUser)
{
    QStringList users, headers, first, afterChoice;
    int nFirstRows = 0, nSecondRows = 0, nEmptyRows = -1;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        auto* pCombo = Control<QComboBox>(w, IDC_COMBO_USER);
        auto* pList = Control<QTableWidget>(w, IDC_LIST_DEVICE);
        for (int i = 0; i < pCombo->count(); ++i)
            users << pCombo->itemText(i);
        users << QString::number(pCombo->currentIndex());
        for (int i = 0; i < pList->columnCount(); ++i)
            headers << pList->horizontalHeaderItem(i)->text() + ":" + QString::number(pList->columnWidth(i));
        nFirstRows = pList->rowCount();
        first = Row(pList, 1);
        QTest::keyClick(pCombo, Qt::Key_Down);
        nSecondRows = pList->rowCount();
        afterChoice = Row(pList, 0);
        QTest::keyClick(pCombo, Qt::Key_Down);
        nEmptyRows = pList->rowCount();
        w->close();
    });
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_EQ(users, (QStringList{"用户一", "用户二", "空用户", "0"}));
    EXPECT_EQ(headers, (QStringList{"设备ID:200", "编号:200", "名称:200", "地址:600", "在线:100", "开关:100"}));
    EXPECT_EQ(nFirstRows, 2);
    EXPECT_EQ(first, (QStringList{"用户一-id1", "No1", "用户一-名称1", "地址1", "?", "?"}));
    EXPECT_EQ(nSecondRows, 1);
    EXPECT_EQ(afterChoice, (QStringList{"用户二-id0", "No0", "用户二-名称0", "地址0", "?", "?"}));
    EXPECT_EQ(nEmptyRows, 0);
    EXPECT_EQ(g_pMainDlg, &dlg);
}

TEST_F(MainDlgTest, enterAndEscapeAreDiscardedEverywhere)
{
    bool bStillOpen = false;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        for (int nID : {IDC_COMBO_USER, IDC_LIST_DEVICE, IDC_BTN_ADD_DEVICE, IDC_BTN_DELETE_USER}) {
            FindControl(w, nID)->setFocus();
            QTest::keyClick(FindControl(w, nID), Qt::Key_Return);
            QTest::keyClick(FindControl(w, nID), Qt::Key_Escape);
        }
        QTest::keyClick(w, Qt::Key_Escape);
        bStillOpen = w->isVisible();
        w->close();
    });
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_TRUE(bStillOpen);
}

TEST_F(MainDlgTest, rightClickInTheListOpensTheDeviceMenu)
{
    QStringList items;
    m_script.OnWindow(kMain, [](QWidget* w) {
        QWidget* pViewport = Control<QTableWidget>(w, IDC_LIST_DEVICE)->viewport();
        RightClick(pViewport, QPoint(10, pViewport->height() - 5));
    });
    m_script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << pAction->text();
        pMenu->close();
    });
    m_script.OnWindow(kMain, [](QWidget* w) { w->close(); });
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_EQ(items, (QStringList{"导通", "断开", "删除"}));
}

TEST_F(MainDlgTest, aboutBoxOpensFromTheSystemMenu)
{
    QStringList items, aboutTexts;
    QPoint mainClientOrigin, aboutTopLeft;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        mainClientOrigin = w->mapToGlobal(QPoint(0, 0));
        QTest::mouseClick(w->findChild<QToolButton*>("afxSystemMenuButton"), Qt::LeftButton);
    });
    m_script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << (pAction->isSeparator() ? "-" : pAction->text());
        ChooseMenuItem(pMenu, "关于 Quorvane(&A)...");
    });
    m_script.OnWindow("关于 Quorvane", [&](QWidget* w) {
        for (QLabel* pLabel : w->findChildren<QLabel*>())
            aboutTexts << pLabel->text();
        aboutTopLeft = w->pos();
        Click(w, IDOK);
    });
    m_script.OnWindow(kMain, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space, Qt::AltModifier); });
    m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "关闭(&C)\tAlt+F4"); });
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_EQ(items, (QStringList{"关闭(&C)\tAlt+F4", "-", "关于 Quorvane(&A)..."}));
    EXPECT_TRUE(aboutTexts.contains("Quorvane，1.0 版"));
    // Its template puts it at 0, 0 of its owner's client area, not in the middle.
    EXPECT_EQ(aboutTopLeft, mainClientOrigin);
}

// A stand-in for the polling worker: it keeps writing through the window and otherwise
// waits in a long Sleep, as the real one waits in its pause or in an exchange.
class CPolledDlg : public CQuorvaneDlg
{
public:
    std::atomic<int> nWrites{0};
    std::atomic<bool> bWorkerDone{false};

protected:
    BOOL OnInitDialog() override
    {
        const BOOL bLoggedIn = CQuorvaneDlg::OnInitDialog();
        if (bLoggedIn)
            m_pPollThread.reset(AfxBeginThread(&CPolledDlg::Work, this));
        return bLoggedIn;
    }

    static UINT Work(LPVOID pParam)
    {
        auto* pDlg = static_cast<CPolledDlg*>(pParam);
        IStatusPollTarget* pTarget = pDlg;
        while (!AfxIsThreadStopRequested()) {
            unsigned nFill = 0;
            pTarget->GetSelectedUser(nFill);
            pTarget->SetStateCell(nFill, 0, 4, L"在线");
            ++pDlg->nWrites;
            Sleep(pDlg->nWrites > 3 ? 60000 : 1);
        }
        pDlg->bWorkerDone = true;
        return 0;
    }
};

TEST_F(MainDlgTest, closingStopsTheWorkerBeforeTheWindowGoesAway)
{
    QString state;
    QElapsedTimer clock;
    m_script.OnWindow(kMain, [&](QWidget* w) {
        auto* pList = Control<QTableWidget>(w, IDC_LIST_DEVICE);
        QTRY_VERIFY_WITH_TIMEOUT(pList->item(0, 4)->text() == "在线", 5000);
        state = pList->item(0, 4)->text();
        clock.start();
        w->close();
    });
    CPolledDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_script.Finished()) << m_script.Failure().toStdString();
    EXPECT_EQ(state, "在线");
    EXPECT_TRUE(dlg.bWorkerDone);
    EXPECT_LT(clock.elapsed(), 2000);
}

} // namespace
