#include "platform/core/CodePage.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <iconv.h>
#include <memory>

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
                if (code > 0xFF && !IsDBCSLeadByte(static_cast<BYTE>(lead)))
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

// Both conversions write into the caller's buffer as they go and count what the whole input
// needs, so a size query and a conversion cost one pass each and allocate nothing. When the
// buffer holds the longest possible result, the checks per character are left out.
template <class Char>
class CheckedSink
{
public:
    CheckedSink(Char* out, size_t capacity) : m_out(out), m_capacity(capacity) {}
    void Put(Char ch)
    {
        if (m_out && m_count < m_capacity)
            m_out[m_count] = ch;
        ++m_count;
    }
    void PutAsciiRun(const wchar_t* in)
    {
        for (int k = 0; k < 8; ++k)
            Put(static_cast<Char>(in[k]));
    }
    size_t Count() const { return m_count; }

private:
    Char* m_out;
    size_t m_capacity;
    size_t m_count = 0;
};

template <class Char>
class DirectSink
{
public:
    explicit DirectSink(Char* out) : m_begin(out), m_out(out) {}
    void Put(Char ch) { *m_out++ = ch; }
    void PutAsciiRun(const wchar_t* in)
    {
        for (int k = 0; k < 8; ++k)
            m_out[k] = static_cast<Char>(in[k]);
        m_out += 8;
    }
    size_t Count() const { return static_cast<size_t>(m_out - m_begin); }

private:
    Char* m_begin;
    Char* m_out;
};

// Whether the eight characters at in are all ASCII: such runs, most of an account file, are
// copied eight at a time.
bool IsAsciiRun(const wchar_t* in)
{
    wchar_t bits = 0;
    for (int k = 0; k < 8; ++k)
        bits |= in[k];
    return static_cast<unsigned>(bits) < 0x80;
}

template <class Sink>
size_t EncodeInto(Sink sink, const wchar_t* in, size_t count, char defaultChar, bool& usedDefault)
{
    const Gbk* table = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (i + 8 <= count && IsAsciiRun(in + i)) {
            sink.PutAsciiRun(in + i);
            i += 7;
            continue;
        }
        const auto ch = static_cast<unsigned>(in[i]);
        if (ch < 0x80) {
            sink.Put(static_cast<char>(ch));
            continue;
        }
        if (!table)
            table = &Table();
        const char16_t code = table->Encode(ch);
        if (code == kUnmapped) {
            sink.Put(defaultChar);
            usedDefault = true;
        } else if (code <= 0xFF) {
            sink.Put(static_cast<char>(code));
        } else {
            sink.Put(static_cast<char>(code >> 8));
            sink.Put(static_cast<char>(code & 0xFF));
        }
    }
    return sink.Count();
}

size_t Encode(const wchar_t* in, size_t count, char* out, size_t capacity, char defaultChar, bool& usedDefault)
{
    // No wide character takes more than two bytes.
    if (out && capacity / 2 >= count)
        return EncodeInto(DirectSink<char>(out), in, count, defaultChar, usedDefault);
    return EncodeInto(CheckedSink<char>(out, capacity), in, count, defaultChar, usedDefault);
}

constexpr size_t kInvalid = static_cast<size_t>(-1);

// An invalid or cut-off sequence gives U+FFFD for its first byte, and decoding goes on with
// the next byte; with strict, decoding stops there and gives kInvalid.
template <class Sink>
size_t DecodeInto(Sink sink, const char* in, size_t count, bool strict)
{
    const Gbk* table = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(in[i]);
        if (byte < 0x80) {
            sink.Put(static_cast<wchar_t>(byte));
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
        if (wide == kUnmapped && strict)
            return kInvalid;
        sink.Put(wide == kUnmapped ? L'\xFFFD' : static_cast<wchar_t>(wide));
    }
    return sink.Count();
}

size_t Decode(const char* in, size_t count, wchar_t* out, size_t capacity, bool strict)
{
    // No byte gives more than one wide character.
    if (out && capacity >= count)
        return DecodeInto(DirectSink<wchar_t>(out), in, count, strict);
    return DecodeInto(CheckedSink<wchar_t>(out, capacity), in, count, strict);
}

} // namespace

int WideCharToMultiByte(UINT, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                        LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr))
        return 0;
    const size_t count = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    bool usedDefault = false;
    const char defaultChar = lpDefaultChar && *lpDefaultChar ? *lpDefaultChar : '?';
    const size_t needed =
        Encode(lpWideCharStr, count, lpMultiByteStr, static_cast<size_t>(cbMultiByte), defaultChar, usedDefault);
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    if (cbMultiByte > 0 && needed > static_cast<size_t>(cbMultiByte))
        return 0;
    return static_cast<int>(needed);
}

int MultiByteToWideChar(UINT, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr))
        return 0;
    const size_t count = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const size_t needed = Decode(lpMultiByteStr, count, lpWideCharStr, static_cast<size_t>(cchWideChar),
                                 (dwFlags & MB_ERR_INVALID_CHARS) != 0);
    if (needed == kInvalid || (cchWideChar > 0 && needed > static_cast<size_t>(cchWideChar)))
        return 0;
    return static_cast<int>(needed);
}
