#pragma once

#include <mutex>

// Keeps the polling worker's reads of the user list apart from the UI thread's changes to
// it. Hold one for the whole of a change or a read, and for no longer:
//     { CUserListLock lock; g_arrDevGroup.Add(group); }
// Never wait for the UI thread while holding it: the UI thread may be waiting for the lock.
class CUserListLock
{
public:
    CUserListLock();
    CUserListLock(const CUserListLock&) = delete;
    CUserListLock& operator=(const CUserListLock&) = delete;

private:
    std::lock_guard<std::mutex> m_guard;
};
