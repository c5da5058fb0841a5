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
// folder can hold has a temporary file, and each file always gets the same one.
std::string TempPathFor(const std::string& target)
{
    const std::string folder = FolderPrefix(target);
    std::uint64_t hash = 14695981039346656037ull;
    for (size_t i = folder.size(); i < target.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(target[i])) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, ".%016llx.tmp", static_cast<unsigned long long>(hash));
    return folder + name;
}

// Only the read and write bits of the file replaced: a copy of a set-user-ID, set-group-ID or
// sticky bit would hand the new content rights nobody gave it.
mode_t ModeFor(const std::string& target)
{
    struct stat st;
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 0666;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

CAtomicFile::~CAtomicFile()
{
    Discard();
}

BOOL CAtomicFile::Open(LPCTSTR lpszFileName)
{
    m_strFileName = lpszFileName;
    std::string target = PathToBytes(m_strFileName);
    if (!FollowLinks(target))
        return FALSE;
    const std::string temp = TempPathFor(target);
    // Whatever holds the name is the leftover of a killed replacement. Removed rather than
    // truncated, so that two replacements at once never write into one file.
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return FALSE;
    m_target = target;
    m_tempPath = temp;
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
        if (::fchmod(m_file->m_hFile, ModeFor(m_target)) != 0)
            AfxThrowFileException(errno, m_strFileName);
        m_file->Flush();
        m_file->Close();
        if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
            AfxThrowFileException(errno, m_strFileName);
    } catch (CFileException*) {
        Discard();
        throw;
    }
    m_tempPath.clear();

    const std::string folder = FolderPrefix(m_target);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        AfxThrowFileException(errno, m_strFileName);
    // Some file systems cannot sync a folder (EINVAL); there the rename is as safe as it gets.
    const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(dir);
    if (!synced)
        AfxThrowFileException(error, m_strFileName);
}

void CAtomicFile::Discard()
{
    m_file.reset();
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}
