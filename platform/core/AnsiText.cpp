#include "platform/core/AnsiText.h"

#include <cwchar>
#include <iterator>
#include <memory>

char* WriteAnsi(char* out, const CString& text)
{
    // ASCII, most of an account file, stands for itself in the code page: it is copied as it
    // is, and only the rest from the first other character goes through the converter.
    const wchar_t* rest = text.GetString();
    for (; *rest != L'\0' && static_cast<unsigned>(*rest) < 0x80; ++rest)
        *out++ = static_cast<char>(*rest);
    if (*rest == L'\0')
        return out;
    const int nLength = static_cast<int>(std::wcslen(rest));
    const int n = WideCharToMultiByte(CP_ACP, 0, rest, nLength, out, nLength * 2, nullptr, nullptr);
    return out + (n > 0 ? n : 0);
}

std::string ToAnsi(const CString& str)
{
    std::string out(AnsiSizeBound(str), '\0');
    out.resize(static_cast<size_t>(WriteAnsi(out.data(), str) - out.data()));
    return out;
}

CString WideFromAnsi(const char* data, size_t count, bool& exact)
{
    if (count == 0)
        return CString();
    // No byte gives more than one wide character; almost every piece fits on the stack.
    wchar_t local[256];
    std::unique_ptr<wchar_t[]> heap;
    wchar_t* chars = local;
    if (count > std::size(local)) {
        heap = std::make_unique_for_overwrite<wchar_t[]>(count);
        chars = heap.get();
    }
    const int nCount = static_cast<int>(count);
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, data, nCount, chars, nCount);
    if (n > 0)
        return CString(chars, n);

    // A byte the converter cannot read: go character by character so that a pair it rejects
    // stays one character.
    exact = false;
    int length = 0;
    for (size_t pos = 0; pos < count;) {
        const size_t size = AnsiCharSize(data, pos, count);
        wchar_t one[2];
        const int nOne = MultiByteToWideChar(CP_ACP, 0, data + pos, static_cast<int>(size), one, 2);
        chars[length++] = nOne == 1 ? one[0] : L'\xFFFD';
        pos += size;
    }
    return CString(chars, length);
}

bool FitsAnsi(const CString& str)
{
    const std::string bytes = ToAnsi(str);
    bool exact = true;
    return WideFromAnsi(bytes.data(), bytes.size(), exact) == str;
}
