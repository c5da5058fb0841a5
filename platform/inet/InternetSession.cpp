#include "platform/inet/InternetSession.h"

#include "platform/core/WinApp.h"
#include "platform/inet/HttpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetLibrary.h"

#include <climits>
#include <unistd.h>

namespace {

// In a process without an application object, the executable's file name without its
// extension, as the application object would name itself.
CString ExecutableName()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string name = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
    name = name.substr(name.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return FromUtf8(name);
}

CString ApplicationName()
{
    if (const CWinApp* pApp = AfxGetApp())
        return pApp->m_pszAppName;
    static const CString strExecutableName = ExecutableName();
    return strExecutableName;
}

} // namespace

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD dwAccessType)
{
    if (dwAccessType != INTERNET_OPEN_TYPE_PRECONFIG || !AfxInternetInitialize())
        AfxThrowInternetException(ERROR_INTERNET_INTERNAL_ERROR);
    m_settings.strAgent = pstrAgent ? CString(pstrAgent) : ApplicationName();
}

CInternetSession::~CInternetSession()
{
    CInternetSession::Close();
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue)
{
    switch (dwOption) {
    case INTERNET_OPTION_CONNECT_TIMEOUT:
        m_settings.dwConnectTimeoutMs = dwValue;
        return TRUE;
    case INTERNET_OPTION_RECEIVE_TIMEOUT:
        m_settings.dwReceiveTimeoutMs = dwValue;
        return TRUE;
    case INTERNET_OPTION_TOTAL_TIMEOUT:
        m_settings.dwTotalTimeoutMs = dwValue;
        return TRUE;
    case INTERNET_OPTION_CONNECT_RETRIES:
    case INTERNET_OPTION_CONNECT_BACKOFF:
    case INTERNET_OPTION_RESET_URLCACHE_SESSION:
        return TRUE;
    default:
        return FALSE;
    }
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR pstrServer, INTERNET_PORT nPort)
{
    if (!m_bOpen)
        AfxThrowInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    if (!pstrServer || !*pstrServer)
        AfxThrowInternetException(ERROR_INTERNET_INVALID_URL);
    return new CHttpConnection(m_settings, pstrServer, nPort);
}

void CInternetSession::Close()
{
    m_bOpen = false;
}
