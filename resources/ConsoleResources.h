#pragma once

#include "platform/ui/ResourceFormats.h"

// The console's resource module, one file of this folder for each kind of resource. The
// application installs it at start-up.
const AFX_DLGTEMPLATE* FindConsoleDialogTemplate(UINT nID);
const AFX_MENU* FindConsoleMenu(UINT nID);
LPCTSTR FindConsoleString(UINT nID);
const AFX_ICON* FindConsoleIcon(UINT nID);

inline constexpr AFX_RESOURCE_MODULE kConsoleResources = {
    &FindConsoleDialogTemplate,
    &FindConsoleMenu,
    &FindConsoleString,
    &FindConsoleIcon,
};
