#pragma once

#include "platform/inet/InternetSession.h"

class CHttpFile;

// A server and port to send requests to. Nothing is connected until a request is sent, and
// each request makes its own connection.
class CHttpConnection
{
public:
    CHttpConnection(InternetSettings settings, CString strServer, INTERNET_PORT nPort);
    virtual ~CHttpConnection();
    CHttpConnection(const CHttpConnection&) = delete;
    CHttpConnection& operator=(const CHttpConnection&) = delete;

    // The caller deletes the request. A null version means "HTTP/1.0". A GET follows
    // redirects to the same server and port, unless INTERNET_FLAG_NO_AUTO_REDIRECT is given;
    // a redirect elsewhere is the answer, so the request's headers reach no other server. A
    // POST follows none. Raises CInternetException when the connection is closed, the verb is
    // unknown or the version is not HTTP/1.x.
    CHttpFile* OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrVersion = nullptr,
                           DWORD dwFlags = INTERNET_FLAG_EXISTING_CONNECT);

    virtual void Close();

private:
    InternetSettings m_settings;
    CString m_strServer;
    INTERNET_PORT m_nPort;
    bool m_bOpen = true;
};
