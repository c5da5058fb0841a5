#include "tests/console/ConsoleFixture.h"

#include "console/QuorvaneDlg.h"
#include "registry/Account.h"
#include "registry/AccountFile.h"
#include "tests/support/RunScripted.h"

#include <QMenu>

CQuorvaneApp theApp;

void ForgetAccount()
{
    g_arrDevGroup.RemoveAll();
    g_strAccount.Empty();
    g_strPassword.Empty();
    g_pMainDlg = nullptr;
}

namespace {

QPoint RowPoint(QTableWidget* pList, int nRow)
{
    return pList->visualItemRect(pList->item(nRow, 0)).center();
}

} // namespace

void ConsoleTest::SetUp()
{
    theApp.SetExecutablePath(FromUtf8(m_folder.PathOf("quorvane")));
    ForgetAccount();
}

void ConsoleTest::TearDown()
{
    ForgetAccount();
}

void ConsoleTest::WriteAccount(const CString& strAccount, const CString& strPassword,
                               const std::vector<DEVGROUP>& users)
{
    g_strPassword = strPassword;
    for (const DEVGROUP& user : users)
        g_arrDevGroup.Add(user);
    ASSERT_TRUE(SaveAccountFile(strAccount));
    ForgetAccount();
}

void PlatformConsoleTest::RunMainWindow()
{
    m_script.OnWindow(MainTitle(), [](QWidget* pMain) { pMain->close(); });
    EXPECT_EQ(RunScripted(m_script, CQuorvaneDlg()), IDCANCEL);
}

std::vector<fake::RecordedRequest> PlatformConsoleTest::Posts() const
{
    std::vector<fake::RecordedRequest> posts;
    for (const auto& request : m_platform.requests())
        if (request.method == "POST")
            posts.push_back(request);
    return posts;
}

void AliceConsoleTest::SetUp()
{
    PlatformConsoleTest::SetUp();
    WriteAccount(L"alice", L"pw", {MakeUser(L"用户一", 3), MakeUser(L"用户二", 1)});
    m_platform.setDevice("dev0", true, 0, "key0");
    m_platform.setDevice("dev1", true, 1, "key1");
    m_platform.setDevice("dev2", false, 0, "key2");
    LogIn(m_script, "alice", "pw");
}

FileStamp StampOf(const std::string& path)
{
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {info.st_ino, info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

QTableWidget* DeviceList(QWidget* pMain)
{
    return Control<QTableWidget>(pMain, IDC_LIST_DEVICE);
}

QString Cell(QWidget* pMain, int nRow, int nCol)
{
    const QTableWidgetItem* pItem = DeviceList(pMain)->item(nRow, nCol);
    return pItem ? pItem->text() : QString();
}

QStringList ListedIds(QWidget* pMain)
{
    QStringList ids;
    for (int nRow = 0; nRow < DeviceList(pMain)->rowCount(); ++nRow)
        ids << Cell(pMain, nRow, 0);
    return ids;
}

QStringList RowTexts(QWidget* pMain, int nRow)
{
    QStringList texts;
    for (int nCol = 0; nCol < DeviceList(pMain)->columnCount(); ++nCol)
        texts << Cell(pMain, nRow, nCol);
    return texts;
}

QStringList ShownStates(QWidget* pMain)
{
    QStringList states;
    for (int nRow = 0; nRow < DeviceList(pMain)->rowCount(); ++nRow)
        states << Cell(pMain, nRow, 4) + Cell(pMain, nRow, 5);
    return states;
}

void SelectRows(QWidget* pMain, std::initializer_list<int> rows)
{
    QTableWidget* pList = DeviceList(pMain);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (int nRow : rows) {
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, modifiers, RowPoint(pList, nRow));
        modifiers = Qt::ControlModifier;
    }
}

void OpenDeviceMenu(QWidget* pMain)
{
    QTableWidget* pList = DeviceList(pMain);
    QWidget* pViewport = pList->viewport();
    const QList<QTableWidgetItem*> selected = pList->selectedItems();
    const QPoint pos =
        selected.isEmpty() ? QPoint(10, pViewport->height() - 5) : pList->visualItemRect(selected.front()).center();
    RightClick(pViewport, pos);
}

void LogIn(CModalScript& script, const QString& account, const QString& password)
{
    script.OnWindow(LoginTitle(), [=](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_ACCOUNT, account);
        TypeInto(pDialog, IDC_EDIT_PASSWORD, password);
        Click(pDialog, IDOK);
    });
}

void AddDevice(CModalScript& script, const QString& fields, const QStringList& newUsers, int nChoose,
               const MainAction& before)
{
    script.OnWindow(MainTitle(), [before](QWidget* pMain) {
        if (before)
            before(pMain);
        Click(pMain, IDC_BTN_ADD_DEVICE);
    });
    for (const QString& name : newUsers)
        AddUserInDialog(script, name);
    script.OnWindow(AddDeviceTitle(), [fields, nChoose](QWidget* pDialog) {
        const QStringList values = fields.split('|');
        const int edits[] = {IDC_EDIT_DEVICE_ID,   IDC_EDIT_API_KEY, IDC_EDIT_PLATFORM_ID,
                             IDC_EDIT_DEVICE_NAME, IDC_EDIT_ADDRESS, IDC_EDIT_NUMBER};
        for (int i = 0; i < 6; ++i)
            TypeInto(pDialog, edits[i], values.value(i));
        if (nChoose >= 0)
            ChooseInBox(pDialog, IDC_COMBO_ADDDEV_USER, nChoose);
        Click(pDialog, IDOK);
    });
}

void DeleteRow(CModalScript& script, int nRow, const MainAction& before)
{
    script.OnWindow(MainTitle(), [nRow, before](QWidget* pMain) {
        if (before)
            before(pMain);
        SelectRows(pMain, {nRow});
        OpenDeviceMenu(pMain);
    });
    script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "删除"); });
    script.AnswerMessageBox(kYes);
}

void DeleteUser(CModalScript& script, int nUser, const MainAction& before)
{
    script.OnWindow(MainTitle(), [nUser, before](QWidget* pMain) {
        if (before)
            before(pMain);
        ChooseInBox(pMain, IDC_COMBO_USER, nUser);
        Click(pMain, IDC_BTN_DELETE_USER);
    });
    script.AnswerMessageBox(kYes);
}
