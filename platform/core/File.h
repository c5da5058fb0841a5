#pragma once

#include "platform/core/Exceptions.h"

#include <cstdint>

using ULONGLONG = std::uint64_t;

// A file opened, read or written whole and closed within one call. Open reports failure by
// its result; once open, every failing read, write, flush or close raises CFileException.
class CFile
{
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    // Takes over a descriptor that is already open; strFileName names it in error messages.
    CFile(int hFile, const CString& strFileName) : m_hFile(hFile), m_strFileName(strFileName) {}
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file; modeCreate | modeWrite creates it or cuts it to zero
    // length. Only a regular file, or a link to one, is opened; a folder, FIFO or device fails
    // at once. On failure pError, when given, receives the cause.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    ULONGLONG GetLength() const;
    // Reads until nCount bytes are in or the file ends; returns the count read.
    UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes.
    void Write(const void* lpBuf, UINT nCount);
    // Puts what was written on the disk.
    void Flush();
    void Close();

    static constexpr int hFileNull = -1;
    int m_hFile = hFileNull;

private:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
};
