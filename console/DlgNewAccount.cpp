#include "console/DlgNewAccount.h"

#include "console/OperatorTexts.h"
#include "platform/core/AnsiText.h"
#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CDlgNewAccount, CDialogEx)

CDlgNewAccount::CDlgNewAccount() : CDialogEx(IDD_DLG_NEWACCOUNT) {}

void CDlgNewAccount::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_NEW_ACCOUNT, m_strUser);
    DDX_Text(pDX, IDC_EDIT_NEW_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_EDIT_NEW_PASSWORD2, m_strPassword2);
}

BEGIN_MESSAGE_MAP(CDlgNewAccount, CDialogEx)
    ON_BN_CLICKED(IDOK, &CDlgNewAccount::OnBnClickedOk)
END_MESSAGE_MAP()

void CDlgNewAccount::OnBnClickedOk()
{
    UpdateData(TRUE);
    m_strUser.Trim();
    m_strPassword.Trim();
    m_strPassword2.Trim();
    if (m_strUser.IsEmpty() || m_strPassword.IsEmpty() || m_strPassword2.IsEmpty()) {
        MessageBox(kEmptyAccountText);
        return;
    }
    if (m_strPassword != m_strPassword2) {
        MessageBox(kPasswordsDifferText);
        return;
    }
    // Stored as "?", such a password could never be typed again. The name goes only into the
    // file's name, which holds any character.
    if (!FitsAnsi(m_strPassword)) {
        MessageBox(kPasswordUnsaveableText);
        return;
    }
    UpdateData(FALSE);
    CDialogEx::OnOK();
}
