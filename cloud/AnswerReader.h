#pragma once

#include "platform/core/String.h"

// Reading the platform's answers. An answer is parsed from an 8-bit buffer of fixed size;
// one whose 8-bit form does not fit is not parsed at all.

// Converts strAnswer, with its terminator, into pBuffer; FALSE when it does not fit.
BOOL AnswerToBuffer(const CString& strAnswer, char* pBuffer, int nBufferSize);

// Reads pszMember among the members of "data" of an answer whose "errno" is 0. TRUE, with
// the value in *pnValue, when the answer is usable; FALSE otherwise.
BOOL ReadAnswerMember(const CString& strAnswer, char* pBuffer, int nBufferSize, const char* pszMember, int* pnValue);

// The device query's "online" and the status query's "current_value", each read from a
// buffer of its query's size.
BOOL ReadDeviceOnline(const CString& strAnswer, int* pnOnline);
BOOL ReadStatusCurrentValue(const CString& strAnswer, int* pnCurrentValue);
