#pragma once

#include "platform/core/String.h"
#include "platform/inet/InternetTypes.h"

class CHttpConnection;

// The settings an exchange inherits from its session. Those the session never sets are the
// layer's defaults: they bound how long a dead or silent server can hold the calling thread.
// A server that keeps sending, however slowly, is bounded only by a total time-out, which a
// session must set (0: none).
struct InternetSettings
{
    CString strAgent;
    DWORD dwConnectTimeoutMs = 10000;
    DWORD dwReceiveTimeoutMs = 20000;
    DWORD dwTotalTimeoutMs = 0;
};

// An Internet session: the agent name and the time-outs that its connections use. Access is
// always pre-configured, i.e. through the proxy that the environment names.
class CInternetSession
{
public:
    // A null agent means the application's name.
    explicit CInternetSession(LPCTSTR pstrAgent = nullptr, DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // Time-outs, INTERNET_OPTION_TOTAL_TIMEOUT included, take effect; the connect retries,
    // back-off and URL-cache options are accepted and change nothing, since every exchange
    // makes one connection attempt and nothing is cached. FALSE for any other option.
    BOOL SetOption(DWORD dwOption, DWORD dwValue);

    // The caller deletes the connection. Raises CInternetException when the session is
    // closed or the server name is empty.
    CHttpConnection* GetHttpConnection(LPCTSTR pstrServer, INTERNET_PORT nPort = INTERNET_DEFAULT_HTTP_PORT);

    virtual void Close();

private:
    InternetSettings m_settings;
    bool m_bOpen = true;
};
