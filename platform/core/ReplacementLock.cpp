#include "platform/core/ReplacementLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Often enough that a waiter finds the gap between two saves of another console in a row.
constexpr std::chrono::milliseconds kRetryAfter(2);

// Empty, with no other name (none at all once its holder removed it): anything else was put
// there by someone else, and is neither locked nor given our attributes.
bool IsLockFile(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0 && st.st_nlink <= 1;
}

// False once the holder before us removed the file we locked.
bool StillNamedBy(int fd, const std::string& path)
{
    struct stat held;
    struct stat named;
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino;
}

} // namespace

CReplacementLock::~CReplacementLock()
{
    Release();
}

bool CReplacementLock::Acquire(const std::string& lockPath, const FileAttributes& attributes,
                               std::chrono::milliseconds waitLimit)
{
    const auto deadline = std::chrono::steady_clock::now() + waitLimit;
    for (;;) {
        // Not following a link: the lock file is only ever a file of its own.
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        // Another user's holder has made the file but not yet given it our attributes; one
        // that stays closed to us for the whole wait was left by a killed save. (A folder we
        // cannot write in refuses the file's creation too: that save fails without a wait.)
        struct stat st;
        if (fd < 0 && errno == EACCES && ::lstat(lockPath.c_str(), &st) == 0 &&
            std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(kRetryAfter);
            continue;
        }
        if (fd < 0)
            return true;
        if (!IsLockFile(fd)) {
            ::close(fd);
            return true;
        }
        // An open-file-description lock: two threads of one process exclude each other too.
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            if (StillNamedBy(fd, lockPath)) {
                GiveAttributes(fd, attributes);
                m_fd = fd;
                m_path = lockPath;
                return true;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        if (error != EAGAIN && error != EACCES) {
            ::unlink(lockPath.c_str());
            ::close(fd);
            return true;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kRetryAfter);
    }
}

void CReplacementLock::Release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that nobody takes a lock on it that no longer excludes.
    ::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
}
