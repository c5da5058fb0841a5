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
constexpr DWORD GET_CONNECT_TIMEOUT_MS = 20000;
constexpr DWORD CONNECT_BACKOFF_MS = 1000;
constexpr DWORD CONNECT_RETRIES = 1;
// 32767 bytes of body and the terminator.
constexpr UINT GET_BUFFER_SIZE = 32768;

constexpr LPCTSTR GET_ACCEPT_LINE =
    _T("Accept: audio/x-aiff, audio/basic, audio/midi,\t\t\t\t\t\t audio/mpeg, audio/wav, image/jpeg, image/gif, ")
    _T("image/jpg, image/png,\t\t\t\t\t\t image/mng, image/bmp, text/plain, text/html, text/htm\r\n");
constexpr LPCTSTR POST_CONTENT_TYPE_LINE = _T("Content-Type: application/json;charset=UTF-8");
constexpr LPCTSTR POST_ACCEPT_LINE = _T("Accept: */*");
constexpr LPCTSTR POST_VERSION = _T("HTTP/1.1");
constexpr LPCTSTR ANSWER_LINE_END = _T("\r\n");

void SetConnectOptions(CInternetSession& session, DWORD dwConnectTimeoutMs)
{
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, dwConnectTimeoutMs);
    session.SetOption(INTERNET_OPTION_CONNECT_BACKOFF, CONNECT_BACKOFF_MS);
    session.SetOption(INTERNET_OPTION_CONNECT_RETRIES, CONNECT_RETRIES);
}

void AddHeaderList(CHttpFile& file, const CArray<CString, CString>* pHeaders)
{
    if (!pHeaders)
        return;
    for (INT_PTR i = 0; i < pHeaders->GetSize(); ++i)
        file.AddRequestHeaders(pHeaders->GetAt(i), HTTP_ADDREQ_FLAG_ADD_IF_NEW);
}

} // namespace

CHttpClient::CHttpClient() : m_pSession(new CInternetSession())
{
    SetConnectOptions(*m_pSession, CLIENT_CONNECT_TIMEOUT_MS);
}

CHttpClient::~CHttpClient()
{
    m_pSession->Close();
    delete m_pSession;
}

CString CHttpClient::HttpGet(LPCTSTR pszPath, CArray<CString, CString>* pHeaders)
{
    char buffer[GET_BUFFER_SIZE];
    buffer[0] = '\0';
    try {
        CInternetSession session;
        SetConnectOptions(session, GET_CONNECT_TIMEOUT_MS);
        session.SetOption(INTERNET_OPTION_RESET_URLCACHE_SESSION, 1);
        std::unique_ptr<CHttpConnection> pConnection(session.GetHttpConnection(g_szApiHost, API_PORT));
        std::unique_ptr<CHttpFile> pFile(pConnection->OpenRequest(HTTP_VERB_GET, pszPath, nullptr, INTERNET_FLAG_EXISTING_CONNECT));
        pFile->AddRequestHeaders(GET_ACCEPT_LINE, HTTP_ADDREQ_FLAG_ADD_IF_NEW);
        AddHeaderList(*pFile, pHeaders);
        pFile->SendRequest();
        DWORD dwStatus = 0;
        if (!pFile->QueryInfoStatusCode(dwStatus) || dwStatus != HTTP_STATUS_OK)
            return CString();
        UINT nTotal = 0;
        while (UINT nRead = pFile->Read(buffer + nTotal, GET_BUFFER_SIZE - 1 - nTotal)) {
            nTotal += nRead;
            buffer[nTotal] = '\0';
        }
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

CString CHttpClient::HttpPost(CString strUrl, const char* pBody, int nLength, CArray<CString, CString>* pHeaders)
{
    CString strResult;
    CInternetSession session;
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
    CString strLine;
    while (pFile->ReadString(strLine)) {
        strResult += strLine;
        strResult += ANSWER_LINE_END;
    }
    return strResult;
}
