#include "console/QuorvaneDlg.h"
#include "registry/Account.h"
#include "registry/UserListLock.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/FakeDeviceAnswers.h"

#include <QComboBox>
#include <QMenu>
#include <QMessageBox>

namespace {

using SwitchCommandTest = AliceConsoleTest;

// Waits long enough for a posted menu command to have run on the UI thread.
void LetCommandRun()
{
    QTest::qWait(100);
}

TEST_F(SwitchCommandTest, eachCommandPostsItsBodyForTheSelectedDevice)
{
    for (const char* item : {"导通", "断开"}) {
        m_script.OnWindow(MainTitle(), [this](QWidget* w) {
            SelectRows(w, {1});
            OpenDeviceMenu(w);
        });
        m_script.OnMenu([item](QMenu* pMenu) { ChooseMenuItem(pMenu, item); });
    }
    m_script.OnWindow(MainTitle(), [this](QWidget*) { QTRY_COMPARE(Posts().size(), size_t(2)); });
    RunMainWindow();
    EXPECT_TRUE(m_script.Boxes().isEmpty());

    const auto posts = Posts();
    ASSERT_EQ(posts.size(), 2u);
    const std::string bodies[] = {"s,-1,90,300", "s,0,90,300"};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(posts[i].path, "/cmds?qos=1&timeout=10&device_id=dev1");
        EXPECT_EQ(posts[i].headers("api-key"), std::vector<std::string>{"api-key:key1"});
        EXPECT_EQ(posts[i].body, bodies[i]);
    }
}

TEST_F(SwitchCommandTest, threeRowsSelected_switchOnlyTheFirst)
{
    m_script.OnWindow(MainTitle(), [this](QWidget* w) {
        SelectRows(w, {2, 0, 1});
        OpenDeviceMenu(w);
    });
    m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "导通"); });
    m_script.OnWindow(MainTitle(), [this](QWidget* w) {
        LetCommandRun();
        EXPECT_EQ(DeviceList(w)->selectionModel()->selectedRows().size(), 3);
    });
    RunMainWindow();
    const auto posts = Posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].path, "/cmds?qos=1&timeout=10&device_id=dev0");
}

TEST_F(SwitchCommandTest, nothingIsSentWithoutARowOrForARowOrUserThatIsGone)
{
    auto command = [this](std::function<void(QWidget*)> prepare) {
        m_script.OnWindow(MainTitle(), [this, prepare](QWidget* w) {
            LetCommandRun();
            prepare(w);
            OpenDeviceMenu(w);
        });
        m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "导通"); });
    };
    command([](QWidget* w) { DeviceList(w)->clearSelection(); });
    // The user list lost devices 1 and 2 while the list still shows them.
    command([](QWidget* w) {
        SelectRows(w, {2});
        CUserListLock lock;
        g_arrDevGroup[0].arrDevice.RemoveAt(1, 2);
    });
    command([](QWidget* w) {
        SelectRows(w, {0});
        Control<QComboBox>(w, IDC_COMBO_USER)->setCurrentIndex(-1);
    });
    command([](QWidget* w) {
        Control<QComboBox>(w, IDC_COMBO_USER)->setCurrentIndex(0);
        SelectRows(w, {0});
        CUserListLock lock;
        g_arrDevGroup.RemoveAll();
    });
    m_script.OnWindow(MainTitle(), [](QWidget*) { LetCommandRun(); });
    RunMainWindow();
    EXPECT_TRUE(Posts().empty());
    EXPECT_TRUE(m_script.Boxes().isEmpty());
}

// The relay column shows the platform's state, never the command's intent: the change
// arrives only with a status query made after the command.
TEST_F(SwitchCommandTest, commandChangesNothingOnScreenUntilTheNextStatusRead)
{
    struct Change
    {
        QString text;
        size_t nRequestsSoFar;
    };
    std::vector<Change> relayChanges;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 5), QString("断"), 5000);
        QObject::connect(DeviceList(w), &QTableWidget::itemChanged, [&](QTableWidgetItem* pItem) {
            if (pItem->row() == 0 && pItem->column() == 5)
                relayChanges.push_back({pItem->text(), m_platform.requestCount()});
        });
        SelectRows(w, {0});
        OpenDeviceMenu(w);
    });
    m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "导通"); });
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(Cell(w, 0, 5), QString("通"), 5000);
        EXPECT_EQ(Cell(w, 0, 4), "在线");
    });
    RunMainWindow();

    const auto requests = m_platform.requests();
    const auto post = std::find_if(requests.begin(), requests.end(), [](const auto& r) { return r.method == "POST"; });
    ASSERT_NE(post, requests.end());
    ASSERT_FALSE(relayChanges.empty());
    EXPECT_EQ(relayChanges.front().text, "通");
    const auto statusRead = std::find_if(post, requests.begin() + relayChanges.front().nRequestsSoFar,
                                         [](const auto& r) { return r.path == "/devices/dev0/datastreams/status"; });
    EXPECT_NE(statusRead, requests.begin() + relayChanges.front().nRequestsSoFar)
        << "the cell changed before the worker read the new state";
}

TEST_F(SwitchCommandTest, unreachablePlatformShowsOneErrorBoxPerCommandAndTheConsoleGoesOn)
{
    m_proxy.emplace(fake::RefusingUrl());
    const std::string accountFile = ReadFile("alice.cfg");
    QList<QMessageBox::Icon> icons;
    for (int nRow : {0, 1}) {
        m_script.OnWindow(MainTitle(), [this, nRow](QWidget* w) {
            SelectRows(w, {nRow});
            OpenDeviceMenu(w);
        });
        m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "断开"); });
        m_script.OnMessageBox([&](QMessageBox* pBox) {
            icons << pBox->icon();
            pBox->accept();
        });
    }
    QStringList cells;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) { cells = ShownStates(w); });
    RunMainWindow();
    EXPECT_EQ(m_script.Boxes(), (QStringList{"quorvane|无法与服务器建立连接。", "quorvane|无法与服务器建立连接。"}));
    EXPECT_EQ(icons, (QList<QMessageBox::Icon>{QMessageBox::Critical, QMessageBox::Critical}));
    EXPECT_EQ(cells, (QStringList{"??", "??", "??"}));
    EXPECT_EQ(ReadFile("alice.cfg"), accountFile);
    EXPECT_EQ(g_arrDevGroup.GetSize(), 2);
}

// However the exchange fails (an unreachable platform, a time-out, an answer it cannot read),
// the command ends in the error box, and the list shows the states it showed before.
TEST_F(SwitchCommandTest, failedCommandEndsInTheErrorBoxAndTheListKeepsItsStates)
{
    fake::Reply garbage = fake::Reply::Raw("garbage\r\n\r\n");
    garbage.forMethod = "POST";
    const QStringList shown{"在线断", "在线通", "离线?"};
    QStringList before, after;
    m_script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(ShownStates(w), shown, 5000);
        before = ShownStates(w);
        m_platform.scriptReply(garbage);
        SelectRows(w, {0});
        OpenDeviceMenu(w);
    });
    m_script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "导通"); });
    m_script.OnMessageBox([](QMessageBox* pBox) { pBox->accept(); });
    m_script.OnWindow(MainTitle(), [&](QWidget* w) { after = ShownStates(w); });
    RunMainWindow();
    EXPECT_EQ(m_script.Boxes(), QStringList{"quorvane|服务器返回了无效或无法识别的响应。"});
    EXPECT_EQ(before, shown);
    EXPECT_EQ(after, shown);
    EXPECT_EQ(Posts().size(), 1u);
}

} // namespace
