#pragma once

#include "registry/Device.h"

#include <cstddef>
#include <string>

// The account file's bytes. Line 1 is the password; each user is a line "{" + name + "}",
// followed by one line per device with its six fields joined by "|". Lines end in CR LF;
// the text is in the ANSI code page. Texts are written whole, whatever their length.
std::string FormatAccountFile(const CString& strPassword, const CArray<DEVGROUP, DEVGROUP>& arrDevGroup);

// Reads what the writer wrote, and whatever a damaged file still holds: the data ends at the
// first NUL byte; lines are found by LF alone; the password is trimmed, nothing else is.
// arrDevGroup is emptied first. True when FormatAccountFile gives back exactly these bytes
// from what was read: false means that a save would lose or change some of them.
bool ParseAccountFile(const char* pData, size_t nSize, CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup);
