#include "tests/console/EditingFixture.h"

#include "console/QuorvaneDlg.h"
#include "platform/core/CodePage.h"
#include "resources/ResourceIds.h"

#include <QMenu>

#include <vector>

std::string Gbk(const std::string& utf8)
{
    const CString text = FromUtf8(utf8);
    const int nBytes = WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(nBytes) + 1);
    WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), bytes.data(), nBytes, nullptr, nullptr);
    return std::string(bytes.data(), static_cast<size_t>(nBytes));
}

std::string DeviceLine(const std::string& user, int i)
{
    const std::string n = std::to_string(i);
    return user + "-id" + n + "|key" + n + "|dev" + n + "|" + user + "-名称" + n + "|地址" + n + "|No" + n + "\r\n";
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

QStringList ListedIds(QWidget* pMain)
{
    QTableWidget* pList = DeviceList(pMain);
    QStringList ids;
    for (int nRow = 0; nRow < pList->rowCount(); ++nRow)
        ids << pList->item(nRow, 0)->text();
    return ids;
}

QStringList RowTexts(QWidget* pMain, int nRow)
{
    QTableWidget* pList = DeviceList(pMain);
    QStringList texts;
    for (int nCol = 0; nCol < pList->columnCount(); ++nCol)
        texts << (pList->item(nRow, nCol) ? pList->item(nRow, nCol)->text() : QString());
    return texts;
}

namespace {

QPoint RowPoint(QTableWidget* pList, int nRow)
{
    return pList->visualItemRect(pList->item(nRow, 0)).center();
}

} // namespace

void SelectRows(QWidget* pMain, std::initializer_list<int> rows)
{
    QTableWidget* pList = DeviceList(pMain);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (int nRow : rows) {
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, modifiers, RowPoint(pList, nRow));
        modifiers = Qt::ControlModifier;
    }
}

void RightClickRow(QWidget* pMain, int nRow)
{
    QTableWidget* pList = DeviceList(pMain);
    RightClick(pList->viewport(), RowPoint(pList, nRow));
}

void LogIn(CModalScript& script, const QString& account, const QString& password)
{
    script.OnWindow("输入账号密码", [=](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_ACCOUNT, account);
        TypeInto(pDialog, IDC_EDIT_PASSWORD, password);
        Click(pDialog, IDOK);
    });
}

void AddDevice(CModalScript& script, const QString& fields, const QStringList& newUsers, int nChoose,
               const MainAction& before)
{
    script.OnWindow(kMainTitle, [before](QWidget* pMain) {
        if (before)
            before(pMain);
        Click(pMain, IDC_BTN_ADD_DEVICE);
    });
    for (const QString& name : newUsers)
        AddUserInDialog(script, name);
    script.OnWindow(kAddDeviceTitle, [fields, nChoose](QWidget* pDialog) {
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
    script.OnWindow(kMainTitle, [nRow, before](QWidget* pMain) {
        if (before)
            before(pMain);
        SelectRows(pMain, {nRow});
        RightClickRow(pMain, nRow);
    });
    script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "删除"); });
    script.AnswerMessageBox(kYes);
}

void DeleteUser(CModalScript& script, int nUser, const MainAction& before)
{
    script.OnWindow(kMainTitle, [nUser, before](QWidget* pMain) {
        if (before)
            before(pMain);
        ChooseInBox(pMain, IDC_COMBO_USER, nUser);
        Click(pMain, IDC_BTN_DELETE_USER);
    });
    script.AnswerMessageBox(kYes);
}

void EditingTest::RunMainWindow()
{
    m_script.OnWindow(kMainTitle, [](QWidget* pMain) { pMain->close(); });
    CQuorvaneDlg dlg;
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_PLAYED_THROUGH(m_script);
    EXPECT_EQ(nResult, IDCANCEL);
}
