#pragma once

#include "platform/core/Array.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

// Collects one new device and the user who is to receive it. The caller hands in the
// account's user names and the one to preselect; names added with "添加用户" are only
// offered here, and become users when the caller takes them back after IDOK.
class CDlgAddDev : public CDialogEx
{
    DECLARE_DYNAMIC(CDlgAddDev)

public:
    CDlgAddDev();
    ~CDlgAddDev() override;

    // The names in the user box, in box order: the ones handed in, then those added here.
    CStringArray m_arrUser;
    // After IDOK each is trimmed, not empty and free of '{', '}' and '|'.
    CString m_strId;
    CString m_strApiKey;
    CString m_strDeviceId;
    CString m_strName;
    CString m_strAddress;
    CString m_strNumber;
    // Position in m_arrUser of the chosen name; -1 for none (never after IDOK).
    int m_nUser = 0;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBnClickedAddUser();
    void OnBnClickedOk();
    void OnBnClickedCancel();

    DECLARE_MESSAGE_MAP()
};

// True when the text can stand as a device field in the account file: not empty and free of
// the file's delimiters '{', '}' and '|'. Does not trim.
bool IsValidField(CString strField);
