#pragma once

#include "platform/core/String.h"

#include <cstddef>
#include <cstring>
#include <string>

// The account file's text in the ANSI code page (GBK, a double-byte code page whose second
// bytes include "{", "|" and "}").

// Bytes taken by the character that starts at pos: 2 for a lead byte followed by a valid
// second byte before end, else 1. Scans step by this so that no second byte is mistaken for
// a delimiter.
inline size_t AnsiCharSize(const char* data, size_t pos, size_t end)
{
    const auto lead = static_cast<unsigned char>(data[pos]);
    if (lead < 0x81 || lead > 0xFE || pos + 1 >= end)
        return 1;
    const auto trail = static_cast<unsigned char>(data[pos + 1]);
    const bool isTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE);
    return isTrail ? 2 : 1;
}

// Position of the first byte ch at or after pos (a character boundary) that is not the
// second byte of a double-byte character, or end. Gives what stepping by AnsiCharSize from pos
// would, but lets memchr do the search: only the bytes 0x81..0xFE right before a hit can make
// it a second byte, and they pair up from the start of their run.
inline size_t FindAnsi(const char* data, size_t pos, size_t end, char ch)
{
    // LF is no second byte; "{", "|" and "}" are.
    const bool canTrail = static_cast<unsigned char>(ch) >= 0x40;
    while (pos < end) {
        const void* hit = std::memchr(data + pos, ch, end - pos);
        if (!hit)
            return end;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - data);
        size_t run = 0;
        while (canTrail && at - run > pos) {
            const auto byte = static_cast<unsigned char>(data[at - run - 1]);
            if (byte < 0x81 || byte > 0xFE)
                break;
            ++run;
        }
        if (run % 2 == 0)
            return at;
        pos = at + 1;
    }
    return end;
}

// Bytes the text can take at most: no wide character takes more than two.
inline size_t AnsiSizeBound(const CString& text)
{
    return static_cast<size_t>(text.GetLength()) * 2;
}

// Writes the text up to its first NUL at out, which has room for AnsiSizeBound(text) bytes,
// and returns the end of what it wrote. A character the code page lacks becomes "?".
char* WriteAnsi(char* out, const CString& text);

// The text of count bytes. A character the code page lacks becomes one U+FFFD, taking as
// many bytes as AnsiCharSize says, so that the text never holds a delimiter the scans
// stepped over; exact is then cleared. Every other character is one the code page writes
// back as the same bytes.
CString WideFromAnsi(const char* data, size_t count, bool& exact);
