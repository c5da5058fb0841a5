#pragma once

#include "platform/ui/Dialog.h"

// Asks for a new account's name and its password, typed twice.
class CDlgNewAccount : public CDialogEx
{
    DECLARE_DYNAMIC(CDlgNewAccount)

public:
    CDlgNewAccount();

    CString m_strUser;
    CString m_strPassword;
    CString m_strPassword2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()
};
