#pragma once

#include "platform/core/Types.h"

#include <iosfwd>
#include <string>

// Wide text with value semantics. Comparisons are exact and case-sensitive; white space is
// what iswspace says it is.
class CString
{
public:
    CString() = default;
    CString(const wchar_t* psz);
    CString(const wchar_t* pch, int nLength);
    CString(wchar_t ch, int nRepeat = 1);
    CString(std::wstring str) : m_str(std::move(str)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }

    wchar_t GetAt(int nIndex) const;
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }

    // Index of the first occurrence at or after nStart, or -1.
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* pszSub, int nStart = 0) const;

    CString Left(int nCount) const;

    CString& TrimRight();
    CString& TrimLeft();
    // The end first, then the start.
    CString& Trim();

    // printf-style, with %s and %c taking wide arguments; %hs and %hc take narrow ones.
    void Format(const wchar_t* pszFormat, ...);
    void AppendFormat(const wchar_t* pszFormat, ...);

    // Loads a string of the resource table; false when there is none with that id.
    BOOL LoadString(UINT nID);

    CString& operator=(const wchar_t* psz);
    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b);
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    std::wstring m_str;
};

// UTF-8 forms of text. A lone surrogate or a value past U+10FFFF is written as U+FFFD, and so
// is read each byte that starts no well-formed UTF-8 sequence.
std::string ToUtf8(const CString& str);
CString FromUtf8(const std::string& str);

// A file name's bytes as text and back, unchanged whatever the bytes: a folder unpacked from an
// archive may keep a name in GBK. Well-formed UTF-8 reads as its characters, each other byte b
// as the lone surrogate U+DC00 + b, which PathToBytes turns back into b.
CString PathFromBytes(const std::string& bytes);
std::string PathToBytes(const CString& path);

std::ostream& operator<<(std::ostream& os, const CString& str);
