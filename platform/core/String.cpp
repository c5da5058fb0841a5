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

namespace {

// Where a byte that is not part of well-formed UTF-8 goes in a file name's text: the lone low
// surrogates U+DC80 to U+DCFF. No other text holds them (what is typed comes through Qt, which
// turns a lone surrogate into U+FFFD; FromUtf8 and the code page give none), so a typed account
// name never stands for bytes of the folder.
constexpr char32_t kPathByteBase = 0xDC00;
constexpr char32_t kFirstPathByte = kPathByteBase + 0x80;
constexpr char32_t kLastPathByte = kPathByteBase + 0xFF;

void AppendUtf8(std::string& out, wchar_t wc)
{
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

// The length of the well-formed UTF-8 sequence at pos, with its code point in c; 0 when none
// starts there. Overlong forms, surrogates and code points past U+10FFFF are not UTF-8: read
// as characters, they would be written back as other bytes.
size_t DecodeUtf8At(const std::string& str, size_t pos, char32_t& c)
{
    static constexpr char32_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(str[pos]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || length > str.size() - pos)
        return 0;
    c = lead & kLeadBits[length];
    for (size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(str[pos + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The text of str, with each byte that starts no well-formed sequence given to badByte.
template <class BadByte>
CString DecodeUtf8(const std::string& str, BadByte badByte)
{
    std::wstring out;
    for (size_t i = 0; i < str.size();) {
        char32_t c = 0;
        const size_t length = DecodeUtf8At(str, i, c);
        out += length > 0 ? static_cast<wchar_t>(c) : badByte(static_cast<unsigned char>(str[i]));
        i += length > 0 ? length : 1;
    }
    return CString(std::move(out));
}

} // namespace

std::string ToUtf8(const CString& str)
{
    std::string out;
    for (wchar_t wc : str.str())
        AppendUtf8(out, wc);
    return out;
}

CString FromUtf8(const std::string& str)
{
    return DecodeUtf8(str, [](unsigned char) { return L'\xFFFD'; });
}

std::string PathToBytes(const CString& path)
{
    std::string out;
    for (wchar_t wc : path.str()) {
        const auto c = static_cast<char32_t>(wc);
        if (c >= kFirstPathByte && c <= kLastPathByte)
            out += static_cast<char>(c - kPathByteBase);
        else
            AppendUtf8(out, wc);
    }
    return out;
}

CString PathFromBytes(const std::string& bytes)
{
    return DecodeUtf8(bytes, [](unsigned char b) { return static_cast<wchar_t>(kPathByteBase + b); });
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
