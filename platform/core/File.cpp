#include "platform/core/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        ::close(m_hFile);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    const int flags = (nOpenFlags & modeWrite) ? O_WRONLY : O_RDONLY;
    const int create = (nOpenFlags & modeCreate) ? O_CREAT | O_TRUNC : 0;
    const CString name(lpszFileName);
    // Without O_NONBLOCK a FIFO would hold the open until a writer came along; a regular file,
    // the only kind kept open below, ignores the flag.
    int fd = ::open(PathToBytes(name).c_str(), flags | create | O_CLOEXEC | O_NONBLOCK, 0666);
    int error = errno;
    if (fd >= 0) {
        struct stat st;
        if (::fstat(fd, &st) != 0)
            error = errno;
        else if (!S_ISREG(st.st_mode))
            error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        else
            error = 0;
        if (error != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        if (pError) {
            try {
                AfxThrowFileException(error, name);
            } catch (CFileException* e) {
                *pError = *e;
                e->Delete();
            }
        }
        return FALSE;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_hFile = fd;
    m_strFileName = name;
    return TRUE;
}

ULONGLONG CFile::GetLength() const
{
    struct stat st;
    if (::fstat(m_hFile, &st) != 0)
        ThrowLastError();
    return static_cast<ULONGLONG>(st.st_size);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    auto* p = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(m_hFile, p + done, nCount - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowLastError();
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    const auto* p = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(m_hFile, p + done, nCount - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowLastError();
        if (n == 0)
            AfxThrowFileException(ENOSPC, m_strFileName);
        done += static_cast<UINT>(n);
    }
}

void CFile::Flush()
{
    if (::fsync(m_hFile) != 0)
        ThrowLastError();
}

void CFile::Close()
{
    const int fd = m_hFile;
    m_hFile = hFileNull;
    // After a failed close the descriptor is gone all the same; retrying could close
    // another thread's newly opened file.
    if (fd != hFileNull && ::close(fd) != 0 && errno != EINTR)
        ThrowLastError();
}

void CFile::ThrowLastError() const
{
    AfxThrowFileException(errno, m_strFileName);
}
