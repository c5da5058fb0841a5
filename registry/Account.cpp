#include "registry/Account.h"

CArray<DEVGROUP, DEVGROUP> g_arrDevGroup;
CString g_strAccount;
CString g_strPassword;
CQuorvaneDlg* g_pMainDlg = nullptr;
