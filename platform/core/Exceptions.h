#pragma once

#include "platform/core/String.h"

// Errors are thrown as heap objects (`throw new ...`) and whoever catches one releases it
// with Delete(), so that a handler can keep an error alive past its catch block.
class CException
{
public:
    virtual ~CException() = default;

    // Copies the operator's text for the error into the buffer (cut to fit, always
    // terminated) and returns FALSE when the error has no text of its own.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    void Delete() { delete this; }

protected:
    static BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError);
};

class CInvalidArgException : public CException
{
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class CFileException : public CException
{
public:
    enum Cause { none, genericException, fileNotFound, accessDenied, diskFull, endOfFile, hardIO };

    CFileException(int cause, int osError, CString fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName))
    {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    int m_cause;
    int m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowInvalidArgException();
// Builds the file exception from an errno value.
[[noreturn]] void AfxThrowFileException(int osError, const CString& fileName);
