#include "platform/core/CodePage.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <iconv.h>
#include <memory>
#include <string>

namespace {

constexpr char16_t kUnmapped = 0;

// Code page 936 as two lookup tables, read once out of glibc's converter. Converting piece by
// piece through iconv itself costs a call, a reset and a buffer per piece, which dominated
// the loading of a large account file.
class Gbk
{
public:
    Gbk()
    {
        iconv_t toWide = iconv_open("WCHAR_T", "CP936");
        iconv_t fromWide = iconv_open("CP936", "WCHAR_T");
        if (toWide != reinterpret_cast<iconv_t>(-1)) {
            for (unsigned code = 0x80; code <= 0xFFFF; ++code) {
                const unsigned lead = code >> 8;
                if (code > 0xFF && (lead < 0x81 || lead > 0xFE))
                    continue;
                char bytes[2] = {static_cast<char>(code > 0xFF ? lead : code), static_cast<char>(code & 0xFF)};
                const wchar_t wide = Convert1(toWide, bytes, code > 0xFF ? 2 : 1);
                if (wide > 0 && wide <= 0xFFFF)
                    m_toWide[code] = static_cast<char16_t>(wide);
            }
            iconv_close(toWide);
        }
        if (fromWide != reinterpret_cast<iconv_t>(-1)) {
            for (unsigned ch = 0x80; ch <= 0xFFFF; ++ch) {
                const wchar_t wide = static_cast<wchar_t>(ch);
                char out[4];
                char* src = const_cast<char*>(reinterpret_cast<const char*>(&wide));
                size_t srcLeft = sizeof wide;
                char* dst = out;
                size_t dstLeft = sizeof out;
                iconv(fromWide, nullptr, nullptr, nullptr, nullptr);
                if (iconv(fromWide, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
                    continue;
                const size_t n = sizeof out - dstLeft;
                if (n == 1)
                    m_fromWide[ch] = static_cast<unsigned char>(out[0]);
                else if (n == 2)
                    m_fromWide[ch] = static_cast<char16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                                           static_cast<unsigned char>(out[1]));
            }
            iconv_close(fromWide);
        }
    }

    // The wide character of one byte or one lead/trail pair, or kUnmapped.
    char16_t Decode(unsigned code) const { return m_toWide[code]; }
    // One byte (0x80..0xFF) or a pair (lead << 8 | trail), or kUnmapped.
    char16_t Encode(unsigned ch) const { return ch <= 0xFFFF ? m_fromWide[ch] : kUnmapped; }

private:
    static wchar_t Convert1(iconv_t cd, char* bytes, size_t count)
    {
        wchar_t wide = 0;
        char* dst = reinterpret_cast<char*>(&wide);
        size_t dstLeft = sizeof wide;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &bytes, &count, &dst, &dstLeft) == static_cast<size_t>(-1) || count != 0)
            return 0;
        return wide;
    }

    std::array<char16_t, 0x10000> m_toWide{};
    std::array<char16_t, 0x10000> m_fromWide{};
};

const Gbk& Table()
{
    static const auto table = std::make_unique<Gbk>();
    return *table;
}

std::string Encode(const wchar_t* in, size_t count, char defaultChar, bool& usedDefault)
{
    std::string out;
    out.reserve(count * 2);
    const Gbk* table = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const auto ch = static_cast<unsigned>(in[i]);
        if (ch < 0x80) {
            out += static_cast<char>(ch);
            continue;
        }
        if (!table)
            table = &Table();
        const char16_t code = table->Encode(ch);
        if (code == kUnmapped) {
            out += defaultChar;
            usedDefault = true;
        } else if (code <= 0xFF) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
    }
    return out;
}

// An invalid or cut-off sequence gives U+FFFD for its first byte, and decoding goes on with
// the next byte.
std::wstring Decode(const char* in, size_t count)
{
    std::wstring out;
    out.reserve(count);
    const Gbk* table = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(in[i]);
        if (byte < 0x80) {
            out += static_cast<wchar_t>(byte);
            continue;
        }
        if (!table)
            table = &Table();
        char16_t wide = table->Decode(byte);
        if (wide == kUnmapped && i + 1 < count) {
            wide = table->Decode((byte << 8) | static_cast<unsigned char>(in[i + 1]));
            if (wide != kUnmapped)
                ++i;
        }
        out += wide == kUnmapped ? L'\xFFFD' : static_cast<wchar_t>(wide);
    }
    return out;
}

} // namespace

int WideCharToMultiByte(UINT, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                        LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0)
        return 0;
    const size_t count = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    bool usedDefault = false;
    const char defaultChar = lpDefaultChar && *lpDefaultChar ? *lpDefaultChar : '?';
    const std::string bytes = Encode(lpWideCharStr, count, defaultChar, usedDefault);
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    if (cbMultiByte == 0)
        return static_cast<int>(bytes.size());
    if (!lpMultiByteStr || bytes.size() > static_cast<size_t>(cbMultiByte))
        return 0;
    std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}

int MultiByteToWideChar(UINT, DWORD, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0)
        return 0;
    const size_t count = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const std::wstring text = Decode(lpMultiByteStr, count);
    if (cchWideChar == 0)
        return static_cast<int>(text.size());
    if (!lpWideCharStr || text.size() > static_cast<size_t>(cchWideChar))
        return 0;
    std::wmemcpy(lpWideCharStr, text.data(), text.size());
    return static_cast<int>(text.size());
}
