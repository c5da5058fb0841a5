#include "platform/inet/AnsiText.h"

#include "platform/core/CodePage.h"

std::string ToAnsi(const CString& str)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, str.GetString(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, str.GetString(), -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size) - 1);
    return out;
}

CString FromAnsi(const char* pch, size_t nLength)
{
    if (nLength == 0)
        return CString();
    const int count = MultiByteToWideChar(CP_ACP, 0, pch, static_cast<int>(nLength), nullptr, 0);
    std::wstring out(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, pch, static_cast<int>(nLength), out.data(), count);
    return CString(std::move(out));
}
