#include "TestDialog.h"

BEGIN_MESSAGE_MAP(CTestDlg, CDialogEx)
    ON_BN_CLICKED(IDC_TEST_ACTION, &CTestDlg::OnAction)
    ON_COMMAND(ID_TEST_FIRST, &CTestDlg::OnFirst)
    ON_COMMAND(ID_TEST_SECOND, &CTestDlg::OnSecond)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

void CTestDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEST_EDIT, m_strText);
    DDX_Text(pDX, IDC_TEST_PASSWORD, m_strPassword);
    DDX_Control(pDX, IDC_TEST_LIST, m_list);
    DDX_Control(pDX, IDC_TEST_COMBO, m_combo);
    DDX_CBIndex(pDX, IDC_TEST_COMBO, m_nChoice);
}

BOOL CTestDlg::OnInitDialog()
{
    const BOOL bFocus = CDialogEx::OnInitDialog();
    return onInit ? onInit(*this) : bFocus;
}

BOOL CTestDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
        keysSeen.push_back(static_cast<UINT>(pMsg->wParam));
    return CDialogEx::PreTranslateMessage(pMsg);
}

void CTestDlg::OnAction()
{
    commands.push_back(IDC_TEST_ACTION);
    if (onAction)
        onAction(*this);
}

void CTestDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    sysCommands.push_back(nID);
    CDialogEx::OnSysCommand(nID, lParam);
}
