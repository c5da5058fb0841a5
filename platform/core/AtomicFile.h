#pragma once

#include "platform/core/File.h"

#include <optional>
#include <string>

// Replaces a file's content as one step: the new content goes into a temporary file beside
// it, and only when all of it is on the disk does it take the file's name. Until Commit
// succeeds the file keeps its previous content; a replacement given up (an exception, or
// the object destroyed without Commit) leaves no temporary file behind.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file in the target's folder; false when it cannot.
    BOOL Open(LPCTSTR lpszFileName);
    void Write(const void* lpBuf, UINT nCount);
    // Flushes, closes and renames the temporary file over the target, then flushes the folder
    // so that the rename itself survives a crash. Raises CFileException on failure.
    void Commit();

private:
    void Discard();

    std::optional<CFile> m_file;
    CString m_strTarget;
    std::string m_tempPath;
};
