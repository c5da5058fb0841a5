#include "platform/inet/HttpFile.h"

#include "platform/core/AnsiText.h"
#include "platform/inet/CurlTransfer.h"
#include "platform/inet/InternetException.h"

#include <strings.h>

namespace {

// The name of a header line: what precedes the colon, without surrounding blanks.
std::string HeaderName(const std::string& line)
{
    std::string name = line.substr(0, line.find(':'));
    const size_t first = name.find_first_not_of(" \t");
    const size_t last = name.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
}

} // namespace

CInternetFile::~CInternetFile() = default;

UINT CInternetFile::Read(void* lpBuf, UINT nCount)
{
    if (!m_pTransfer)
        AfxThrowInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    return static_cast<UINT>(m_pTransfer->Read(static_cast<char*>(lpBuf), nCount));
}

void CInternetFile::Close()
{
    m_pTransfer.reset();
}

CHttpFile::CHttpFile(HttpRequestPlan plan) : m_plan(std::move(plan)) {}

CHttpFile::~CHttpFile()
{
    CHttpFile::Close();
}

bool CHttpFile::HasHeader(const std::string& name) const
{
    for (const std::string& line : m_plan.headerLines) {
        if (strcasecmp(HeaderName(line).c_str(), name.c_str()) == 0)
            return true;
    }
    return false;
}

BOOL CHttpFile::AddRequestHeaders(LPCTSTR pstrHeaders, DWORD dwFlags)
{
    if (!pstrHeaders || dwFlags != HTTP_ADDREQ_FLAG_ADD_IF_NEW || m_pTransfer)
        return FALSE;
    const std::string text = ToAnsi(pstrHeaders);
    BOOL allAdded = TRUE;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::string name = HeaderName(line);
        if (line.find(':') == std::string::npos || name.empty() || HasHeader(name)) {
            allAdded = FALSE;
            continue;
        }
        m_plan.headerLines.push_back(line);
    }
    return allAdded;
}

BOOL CHttpFile::SendRequest(const void* lpOptional, DWORD dwOptionalLen)
{
    if (m_pTransfer)
        AfxThrowInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    if (lpOptional)
        m_plan.body.assign(static_cast<const char*>(lpOptional), dwOptionalLen);
    m_pTransfer = std::make_unique<CCurlTransfer>(m_plan);
    m_pTransfer->Send();
    return TRUE;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const
{
    const long status = m_pTransfer ? m_pTransfer->StatusCode() : 0;
    if (status <= 0)
        return FALSE;
    dwStatusCode = static_cast<DWORD>(status);
    return TRUE;
}
