#include "TestDialog.h"
#include "platform/core/Exceptions.h"
#include "platform/core/WinApp.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RunScripted.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CSilentException : public CException
{};

TEST(DialogTest, missingTemplate_returnsMinusOne)
{
    CTestDlg dlg(999);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(DialogTest, endedDuringInit_returnsAtOnceAndIsNeverShown)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget*) {});
    CTestDlg dlg;
    dlg.onInit = [](CTestDlg& d) {
        d.EndDialog(7);
        return FALSE;
    };
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_FALSE(script.Finished());
    EXPECT_EQ(dlg.GetWidget(), nullptr);
}

TEST(DialogTest, membersShownAtInitAndTypedTextsTakenOnOk)
{
    CModalScript script;
    QString shown;
    bool bMasked = false;
    script.OnWindow("测试对话框", [&](QWidget* w) {
        shown = Control<QLineEdit>(w, IDC_TEST_EDIT)->text();
        bMasked = Control<QLineEdit>(w, IDC_TEST_PASSWORD)->echoMode() == QLineEdit::Password;
        TypeInto(w, IDC_TEST_EDIT, " 新的 文本 ");
        TypeInto(w, IDC_TEST_PASSWORD, "pw");
        Click(w, IDOK);
    });
    CTestDlg dlg;
    dlg.m_strText = L"初始";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, "初始");
    EXPECT_TRUE(bMasked);
    EXPECT_EQ(dlg.m_strText, CString(L" 新的 文本 "));
    EXPECT_EQ(dlg.m_strPassword, CString(L"pw"));
}

TEST(DialogTest, cancelAndCloseBoxEndWithCancelAndKeepMembers)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget* w) {
        TypeInto(w, IDC_TEST_EDIT, "x");
        Click(w, IDCANCEL);
    });
    script.OnWindow("测试对话框", [](QWidget* w) { w->close(); });
    CTestDlg first;
    first.m_strText = L"keep";
    EXPECT_EQ(first.DoModal(), IDCANCEL);
    EXPECT_EQ(first.m_strText, CString(L"keep"));
    EXPECT_EQ(RunScripted(script, CTestDlg()), IDCANCEL);
}

TEST(DialogTest, comboIndexExchangedBothWays)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget* w) {
        QTest::keyClick(FindControl(w, IDC_TEST_COMBO), Qt::Key_Down);
        Click(w, IDOK);
    });
    CTestDlg dlg;
    dlg.onInit = [](CTestDlg& d) {
        d.m_combo.AddString(L"a");
        d.m_combo.AddString(L"b");
        d.m_combo.AddString(L"c");
        d.m_nChoice = 0;
        d.UpdateData(FALSE);
        return TRUE;
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nChoice, 1);
}

// Enter presses the default button, or the push button that has the focus; Esc is Cancel;
// the dialog's PreTranslateMessage sees each key press of its controls first.
TEST(DialogTest, dialogKeys)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget* w) {
        QTest::keyClick(FindControl(w, IDC_TEST_EDIT), Qt::Key_A);
        FindControl(w, IDC_TEST_ACTION)->setFocus();
        QTest::keyClick(FindControl(w, IDC_TEST_ACTION), Qt::Key_Return);
        FindControl(w, IDC_TEST_EDIT)->setFocus();
        QTest::keyClick(FindControl(w, IDC_TEST_EDIT), Qt::Key_Return);
    });
    script.OnWindow("测试对话框", [](QWidget* w) { QTest::keyClick(FindControl(w, IDC_TEST_LIST), Qt::Key_Escape); });
    CTestDlg ok;
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_EQ(ok.m_strText, CString(L"a"));
    EXPECT_EQ(ok.commands, std::vector<UINT>{IDC_TEST_ACTION});
    EXPECT_EQ(ok.keysSeen, (std::vector<UINT>{'A', VK_RETURN, VK_RETURN}));
    CTestDlg cancel;
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_EQ(cancel.keysSeen, std::vector<UINT>{VK_ESCAPE});
}

// Letters of other scripts are text, whatever the low byte of their character code.
TEST(DialogTest, nonLatinLettersAreTypedNotTakenForEnterOrEsc)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget* w) {
        QWidget* pEdit = FindControl(w, IDC_TEST_EDIT);
        pEdit->setFocus();
        for (const auto& [key, text] :
             {std::pair{0x041B, QStringLiteral("Л")}, std::pair{0x0E0D, QStringLiteral("ญ")}}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(pEdit, &press);
        }
        Click(w, IDOK);
    });
    CTestDlg dlg;
    EXPECT_EQ(RunScripted(script, dlg), IDOK);
    EXPECT_EQ(dlg.m_strText, CString(L"Лญ"));
}

class CDerivedDlg : public CTestDlg
{
public:
    int nOk = 0;

protected:
    void OnDerivedOk() { ++nOk; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CTestDlg)
    ON_BN_CLICKED(IDOK, &CDerivedDlg::OnDerivedOk)
END_MESSAGE_MAP()

TEST(DialogTest, messageMapSearchesTheClassBeforeItsBases)
{
    CModalScript script;
    script.OnWindow("测试对话框", [](QWidget* w) {
        Click(w, IDOK);
        Click(w, IDC_TEST_ACTION);
        Click(w, IDCANCEL);
    });
    CDerivedDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.nOk, 1);
    EXPECT_EQ(dlg.commands, std::vector<UINT>{IDC_TEST_ACTION});
}

// An exception that leaves a handler is told to the operator with a stop icon, and the
// dialog goes on.
TEST(DialogTest, exceptionLeavingAHandlerIsReported)
{
    CModalScript script;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDC_TEST_ACTION); });
    script.OnMessageBox([&](QMessageBox* box) {
        icon = box->icon();
        box->accept();
    });
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDC_TEST_ACTION); });
    script.AnswerMessageBox("确定");
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDCANCEL); });
    CTestDlg dlg;
    int nThrown = 0;
    dlg.onAction = [&](CTestDlg&) {
        if (nThrown++ == 0)
            AfxThrowFileException(ENOSPC, L"/tmp/a.cfg");
        throw new CSilentException;
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(script.Boxes().size(), 2) << script.Failure().toStdString();
    const QString caption = QString::fromWCharArray(AfxGetApp()->m_pszAppName);
    EXPECT_TRUE(script.Boxes()[0].startsWith(caption + "|")) << script.Boxes()[0].toStdString();
    EXPECT_NE(script.Boxes()[0], caption + "|");
    EXPECT_EQ(script.Boxes()[1], caption + "|出现内部应用程序错误。");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

// A command without a control (lParam 0) is a menu command.
TEST(DialogTest, menuCommandThatThrowsReportsCommandFailure)
{
    CModalScript script;
    CTestDlg dlg;
    dlg.onAction = [](CTestDlg&) { throw new CSilentException; };
    script.OnWindow("测试对话框", [&](QWidget*) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_ACTION, 0), 0); });
    script.AnswerMessageBox("确定");
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(script.Boxes().size(), 1) << script.Failure().toStdString();
    EXPECT_TRUE(script.Boxes()[0].endsWith("|命令失败。"));
}

} // namespace
