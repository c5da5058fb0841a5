#include "registry/AnsiText.h"

#include "platform/core/CodePage.h"

#include <cwchar>

namespace {

bool IsAscii(const wchar_t* text, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (static_cast<unsigned>(text[i]) >= 0x80)
            return false;
    return true;
}

bool IsAscii(const char* data, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

// One conversion call: no byte gives more than one wide character.
std::wstring Decode(const char* data, size_t count)
{
    std::wstring text(count, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(count), text.data(), static_cast<int>(count));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

} // namespace

void AppendAnsi(std::string& out, const CString& text)
{
    const wchar_t* p = text.GetString();
    const size_t count = std::wcslen(p);
    if (IsAscii(p, count)) {
        for (size_t i = 0; i < count; ++i)
            out.push_back(static_cast<char>(p[i]));
        return;
    }
    // One conversion call: no wide character gives more than two bytes in GBK.
    const size_t used = out.size();
    out.resize(used + 2 * count);
    const int n = WideCharToMultiByte(CP_ACP, 0, p, static_cast<int>(count), out.data() + used,
                                      static_cast<int>(2 * count), nullptr, nullptr);
    out.resize(used + static_cast<size_t>(n > 0 ? n : 0));
}

CString WideFromAnsi(const char* data, size_t count)
{
    if (count == 0)
        return CString();
    if (IsAscii(data, count))
        return CString(std::wstring(data, data + count));
    std::wstring text = Decode(data, count);
    if (text.find(L'\xFFFD') == std::wstring::npos)
        return CString(std::move(text));

    // The converter replaced a byte it could not read; go character by character so that a
    // pair it rejects stays one character.
    text.clear();
    for (size_t pos = 0; pos < count;) {
        const size_t size = AnsiCharSize(data, pos, count);
        const std::wstring one = Decode(data + pos, size);
        text += one.size() == 1 ? one : std::wstring(1, L'\xFFFD');
        pos += size;
    }
    return CString(std::move(text));
}
