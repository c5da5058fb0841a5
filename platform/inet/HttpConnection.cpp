#include "platform/inet/HttpConnection.h"

#include "platform/core/AnsiText.h"
#include "platform/inet/HttpFile.h"
#include "platform/inet/InternetException.h"

namespace {

// Bytes that cannot stand in a request line as they are (blanks, '#', controls, 8-bit bytes)
// are sent %-escaped, so the server still sees the object's own characters; everything else,
// '%' included, goes unchanged.
std::string EscapedForRequestLine(const std::string& url)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char ch : url) {
        if (ch <= 0x20 || ch == '#' || ch >= 0x7f) {
            out += '%';
            out += kHex[ch >> 4];
            out += kHex[ch & 0x0f];
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out;
}

} // namespace

CHttpConnection::CHttpConnection(InternetSettings settings, CString strServer, INTERNET_PORT nPort)
    : m_settings(std::move(settings)), m_strServer(std::move(strServer)), m_nPort(nPort)
{}

CHttpConnection::~CHttpConnection()
{
    CHttpConnection::Close();
}

CHttpFile* CHttpConnection::OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrVersion, DWORD dwFlags)
{
    if (!m_bOpen)
        AfxThrowInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    const CString version = pstrVersion ? pstrVersion : L"HTTP/1.0";
    if ((nVerb != HTTP_VERB_GET && nVerb != HTTP_VERB_POST) || (version != L"HTTP/1.0" && version != L"HTTP/1.1"))
        AfxThrowInternetException(ERROR_INTERNET_INTERNAL_ERROR);

    HttpRequestPlan plan;
    // A relative object names a resource at the server's root.
    const CString object = pstrObjectName ? pstrObjectName : L"";
    const CString path = object.Find(L'/') == 0 ? object : L"/" + object;
    CString url = L"http://" + m_strServer;
    if (m_nPort != INTERNET_DEFAULT_HTTP_PORT)
        url.AppendFormat(L":%u", static_cast<unsigned>(m_nPort));
    url += path;
    plan.url = EscapedForRequestLine(ToAnsi(url));
    plan.userAgent = ToAnsi(m_settings.strAgent);
    plan.post = nVerb == HTTP_VERB_POST;
    plan.http11 = version == L"HTTP/1.1";
    plan.followRedirects = nVerb == HTTP_VERB_GET && (dwFlags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    plan.connectTimeoutMs = m_settings.dwConnectTimeoutMs;
    plan.receiveTimeoutMs = m_settings.dwReceiveTimeoutMs;
    plan.totalTimeoutMs = m_settings.dwTotalTimeoutMs;
    return new CHttpFile(std::move(plan));
}

void CHttpConnection::Close()
{
    m_bOpen = false;
}
