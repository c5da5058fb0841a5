#include "platform/core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the target would get from a plain create: the existing file's mode, so that a
// rewrite keeps who may read the account, or else the default narrowed by the umask.
mode_t ModeFor(const std::string& target)
{
    struct stat st;
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
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
    m_strTarget = lpszFileName;
    const std::string target = ToUtf8(m_strTarget);
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    m_tempPath = temp;
    m_file.emplace(fd, m_strTarget);
    ::fchmod(fd, ModeFor(target));
    return TRUE;
}

void CAtomicFile::Write(const void* lpBuf, UINT nCount)
{
    m_file->Write(lpBuf, nCount);
}

void CAtomicFile::Commit()
{
    try {
        m_file->Flush();
        m_file->Close();
        if (::rename(m_tempPath.c_str(), ToUtf8(m_strTarget).c_str()) != 0)
            AfxThrowFileException(errno, m_strTarget);
    } catch (CFileException*) {
        Discard();
        throw;
    }
    m_tempPath.clear();

    const int dir = ::open(FolderOf(ToUtf8(m_strTarget)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        AfxThrowFileException(errno, m_strTarget);
    // Some file systems cannot sync a folder (EINVAL); there the rename is as safe as it gets.
    const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(dir);
    if (!synced)
        AfxThrowFileException(error, m_strTarget);
}

void CAtomicFile::Discard()
{
    m_file.reset();
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}
