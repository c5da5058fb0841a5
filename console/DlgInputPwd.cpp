#include "console/DlgInputPwd.h"

#include "console/DlgNewAccount.h"
#include "console/OperatorTexts.h"
#include "registry/AccountFile.h"
#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CDlgInputPwd, CDialogEx)

CDlgInputPwd::CDlgInputPwd() : CDialogEx(IDD_DLG_INPUTPWD) {}

void CDlgInputPwd::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_ACCOUNT, m_strAccount);
    DDX_Text(pDX, IDC_EDIT_PASSWORD, m_strPassword);
}

BEGIN_MESSAGE_MAP(CDlgInputPwd, CDialogEx)
    ON_BN_CLICKED(IDOK, &CDlgInputPwd::OnBnClickedOk)
    ON_BN_CLICKED(IDC_BTN_NEW_ACCOUNT, &CDlgInputPwd::OnBnClickedNewAccount)
END_MESSAGE_MAP()

void CDlgInputPwd::OnBnClickedOk()
{
    UpdateData(TRUE);
    m_strAccount.Trim();
    m_strPassword.Trim();
    UpdateData(FALSE);
    CDialogEx::OnOK();
}

void CDlgInputPwd::OnBnClickedNewAccount()
{
    CDlgNewAccount dlg;
    if (dlg.DoModal() != IDOK)
        return;
    // Creating the file anew would wipe an existing account's users and devices.
    if (AccountFileExists(dlg.m_strUser)) {
        CString strMessage;
        strMessage.Format(kAccountExistsFormat, dlg.m_strUser.GetString());
        MessageBox(strMessage);
        return;
    }
    m_strAccount = dlg.m_strUser;
    m_strPassword = dlg.m_strPassword;
    if (!CreateAccountFile(m_strAccount, m_strPassword)) {
        MessageBox(kSaveFailedText);
        return;
    }
    UpdateData(FALSE);
    CDialogEx::OnOK();
}
