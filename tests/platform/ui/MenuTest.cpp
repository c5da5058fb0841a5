#include "platform/ui/Menu.h"
#include "TestDialog.h"
#include "platform/core/WinApp.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RunScripted.h"

#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(MenuTest, loadedMenuHasItsPopupAndItems)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(999));
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetMenuItemCount(), 3u);
    menu.DestroyMenu();
    EXPECT_EQ(menu.GetMenuItemCount(), 0u);
}

// The chosen item reaches the owner as WM_COMMAND after TrackPopupMenu has returned; a
// dismissed menu sends nothing.
TEST(MenuTest, chosenItemArrivesAsCommandAfterTheMenuCloses)
{
    CModalScript script;
    QStringList items;
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDC_TEST_ACTION); });
    script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << (pAction->isSeparator() ? "-" : pAction->text());
        ChooseMenuItem(pMenu, "乙");
    });
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDC_TEST_ACTION); });
    script.OnMenu([](QMenu* pMenu) { pMenu->close(); });
    script.OnWindow("测试对话框", [](QWidget* w) { Click(w, IDCANCEL); });
    CTestDlg dlg;
    dlg.onAction = [](CTestDlg& d) {
        CMenu menu;
        menu.LoadMenu(IDR_TEST_MENU);
        menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &d);
        menu.DestroyMenu();
        d.commands.push_back(0);
    };
    EXPECT_EQ(RunScripted(script, dlg), IDCANCEL);
    EXPECT_EQ(items, (QStringList{"甲", "-", "乙"}));
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{IDC_TEST_ACTION, 0, ID_TEST_SECOND, IDC_TEST_ACTION, 0}));
}

TEST(MenuTest, systemMenuOpensFromItsButtonAndAltSpace)
{
    CModalScript script;
    QStringList items;
    script.OnWindow("测试对话框", [](QWidget* w) {
        QTest::mouseClick(w->findChild<QToolButton*>(CDialogHost::kSystemMenuButtonName), Qt::LeftButton);
    });
    script.OnMenu([&](QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions())
            items << (pAction->isSeparator() ? "-" : pAction->text());
        ChooseMenuItem(pMenu, "附加");
    });
    script.OnWindow("测试对话框", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space, Qt::AltModifier); });
    script.OnMenu([](QMenu* pMenu) { ChooseMenuItem(pMenu, "关闭(&C)\tAlt+F4"); });
    CTestDlg dlg;
    dlg.onInit = [](CTestDlg& d) {
        d.GetSystemMenu(FALSE)->AppendMenu(MF_SEPARATOR);
        d.GetSystemMenu(FALSE)->AppendMenu(MF_STRING, 0x20, L"附加");
        return TRUE;
    };
    EXPECT_EQ(RunScripted(script, dlg), IDCANCEL);
    EXPECT_EQ(items, (QStringList{"关闭(&C)\tAlt+F4", "-", "附加"}));
    EXPECT_EQ(dlg.sysCommands, (std::vector<UINT>{0x20, SC_CLOSE}));
}

TEST(MenuTest, windowWithoutSystemMenuStyleHasNone)
{
    CTestDlg dlg(IDD_TEST_NO_SYSMENU);
    bool bNone = false;
    dlg.onInit = [&](CTestDlg& d) {
        bNone = d.GetSystemMenu(FALSE) == nullptr;
        d.EndDialog(IDOK);
        return FALSE;
    };
    dlg.DoModal();
    EXPECT_TRUE(bNone);
}

TEST(MessageBoxTest, captionDefaultsToTheApplicationAndYesIsTheDefault)
{
    CModalScript script;
    script.OnMessageBox([](QMessageBox* pBox) { QTest::keyClick(pBox, Qt::Key_Return); });
    script.AnswerMessageBox("否(&N)");
    script.AnswerMessageBox("确定");
    CWnd wnd;
    EXPECT_EQ(wnd.MessageBox(L"删除?", L"提示", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(wnd.MessageBox(L"删除?", L"提示", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(L"完成"), IDOK);
    const QString app = QString::fromWCharArray(AfxGetApp()->m_pszAppName);
    EXPECT_EQ(script.Boxes(), (QStringList{"提示|删除?", "提示|删除?", app + "|完成"}));
}

} // namespace
