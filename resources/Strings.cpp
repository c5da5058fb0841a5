#include "platform/core/Resources.h"

#include "resources/Resource.h"

namespace {

struct StringResource
{
    UINT nID;
    LPCTSTR lpszText;
};

const StringResource kStrings[] = {
    {IDS_ABOUTBOX, L"关于 Quorvane(&A)..."},
};

} // namespace

LPCTSTR AfxFindString(UINT nID)
{
    const StringResource* pString = AfxFindInTable(kStrings, nID);
    return pString ? pString->lpszText : nullptr;
}
