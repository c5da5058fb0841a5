#include "TestDialog.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/UiApplication.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Runs fn on the dialog's real controls during its initialisation, without showing it.
void WithControls(const std::function<void(CTestDlg&)>& fn)
{
    CTestDlg dlg;
    dlg.onInit = [&](CTestDlg& d) {
        fn(d);
        d.EndDialog(IDOK);
        return FALSE;
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
}

TEST(ListCtrlTest, rowsAndCells)
{
    WithControls([](CTestDlg& d) {
        CListCtrl& list = d.m_list;
        EXPECT_EQ(list.InsertColumn(0, L"甲", LVCFMT_LEFT, 50), 0);
        EXPECT_EQ(list.InsertColumn(1, L"乙", LVCFMT_LEFT, 60), 1);
        EXPECT_EQ(list.InsertItem(0, L"r0"), 0);
        EXPECT_EQ(list.InsertItem(5, L"r1"), 1);
        EXPECT_TRUE(list.SetItemText(1, 1, L"x"));
        EXPECT_FALSE(list.SetItemText(2, 0, L"none"));
        EXPECT_FALSE(list.SetItemText(0, 2, L"none"));
        const auto* pTable = static_cast<QTableWidget*>(list.GetWidget());
        EXPECT_EQ(pTable->item(1, 0)->text(), QString("r1"));
        EXPECT_EQ(pTable->item(1, 1)->text(), QString("x"));
        EXPECT_EQ(pTable->item(0, 1)->text(), QString());
        EXPECT_EQ(pTable->rowCount(), 2);
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(pTable->rowCount(), 0);
    });
}

TEST(ListCtrlTest, severalRowsSelectableAndFoundInOrder)
{
    WithControls([](CTestDlg& d) {
        CListCtrl& list = d.m_list;
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        list.InsertColumn(0, L"c");
        for (int i = 0; i < 4; ++i)
            list.InsertItem(i, L"r");
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
        auto* pTable = static_cast<QTableWidget*>(list.GetWidget());
        EXPECT_TRUE(pTable->showGrid());
        pTable->selectionModel()->select(pTable->model()->index(1, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        pTable->selectionModel()->select(pTable->model()->index(3, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), 3);
        EXPECT_EQ(list.GetNextItem(3, LVNI_SELECTED), -1);
    });
}

TEST(ComboBoxTest, addingSelectsNothingAndBadIndexClearsTheSelection)
{
    WithControls([](CTestDlg& d) {
        CComboBox& combo = d.m_combo;
        EXPECT_EQ(combo.AddString(L"a"), 0);
        EXPECT_EQ(combo.AddString(L"b"), 1);
        EXPECT_EQ(combo.GetCurSel(), -1);
        EXPECT_EQ(combo.SetCurSel(1), 1);
        EXPECT_EQ(combo.SetCurSel(2), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), -1);
        combo.SetCurSel(0);
        EXPECT_EQ(combo.DeleteString(0), 1);
        EXPECT_EQ(combo.GetCurSel(), -1);
        EXPECT_EQ(combo.DeleteString(5), CB_ERR);
        EXPECT_EQ(static_cast<QComboBox*>(combo.GetWidget())->itemText(0), QString("b"));
    });
}

CString TextOf(const CWnd* pEdit)
{
    CString text;
    pEdit->GetWindowText(text);
    return text;
}

// What is put in stops at its first CR or LF; the text around it stays.
TEST(SingleLineEditTest, setPastedOrDroppedTextStopsAtItsFirstLineBreak)
{
    WithControls([](CTestDlg& d) {
        CWnd* pEdit = d.GetDlgItem(IDC_TEST_EDIT);
        auto* pLine = qobject_cast<QLineEdit*>(pEdit->GetWidget());
        ASSERT_NE(pLine, nullptr);
        for (const auto& [set, kept] : {std::pair{L"7\n8", L"7"}, {L"a\r\nb", L"a"}, {L"\rb", L""}, {L"ab", L"ab"}}) {
            pEdit->SetWindowText(set);
            EXPECT_EQ(TextOf(pEdit), CString(kept));
        }

        QGuiApplication::clipboard()->setText(QStringLiteral("x\r\ny\nz"));
        pLine->setCursorPosition(1);
        QTest::keyClick(pLine, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(TextOf(pEdit), CString(L"axb"));
        EXPECT_EQ(pLine->cursorPosition(), 2);
        pLine->selectAll();
        pLine->paste();
        EXPECT_EQ(TextOf(pEdit), CString(L"x"));

        QMimeData dropped;
        dropped.setText(QStringLiteral("编号\n8"));
        const QPointF end(pLine->width() - 2, pLine->height() / 2);
        QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pLine, &enter);
        QDropEvent drop(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pLine, &drop);
        EXPECT_EQ(TextOf(pEdit), CString(L"x编号"));

        CWnd* pPassword = d.GetDlgItem(IDC_TEST_PASSWORD);
        pPassword->SetWindowText(L"pw\rx");
        EXPECT_EQ(TextOf(pPassword), CString(L"pw"));
    });
}

TEST(DialogUnitsTest, convertedWithTheFontsBaseUnits)
{
    EXPECT_EQ(AfxMapDialogRect(4, 8, 309, 176, QSize(6, 13)), QRect(6, 13, 464, 286));
    EXPECT_EQ(AfxMapDialogRect(1, 1, 3, 3, QSize(6, 13)), QRect(2, 2, 5, 5));
}

TEST(DialogUnitsTest, windowsFontsMapToOneWithChineseGlyphs)
{
    AfxEnsureUiApplication();
    for (UINT nID : {IDD_TEST, IDD_TEST_NO_SYSMENU}) {
        const AFX_DLGTEMPLATE* pTemplate = AfxFindDialogTemplate(nID);
        const QFont font = AfxDialogFont(*pTemplate);
        EXPECT_EQ(QFontInfo(font).family(), "WenQuanYi Micro Hei");
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x8BBE)));
    }
    WithControls([](CTestDlg& d) {
        const QSize base = AfxDialogBaseUnits(d.GetWidget()->font());
        EXPECT_EQ(d.GetWidget()->size(), AfxMapDialogRect(0, 0, 230, 100, base).size());
    });
}

} // namespace
