#include "platform/ui/Dialog.h"

#include "platform/core/WinApp.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/Icon.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ResourceFormats.h"
#include "platform/ui/UiApplication.h"

#include <QApplication>
#include <QPushButton>

namespace {
const wchar_t* const kCloseItemText = L"关闭(&C)\tAlt+F4";
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    AfxEnsureUiApplication();
    const AFX_DLGTEMPLATE* pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (!pTemplate || m_pHost)
        return -1;

    // Without a parent of its own a dialog is owned by the window in front, or else by the
    // application's main window.
    QWidget* pOwner = m_pParentWnd ? m_pParentWnd->GetWidget() : QApplication::activeModalWidget();
    CWinApp* pApp = AfxGetApp();
    if (!pOwner && pApp && pApp->m_pMainWnd && pApp->m_pMainWnd != this)
        pOwner = pApp->m_pMainWnd->GetWidget();

    CDialogHost host(this, *pTemplate, pOwner);
    m_pHost = &host;
    m_pWidget = &host;
    m_dwStyle = pTemplate->dwStyle;
    m_nModalResult = -1;
    m_bEnded = false;

    if (SendMessage(WM_INITDIALOG))
        host.FocusFirstTabStop();
    if (!m_bEnded) {
        host.OfferSystemMenu();
        host.setWindowModality(Qt::ApplicationModal);
        host.exec();
    }

    SendMessage(WM_DESTROY);
    DetachAll();
    m_pHost = nullptr;
    if (pApp && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_pHost && m_pHost->isVisible())
        m_pHost->done(nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || !m_pHost)
        return FALSE;
    if (pMsg->wParam == VK_RETURN) {
        QWidget* pFocus = QApplication::focusWidget();
        const bool bOnButton = qobject_cast<QPushButton*>(pFocus) && CDialogHost::FromWidget(pFocus) == m_pHost;
        SendCommand(bOnButton ? CDialogHost::ControlID(pFocus) : m_pHost->DefaultButtonID());
        return TRUE;
    }
    if (pMsg->wParam == VK_ESCAPE) {
        SendCommand(IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

CMenu* CDialog::GetSystemMenu(BOOL)
{
    if (!(m_dwStyle & WS_SYSMENU))
        return nullptr;
    if (!m_pSystemMenu) {
        m_pSystemMenu = std::make_unique<CMenu>();
        m_pSystemMenu->AppendMenu(MF_STRING, SC_CLOSE, kCloseItemText);
    }
    return m_pSystemMenu.get();
}

QWidget* CDialog::FindControl(int nID) const
{
    return m_pHost ? m_pHost->FindControl(nID) : nullptr;
}

void CDialog::SendCommand(int nID)
{
    QWidget* pButton = FindControl(nID);
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton));
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_CLOSE:
        // A dialog's close box and its system menu's Close mean Cancel.
        SendCommand(IDCANCEL);
        return 0;
    case WM_SETICON: {
        const LRESULT previous = CWnd::DefWindowProc(message, wParam, lParam);
        if (wParam != ICON_BIG && m_pHost) {
            const HICON hIcon = reinterpret_cast<HICON>(lParam);
            m_pHost->SetSmallIcon(hIcon ? hIcon->icon : QIcon());
        }
        return previous;
    }
    case WM_ICONERASEBKGND: CDC::FromHandle(reinterpret_cast<HDC>(wParam))->EraseBackground(); return 1;
    default: return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
