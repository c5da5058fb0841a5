#pragma once

#include "platform/core/String.h"

#include <string>

// Text on the wire (URLs, header lines, answer lines) is in the system's code page.
std::string ToAnsi(const CString& str);
CString FromAnsi(const char* pch, size_t nLength);
