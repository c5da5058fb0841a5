#include "platform/core/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT*) const
{
    CopyMessage(CString(), lpszError, nMaxError);
    return FALSE;
}

BOOL CException::CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError)
{
    if (!lpszError || nMaxError == 0)
        return !text.IsEmpty();
    const UINT n = std::min<UINT>(static_cast<UINT>(text.GetLength()), nMaxError - 1);
    std::wmemcpy(lpszError, text.GetString(), n);
    lpszError[n] = L'\0';
    return !text.IsEmpty();
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT*) const
{
    return CopyMessage(L"参数无效。", lpszError, nMaxError);
}

namespace {

CString FileErrorText(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return L"找不到文件";
    case CFileException::accessDenied: return L"拒绝访问";
    case CFileException::diskFull: return L"磁盘已满";
    case CFileException::endOfFile: return L"读取时已到文件末尾";
    case CFileException::hardIO: return L"读写文件时出现硬件错误";
    default: return L"访问文件时出错";
    }
}

int CauseFromErrno(int osError)
{
    switch (osError) {
    case ENOENT: return CFileException::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return CFileException::accessDenied;
    case ENOSPC:
    case EDQUOT: return CFileException::diskFull;
    case EIO: return CFileException::hardIO;
    default: return CFileException::genericException;
    }
}

} // namespace

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT*) const
{
    CString text = FileErrorText(m_cause);
    if (!m_strFileName.IsEmpty())
        text += L": " + m_strFileName;
    return CopyMessage(text + L"。", lpszError, nMaxError);
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AfxThrowFileException(int osError, const CString& fileName)
{
    throw new CFileException(CauseFromErrno(osError), osError, fileName);
}
