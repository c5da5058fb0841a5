#include "platform/ui/MessageBox.h"

#include "platform/core/WinApp.h"
#include "platform/ui/QtText.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

const wchar_t* const kOkText = L"确定";
const wchar_t* const kYesText = L"是(&Y)";
const wchar_t* const kNoText = L"否(&N)";

QMessageBox::Icon IconFor(UINT nType)
{
    switch (nType & 0xF0) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowMessageBox(QWidget* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    AfxEnsureUiApplication();
    CWinApp* pApp = AfxGetApp();
    const LPCTSTR caption = lpszCaption ? lpszCaption : (pApp ? pApp->m_pszAppName : L"");
    QMessageBox box(IconFor(nType), AfxToQString(caption), AfxToQString(lpszText), QMessageBox::NoButton, pOwner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if ((nType & 0x0F) == MB_YESNO) {
        QPushButton* pYes = box.addButton(AfxToQString(kYesText), QMessageBox::YesRole);
        QPushButton* pNo = box.addButton(AfxToQString(kNoText), QMessageBox::NoRole);
        box.setDefaultButton((nType & MB_DEFBUTTON2) ? pNo : pYes);
        box.exec();
        return box.clickedButton() == pYes ? IDYES : IDNO;
    }
    box.setDefaultButton(box.addButton(AfxToQString(kOkText), QMessageBox::AcceptRole));
    box.exec();
    return IDOK;
}

} // namespace

int AfxMessageBox(LPCTSTR lpszText, UINT nType)
{
    AfxEnsureUiApplication();
    QWidget* pOwner = QApplication::activeModalWidget();
    if (!pOwner)
        pOwner = QApplication::activeWindow();
    return ShowMessageBox(pOwner, lpszText, nullptr, nType);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ShowMessageBox(m_pWidget, lpszText, lpszCaption, nType);
}
