#include "platform/core/ResourceModule.h"

namespace {
const AFX_RESOURCE_MODULE* g_pResourceModule = nullptr;
}

void AfxSetResourceModule(const AFX_RESOURCE_MODULE* pModule)
{
    g_pResourceModule = pModule;
}

const AFX_DLGTEMPLATE* AfxFindDialogTemplate(UINT nID)
{
    const AFX_RESOURCE_MODULE* pModule = g_pResourceModule;
    return pModule ? pModule->pfnFindDialogTemplate(nID) : nullptr;
}

const AFX_MENU* AfxFindMenu(UINT nID)
{
    const AFX_RESOURCE_MODULE* pModule = g_pResourceModule;
    return pModule ? pModule->pfnFindMenu(nID) : nullptr;
}

LPCTSTR AfxFindString(UINT nID)
{
    const AFX_RESOURCE_MODULE* pModule = g_pResourceModule;
    return pModule ? pModule->pfnFindString(nID) : nullptr;
}

const AFX_ICON* AfxFindIcon(UINT nID)
{
    const AFX_RESOURCE_MODULE* pModule = g_pResourceModule;
    return pModule ? pModule->pfnFindIcon(nID) : nullptr;
}
