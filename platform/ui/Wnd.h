#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/String.h"

#include <map>
#include <memory>
#include <vector>

class QWidget;
class CDataExchange;

// A window or control: a wrapper around the widget that shows it. Messages that the layer
// delivers to it run through WindowProc, where its message map is searched first.
class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The widget behind this window; null before it exists and after it is gone.
    QWidget* GetWidget() const { return m_pWidget; }
    HWND GetSafeHwnd() const { return reinterpret_cast<HWND>(m_pWidget); }

    // A control of this window; null when it has none with that id.
    CWnd* GetDlgItem(int nID) const;
    void GetWindowText(CString& rString) const;
    void SetWindowText(LPCTSTR lpszString);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    // Sees every key press meant for this window or one of its controls before they do;
    // TRUE when it was dealt with here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Caption defaults to the application's name; returns IDOK, IDYES or IDNO.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;

    // Delivers a message to this window at once, on the calling (UI) thread.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Binds this object to the control of that id in the given window.
    void AttachControl(CWnd* pParent, int nID);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The widget of this window's control of that id; null when it has none.
    virtual QWidget* FindControl(int nID) const;

    // The default handling of the messages that message maps name.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnDestroy();

    // The window's own widget has gone: forget it and every control bound to it.
    void DetachAll();

    QWidget* m_pWidget = nullptr;

private:
    HICON m_hIcons[2] = {nullptr, nullptr};
    std::vector<CWnd*> m_boundControls;
    mutable std::map<int, std::unique_ptr<CWnd>> m_tempControls;

    DECLARE_MESSAGE_MAP()
};

// Delivers a message; an exception that leaves the handler is reported to the operator by
// the application object and goes no further.
LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

BOOL GetCursorPos(LPPOINT lpPoint);
