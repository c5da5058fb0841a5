#include "platform/core/AnsiText.h"

#include "platform/core/CodePage.h"

#include <cwchar>

// One conversion call each way: no wide character takes more than two bytes in code page
// 936, and no byte gives more than one wide character.

std::string ToAnsi(const CString& str)
{
    const int nLength = static_cast<int>(std::wcslen(str.GetString()));
    if (nLength == 0)
        return std::string();
    std::string out(static_cast<size_t>(nLength) * 2, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, str.GetString(), nLength, out.data(), nLength * 2, nullptr, nullptr);
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return out;
}

CString FromAnsi(const char* pch, size_t nLength)
{
    if (nLength == 0)
        return CString();
    std::wstring out(nLength, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, pch, static_cast<int>(nLength), out.data(), static_cast<int>(nLength));
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return CString(std::move(out));
}

bool FitsAnsi(const CString& str)
{
    const std::string bytes = ToAnsi(str);
    return FromAnsi(bytes.data(), bytes.size()) == str;
}
