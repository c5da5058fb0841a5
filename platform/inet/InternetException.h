#pragma once

#include "platform/core/Exceptions.h"
#include "platform/inet/InternetTypes.h"

// A failed Internet exchange. m_dwError is one of the ERROR_INTERNET_* / ERROR_HTTP_* codes;
// GetErrorMessage gives the operator's text for it.
class CInternetException : public CException
{
public:
    explicit CInternetException(DWORD dwError) : m_dwError(dwError) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    DWORD m_dwError;
};

[[noreturn]] void AfxThrowInternetException(DWORD dwError);
