#include "console/QuorvaneDlg.h"

#include "console/DlgAddDev.h"
#include "console/OperatorTexts.h"
#include "registry/Account.h"
#include "registry/UserListLock.h"

// Each command changes the user list under the lock that keeps the polling worker's reads
// apart, then shows the change and rewrites the account file. The list is only ever changed
// on this (the UI) thread, so reading it here needs no lock.

void CQuorvaneDlg::OnBnClickedAddDevice()
{
    CDlgAddDev dlg;
    dlg.m_nUser = m_combo.GetCurSel();
    for (INT_PTR i = 0; i < g_arrDevGroup.GetSize(); ++i)
        dlg.m_arrUser.Add(g_arrDevGroup[i].strName);
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_nUser < 0 || dlg.m_nUser >= dlg.m_arrUser.GetSize())
        return;

    DEVICE device;
    device.strId = dlg.m_strId;
    device.strApiKey = dlg.m_strApiKey;
    device.strDeviceId = dlg.m_strDeviceId;
    device.strName = dlg.m_strName;
    device.strAddress = dlg.m_strAddress;
    device.strNumber = dlg.m_strNumber;
    {
        CUserListLock lock;
        // The names added in the dialog follow the account's users there, in the same order.
        for (INT_PTR k = g_arrDevGroup.GetSize(); k < dlg.m_arrUser.GetSize(); ++k) {
            DEVGROUP group;
            group.strName = dlg.m_arrUser[k];
            g_arrDevGroup.Add(group);
        }
        g_arrDevGroup[dlg.m_nUser].arrDevice.Add(device);
    }
    RefreshUserCombo(dlg.m_nUser);
    SaveConfigFile(g_strAccount);
}

void CQuorvaneDlg::OnDeleteDevice()
{
    int nUser = -1, nRow = -1;
    if (!GetSelectedDevice(nUser, nRow))
        return;

    CString strPrompt;
    strPrompt.Format(kDeleteDevicePromptFormat, g_arrDevGroup[nUser].arrDevice[nRow].strName.GetString());
    if (MessageBox(strPrompt, kPromptCaption, MB_YESNO) != IDYES)
        return;
    {
        CUserListLock lock;
        g_arrDevGroup[nUser].arrDevice.RemoveAt(nRow);
    }
    RefreshUserCombo(nUser);
    SaveConfigFile(g_strAccount);
}

void CQuorvaneDlg::OnBnClickedDeleteUser()
{
    const int nUser = m_combo.GetCurSel();
    if (nUser < 0 || nUser >= g_arrDevGroup.GetSize())
        return;

    CString strPrompt;
    strPrompt.Format(kDeleteUserPromptFormat, g_arrDevGroup[nUser].strName.GetString());
    if (MessageBox(strPrompt, kPromptCaption, MB_YESNO) != IDYES)
        return;
    {
        CUserListLock lock;
        g_arrDevGroup.RemoveAt(nUser);
    }
    // The user that moved up into the index is shown; after the last one there is none.
    RefreshUserCombo(nUser);
    SaveConfigFile(g_strAccount);
}
