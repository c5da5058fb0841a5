#pragma once

#include "platform/core/String.h"

enum class AccountLoadResult { NoFile, Loaded, ReadFailed };

// The executable's folder + account + ".cfg". Empty when there is no application object or
// when the name could lead out of that folder ("/" or NUL inside).
CString AccountFilePath(const CString& strAccount);

bool AccountFileExists(const CString& strAccount);

// Rewrites the whole file from g_strPassword and g_arrDevGroup. The new content takes the
// file's place only once all of it is on the disk: on false the previous file is whole.
// When the file no longer holds what this process last read from or wrote to it, or what it
// read did not read back whole, the save first keeps the file as it is as <file>.bak (or
// <name>~ where that name is too long), in the same way; without that copy it saves nothing.
bool SaveAccountFile(const CString& strAccount);

// Writes the file of a new account: the password line alone, in the same way as a save.
bool CreateAccountFile(const CString& strAccount, const CString& strPassword);

// Fills g_strPassword and g_arrDevGroup from the file. With NoFile or ReadFailed neither is
// touched: an account whose file could not be read must not look empty, or its next save
// would destroy the file.
AccountLoadResult LoadAccountFile(const CString& strAccount);
