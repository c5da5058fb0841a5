#include "platform/core/Resources.h"
#include "platform/core/String.h"

// The string table is the program's resource module, found through the window layer like
// its dialogs and menus.
BOOL CString::LoadString(UINT nID)
{
    const LPCTSTR psz = AfxFindString(nID);
    if (!psz)
        return FALSE;
    *this = psz;
    return TRUE;
}
