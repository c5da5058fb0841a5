#include "platform/ui/Wnd.h"

#include "platform/core/Exceptions.h"
#include "platform/core/WinApp.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Icon.h"
#include "platform/ui/QtText.h"
#include "platform/ui/WinAppEx.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

CWnd* CWnd::GetDlgItem(int nID) const
{
    QWidget* pControl = FindControl(nID);
    if (!pControl)
        return nullptr;
    for (CWnd* pBound : m_boundControls) {
        if (pBound->m_pWidget == pControl)
            return pBound;
    }
    std::unique_ptr<CWnd>& pTemp = m_tempControls[nID];
    if (!pTemp) {
        pTemp = std::make_unique<CWnd>();
        pTemp->m_pWidget = pControl;
    }
    return pTemp.get();
}

void CWnd::GetWindowText(CString& rString) const
{
    QString text;
    if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget))
        text = pEdit->text();
    else if (auto* pButton = qobject_cast<QAbstractButton*>(m_pWidget))
        text = pButton->text();
    else if (auto* pLabel = qobject_cast<QLabel*>(m_pWidget))
        text = pLabel->text();
    else if (auto* pCombo = qobject_cast<QComboBox*>(m_pWidget))
        text = pCombo->currentText();
    else if (m_pWidget)
        text = m_pWidget->windowTitle();
    rString = AfxFromQString(text);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    const QString text = AfxToQString(lpszString);
    if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget))
        pEdit->setText(text);
    else if (auto* pButton = qobject_cast<QAbstractButton*>(m_pWidget))
        pButton->setText(text);
    else if (auto* pLabel = qobject_cast<QLabel*>(m_pWidget))
        pLabel->setText(text);
    else if (m_pWidget)
        m_pWidget->setWindowTitle(text);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const
{
    return m_pWidget && m_pWidget->isMinimized();
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    const QRect rect = m_pWidget ? m_pWidget->rect() : QRect();
    *lpRect = RECT{0, 0, rect.width(), rect.height()};
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return AfxCallWndProc(this, message, wParam, lParam);
}

void CWnd::AttachControl(CWnd* pParent, int nID)
{
    QWidget* pControl = pParent->FindControl(nID);
    if (!pControl)
        AfxThrowInvalidArgException();
    m_pWidget = pControl;
    pParent->m_boundControls.push_back(this);
}

void CWnd::DetachAll()
{
    for (CWnd* pBound : m_boundControls)
        pBound->m_pWidget = nullptr;
    m_boundControls.clear();
    m_tempControls.clear();
    m_pWidget = nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    // Commands that no window handles go on to the application object.
    if (message == WM_COMMAND && AfxGetApp() && AfxGetApp()->OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            return SendMessage(WM_CLOSE);
        return 0;
    case WM_SETICON: {
        HICON& slot = m_hIcons[wParam == ICON_BIG ? 1 : 0];
        const HICON hPrevious = slot;
        slot = reinterpret_cast<HICON>(lParam);
        const QIcon icon = slot ? slot->icon : QIcon();
        if (wParam == ICON_BIG && m_pWidget)
            m_pWidget->setWindowIcon(icon);
        return reinterpret_cast<LRESULT>(hPrevious);
    }
    default: return 0;
    }
}

QWidget* CWnd::FindControl(int) const
{
    return nullptr;
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

void CWnd::OnPaint()
{
    DefWindowProc(WM_PAINT, 0, 0);
}

void CWnd::OnDestroy()
{
    DefWindowProc(WM_DESTROY, 0, 0);
}

LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        const MSG msg{pWnd->GetSafeHwnd(), message, wParam, lParam};
        if (CWinAppEx* pApp = AfxGetAppEx())
            pApp->ProcessWndProcException(e, &msg);
        e->Delete();
        return 0;
    }
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    const QPoint pos = QCursor::pos();
    *lpPoint = POINT{pos.x(), pos.y()};
    return TRUE;
}
