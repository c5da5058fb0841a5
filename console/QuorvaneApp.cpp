#include "console/QuorvaneApp.h"

#include "console/QuorvaneDlg.h"
#include "platform/ui/Startup.h"
#include "resources/ConsoleResources.h"

BEGIN_MESSAGE_MAP(CQuorvaneApp, CWinAppEx)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuorvaneApp::CQuorvaneApp()
{
    AfxSetResourceModule(&kConsoleResources);
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CQuorvaneApp::InitInstance()
{
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();
    CShellManager* pShellManager = new CShellManager;
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));
    SetRegistryKey(_T("应用程序向导生成的本地应用程序"));

    CQuorvaneDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    delete pShellManager;
    ControlBarCleanUp();
    return FALSE;
}
