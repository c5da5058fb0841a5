#include "console/QuorvaneApp.h"
#include "console/QuorvaneDlg.h"
#include "registry/Account.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/FakeDeviceAnswers.h"
#include "tests/support/RunScripted.h"

#include <QMenu>

namespace {

constexpr int kStateTimeoutMs = 8000;

using EditingWhilePollingTest = PlatformConsoleTest;

// Alice's first user has the devices dev0 to dev3, their relays open and closed in turn. The
// worker reads the user list in every cycle while the commands change it; after each change
// every row comes to show the state of the device it now stands for.
class StatesFollowEditsTest : public PlatformConsoleTest
{
protected:
    void SetUp() override
    {
        PlatformConsoleTest::SetUp();
        WriteAccount(L"alice", L"pw", {MakeUser(L"用户一", 4), MakeUser(L"用户二", 1)});
        for (int i = 0; i < 4; ++i)
            m_platform.setDevice("dev" + std::to_string(i), true, i % 2, "key" + std::to_string(i));
        LogIn(m_script, "alice", "pw");
    }
    // Waits until the relay column's first rows show expected, then notes the whole column.
    // Each wait comes first in the step that acts next (see AddDevice).
    MainAction RelaysBecome(const QStringList& expected)
    {
        return [this, expected](QWidget* pMain) {
            for (int nRow = 0; nRow < expected.size(); ++nRow)
                QTRY_COMPARE_WITH_TIMEOUT(Cell(pMain, nRow, 5), expected[nRow], kStateTimeoutMs);
            QStringList shown;
            for (int nRow = 0; nRow < DeviceList(pMain)->rowCount(); ++nRow)
                shown << Cell(pMain, nRow, 5);
            m_relays << shown.join(',');
        };
    }
    QStringList m_relays;
};

TEST_F(StatesFollowEditsTest, rowsFollowTheirDevicesThroughADeletionAndAnAddition)
{
    DeleteRow(m_script, 1, RelaysBecome({"断", "通", "断", "通"}));
    // dev1 again, now last: its row starts unknown and then shows its own state.
    AddDevice(m_script, "again|key1|dev1|名|址|9", {}, -1, RelaysBecome({"断", "断", "通"}));
    m_script.OnWindow(MainTitle(), RelaysBecome({"断", "断", "通", "通"}));
    RunMainWindow();

    EXPECT_EQ(m_relays, QStringList({"断,通,断,通", "断,断,通", "断,断,通,通"}));
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n{用户一}\r\n" + DeviceLine("用户一", 0) + DeviceLine("用户一", 2) + DeviceLine("用户一", 3) +
                  "again|key1|dev1|名|址|9\r\n{用户二}\r\n" + DeviceLine("用户二", 0)));
}

TEST_F(StatesFollowEditsTest, rowsFollowTheChosenUserThroughANewAndADeletedUser)
{
    AddDevice(m_script, "x|key3|dev3|名|址|7", {"新用户"}, 2);
    DeleteUser(m_script, 1, RelaysBecome({"通"}));
    m_script.OnWindow(MainTitle(), [this](QWidget* pMain) {
        RelaysBecome({"通"})(pMain);
        ChooseInBox(pMain, IDC_COMBO_USER, 0);
        RelaysBecome({"断", "通", "断", "通"})(pMain);
    });
    RunMainWindow();

    EXPECT_EQ(m_relays, QStringList({"通", "通", "断,通,断,通"}));
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n{用户一}\r\n" + DeviceLine("用户一", 0) + DeviceLine("用户一", 1) + DeviceLine("用户一", 2) +
                  DeviceLine("用户一", 3) + "{新用户}\r\nx|key3|dev3|名|址|7\r\n"));
}

// Every answer comes late and names no device, so the worker goes from one read of the
// user list to the next without a call to the window in between, while the commands change
// the list under it.
TEST_F(EditingWhilePollingTest, commandsChangeTheListWhileTheWorkerReadsIt)
{
    // Twenty devices at 50 ms each keep the worker reading for about a second per cycle, so
    // that the commands below fall into a cycle rather than into the pause between two.
    WriteAccount(L"alice", L"pw", {MakeUser(L"用户一", 20), MakeUser(L"用户二", 2)});
    for (int i = 0; i < 200; ++i) {
        fake::Reply reply = fake::Reply::Json(fake::ErrorJson(3, "device not exist"));
        reply.delay = std::chrono::milliseconds(50);
        m_platform.scriptReply(reply);
    }
    LogIn(m_script, "alice", "pw");
    DeleteRow(m_script, 1,
              [this](QWidget*) { QTRY_VERIFY_WITH_TIMEOUT(m_platform.requestCount() >= 2, kStateTimeoutMs); });
    AddDevice(m_script, "n|k|d|名|址|1", {"新用户"}, 2);
    DeleteRow(m_script, 0);
    DeleteUser(m_script, 0);
    AddDevice(m_script, "m|k|d|名|址|2", {}, 0);
    DeleteRow(m_script, 0);
    RunMainWindow();

    EXPECT_GE(m_platform.requestCount(), 2u);
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n{用户二}\r\n" + DeviceLine("用户二", 1) + "m|k|d|名|址|2\r\n{新用户}\r\n"));
}

// The whole console twice, as the operator meets it: a new account gets two users and
// three devices, a relay is switched, a device and a user are deleted; started again, the
// account holds exactly what was left.
TEST_F(EditingWhilePollingTest, wholeConsoleKeepsWhatWasLeftAcrossARestart)
{
    m_platform.setDevice("d1", true, 0, "ka");
    m_platform.setDevice("d2", true, 1, "kb");
    m_platform.setDevice("d3", false, 0, "kc");

    QString relayBefore, relayAfter;
    QStringList boxAtEnd, idsAtEnd;
    {
        CModalScript script;
        script.OnWindow(LoginTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_NEW_ACCOUNT); });
        script.OnWindow(NewAccountTitle(), [](QWidget* pDialog) {
            TypeInto(pDialog, IDC_EDIT_NEW_ACCOUNT, "bob");
            TypeInto(pDialog, IDC_EDIT_NEW_PASSWORD, "pw1");
            TypeInto(pDialog, IDC_EDIT_NEW_PASSWORD2, "pw1");
            Click(pDialog, IDOK);
        });
        AddDevice(script, "A1|ka|d1|水泵|一号楼|01", {"甲", "乙"}, 0);
        AddDevice(script, "B1|kb|d2|风机|二号楼|02", {}, 1);
        AddDevice(script, "A2|kc|d3|灯|三号楼|03", {}, 0);
        script.OnWindow(MainTitle(), [&](QWidget* pMain) {
            QTRY_COMPARE_WITH_TIMEOUT(Cell(pMain, 0, 5), QString("断"), kStateTimeoutMs);
            relayBefore = Cell(pMain, 0, 5);
            SelectRows(pMain, {0});
            OpenDeviceMenu(pMain);
        });
        script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "导通"); });
        DeleteRow(script, 1, [&](QWidget* pMain) {
            QTRY_COMPARE_WITH_TIMEOUT(Cell(pMain, 0, 5), QString("通"), kStateTimeoutMs);
            relayAfter = Cell(pMain, 0, 5);
        });
        DeleteUser(script, 1);
        script.OnWindow(MainTitle(), [&](QWidget* pMain) {
            boxAtEnd = BoxItems(pMain, IDC_COMBO_USER);
            idsAtEnd = ListedIds(pMain);
            pMain->close();
        });
        EXPECT_FALSE(RunScripted(script, [] { return theApp.InitInstance(); }));
        EXPECT_EQ(script.Boxes(),
                  QStringList({Box(L"是否确定要删除该设备:灯 ？", L"提示"),
                               Box(L"是否确定要删除该用户:乙 ？该用户下的所有设备也将删除！", L"提示")}));
    }
    EXPECT_EQ(relayBefore, "断");
    EXPECT_EQ(relayAfter, "通");
    EXPECT_EQ(m_platform.device("d1")->relay, 1);
    EXPECT_EQ(boxAtEnd, QStringList({"甲"}));
    // 乙 was the last user: none is left selected, so no devices are shown.
    EXPECT_TRUE(idsAtEnd.isEmpty());
    const std::string expected = Gbk("pw1\r\n{甲}\r\nA1|ka|d1|水泵|一号楼|01\r\n");
    EXPECT_EQ(ReadFile("bob.cfg"), expected);

    // A new start: nothing of the first run is left in memory.
    ForgetAccount();
    const FileStamp stamp = StampOf(FilePath("bob.cfg"));
    QStringList box, row;
    int nSelected = -2;
    {
        CModalScript script;
        LogIn(script, "bob", "pw1");
        script.OnWindow(MainTitle(), [&](QWidget* pMain) {
            box = BoxItems(pMain, IDC_COMBO_USER);
            nSelected = BoxSelection(pMain, IDC_COMBO_USER);
            QTRY_COMPARE_WITH_TIMEOUT(Cell(pMain, 0, 5), QString("通"), kStateTimeoutMs);
            row = RowTexts(pMain, 0);
            pMain->close();
        });
        EXPECT_FALSE(RunScripted(script, [] { return theApp.InitInstance(); }));
    }
    EXPECT_EQ(box, QStringList({"甲"}));
    EXPECT_EQ(nSelected, 0);
    EXPECT_EQ(row, QStringList({"A1", "01", "水泵", "一号楼", "在线", "通"}));
    EXPECT_EQ(ReadFile("bob.cfg"), expected);
    EXPECT_TRUE(StampOf(FilePath("bob.cfg")) == stamp);
}

} // namespace
