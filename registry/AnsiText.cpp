#include "registry/AnsiText.h"

#include "platform/core/AnsiText.h"
#include "platform/core/CodePage.h"

#include <cwchar>

void AppendAnsi(std::string& out, const CString& text)
{
    // Straight into the file's bytes: no wide character takes more than two bytes.
    const int nLength = static_cast<int>(std::wcslen(text.GetString()));
    if (nLength == 0)
        return;
    const size_t used = out.size();
    out.resize(used + static_cast<size_t>(nLength) * 2);
    const int n = WideCharToMultiByte(CP_ACP, 0, text.GetString(), nLength, out.data() + used, nLength * 2, nullptr, nullptr);
    out.resize(used + static_cast<size_t>(n > 0 ? n : 0));
}

CString WideFromAnsi(const char* data, size_t count)
{
    CString text = FromAnsi(data, count);
    if (text.Find(L'\xFFFD') < 0)
        return text;

    // The converter replaced a byte it could not read; go character by character so that a
    // pair it rejects stays one character.
    std::wstring chars;
    for (size_t pos = 0; pos < count;) {
        const size_t size = AnsiCharSize(data, pos, count);
        const CString one = FromAnsi(data + pos, size);
        chars += one.GetLength() == 1 ? one.str() : std::wstring(1, L'\xFFFD');
        pos += size;
    }
    return CString(std::move(chars));
}
