#include "console/DlgAddGroup.h"

#include "console/OperatorTexts.h"
#include "platform/core/AnsiText.h"
#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CDlgAddGroup, CDialogEx)

BEGIN_MESSAGE_MAP(CDlgAddGroup, CDialogEx)
    ON_BN_CLICKED(IDOK, &CDlgAddGroup::OnBnClickedOk)
    ON_BN_CLICKED(IDCANCEL, &CDlgAddGroup::OnBnClickedCancel)
END_MESSAGE_MAP()

CDlgAddGroup::CDlgAddGroup() : CDialogEx(IDD_DLG_ADDGROUP) {}

CDlgAddGroup::~CDlgAddGroup() = default;

void CDlgAddGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_USER_NAME, m_strName);
}

void CDlgAddGroup::OnBnClickedOk()
{
    UpdateData(TRUE);
    m_strName.Trim();
    if (m_strName.IsEmpty()) {
        MessageBox(kUserNameEmptyText);
        return;
    }
    // The account file marks a user line with braces; a '|' in a name does it no harm.
    if (m_strName.Find(L'{') >= 0 || m_strName.Find(L'}') >= 0) {
        MessageBox(kUserNameBraceText);
        return;
    }
    if (!FitsAnsi(m_strName)) {
        MessageBox(kUserNameUnsaveableText);
        return;
    }
    UpdateData(FALSE);
    CDialogEx::OnOK();
}

void CDlgAddGroup::OnBnClickedCancel()
{
    CDialogEx::OnCancel();
}
