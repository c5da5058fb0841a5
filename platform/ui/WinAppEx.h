#pragma once

#include "platform/core/WinApp.h"

class CException;

// The application object of a program with windows: the half of the application that needs
// the window layer.
class CWinAppEx : public CWinApp
{
public:
    explicit CWinAppEx(LPCTSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}

    // The icon resource of that id, or null when there is none.
    HICON LoadIcon(UINT nIDResource) const;
    // Tells the operator about an exception that left a message handler: its own text, or a
    // fixed one that says whether a menu command or a control's notification failed.
    LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
};

// The application object when it has windows; null when there is none.
CWinAppEx* AfxGetAppEx();
