#include "cloud/HttpClient.h"

#include "cloud/ApiConstants.h"
#include "platform/core/CodePage.h"
#include "platform/inet/HttpConnection.h"
#include "platform/inet/HttpFile.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/ParseUrl.h"

#include <algorithm>
#include <memory>

namespace {

constexpr DWORD CLIENT_CONNECT_TIMEOUT_MS = 5000;
constexpr DWORD CONNECT_BACKOFF_MS = 1000;
constexpr DWORD CONNECT_RETRIES = 1;
// 32767 bytes of answer and the terminator.
constexpr UINT ANSWER_BUFFER_SIZE = 32768;

constexpr LPCTSTR GET_ACCEPT_LINE =
    _T("Accept: audio/x-aiff, audio/basic, audio/midi,\t\t\t\t\t\t audio/mpeg, audio/wav, image/jpeg, image/gif, ")
    _T("image/jpg, image/png,\t\t\t\t\t\t image/mng, image/bmp, text/plain, text/html, text/htm\r\n");
constexpr LPCTSTR POST_CONTENT_TYPE_LINE = _T("Content-Type: application/json;charset=UTF-8");
constexpr LPCTSTR POST_ACCEPT_LINE = _T("Accept: */*");
constexpr LPCTSTR POST_VERSION = _T("HTTP/1.1");
constexpr LPCTSTR ANSWER_LINE_END = _T("\r\n");

void SetRetryOptions(CInternetSession& session)
{
    session.SetOption(INTERNET_OPTION_CONNECT_BACKOFF, CONNECT_BACKOFF_MS);
    session.SetOption(INTERNET_OPTION_CONNECT_RETRIES, CONNECT_RETRIES);
}

void SetTimeouts(CInternetSession& session, const EXCHANGE_TIMEOUTS& timeouts)
{
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, timeouts.dwConnectMs);
    session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, timeouts.dwReceiveMs);
    session.SetOption(INTERNET_OPTION_TOTAL_TIMEOUT, timeouts.dwTotalMs);
}

void AddHeaderList(CHttpFile& file, const CArray<CString, CString>* pHeaders)
{
    if (!pHeaders)
        return;
    for (INT_PTR i = 0; i < pHeaders->GetSize(); ++i)
        file.AddRequestHeaders(pHeaders->GetAt(i), HTTP_ADDREQ_FLAG_ADD_IF_NEW);
}

// Reads the answer's body into pBuffer, at most ANSWER_BUFFER_SIZE - 1 bytes of it, each read
// followed by a NUL byte. The rest of a longer body is never read. Returns the bytes kept.
UINT ReadAnswer(CHttpFile& file, char* pBuffer)
{
    UINT nTotal = 0;
    pBuffer[0] = '\0';
    while (UINT nRead = file.Read(pBuffer + nTotal, ANSWER_BUFFER_SIZE - 1 - nTotal)) {
        nTotal += nRead;
        pBuffer[nTotal] = '\0';
    }
    return nTotal;
}

// The kept bytes as lines, each followed by CR LF: CR bytes are dropped, LF ends a line, and a
// last piece without LF is a line too.
CString AnswerLines(const char* pBytes, UINT nCount)
{
    if (nCount == 0)
        return CString();
    const int nLength = MultiByteToWideChar(CP_ACP, 0, pBytes, static_cast<int>(nCount), nullptr, 0);
    std::wstring text(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, pBytes, static_cast<int>(nCount), text.data(), nLength);
    CString strResult;
    bool bLineOpen = false;
    for (const wchar_t ch : text) {
        if (ch == L'\n') {
            strResult += ANSWER_LINE_END;
            bLineOpen = false;
            continue;
        }
        if (ch != L'\r')
            strResult += ch;
        bLineOpen = true;
    }
    if (bLineOpen)
        strResult += ANSWER_LINE_END;
    return strResult;
}

} // namespace

CHttpClient::CHttpClient() : m_pSession(new CInternetSession())
{
    m_pSession->SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, CLIENT_CONNECT_TIMEOUT_MS);
    SetRetryOptions(*m_pSession);
}

CHttpClient::~CHttpClient()
{
    m_pSession->Close();
    delete m_pSession;
}

CString CHttpClient::HttpGet(LPCTSTR pszPath, CArray<CString, CString>* pHeaders, const EXCHANGE_TIMEOUTS& timeouts)
{
    char buffer[ANSWER_BUFFER_SIZE];
    try {
        CInternetSession session;
        SetTimeouts(session, timeouts);
        SetRetryOptions(session);
        session.SetOption(INTERNET_OPTION_RESET_URLCACHE_SESSION, 1);
        std::unique_ptr<CHttpConnection> pConnection(session.GetHttpConnection(g_szApiHost, API_PORT));
        std::unique_ptr<CHttpFile> pFile(
            pConnection->OpenRequest(HTTP_VERB_GET, pszPath, nullptr, INTERNET_FLAG_EXISTING_CONNECT));
        pFile->AddRequestHeaders(GET_ACCEPT_LINE, HTTP_ADDREQ_FLAG_ADD_IF_NEW);
        AddHeaderList(*pFile, pHeaders);
        pFile->SendRequest();
        DWORD dwStatus = 0;
        if (!pFile->QueryInfoStatusCode(dwStatus) || dwStatus != HTTP_STATUS_OK)
            return CString();
        ReadAnswer(*pFile, buffer);
    } catch (CException* e) {
        e->Delete();
        return CString();
    }

    const int nLength = MultiByteToWideChar(CP_ACP, 0, buffer, -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(std::max(nLength, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, buffer, -1, text.data(), nLength);
    text.resize(static_cast<size_t>(std::max(nLength, 1)) - 1);
    return CString(std::move(text));
}

CString CHttpClient::HttpPost(CString strUrl, const char* pBody, int nLength, CArray<CString, CString>* pHeaders,
                              const EXCHANGE_TIMEOUTS& timeouts)
{
    CInternetSession session;
    SetTimeouts(session, timeouts);
    DWORD dwServiceType = 0;
    CString strServer, strObject;
    INTERNET_PORT nPort = 0;
    AfxParseURL(strUrl, dwServiceType, strServer, strObject, nPort);
    std::unique_ptr<CHttpConnection> pConnection(session.GetHttpConnection(strServer, nPort));
    std::unique_ptr<CHttpFile> pFile(pConnection->OpenRequest(
        HTTP_VERB_POST, strObject, POST_VERSION, INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_NO_AUTO_REDIRECT));
    pFile->AddRequestHeaders(POST_CONTENT_TYPE_LINE, HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    pFile->AddRequestHeaders(POST_ACCEPT_LINE, HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    AddHeaderList(*pFile, pHeaders);
    pFile->SendRequest(pBody, static_cast<DWORD>(std::max(nLength, 0)));
    DWORD dwStatus = 0;
    pFile->QueryInfoStatusCode(dwStatus);
    char buffer[ANSWER_BUFFER_SIZE];
    const UINT nKept = ReadAnswer(*pFile, buffer);
    // Closing the request drops the connection with whatever the platform still sends.
    pFile->Close();
    return AnswerLines(buffer, nKept);
}
