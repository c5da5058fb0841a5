#pragma once

#include "platform/core/String.h"

#include <string>

// Text in the system's 8-bit code page: account files, URLs, header lines, answer lines.
std::string ToAnsi(const CString& str);
CString FromAnsi(const char* pch, size_t nLength);

// TRUE when the code page has every character of str, so that ToAnsi and FromAnsi give it
// back unchanged; FALSE when one of them would come back as "?" or as another character.
bool FitsAnsi(const CString& str);
