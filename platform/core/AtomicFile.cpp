#include "platform/core/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Everything up to and including the last "/", or nothing.
std::string FolderPrefix(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file that path names once its symbolic links are followed; it need not exist yet.
bool FollowLinks(std::string& path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0)
            return false;
        link.resize(static_cast<size_t>(n));
        path = link.front() == '/' ? link : FolderPrefix(path) + link;
    }
    errno = ELOOP;
    return false;
}

// A name of fixed, short length derived from the target's own name, so that any name the
// folder can hold has a temporary and a lock file, and each file always gets the same ones.
std::string SiblingPathFor(const std::string& target, const char* suffix)
{
    const std::string folder = FolderPrefix(target);
    std::uint64_t hash = 14695981039346656037ull;
    for (size_t i = folder.size(); i < target.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(target[i])) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, ".%016llx%s", static_cast<unsigned long long>(hash), suffix);
    return folder + name;
}

} // namespace

CAtomicFile::~CAtomicFile()
{
    Discard();
}

BOOL CAtomicFile::Open(LPCTSTR lpszFileName, std::chrono::milliseconds waitForOthers)
{
    m_strFileName = lpszFileName;
    m_waitForOthers = waitForOthers;
    std::string target = PathToBytes(m_strFileName);
    if (!FollowLinks(target) || !m_lock.Acquire(SiblingPathFor(target, ".lock"), AttributesOf(target), waitForOthers))
        return FALSE;
    // Taken again under the lock: the holder before us may have replaced the file.
    return OpenTarget(target, AttributesOf(target));
}

BOOL CAtomicFile::OpenCopy(LPCTSTR lpszFileName, const CAtomicFile& original)
{
    m_strFileName = lpszFileName;
    m_waitForOthers = original.m_waitForOthers;
    const std::string target = PathToBytes(m_strFileName);
    if (!m_lock.Acquire(SiblingPathFor(target, ".lock"), original.m_attributes, m_waitForOthers))
        return FALSE;
    return OpenTarget(target, original.m_attributes);
}

BOOL CAtomicFile::OpenTarget(const std::string& target, const FileAttributes& attributes)
{
    const std::string temp = SiblingPathFor(target, ".tmp");
    // Whatever holds the name is the leftover of a killed replacement: under the lock no other
    // replacement is writing it.
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_lock.Release();
        return FALSE;
    }
    struct stat st;
    ::fstat(fd, &st);
    m_target = target;
    m_attributes = attributes;
    m_tempPath = temp;
    m_tempDevice = st.st_dev;
    m_tempInode = st.st_ino;
    m_file.emplace(fd, m_strFileName);
    return TRUE;
}

void CAtomicFile::Write(const void* lpBuf, UINT nCount)
{
    m_file->Write(lpBuf, nCount);
}

void CAtomicFile::Commit()
{
    try {
        if (!GiveAttributes(m_file->m_hFile, m_attributes))
            AfxThrowFileException(errno, m_strFileName);
        m_file->Flush();
        m_file->Close();
        if (!TempIsOurs())
            AfxThrowFileException(EBUSY, m_strFileName);
        if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
            AfxThrowFileException(errno, m_strFileName);
    } catch (CFileException*) {
        Discard();
        throw;
    }
    m_tempPath.clear();
    m_lock.Release();

    const std::string folder = FolderPrefix(m_target);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder one may write in but not read cannot be opened to sync: as on the file systems
    // that cannot sync a folder, the rename is then as safe as it gets.
    if (dir < 0 && errno == EACCES)
        return;
    if (dir < 0)
        AfxThrowFileException(errno, m_strFileName);
    // Some file systems cannot sync a folder (EINVAL); there the rename is as safe as it gets.
    const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(dir);
    if (!synced)
        AfxThrowFileException(error, m_strFileName);
}

// Where the file system cannot lock, another replacement may have removed our temporary file
// and made its own under the name: that one is neither renamed over the target nor removed.
bool CAtomicFile::TempIsOurs() const
{
    struct stat st;
    return ::lstat(m_tempPath.c_str(), &st) == 0 && st.st_dev == m_tempDevice && st.st_ino == m_tempInode;
}

void CAtomicFile::Discard()
{
    m_file.reset();
    if (!m_tempPath.empty()) {
        if (TempIsOurs())
            ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_lock.Release();
}
