#pragma once

#include "cloud/StatusPollTarget.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Thread.h"

#include <memory>

// The console's main window: the login on start, then the users of the account in a
// drop-down box and the chosen user's devices in a list.
class CQuorvaneDlg : public CDialogEx, public IStatusPollTarget
{
public:
    explicit CQuorvaneDlg(CWnd* pParent = nullptr);
    ~CQuorvaneDlg() override;

    // Refills the user box from the user list, selects user nUser (none when there is no
    // such user) and shows that user's devices.
    void RefreshUserCombo(int nUser);
    void ShowDevices(int nUser);

    // Rewrites the account's file from memory; tells the operator when that fails.
    void SaveConfigFile(CString strAccount);
    // Loads the account's file into memory; FALSE when the file exists but could not be
    // read, which leaves memory untouched.
    static BOOL LoadConfigFile(CString strAccount);

    int GetSelectedUser(unsigned& nFill) override;
    void SetStateCell(unsigned nFill, int nRow, int nCol, const CString& strText) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBnClickedAddDevice();
    void OnNMRClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteDevice();
    void OnSwitchOn();
    void OnSwitchOff();
    void OnBnClickedDeleteUser();
    // Closes (bOn) or opens the relay of the device of the first selected row.
    void SwitchRelay(BOOL bOn);
    // The device that a list command acts on: the first selected row of the list, as a device
    // of the user chosen in the box. FALSE when no row is selected or the two name no device.
    BOOL GetSelectedDevice(int& nUser, int& nRow) const;
    void OnCbnSelchangeUser();
    void OnDestroy();

    HICON m_hIcon;
    CListCtrl m_list;
    CComboBox m_combo;
    // Counts the device list's fills, so that the worker's late answers never land in a row
    // that has since been given to another device. Read and written on the UI thread only.
    unsigned m_nListFill = 0;
    // The status-polling worker, stopped and waited for before the window goes away.
    std::unique_ptr<CWinThread> m_pPollThread;

    DECLARE_MESSAGE_MAP()
};
