#pragma once

#include "platform/core/File.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/ReplacementLock.h"

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

// Replaces a file's content as one step: the new content goes into a temporary file beside
// it, and only when all of it is on the disk does it take the file's name. Until Commit
// succeeds the file keeps its previous content; a replacement given up (an exception, or
// the object destroyed without Commit) leaves no temporary file behind.
//
// A symbolic link is followed, as an editor does: the file it leads to is replaced and the
// link stays. The temporary file has one short name per file, so a replacement killed
// midway leaves at most that one file, readable by its owner only, and an empty lock file;
// the next replacement of the same file takes both over. Replacements of one file take turns (see
// CReplacementLock), and the new file keeps the old one's owner and group where it may.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Far longer than any replacement of a file the size of an account takes, short enough for
    // an operator to wait out.
    static constexpr std::chrono::seconds kDefaultWait{5};

    // Waits up to waitForOthers for other replacements of the target, then creates the
    // temporary file in the target's folder; false when it cannot.
    BOOL Open(LPCTSTR lpszFileName, std::chrono::milliseconds waitForOthers = kDefaultWait);
    // As Open, with original's wait, for a copy of what original's target holds: a link of
    // that name is replaced itself rather than followed, and the copy gets the attributes
    // original's file gets.
    BOOL OpenCopy(LPCTSTR lpszFileName, const CAtomicFile& original);
    void Write(const void* lpBuf, UINT nCount);
    // Flushes, closes and renames the temporary file over the target, then flushes the folder
    // so that the rename itself survives a crash. The new file has the read and write bits,
    // owner and group of the one it replaces, or those of a plain create. Raises
    // CFileException on failure.
    void Commit();

private:
    BOOL OpenTarget(const std::string& target, const FileAttributes& attributes);
    bool TempIsOurs() const;
    void Discard();

    std::optional<CFile> m_file;
    CString m_strFileName;
    std::string m_target;
    std::string m_tempPath;
    dev_t m_tempDevice = 0;
    ino_t m_tempInode = 0;
    FileAttributes m_attributes = {};
    std::chrono::milliseconds m_waitForOthers = kDefaultWait;
    CReplacementLock m_lock;
};
