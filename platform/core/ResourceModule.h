#pragma once

#include "platform/core/Types.h"

// A program's resources reach the layers through a resource module: the library that holds
// them hands down its look-ups, and the application installs them at start-up. The window
// layer defines the shapes of dialog templates, menus and icons.
struct AFX_DLGTEMPLATE;
struct AFX_MENU;
struct AFX_ICON;

// The look-ups of one program's resources; each returns null when there is no resource of
// that id.
struct AFX_RESOURCE_MODULE
{
    const AFX_DLGTEMPLATE* (*pfnFindDialogTemplate)(UINT nID);
    const AFX_MENU* (*pfnFindMenu)(UINT nID);
    LPCTSTR (*pfnFindString)(UINT nID);
    const AFX_ICON* (*pfnFindIcon)(UINT nID);
};

// The module that the look-ups below search from now on; it must outlive every look-up.
void AfxSetResourceModule(const AFX_RESOURCE_MODULE* pModule);

// Null when the installed module has no resource of that id, or none is installed.
const AFX_DLGTEMPLATE* AfxFindDialogTemplate(UINT nID);
const AFX_MENU* AfxFindMenu(UINT nID);
LPCTSTR AfxFindString(UINT nID);
const AFX_ICON* AfxFindIcon(UINT nID);
