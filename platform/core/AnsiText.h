#pragma once

#include "platform/core/CodePage.h"
#include "platform/core/String.h"

#include <cstddef>
#include <cstring>
#include <string>

// Text in the system's 8-bit code page: account files, URLs, header lines.

// Bytes taken by the character that starts at pos: 2 for a lead byte followed by a second
// byte before end, else 1. Scans step by this so that no second byte is mistaken for a
// delimiter.
inline size_t AnsiCharSize(const char* data, size_t pos, size_t end)
{
    if (!IsDBCSLeadByte(static_cast<BYTE>(data[pos])) || pos + 1 >= end)
        return 1;
    return IsDBCSTrailByte(static_cast<BYTE>(data[pos + 1])) ? 2 : 1;
}

// Position of the first byte ch at or after pos (a character boundary) that is not the
// second byte of a double-byte character, or end. Gives what stepping by AnsiCharSize from pos
// would, but lets memchr do the search: only the lead bytes right before a hit can make it a
// second byte, and they pair up from the start of their run.
inline size_t FindAnsi(const char* data, size_t pos, size_t end, char ch)
{
    const bool canTrail = IsDBCSTrailByte(static_cast<BYTE>(ch));
    while (pos < end) {
        const void* hit = std::memchr(data + pos, ch, end - pos);
        if (!hit)
            return end;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - data);
        size_t run = 0;
        while (canTrail && at - run > pos && IsDBCSLeadByte(static_cast<BYTE>(data[at - run - 1])))
            ++run;
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
std::string ToAnsi(const CString& str);

// The text of count bytes. A character the code page lacks becomes one U+FFFD, taking as
// many bytes as AnsiCharSize says, so that the text never holds a delimiter the scans
// stepped over; exact is then cleared. Every other character is one the code page writes
// back as the same bytes.
CString WideFromAnsi(const char* data, size_t count, bool& exact);

// TRUE when the code page has every character of str, so that it is written and read back
// unchanged; FALSE when one of them would come back as "?" or as another character.
bool FitsAnsi(const CString& str);
