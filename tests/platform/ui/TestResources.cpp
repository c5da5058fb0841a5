#include "TestResources.h"

#include "platform/core/WindowMessages.h"
#include "platform/ui/ResourceFormats.h"

namespace {

using enum AfxControlClass;

const AFX_DLGITEM kItems[] = {
    {Button, IDOK, L"确定", 10, 80, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {Button, IDCANCEL, L"取消", 70, 80, 50, 14, WS_TABSTOP},
    {Edit, IDC_TEST_EDIT, nullptr, 10, 10, 100, 14, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
    {Edit, IDC_TEST_PASSWORD, nullptr, 10, 30, 100, 14, WS_BORDER | ES_PASSWORD | WS_TABSTOP},
    {ComboBox, IDC_TEST_COMBO, nullptr, 120, 10, 60, 80, CBS_DROPDOWNLIST | WS_TABSTOP},
    {ListView, IDC_TEST_LIST, nullptr, 120, 30, 100, 40, LVS_REPORT | WS_BORDER | WS_TABSTOP},
    {Button, IDC_TEST_ACTION, L"动作", 130, 80, 50, 14, WS_TABSTOP},
    {Static, -1, nullptr, 190, 10, 21, 20, SS_ICON, IDI_TEST},
};

const AFX_DLGTEMPLATE kDialogs[] = {
    {IDD_TEST, L"测试对话框", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT, 0, 0, 0, 230, 100,
     L"MS Shell Dlg", 8, 400, 1, kItems, 8},
    {IDD_TEST_NO_SYSMENU, L"无系统菜单", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SHELLFONT, 0, 0, 0, 230, 100,
     L"微软雅黑", 22, 400, 134, kItems, 8},
};

const AFX_MENUITEM kPopupItems[] = {
    {MF_STRING, ID_TEST_FIRST, L"甲"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_TEST_SECOND, L"乙"},
};
const AFX_MENUITEM kBar[] = {{MF_POPUP, 0, L"弹出", kPopupItems, 3}};
const AFX_MENU kMenu = {IDR_TEST_MENU, kBar, 1};

const AFX_ICONCOLOR kPalette[] = {{'r', 0xFFFF0000}, {'.', 0x00000000}};
const char* const kRows[] = {"r.", ".r"};
const AFX_ICON kIcon = {IDI_TEST, 2, kPalette, 2, kRows};

const AFX_DLGTEMPLATE* FindDialogTemplate(UINT nID)
{
    return AfxFindInTable(kDialogs, nID);
}

const AFX_MENU* FindMenu(UINT nID)
{
    return nID == IDR_TEST_MENU ? &kMenu : nullptr;
}

LPCTSTR FindString(UINT nID)
{
    return nID == IDS_TEST ? L"测试字符串" : nullptr;
}

const AFX_ICON* FindIcon(UINT nID)
{
    return nID == IDI_TEST ? &kIcon : nullptr;
}

} // namespace

const AFX_RESOURCE_MODULE kTestResources = {&FindDialogTemplate, &FindMenu, &FindString, &FindIcon};
