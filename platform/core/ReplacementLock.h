#pragma once

#include "platform/core/FileAttributes.h"

#include <chrono>
#include <string>

// Keeps replacements of one file from overlapping, among threads and processes alike: each
// holds an exclusive lock on a lock file beside the file while it replaces it.
//
// The lock cannot sit on the file itself, which every replacement swaps for a new one by
// rename (nor on the temporary file, which then becomes it). The lock file exists only while
// a replacement holds it: the holder removes it before letting go, and a waiter that got the
// lock of a removed one tries again, so no two holders ever meet and no folder keeps one.
class CReplacementLock
{
public:
    CReplacementLock() = default;
    ~CReplacementLock();
    CReplacementLock(const CReplacementLock&) = delete;
    CReplacementLock& operator=(const CReplacementLock&) = delete;

    // Waits waitLimit at most for another holder; false when it still holds the lock.
    // Where the file system cannot lock, or the lock file cannot be opened, true without a
    // lock: replacements there overlap as they always did. The lock file gets attributes, so
    // that whoever may replace the file may lock it, and nobody else.
    bool Acquire(const std::string& lockPath, const FileAttributes& attributes, std::chrono::milliseconds waitLimit);
    void Release();

private:
    int m_fd = -1;
    std::string m_path;
};
