#include "console/QuorvaneDlg.h"

#include "cloud/DeviceListLayout.h"
#include "cloud/StatusPollThread.h"
#include "console/AboutDlg.h"
#include "console/DlgInputPwd.h"
#include "console/OperatorTexts.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinAppEx.h"
#include "registry/Account.h"
#include "resources/ResourceIds.h"

CQuorvaneDlg::CQuorvaneDlg(CWnd* pParent) : CDialogEx(IDD_QUORVANE_DIALOG, pParent)
{
    m_hIcon = AfxGetAppEx()->LoadIcon(IDR_MAINFRAME);
}

CQuorvaneDlg::~CQuorvaneDlg() = default;

void CQuorvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_DEVICE, m_list);
    DDX_Control(pDX, IDC_COMBO_USER, m_combo);
}

BEGIN_MESSAGE_MAP(CQuorvaneDlg, CDialogEx)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BTN_ADD_DEVICE, &CQuorvaneDlg::OnBnClickedAddDevice)
    ON_NOTIFY(NM_RCLICK, IDC_LIST_DEVICE, &CQuorvaneDlg::OnNMRClickList)
    ON_COMMAND(ID_DELETE_DEVICE, &CQuorvaneDlg::OnDeleteDevice)
    ON_COMMAND(ID_SWITCH_ON, &CQuorvaneDlg::OnSwitchOn)
    ON_COMMAND(ID_SWITCH_OFF, &CQuorvaneDlg::OnSwitchOff)
    ON_BN_CLICKED(IDC_BTN_DELETE_USER, &CQuorvaneDlg::OnBnClickedDeleteUser)
    ON_CBN_SELCHANGE(IDC_COMBO_USER, &CQuorvaneDlg::OnCbnSelchangeUser)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CQuorvaneDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    for (int nCol = 0; nCol < static_cast<int>(std::size(g_deviceListColumns)); ++nCol)
        m_list.InsertColumn(nCol, g_deviceListColumns[nCol].lpszHeading, LVCFMT_LEFT, g_deviceListColumns[nCol].nWidth);

    CDlgInputPwd dlgLogin;
    if (dlgLogin.DoModal() != IDOK) {
        OnCancel();
        return FALSE;
    }
    g_strAccount = dlgLogin.m_strAccount;
    if (!LoadConfigFile(g_strAccount)) {
        MessageBox(kReadFailedText);
        OnCancel();
        return FALSE;
    }
    if (g_strPassword != dlgLogin.m_strPassword) {
        MessageBox(kWrongPasswordText);
        OnCancel();
        return FALSE;
    }

    RefreshUserCombo(0);
    g_pMainDlg = this;
    m_pPollThread.reset(AfxBeginThread(StatusPollThread, static_cast<IStatusPollTarget*>(this)));
    return TRUE;
}

void CQuorvaneDlg::RefreshUserCombo(int nUser)
{
    while (m_combo.GetCount() > 0)
        m_combo.DeleteString(0);
    for (int i = 0; i < g_arrDevGroup.GetSize(); ++i)
        m_combo.AddString(g_arrDevGroup[i].strName);
    m_combo.SetCurSel(nUser);
    ShowDevices(nUser);
}

void CQuorvaneDlg::ShowDevices(int nUser)
{
    m_list.DeleteAllItems();
    ++m_nListFill;
    if (nUser < 0 || nUser >= g_arrDevGroup.GetSize())
        return;
    const CArray<DEVICE, DEVICE>& arrDevice = g_arrDevGroup[nUser].arrDevice;
    for (int i = 0; i < arrDevice.GetSize(); ++i) {
        const DEVICE& device = arrDevice[i];
        m_list.InsertItem(i, device.strId);
        m_list.SetItemText(i, DEVICE_COLUMN_NUMBER, device.strNumber);
        m_list.SetItemText(i, DEVICE_COLUMN_NAME, device.strName);
        m_list.SetItemText(i, DEVICE_COLUMN_ADDRESS, device.strAddress);
        m_list.SetItemText(i, DEVICE_COLUMN_ONLINE, UNKNOWN_STATE_TEXT);
        m_list.SetItemText(i, DEVICE_COLUMN_RELAY, UNKNOWN_STATE_TEXT);
    }
}

BOOL CQuorvaneDlg::GetSelectedDevice(int& nUser, int& nRow) const
{
    nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return FALSE;
    nUser = m_combo.GetCurSel();
    return nUser >= 0 && nUser < g_arrDevGroup.GetSize() && nRow < g_arrDevGroup[nUser].arrDevice.GetSize();
}

// The list follows the box, so that a row always stands for a device of the chosen user.
void CQuorvaneDlg::OnCbnSelchangeUser()
{
    ShowDevices(m_combo.GetCurSel());
}

int CQuorvaneDlg::GetSelectedUser(unsigned& nFill)
{
    int nUser = -1;
    AfxCallOnUiThread([&] {
        nUser = m_combo.GetCurSel();
        nFill = m_nListFill;
    });
    return nUser;
}

void CQuorvaneDlg::SetStateCell(unsigned nFill, int nRow, int nCol, const CString& strText)
{
    AfxCallOnUiThread([&] {
        if (nFill == m_nListFill)
            m_list.SetItemText(nRow, nCol, strText);
    });
}

void CQuorvaneDlg::OnNMRClickList(NMHDR*, LRESULT* pResult)
{
    POINT point;
    GetCursorPos(&point);
    CMenu menu;
    menu.LoadMenu(IDR_MENU_DEVICE);
    CMenu* pPopup = menu.GetSubMenu(0);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, this);
    *pResult = 0;
    menu.DestroyMenu();
}

void CQuorvaneDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialogEx::OnSysCommand(nID, lParam);
    }
}

void CQuorvaneDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialogEx::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CQuorvaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

BOOL CQuorvaneDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
        return TRUE;
    return CDialogEx::PreTranslateMessage(pMsg);
}

void CQuorvaneDlg::OnDestroy()
{
    // The worker writes into this window's controls: it must be gone before they are.
    m_pPollThread.reset();
    CDialogEx::OnDestroy();
}
