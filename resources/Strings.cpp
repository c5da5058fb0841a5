#include "resources/ConsoleResources.h"

#include "resources/ResourceIds.h"

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

LPCTSTR FindConsoleString(UINT nID)
{
    const StringResource* pString = AfxFindInTable(kStrings, nID);
    return pString ? pString->lpszText : nullptr;
}
