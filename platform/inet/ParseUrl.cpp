#include "platform/inet/ParseUrl.h"

#include <cwctype>
#include <string>

namespace {

constexpr wchar_t kHttpScheme[] = L"http://";
constexpr size_t kHttpSchemeLength = sizeof kHttpScheme / sizeof kHttpScheme[0] - 1;

bool ParsePort(const std::wstring& text, INTERNET_PORT& nPort)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned long value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + static_cast<unsigned long>(ch - L'0');
    }
    if (value == 0 || value > 65535)
        return false;
    nPort = static_cast<INTERNET_PORT>(value);
    return true;
}

} // namespace

BOOL AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject, INTERNET_PORT& nPort)
{
    dwServiceType = AFX_INET_SERVICE_UNK;
    strServer.Empty();
    strObject.Empty();
    nPort = 0;

    const std::wstring url = pstrURL ? pstrURL : L"";
    if (url.size() < kHttpSchemeLength || wcsncasecmp(url.c_str(), kHttpScheme, kHttpSchemeLength) != 0)
        return FALSE;
    const size_t authorityEnd = url.find_first_of(L"/?", kHttpSchemeLength);
    const std::wstring authority = url.substr(kHttpSchemeLength, authorityEnd - kHttpSchemeLength);
    const size_t colon = authority.rfind(L':');
    const std::wstring server = authority.substr(0, colon);
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    if (server.empty() || server.find_first_of(L"@ ") != std::wstring::npos ||
        (colon != std::wstring::npos && !ParsePort(authority.substr(colon + 1), port)))
        return FALSE;

    std::wstring object = authorityEnd == std::wstring::npos ? L"/" : url.substr(authorityEnd);
    if (object[0] == L'?')
        object.insert(0, 1, L'/');
    dwServiceType = AFX_INET_SERVICE_HTTP;
    strServer = CString(server);
    strObject = CString(object);
    nPort = port;
    return TRUE;
}
