#include "platform/core/String.h"

#include "platform/core/Exceptions.h"
#include "platform/core/ResourceModule.h"

#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <ostream>
#include <vector>

CString::CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}

CString::CString(const wchar_t* pch, int nLength)
    : m_str(pch && nLength > 0 ? std::wstring(pch, nLength) : std::wstring())
{}

CString::CString(wchar_t ch, int nRepeat) : m_str(nRepeat > 0 ? static_cast<size_t>(nRepeat) : 0, ch) {}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(nIndex)];
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const auto pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const auto pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

namespace {

// iswspace follows the process locale, which in the "C" locale knows only ASCII; trimming
// must not change with the operator's environment, so it always asks C.UTF-8.
bool IsWhiteSpace(wchar_t ch)
{
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    const auto wc = static_cast<wint_t>(ch);
    return utf8 ? iswspace_l(wc, utf8) != 0 : std::iswspace(wc) != 0;
}

} // namespace

CString& CString::TrimRight()
{
    size_t end = m_str.size();
    while (end > 0 && IsWhiteSpace(m_str[end - 1]))
        --end;
    m_str.erase(end);
    return *this;
}

CString& CString::TrimLeft()
{
    size_t begin = 0;
    while (begin < m_str.size() && IsWhiteSpace(m_str[begin]))
        ++begin;
    m_str.erase(0, begin);
    return *this;
}

CString& CString::Trim()
{
    TrimRight();
    return TrimLeft();
}

namespace {

// On Linux a wide printf reads %s and %c as narrow arguments; the console's formats are
// written for wide ones, so each plain %s/%c becomes %ls/%lc and %hs/%hc become %s/%c.
std::wstring ToLinuxWideFormat(const wchar_t* pszFormat)
{
    std::wstring out;
    for (const wchar_t* p = pszFormat; *p; ++p) {
        out += *p;
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        while (*p && std::wcschr(L"-+ #0123456789.*", *p))
            out += *p++;
        if (*p == L'h' && (p[1] == L's' || p[1] == L'c')) {
            out += p[1];
            ++p;
        } else if (*p == L's' || *p == L'c') {
            out += L'l';
            out += *p;
        } else if (*p) {
            out += *p;
        } else {
            break;
        }
    }
    return out;
}

std::wstring FormatV(const wchar_t* pszFormat, va_list args)
{
    const std::wstring format = ToLinuxWideFormat(pszFormat ? pszFormat : L"");
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vswprintf(buffer.data(), buffer.size(), format.c_str(), copy);
        va_end(copy);
        if (n >= 0)
            return std::wstring(buffer.data(), static_cast<size_t>(n));
        // vswprintf reports neither the needed size nor the cause; grow until it fits, and
        // give up on a format it rejects outright.
        if (buffer.size() >= (size_t(1) << 24))
            return std::wstring();
        buffer.resize(buffer.size() * 4);
    }
}

} // namespace

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str = FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatV(pszFormat, args);
    va_end(args);
}

CString& CString::operator=(const wchar_t* psz)
{
    m_str = psz ? psz : L"";
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(const wchar_t* psz)
{
    if (psz)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    return CString(a.m_str + b.m_str);
}
CString operator+(const CString& a, const wchar_t* b)
{
    return CString(a.m_str + (b ? b : L""));
}
CString operator+(const wchar_t* a, const CString& b)
{
    return CString((a ? a : L"") + b.m_str);
}
CString operator+(const CString& a, wchar_t b)
{
    return CString(a.m_str + b);
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.m_str == (b ? b : L"");
}

std::string ToUtf8(const CString& str)
{
    std::string out;
    for (wchar_t wc : str.str()) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

CString FromUtf8(const std::string& str)
{
    std::wstring out;
    size_t i = 0;
    while (i < str.size()) {
        const auto b = static_cast<unsigned char>(str[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < str.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(str[i + static_cast<size_t>(k)]);
            if ((cb & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += static_cast<size_t>(extra) + 1;
    }
    return CString(std::move(out));
}

std::ostream& operator<<(std::ostream& os, const CString& str)
{
    return os << ToUtf8(str);
}

BOOL CString::LoadString(UINT nID)
{
    const LPCTSTR psz = AfxFindString(nID);
    if (!psz)
        return FALSE;
    *this = psz;
    return TRUE;
}
