#include "platform/inet/InternetSession.h"

#include "platform/core/WinApp.h"
#include "platform/inet/HttpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetLibrary.h"

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD dwAccessType)
{
    if (dwAccessType != INTERNET_OPEN_TYPE_PRECONFIG || !AfxInternetInitialize())
        AfxThrowInternetException(ERROR_INTERNET_INTERNAL_ERROR);
    m_settings.strAgent = pstrAgent ? CString(pstrAgent) : AfxGetAppName();
}

CInternetSession::~CInternetSession()
{
    CInternetSession::Close();
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue)
{
    switch (dwOption) {
    case INTERNET_OPTION_CONNECT_TIMEOUT: m_settings.dwConnectTimeoutMs = dwValue; return TRUE;
    case INTERNET_OPTION_RECEIVE_TIMEOUT: m_settings.dwReceiveTimeoutMs = dwValue; return TRUE;
    case INTERNET_OPTION_TOTAL_TIMEOUT: m_settings.dwTotalTimeoutMs = dwValue; return TRUE;
    case INTERNET_OPTION_CONNECT_RETRIES:
    case INTERNET_OPTION_CONNECT_BACKOFF:
    case INTERNET_OPTION_RESET_URLCACHE_SESSION: return TRUE;
    default: return FALSE;
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
