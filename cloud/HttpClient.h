#pragma once

#include "cloud/ExchangeTimeouts.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

class CInternetSession;

// The console's two exchanges with the cloud platform. Build one client per exchange.
class CHttpClient
{
public:
    // Raises CInternetException when the client's session cannot be opened.
    CHttpClient();
    virtual ~CHttpClient();
    CHttpClient(const CHttpClient&) = delete;
    CHttpClient& operator=(const CHttpClient&) = delete;

    // GETs pszPath from the API host, following redirects on that host only. The body of a 200
    // answer, at most 32767 bytes of it, as wide text; "" on any failure, other status or an
    // exchange that outlasts one of its time-outs. Never raises.
    CString HttpGet(LPCTSTR pszPath, CArray<CString, CString>* pHeaders, const EXCHANGE_TIMEOUTS& timeouts);

    // POSTs nLength bytes of pBody to strUrl. The lines of the answer's first 32767 bytes,
    // each followed by CR LF, whatever the status; the rest is not read. A failure of the
    // transport, or an exchange that outlasts one of its time-outs, raises CInternetException.
    CString HttpPost(CString strUrl, const char* pBody, int nLength, CArray<CString, CString>* pHeaders,
                     const EXCHANGE_TIMEOUTS& timeouts);

private:
    CInternetSession* m_pSession;
};
