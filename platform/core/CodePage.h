#pragma once

#include "platform/core/Types.h"

// The system's 8-bit ("ANSI") code page is code page 936 (GBK), whatever the locale says.
constexpr UINT CP_ACP = 0;

// Its byte rule: a character is one byte, or a lead byte followed by a second byte. Second
// bytes include "{", "|" and "}".
constexpr BOOL IsDBCSLeadByte(BYTE TestChar)
{
    return TestChar >= 0x81 && TestChar <= 0xFE;
}
constexpr BOOL IsDBCSTrailByte(BYTE TestChar)
{
    return (TestChar >= 0x40 && TestChar <= 0x7E) || (TestChar >= 0x80 && TestChar <= 0xFE);
}

// Wide text to 8-bit text. cchWideChar -1 means "up to and including the terminating NUL".
// With cbMultiByte 0 the result is the size needed; otherwise it is the count of bytes
// written, or 0 when they do not fit. A character that the code page cannot represent
// becomes lpDefaultChar's first byte, or "?" when none is given.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar);

// Flag of MultiByteToWideChar: fail on an invalid byte sequence.
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;

// 8-bit text to wide text, with the same conventions; an invalid byte sequence becomes
// U+FFFD and the conversion goes on, or with MB_ERR_INVALID_CHARS the result is 0.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar);
