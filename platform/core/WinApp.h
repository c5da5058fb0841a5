#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/String.h"

class CWnd;

// The application object: exactly one exists, and AfxGetApp() finds it. Its names come from
// the running executable's own path, never from the current directory.
class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Where per-application settings would go; the console keeps none, so only the key is
    // remembered.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    // The application's name: the given one, or else the executable's file name without its
    // extension.
    LPCTSTR m_pszAppName = nullptr;
    // The executable's file name without its extension.
    LPCTSTR m_pszExeName = nullptr;
    // The executable's full path with its extension replaced by ".HLP".
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

    // Points the names at another executable path; tests use it to put account files into a
    // folder of their own.
    void SetExecutablePath(const CString& strPath);

    // There is no help file on Linux, so the help command has nothing to open.
    void OnHelp() {}

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strRegistryKey;
    bool m_bNamedByCaller = false;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
// The application object's name; in a process without one, the executable's file name without
// its extension, as the application object would name itself.
CString AfxGetAppName();
