#pragma once

#include "platform/core/CmdTarget.h"

// The framework's start-up steps. Where Linux has nothing to prepare they do only what
// still means something here, so that an application's start-up keeps its order of steps.

constexpr DWORD ICC_WIN95_CLASSES = 0xFF;
constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

struct INITCOMMONCONTROLSEX
{
    DWORD dwSize;
    DWORD dwICC;
};

// Makes sure the window system is up, so that the controls can be created.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* pInitCtrls);

// Linux has no ActiveX controls, so there is nothing for dialogs to host.
inline void AfxEnableControlContainer(void* pOccManager = nullptr)
{
    (void)pOccManager;
}

// The shell's folder and file views, which no dialog of this layer uses.
class CShellManager
{};

// Decides the look of every control.
class CMFCVisualManager : public CObject
{
    DECLARE_DYNAMIC(CMFCVisualManager)

public:
    static void SetDefaultManager(const CRuntimeClass* pRTI);
};

// The native look of Windows controls.
class CMFCVisualManagerWindows : public CMFCVisualManager
{
    DECLARE_DYNAMIC(CMFCVisualManagerWindows)
};

// Gives up the look set with SetDefaultManager; controls made later look as Qt's default.
void ControlBarCleanUp();
