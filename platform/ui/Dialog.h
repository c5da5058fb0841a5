#pragma once

#include "platform/ui/DataExchange.h"
#include "platform/ui/Wnd.h"

#include <memory>

class CDialogHost;
class CMenu;

// A modal dialog built from the dialog template of its id.
class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and, unless the dialog was ended there, shows it
    // until EndDialog. Returns the code given to EndDialog, or -1 when there is no template.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    // Enter presses the focused push button or else the default one; Esc is Cancel.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The dialog's system menu (Close, and whatever is appended to it), or null when its
    // template gives it none.
    CMenu* GetSystemMenu(BOOL bRevert);

protected:
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* FindControl(int nID) const override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    void SendCommand(int nID);

    CDialogHost* m_pHost = nullptr;
    DWORD m_dwStyle = 0;
    std::unique_ptr<CMenu> m_pSystemMenu;
    int m_nModalResult = -1;
    bool m_bEnded = false;

    DECLARE_MESSAGE_MAP()
};

class CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)

public:
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

    DECLARE_MESSAGE_MAP()
};
