#pragma once

#include "registry/Device.h"

class CQuorvaneDlg;

// The logged-in account, process-wide. The UI thread changes the user list only while it
// holds a CUserListLock, and the polling worker reads it only while it holds one.
extern CArray<DEVGROUP, DEVGROUP> g_arrDevGroup;
extern CString g_strAccount;
extern CString g_strPassword;
extern CQuorvaneDlg* g_pMainDlg;
