#pragma once

#include "platform/ui/Dialog.h"

// The login: an account name and its password, or a new account created on the spot.
class CDlgInputPwd : public CDialogEx
{
    DECLARE_DYNAMIC(CDlgInputPwd)

public:
    CDlgInputPwd();

    CString m_strAccount;
    CString m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBnClickedOk();
    void OnBnClickedNewAccount();

    DECLARE_MESSAGE_MAP()
};
