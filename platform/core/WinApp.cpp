#include "platform/core/WinApp.h"

#include <climits>
#include <unistd.h>

namespace {

CWinApp* g_pTheApp = nullptr;

CString RunningExecutablePath()
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? PathFromBytes(std::string(buffer, static_cast<size_t>(n))) : CString();
}

// The folder of a path, with its slash, and its file name without the extension.
struct ExecutableParts
{
    std::wstring folder;
    std::wstring name;
};

ExecutableParts SplitExecutablePath(const CString& strPath)
{
    const std::wstring& path = strPath.str();
    const size_t slash = path.rfind(L'/');
    ExecutableParts parts;
    parts.folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    parts.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = parts.name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        parts.name.erase(dot);
    return parts;
}

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    g_pTheApp = this;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_bNamedByCaller = true;
    }
    SetExecutablePath(RunningExecutablePath());
}

CWinApp::~CWinApp()
{
    if (g_pTheApp == this)
        g_pTheApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
}

void CWinApp::SetExecutablePath(const CString& strPath)
{
    const ExecutableParts parts = SplitExecutablePath(strPath);
    m_strExeName = parts.name;
    m_strHelpFilePath = parts.folder + parts.name + L".HLP";
    if (!m_bNamedByCaller)
        m_strAppName = m_strExeName;
    m_pszExeName = m_strExeName;
    m_pszHelpFilePath = m_strHelpFilePath;
    m_pszAppName = m_strAppName;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp* AfxGetApp()
{
    return g_pTheApp;
}

CString AfxGetAppName()
{
    if (const CWinApp* pApp = AfxGetApp())
        return pApp->m_pszAppName;
    static const CString strExecutableName(SplitExecutablePath(RunningExecutablePath()).name);
    return strExecutableName;
}
