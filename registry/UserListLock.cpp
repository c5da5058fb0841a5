#include "registry/UserListLock.h"

namespace {

std::mutex& UserListMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

CUserListLock::CUserListLock() : m_guard(UserListMutex()) {}
