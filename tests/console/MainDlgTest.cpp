#include "console/QuorvaneDlg.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Thread.h"
#include "registry/Account.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/RunScripted.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <atomic>

namespace {

class MainDlgTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        WriteAccount(L"alice", L"pw", {MakeUser(L"用户一", 2), MakeUser(L"用户二", 1), MakeUser(L"空用户", 0)});
        m_script.OnWindow(LoginTitle(), [this](QWidget* w) {
            m_loginGeometry = w->geometry();
            m_bLoginHasMenuButton = w->findChild<QToolButton*>(CDialogHost::kSystemMenuButtonName) != nullptr;
            TypeInto(w, IDC_EDIT_ACCOUNT, "alice");
            TypeInto(w, IDC_EDIT_PASSWORD, "pw");
            Click(w, IDOK);
        });
    }

    CModalScript m_script;
    QRect m_loginGeometry;
    bool m_bLoginHasMenuButton = true;
};

QToolButton* SystemMenuButton(QWidget* pDialog)
{
    return pDialog->findChild<QToolButton*>(CDialogHost::kSystemMenuButtonName);
}

// A state read for the list as it was before a refill never lands in the refilled rows.
TEST_F(MainDlgTest, aStateMeantForTheListBeforeARefillIsDropped)
{
    CQuorvaneDlg dlg;
    IStatusPollTarget& target = dlg;
    QStringList cells;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        unsigned nBefore = 0, nAfter = 0;
        target.GetSelectedUser(nBefore);
        QTest::keyClick(Control<QComboBox>(w, IDC_COMBO_USER), Qt::Key_Down);
        target.SetStateCell(nBefore, 0, 4, L"在线");
        cells << Cell(w, 0, 4);
        target.GetSelectedUser(nAfter);
        target.SetStateCell(nAfter, 0, 4, L"离线");
        cells << Cell(w, 0, 4);
        w->close();
    });
    RunScripted(m_script, dlg);
    EXPECT_EQ(cells, (QStringList{"?", "离线"}));
}

TEST_F(MainDlgTest, showsTheUsersAndTheDevicesOfTheChosenUser)
{
    QStringList users, headers, first, afterChoice;
    int nFirstRows = 0, nSecondRows = 0, nEmptyRows = -1;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        auto* pCombo = Control<QComboBox>(w, IDC_COMBO_USER);
        auto* pList = DeviceList(w);
        for (int i = 0; i < pCombo->count(); ++i)
            users << pCombo->itemText(i);
        users << QString::number(pCombo->currentIndex());
        for (int i = 0; i < pList->columnCount(); ++i)
            headers << pList->horizontalHeaderItem(i)->text() + ":" + QString::number(pList->columnWidth(i));
        nFirstRows = pList->rowCount();
        first = RowTexts(w, 1);
        QTest::keyClick(pCombo, Qt::Key_Down);
        nSecondRows = pList->rowCount();
        afterChoice = RowTexts(w, 0);
        QTest::keyClick(pCombo, Qt::Key_Down);
        nEmptyRows = pList->rowCount();
        w->close();
    });
    CQuorvaneDlg dlg;
    EXPECT_EQ(RunScripted(m_script, dlg), IDCANCEL);
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
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        for (int nID : {IDC_COMBO_USER, IDC_LIST_DEVICE, IDC_BTN_ADD_DEVICE, IDC_BTN_DELETE_USER}) {
            FindControl(w, nID)->setFocus();
            QTest::keyClick(FindControl(w, nID), Qt::Key_Return);
            QTest::keyClick(FindControl(w, nID), Qt::Key_Escape);
        }
        QTest::keyClick(w, Qt::Key_Escape);
        bStillOpen = w->isVisible();
        w->close();
    });
    EXPECT_EQ(RunScripted(m_script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_TRUE(bStillOpen);
}

TEST_F(MainDlgTest, rightClickInTheListOpensTheDeviceMenu)
{
    QStringList items;
    m_script.OnWindow(MainTitle(), [](QWidget* w) {
        QWidget* pViewport = DeviceList(w)->viewport();
        RightClick(pViewport, QPoint(10, pViewport->height() - 5));
    });
    m_script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << pAction->text();
        pMenu->close();
    });
    m_script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    EXPECT_EQ(RunScripted(m_script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(items, (QStringList{"导通", "断开", "删除"}));
}

TEST_F(MainDlgTest, aboutBoxOpensFromTheSystemMenu)
{
    QStringList items, aboutTexts;
    QPoint mainCentre, aboutCentre;
    bool bAboutHasMenuButton = true;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        mainCentre = w->geometry().center();
        QTest::mouseClick(SystemMenuButton(w), Qt::LeftButton);
    });
    m_script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << (pAction->isSeparator() ? "-" : pAction->text());
        ChooseMenuItem(pMenu, "关于 Quorvane(&A)...");
    });
    m_script.OnWindow("关于 Quorvane", [&](QWidget* w) {
        for (QLabel* pLabel : w->findChildren<QLabel*>())
            aboutTexts << pLabel->text();
        aboutCentre = w->geometry().center();
        bAboutHasMenuButton = SystemMenuButton(w) != nullptr;
        Click(w, IDOK);
    });
    m_script.OnWindow(MainTitle(), [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space, Qt::AltModifier); });
    m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "关闭(&C)\tAlt+F4"); });
    EXPECT_EQ(RunScripted(m_script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(items, (QStringList{"关闭(&C)\tAlt+F4", "-", "关于 Quorvane(&A)..."}));
    EXPECT_TRUE(aboutTexts.contains("Quorvane，1.0 版"));
    EXPECT_EQ(aboutCentre, mainCentre);
    EXPECT_FALSE(bAboutHasMenuButton);
}

// A hidden dialog whose template stands at 0, 0 is centred: the login on the screen's work
// area, as its owner (the main window) is not on the screen yet, the add-device dialog over
// the main window. The main window, visible from the start, stands where its template puts it.
TEST_F(MainDlgTest, dialogsOpenWhereTheFrameworkPutsThem)
{
    QRect mainGeometry, addDeviceGeometry;
    QPoint mainTopLeft(-1, -1);
    bool bAddDeviceHasMenuButton = true;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        mainGeometry = w->geometry();
        mainTopLeft = w->frameGeometry().topLeft();
        Click(w, IDC_BTN_ADD_DEVICE);
    });
    m_script.OnWindow(AddDeviceTitle(), [&](QWidget* w) {
        addDeviceGeometry = w->geometry();
        bAddDeviceHasMenuButton = SystemMenuButton(w) != nullptr;
        Click(w, IDCANCEL);
    });
    m_script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    EXPECT_EQ(RunScripted(m_script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(m_loginGeometry.center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_EQ(mainTopLeft, QPoint(0, 0));
    EXPECT_EQ(addDeviceGeometry.center(), mainGeometry.center());
    EXPECT_FALSE(m_bLoginHasMenuButton);
    EXPECT_FALSE(bAddDeviceHasMenuButton);
}

// Only the main window's system menu holds more than the window manager offers, so only it
// has a button for it: the window's small icon, large enough to hit, clear of every control.
TEST_F(MainDlgTest, systemMenuButtonShowsTheSmallIconInAFreeCorner)
{
    QToolButton* pButton = nullptr;
    QImage shown, smallIcon;
    QStringList overlapped;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        pButton = SystemMenuButton(w);
        if (!pButton)
            return;
        const QSize iconSize = pButton->iconSize();
        shown = pButton->icon().pixmap(iconSize).toImage();
        smallIcon = w->windowIcon().pixmap(iconSize).toImage();
        for (int nID : {IDC_COMBO_USER, IDC_LIST_DEVICE, IDC_BTN_ADD_DEVICE, IDC_BTN_DELETE_USER}) {
            if (FindControl(w, nID)->geometry().intersects(pButton->geometry()))
                overlapped << QString::number(nID);
        }
        for (QLabel* pLabel : w->findChildren<QLabel*>()) {
            if (pLabel->geometry().intersects(pButton->geometry()))
                overlapped << pLabel->text();
        }
        EXPECT_GE(pButton->width(), 20);
        EXPECT_GE(pButton->height(), 20);
        EXPECT_EQ(iconSize, QSize(16, 16));
        w->close();
    });
    RunScripted(m_script, CQuorvaneDlg());
    ASSERT_NE(pButton, nullptr);
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown, smallIcon);
    EXPECT_TRUE(overlapped.isEmpty()) << overlapped.join(",").toStdString();
}

// The device list is one tab stop between the user box and AddDeviceTitle().
TEST_F(MainDlgTest, tabLeavesTheDeviceListForTheNextAndThePreviousControl)
{
    int nAfterTab = 0, nAfterBacktab = 0;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QWidget* pList = FindControl(w, IDC_LIST_DEVICE);
        pList->setFocus();
        QTest::keyClick(pList, Qt::Key_Tab);
        nAfterTab = CDialogHost::ControlID(QApplication::focusWidget());
        pList->setFocus();
        QTest::keyClick(pList, Qt::Key_Backtab, Qt::ShiftModifier);
        nAfterBacktab = CDialogHost::ControlID(QApplication::focusWidget());
        w->close();
    });
    RunScripted(m_script, CQuorvaneDlg());
    EXPECT_EQ(nAfterTab, IDC_BTN_ADD_DEVICE);
    EXPECT_EQ(nAfterBacktab, IDC_COMBO_USER);
}

// "设备列表" opens on a right click only; the context-menu key on the list opens nothing.
TEST_F(MainDlgTest, menuKeyInTheListOpensNoMenu)
{
    bool bMenuOpened = false;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        auto* pList = DeviceList(w);
        pList->setFocus();
        pList->selectRow(0);
        // Runs inside the menu's own loop if the key opens one.
        QTimer::singleShot(0, [&] {
            if (QWidget* pPopup = QApplication::activePopupWidget()) {
                bMenuOpened = true;
                pPopup->close();
            }
        });
        PressMenuKey(pList);
    });
    m_script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    RunScripted(m_script, CQuorvaneDlg());
    EXPECT_FALSE(bMenuOpened);
}

// The user box's dropped list is as tall as its template gives it (210 dialog units with the
// box), not Qt's ten rows.
TEST_F(MainDlgTest, droppedUserListIsAsTallAsTheTemplateGivesIt)
{
    int nRows = 0, nRowHeight = 0, nListHeight = 0;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        auto* pCombo = Control<QComboBox>(w, IDC_COMBO_USER);
        pCombo->showPopup();
        nRows = pCombo->maxVisibleItems();
        nRowHeight = pCombo->view()->sizeHintForRow(0);
        nListHeight = AfxMapDialogRect(0, 0, 0, 210, AfxDialogBaseUnits(w->font())).height() - pCombo->height();
        pCombo->hidePopup();
        w->close();
    });
    RunScripted(m_script, CQuorvaneDlg());
    ASSERT_GT(nRowHeight, 0);
    EXPECT_GT(nRows, 10);
    EXPECT_LE(nRows * nRowHeight, nListHeight);
    EXPECT_GT((nRows + 1) * nRowHeight, nListHeight);
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
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 4), QString("在线"), 5000);
        state = Cell(w, 0, 4);
        clock.start();
        w->close();
    });
    CPolledDlg dlg;
    EXPECT_EQ(RunScripted(m_script, dlg), IDCANCEL);
    EXPECT_EQ(state, "在线");
    EXPECT_TRUE(dlg.bWorkerDone);
    // The stop, not the end of the worker's minute-long pause, let the window go.
    EXPECT_LT(clock.elapsed(), 30000);
}

} // namespace
