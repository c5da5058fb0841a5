#include "resources/ConsoleResources.h"

#include "resources/ResourceIds.h"

namespace {

const AFX_MENUITEM kDeviceListItems[] = {
    {MF_STRING, ID_SWITCH_ON, L"导通"},
    {MF_STRING, ID_SWITCH_OFF, L"断开"},
    {MF_STRING, ID_DELETE_DEVICE, L"删除"},
};

const AFX_MENUITEM kDeviceMenuBar[] = {
    {MF_POPUP, 0, L"设备列表", kDeviceListItems, 3},
};

const AFX_MENU kMenus[] = {
    {IDR_MENU_DEVICE, kDeviceMenuBar, 1},
};

} // namespace

const AFX_MENU* FindConsoleMenu(UINT nID)
{
    return AfxFindInTable(kMenus, nID);
}
