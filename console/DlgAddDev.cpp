#include "console/DlgAddDev.h"

#include "console/DlgAddGroup.h"
#include "console/OperatorTexts.h"
#include "platform/core/AnsiText.h"
#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CDlgAddDev, CDialogEx)

BEGIN_MESSAGE_MAP(CDlgAddDev, CDialogEx)
    ON_BN_CLICKED(IDC_BTN_ADD_USER, &CDlgAddDev::OnBnClickedAddUser)
    ON_BN_CLICKED(IDOK, &CDlgAddDev::OnBnClickedOk)
    ON_BN_CLICKED(IDCANCEL, &CDlgAddDev::OnBnClickedCancel)
END_MESSAGE_MAP()

bool IsValidField(CString strField)
{
    return strField.Find(L'{') < 0 && strField.Find(L'}') < 0 && strField.Find(L'|') < 0 && !strField.IsEmpty();
}

CDlgAddDev::CDlgAddDev() : CDialogEx(IDD_DLG_ADDDEV) {}

CDlgAddDev::~CDlgAddDev() = default;

void CDlgAddDev::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_DEVICE_ID, m_strId);
    DDX_Text(pDX, IDC_EDIT_API_KEY, m_strApiKey);
    DDX_Text(pDX, IDC_EDIT_PLATFORM_ID, m_strDeviceId);
    DDX_Text(pDX, IDC_EDIT_DEVICE_NAME, m_strName);
    DDX_Text(pDX, IDC_EDIT_ADDRESS, m_strAddress);
    DDX_Text(pDX, IDC_EDIT_NUMBER, m_strNumber);
    DDX_CBIndex(pDX, IDC_COMBO_ADDDEV_USER, m_nUser);
    DDX_Control(pDX, IDC_COMBO_ADDDEV_USER, m_combo);
}

BOOL CDlgAddDev::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    for (INT_PTR i = 0; i < m_arrUser.GetSize(); ++i)
        m_combo.AddString(m_arrUser[i]);
    m_combo.SetCurSel(m_nUser);
    return TRUE;
}

void CDlgAddDev::OnBnClickedAddUser()
{
    CDlgAddGroup dlg;
    if (dlg.DoModal() != IDOK)
        return;
    for (INT_PTR i = 0; i < m_arrUser.GetSize(); ++i) {
        if (m_arrUser[i] == dlg.m_strName) {
            CString strMessage;
            strMessage.Format(kUserExistsFormat, dlg.m_strName.GetString());
            MessageBox(strMessage);
            return;
        }
    }
    m_arrUser.Add(dlg.m_strName);
    m_combo.AddString(dlg.m_strName);
    m_combo.SetCurSel(m_combo.GetCount() - 1);
}

void CDlgAddDev::OnBnClickedOk()
{
    UpdateData(TRUE);
    const struct
    {
        CString* pField;
        LPCTSTR lpszInvalid;
        LPCTSTR lpszUnsaveable;
    } fields[] = {
        {&m_strId, kDeviceIdInvalidText, kDeviceIdUnsaveableText},
        {&m_strApiKey, kApiKeyInvalidText, kApiKeyUnsaveableText},
        {&m_strDeviceId, kPlatformIdInvalidText, kPlatformIdUnsaveableText},
        {&m_strName, kDeviceNameInvalidText, kDeviceNameUnsaveableText},
        {&m_strAddress, kAddressInvalidText, kAddressUnsaveableText},
        {&m_strNumber, kNumberInvalidText, kNumberUnsaveableText},
    };
    for (const auto& field : fields)
        field.pField->Trim();
    for (const auto& field : fields) {
        if (!IsValidField(*field.pField)) {
            MessageBox(field.lpszInvalid);
            return;
        }
        // The account file would hold "?" in place of a character its code page lacks.
        if (!FitsAnsi(*field.pField)) {
            MessageBox(field.lpszUnsaveable);
            return;
        }
    }
    // The device needs a user to belong to; refused here, the operator keeps what was typed.
    if (m_nUser < 0 || m_nUser >= m_arrUser.GetSize()) {
        MessageBox(kNoUserChosenText);
        return;
    }
    UpdateData(FALSE);
    CDialogEx::OnOK();
}

void CDlgAddDev::OnBnClickedCancel()
{
    CDialogEx::OnCancel();
}
