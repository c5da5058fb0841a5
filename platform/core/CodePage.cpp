#include "platform/core/CodePage.h"

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iconv.h>
#include <string>

namespace {

// One descriptor per direction and thread: iconv_t keeps shift state, so it must not be
// shared between the UI thread and the polling worker, and opening one per piece would cost
// more than the conversion itself.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter& Encoder(UINT codePage)
{
    thread_local Converter gbk("CP936", "WCHAR_T");
    thread_local Converter utf8("UTF-8", "WCHAR_T");
    return codePage == CP_UTF8 ? utf8 : gbk;
}

Converter& Decoder(UINT codePage)
{
    thread_local Converter gbk("WCHAR_T", "CP936");
    thread_local Converter utf8("WCHAR_T", "UTF-8");
    return codePage == CP_UTF8 ? utf8 : gbk;
}

std::string Encode(UINT codePage, const wchar_t* in, size_t count, char defaultChar, bool& usedDefault)
{
    std::string out;
    Converter& conv = Encoder(codePage);
    if (!conv.ok())
        return out;
    iconv_t cd = conv.get();
    out.resize(count * 2 + 8);
    char* src = const_cast<char*>(reinterpret_cast<const char*>(in));
    size_t srcLeft = count * sizeof(wchar_t);
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: one wide character the code page lacks.
        if (dstLeft == 0) {
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
        }
        *dst++ = defaultChar;
        --dstLeft;
        usedDefault = true;
        src += sizeof(wchar_t);
        srcLeft -= sizeof(wchar_t);
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
}

std::wstring Decode(UINT codePage, const char* in, size_t count)
{
    std::wstring out;
    Converter& conv = Decoder(codePage);
    if (!conv.ok())
        return out;
    iconv_t cd = conv.get();
    out.resize(count + 4);
    char* src = const_cast<char*>(in);
    size_t srcLeft = count;
    auto* dst = reinterpret_cast<char*>(out.data());
    size_t dstLeft = out.size() * sizeof(wchar_t);
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || dstLeft < sizeof(wchar_t)) {
            const size_t used = (out.size() * sizeof(wchar_t) - dstLeft) / sizeof(wchar_t);
            out.resize(out.size() * 2);
            dst = reinterpret_cast<char*>(out.data() + used);
            dstLeft = (out.size() - used) * sizeof(wchar_t);
            if (errno == E2BIG)
                continue;
        }
        // An invalid or cut-off sequence: replace its first byte and go on with the next.
        wchar_t replacement = L'\xFFFD';
        std::memcpy(dst, &replacement, sizeof(wchar_t));
        dst += sizeof(wchar_t);
        dstLeft -= sizeof(wchar_t);
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(out.size() - dstLeft / sizeof(wchar_t));
    return out;
}

} // namespace

int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0)
        return 0;
    const size_t count = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    bool usedDefault = false;
    const char defaultChar = lpDefaultChar && *lpDefaultChar ? *lpDefaultChar : '?';
    const std::string bytes = Encode(CodePage, lpWideCharStr, count, defaultChar, usedDefault);
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    if (cbMultiByte == 0)
        return static_cast<int>(bytes.size());
    if (!lpMultiByteStr || bytes.size() > static_cast<size_t>(cbMultiByte))
        return 0;
    std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}

int MultiByteToWideChar(UINT CodePage, DWORD, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0)
        return 0;
    const size_t count = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const std::wstring text = Decode(CodePage, lpMultiByteStr, count);
    if (cchWideChar == 0)
        return static_cast<int>(text.size());
    if (!lpWideCharStr || text.size() > static_cast<size_t>(cchWideChar))
        return 0;
    std::wmemcpy(lpWideCharStr, text.data(), text.size());
    return static_cast<int>(text.size());
}
