#include "registry/Account.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleFixture.h"

#include <QMenu>

#include <filesystem>

namespace {

const char* const kOddName = " 50%s 组 ";

// An account of three users, the first with four devices, the second with one and the
// third, whose name needs care, with two; logged in before every test.
class EditingCommandsTest : public PlatformConsoleTest
{
protected:
    void SetUp() override
    {
        PlatformConsoleTest::SetUp();
        WriteAccount(L"alice", L"pw",
                     {MakeUser(L"用户一", 4), MakeUser(L"用户二", 1), MakeUser(FromUtf8(kOddName), 2)});
        m_before = ReadFile("alice.cfg");
        m_stamp = StampOf(FilePath("alice.cfg"));
        LogIn(m_script, "alice", "pw");
    }

    bool Rewritten() const { return !(StampOf(FilePath("alice.cfg")) == m_stamp); }

    // A user line and that user's devices nFirst up to nEnd - 1, as the fixture makes them.
    static std::string Users(const std::string& name, int nFirst, int nEnd)
    {
        std::string text = "{" + name + "}\r\n";
        for (int i = nFirst; i < nEnd; ++i)
            text += DeviceLine(name, i);
        return text;
    }

    std::string m_before;
    FileStamp m_stamp;
};

void ChooseDelete(QMenu* pMenu)
{
    ChooseMenuItem(pMenu, "删除");
}

TEST_F(EditingCommandsTest, addDeviceCancelledAfterAddingUsersChangesNothing)
{
    QStringList box, ids;
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { Click(pMain, IDC_BTN_ADD_DEVICE); });
    AddUserInDialog(m_script, "新甲");
    AddUserInDialog(m_script, "新乙");
    m_script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_DEVICE_ID, "x");
        PressKey(pDialog, IDC_EDIT_DEVICE_ID, Qt::Key_Escape);
    });
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        box = BoxItems(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
    });
    RunMainWindow();
    EXPECT_EQ(box, QStringList({"用户一", "用户二", kOddName}));
    EXPECT_EQ(ids, QStringList({"用户一-id0", "用户一-id1", "用户一-id2", "用户一-id3"}));
    EXPECT_EQ(g_arrDevGroup.GetSize(), 3);
    EXPECT_FALSE(Rewritten());
    EXPECT_EQ(ReadFile("alice.cfg"), m_before);
}

TEST_F(EditingCommandsTest, addDeviceForAnExistingUserAppendsItLastAndSelectsTheUser)
{
    int nPreselected = -2, nSelected = -2;
    QStringList ids, lastRow;
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { ChooseInBox(pMain, IDC_COMBO_USER, 1); });
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { Click(pMain, IDC_BTN_ADD_DEVICE); });
    m_script.OnWindow(AddDeviceTitle(), [&](QWidget* pDialog) {
        nPreselected = BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER);
        pDialog->close();
    });
    AddDevice(m_script, " 新设备 |k9|d9|水泵|三号楼|09");
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        nSelected = BoxSelection(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
        lastRow = RowTexts(pMain, 1);
    });
    RunMainWindow();
    EXPECT_EQ(nPreselected, 1);
    EXPECT_EQ(nSelected, 1);
    EXPECT_EQ(ids, QStringList({"用户二-id0", "新设备"}));
    EXPECT_EQ(lastRow, QStringList({"新设备", "09", "水泵", "三号楼", "?", "?"}));
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n" + Users("用户一", 0, 4) + Users("用户二", 0, 1) + "新设备|k9|d9|水泵|三号楼|09\r\n" +
                  Users(kOddName, 0, 2)));
}

TEST_F(EditingCommandsTest, addDeviceToTheFirstOfTwoNewUsersStoresBothInOrder)
{
    int nSelected = -2;
    QStringList box, ids;
    AddDevice(m_script, "n1|k|d|名|址|1", {"新甲", "新乙"}, 3);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        box = BoxItems(pMain, IDC_COMBO_USER);
        nSelected = BoxSelection(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
    });
    RunMainWindow();
    EXPECT_EQ(box, QStringList({"用户一", "用户二", kOddName, "新甲", "新乙"}));
    EXPECT_EQ(nSelected, 3);
    EXPECT_EQ(ids, QStringList({"n1"}));
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n" + Users("用户一", 0, 4) + Users("用户二", 0, 1) + Users(kOddName, 0, 2) +
                  "{新甲}\r\nn1|k|d|名|址|1\r\n{新乙}\r\n"));
}

// A line break in a line of the file would end the line there and make the rest of it a
// device or a user of its own.
TEST_F(EditingCommandsTest, lineBreaksPastedOrSetIntoTheEditsNeverReachTheFile)
{
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { Click(pMain, IDC_BTN_ADD_DEVICE); });
    m_script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    m_script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        PasteInto(pDialog, IDC_EDIT_USER_NAME, "新用户\r\n{旧用户}");
        Click(pDialog, IDOK);
    });
    m_script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    m_script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        SetEditText(pDialog, IDC_EDIT_USER_NAME, L"又一个\n用户");
        Click(pDialog, IDOK);
    });
    m_script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_DEVICE_ID, "n1");
        SetEditText(pDialog, IDC_EDIT_API_KEY, L"k1\rk2");
        TypeInto(pDialog, IDC_EDIT_PLATFORM_ID, "d1");
        TypeInto(pDialog, IDC_EDIT_DEVICE_NAME, "名");
        PasteInto(pDialog, IDC_EDIT_ADDRESS, "址\n");
        PasteInto(pDialog, IDC_EDIT_NUMBER, "7\n8");
        ChooseInBox(pDialog, IDC_COMBO_ADDDEV_USER, 3);
        Click(pDialog, IDOK);
    });
    RunMainWindow();
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n" + Users("用户一", 0, 4) + Users("用户二", 0, 1) + Users(kOddName, 0, 2) +
                  "{新用户}\r\nn1|k1|d1|名|址|7\r\n{又一个}\r\n"));
}

TEST_F(EditingCommandsTest, deleteDeviceWithThreeRowsSelectedDeletesTheFirstAfterOnePrompt)
{
    QStringList ids;
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) {
        SelectRows(pMain, {3, 1, 2});
        OpenDeviceMenu(pMain);
    });
    m_script.OnMenu(ChooseDelete);
    m_script.AnswerMessageBox(kYes);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) { ids = ListedIds(pMain); });
    RunMainWindow();
    EXPECT_EQ(m_script.Boxes(), QStringList({Box(L"是否确定要删除该设备:用户一-名称1 ？", L"提示")}));
    EXPECT_EQ(ids, QStringList({"用户一-id0", "用户一-id2", "用户一-id3"}));
    EXPECT_EQ(ReadFile("alice.cfg"),
              Gbk("pw\r\n{用户一}\r\n" + DeviceLine("用户一", 0) + DeviceLine("用户一", 2) + DeviceLine("用户一", 3) +
                  Users("用户二", 0, 1) + Users(kOddName, 0, 2)));
}

TEST_F(EditingCommandsTest, noInAPromptAndNothingSelectedChangeNothing)
{
    QStringList box, ids;
    // With no row selected "删除" asks nothing.
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) {
        QWidget* pViewport = DeviceList(pMain)->viewport();
        RightClick(pViewport, QPoint(5, pViewport->height() - 5));
    });
    m_script.OnMenu(ChooseDelete);
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) {
        SelectRows(pMain, {0});
        OpenDeviceMenu(pMain);
    });
    m_script.OnMenu(ChooseDelete);
    m_script.AnswerMessageBox(kNo);
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { Click(pMain, IDC_BTN_DELETE_USER); });
    m_script.AnswerMessageBox(kNo);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        box = BoxItems(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
    });
    RunMainWindow();
    EXPECT_EQ(m_script.Boxes(),
              QStringList({Box(L"是否确定要删除该设备:用户一-名称0 ？", L"提示"),
                           Box(L"是否确定要删除该用户:用户一 ？该用户下的所有设备也将删除！", L"提示")}));
    EXPECT_EQ(box.size(), 3);
    EXPECT_EQ(ids.size(), 4);
    EXPECT_EQ(g_arrDevGroup.GetSize(), 3);
    EXPECT_FALSE(Rewritten());
}

TEST_F(EditingCommandsTest, deletingTheOnlyDeviceKeepsTheUserSelected)
{
    int nSelected = -2;
    QStringList ids;
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) {
        ChooseInBox(pMain, IDC_COMBO_USER, 1);
        SelectRows(pMain, {0});
        OpenDeviceMenu(pMain);
    });
    m_script.OnMenu(ChooseDelete);
    m_script.AnswerMessageBox(kYes);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        nSelected = BoxSelection(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
    });
    RunMainWindow();
    EXPECT_EQ(nSelected, 1);
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_EQ(ReadFile("alice.cfg"), Gbk("pw\r\n" + Users("用户一", 0, 4) + "{用户二}\r\n" + Users(kOddName, 0, 2)));
}

TEST_F(EditingCommandsTest, deletingTheSecondOfThreeUsersShowsTheFormerThird)
{
    int nSelected = -2;
    QStringList box, ids;
    DeleteUser(m_script, 1);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        box = BoxItems(pMain, IDC_COMBO_USER);
        nSelected = BoxSelection(pMain, IDC_COMBO_USER);
        ids = ListedIds(pMain);
    });
    RunMainWindow();
    EXPECT_EQ(m_script.Boxes(),
              QStringList({Box(L"是否确定要删除该用户:用户二 ？该用户下的所有设备也将删除！", L"提示")}));
    EXPECT_EQ(box, QStringList({"用户一", kOddName}));
    EXPECT_EQ(nSelected, 1);
    EXPECT_EQ(ids, QStringList({QString(kOddName) + "-id0", QString(kOddName) + "-id1"}));
    EXPECT_EQ(ReadFile("alice.cfg"), Gbk("pw\r\n" + Users("用户一", 0, 4) + Users(kOddName, 0, 2)));
}

// The last user of the list, then the others down to none: the prompt names the user as
// stored, and with no user left the box has no selection and the button does nothing.
TEST_F(EditingCommandsTest, deletingTheLastUserLeavesNoSelectionAndTheOnlyUserAnEmptyAccount)
{
    int nAfterLast = -2, nAfterAll = -2;
    QStringList idsAfterLast, boxAfterAll;
    DeleteUser(m_script, 2);
    DeleteUser(m_script, 1, [&](QWidget* pMain) {
        nAfterLast = BoxSelection(pMain, IDC_COMBO_USER);
        idsAfterLast = ListedIds(pMain);
    });
    DeleteUser(m_script, 0);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) {
        Click(pMain, IDC_BTN_DELETE_USER);
        nAfterAll = BoxSelection(pMain, IDC_COMBO_USER);
        boxAfterAll = BoxItems(pMain, IDC_COMBO_USER);
    });
    RunMainWindow();
    ASSERT_EQ(m_script.Boxes().size(), 3);
    EXPECT_EQ(m_script.Boxes()[0],
              "提示|是否确定要删除该用户:" + QString(kOddName) + " ？该用户下的所有设备也将删除！");
    EXPECT_EQ(nAfterLast, -1);
    EXPECT_TRUE(idsAfterLast.isEmpty());
    EXPECT_EQ(nAfterAll, -1);
    EXPECT_TRUE(boxAfterAll.isEmpty());
    EXPECT_EQ(g_arrDevGroup.GetSize(), 0);
    EXPECT_EQ(ReadFile("alice.cfg"), "pw\r\n");
}

// A failed save is told, and the change stays in memory and on the screen.
TEST_F(EditingCommandsTest, aFailedSaveKeepsTheChangeShown)
{
    QStringList box;
    m_script.OnWindow(MainTitle(), [this](QWidget* pMain) {
        // A folder where the file should be cannot be replaced by the save.
        std::filesystem::remove(FilePath("alice.cfg"));
        std::filesystem::create_directory(FilePath("alice.cfg"));
        Click(pMain, IDC_BTN_DELETE_USER);
    });
    m_script.AnswerMessageBox(kYes);
    m_script.AnswerMessageBox(kOk);
    m_script.OnWindow(MainTitle(), [&](QWidget* pMain) { box = BoxItems(pMain, IDC_COMBO_USER); });
    RunMainWindow();
    ASSERT_EQ(m_script.Boxes().size(), 2);
    EXPECT_EQ(m_script.Boxes()[1], Box(L"保存文件失败"));
    EXPECT_EQ(box, QStringList({"用户二", kOddName}));
    EXPECT_EQ(g_arrDevGroup.GetSize(), 2);
}

} // namespace
