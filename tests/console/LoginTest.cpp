#include "console/OperatorTexts.h"
#include "console/QuorvaneDlg.h"
#include "registry/Account.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/RunScripted.h"

#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTableWidget>

#include <filesystem>

namespace {

void NewAccount(CModalScript& script, const QString& name, const QString& password, const QString& again)
{
    script.OnWindow(NewAccountTitle(), [=](QWidget* w) {
        TypeInto(w, IDC_EDIT_NEW_ACCOUNT, name);
        TypeInto(w, IDC_EDIT_NEW_PASSWORD, password);
        TypeInto(w, IDC_EDIT_NEW_PASSWORD2, again);
        Click(w, IDOK);
    });
}

using LoginTest = ConsoleTest;

TEST_F(LoginTest, cancelEndsTheProgramWithoutMessageOrWindow)
{
    CModalScript script;
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDCANCEL); });
    EXPECT_FALSE(RunScripted(script, [] { return theApp.InitInstance(); }));
    EXPECT_TRUE(script.Boxes().isEmpty());
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(g_pMainDlg, nullptr);
}

TEST_F(LoginTest, wrongPasswordShowsOneMessageAndEnds)
{
    WriteAccount(L"alice", L"Secret", {MakeUser(L"u", 1)});
    CModalScript script;
    LogIn(script, "alice", "secret");
    script.AnswerMessageBox(kOk);
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Boxes(), QStringList{"quorvane|密码错误!"});
    EXPECT_EQ(g_pMainDlg, nullptr);
}

TEST_F(LoginTest, unreadableAccountFileEndsTheLoginWithAMessage)
{
    ASSERT_TRUE(std::filesystem::create_directory(FilePath("dave.cfg")));
    CModalScript script;
    LogIn(script, "dave", "");
    script.AnswerMessageBox(kOk);
    CQuorvaneDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Boxes(), QStringList{"quorvane|读取文件失败"});
}

TEST_F(LoginTest, trimmedAccountAndPasswordOpenTheMainWindow)
{
    WriteAccount(L"alice", L"Secret", {MakeUser(L"用户一", 2)});
    CModalScript script;
    LogIn(script, "  alice ", " Secret  ");
    int nRows = -1;
    script.OnWindow(MainTitle(), [&](QWidget* w) {
        nRows = DeviceList(w)->rowCount();
        w->close();
    });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(g_strAccount, CString(L"alice"));
    EXPECT_EQ(nRows, 2);
}

TEST_F(LoginTest, newAccountRefusesEmptyAndDifferingPasswordsThenCreatesTheFile)
{
    CModalScript script;
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDC_BTN_NEW_ACCOUNT); });
    NewAccount(script, "   ", "a", "b");
    script.AnswerMessageBox(kOk);
    NewAccount(script, " carol ", "Pw", "pw");
    script.AnswerMessageBox(kOk);
    NewAccount(script, " carol ", "Pw", "Pw ");
    int nUsers = -1, nSelected = 0, nRows = -1;
    script.OnWindow(MainTitle(), [&](QWidget* w) {
        nUsers = Control<QComboBox>(w, IDC_COMBO_USER)->count();
        nSelected = Control<QComboBox>(w, IDC_COMBO_USER)->currentIndex();
        nRows = DeviceList(w)->rowCount();
        w->close();
    });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(script.Boxes(), (QStringList{"quorvane|账号密码不能为空", "quorvane|两次输入密码不一致!"}));
    EXPECT_EQ(ReadFile("carol.cfg"), "Pw\r\n");
    EXPECT_EQ(g_strAccount, CString(L"carol"));
    EXPECT_EQ(nUsers, 0);
    EXPECT_EQ(nSelected, -1);
    EXPECT_EQ(nRows, 0);
}

// The edits keep only the first line of what is pasted or set into them, so that the
// password stored is the one that logs in, and the name is the first line's.
TEST_F(LoginTest, lineBreaksPastedOrSetIntoTheNewAccountEditsAreCut)
{
    CModalScript script;
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDC_BTN_NEW_ACCOUNT); });
    script.OnWindow(NewAccountTitle(), [](QWidget* w) {
        PasteInto(w, IDC_EDIT_NEW_ACCOUNT, "bob\nother");
        SetEditText(w, IDC_EDIT_NEW_PASSWORD, L"pw1\r\nzz");
        PasteInto(w, IDC_EDIT_NEW_PASSWORD2, "pw1\ryy");
        Click(w, IDOK);
    });
    script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_TRUE(script.Boxes().isEmpty());
    EXPECT_EQ(ReadFile("bob.cfg"), "pw1\r\n");
    EXPECT_EQ(g_strAccount, CString(L"bob"));
}

TEST_F(LoginTest, lineBreaksPastedOrSetIntoTheLoginEditsAreCut)
{
    WriteAccount(L"alice", L"Secret", {MakeUser(L"用户一", 1)});
    CModalScript script;
    script.OnWindow(LoginTitle(), [](QWidget* w) {
        PasteInto(w, IDC_EDIT_ACCOUNT, "alice\r\nbob");
        SetEditText(w, IDC_EDIT_PASSWORD, L"Secret\nSecret");
        Click(w, IDOK);
    });
    script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_TRUE(script.Boxes().isEmpty());
    EXPECT_EQ(g_strAccount, CString(L"alice"));
}

// Stored as "?", such a password could never be typed again, and the name would be taken.
// The check follows the comparison of the two; the name itself may hold any character, as
// only the file's name holds it.
TEST_F(LoginTest, newAccountRefusesAPasswordTheAccountFileCannotHold)
{
    CModalScript script;
    QStringList expected;
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDC_BTN_NEW_ACCOUNT); });
    for (const char* text : {"Straße", "mañana", "비밀번호", "pw😀"}) {
        const QString password = QString::fromUtf8(text);
        script.OnWindow(NewAccountTitle(), [password](QWidget* w) {
            TypeInto(w, IDC_EDIT_NEW_ACCOUNT, "dora");
            PasteInto(w, IDC_EDIT_NEW_PASSWORD, password);
            PasteInto(w, IDC_EDIT_NEW_PASSWORD2, password);
            Click(w, IDOK);
        });
        script.AnswerMessageBox(kOk);
        script.OnWindow(NewAccountTitle(), [password](QWidget* w) {
            EXPECT_EQ(EditText(w, IDC_EDIT_NEW_ACCOUNT), "dora");
            EXPECT_EQ(EditText(w, IDC_EDIT_NEW_PASSWORD), password);
            EXPECT_EQ(EditText(w, IDC_EDIT_NEW_PASSWORD2), password);
        });
        expected << Box(kPasswordUnsaveableText);
    }
    script.OnWindow(NewAccountTitle(), [](QWidget* w) {
        PasteInto(w, IDC_EDIT_NEW_PASSWORD, "ß");
        PasteInto(w, IDC_EDIT_NEW_PASSWORD2, "ss");
        Click(w, IDOK);
    });
    script.AnswerMessageBox(kOk);
    expected << Box(kPasswordsDifferText);
    script.OnWindow(NewAccountTitle(), [](QWidget* w) {
        PasteInto(w, IDC_EDIT_NEW_ACCOUNT, "도라");
        PasteInto(w, IDC_EDIT_NEW_PASSWORD, "密码囧");
        PasteInto(w, IDC_EDIT_NEW_PASSWORD2, "密码囧");
        Click(w, IDOK);
    });
    script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(script.Boxes(), expected);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FilePath("dora.cfg"))));
    EXPECT_EQ(ReadFile("도라.cfg"), "\xC3\xDC\xC2\xEB\x87\xE5\r\n");
    EXPECT_EQ(g_strPassword, CString(L"密码囧"));
}

TEST_F(LoginTest, newAccountForAnExistingFileIsRefusedAndTheFileKept)
{
    WriteAccount(L"bob", L"old", {MakeUser(L"u", 2)});
    const std::string before = ReadFile("bob.cfg");
    CModalScript script;
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDC_BTN_NEW_ACCOUNT); });
    NewAccount(script, "bob", "new", "new");
    script.AnswerMessageBox(kOk);
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDC_BTN_NEW_ACCOUNT); });
    script.OnWindow(NewAccountTitle(), [](QWidget* w) { Click(w, IDCANCEL); });
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDCANCEL); });
    EXPECT_EQ(RunScripted(script, CQuorvaneDlg()), IDCANCEL);
    EXPECT_EQ(script.Boxes(), QStringList{"quorvane|账号:bob, 已经存在! 新建失败!"});
    EXPECT_EQ(ReadFile("bob.cfg"), before);
}

} // namespace
