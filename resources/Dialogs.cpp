#include "resources/ConsoleResources.h"

#include "platform/core/WindowMessages.h"
#include "resources/ResourceIds.h"

#include <iterator>

namespace {

using enum AfxControlClass;

constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kPassword = kEdit | ES_PASSWORD;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;
constexpr int kChineseCharSet = 134;

const AFX_DLGITEM kAboutItems[] = {
    {Static, -1, nullptr, 14, 14, 21, 20, SS_ICON, IDR_MAINFRAME},
    {Static, -1, L"Quorvane，1.0 版", 42, 14, 114, 8, kLabel | SS_NOPREFIX},
    {Static, -1, L"云平台继电器控制台", 42, 26, 114, 8, kLabel},
    {Button, IDOK, L"确定", 113, 41, 50, 14, kDefButton | WS_GROUP},
};

const AFX_DLGITEM kMainItems[] = {
    {ComboBox, IDC_COMBO_USER, nullptr, 23, 7, 80, 210, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {ListView, IDC_LIST_DEVICE, nullptr, 7, 19, 356, 185, LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP},
    {Static, -1, L"用户", 7, 8, 15, 8, kLabel | WS_GROUP},
    {Button, IDC_BTN_ADD_DEVICE, L"添加设备", 328, 7, 35, 10, kButton},
    {Button, IDC_BTN_DELETE_USER, L"删除用户", 109, 7, 40, 10, kButton},
};

const AFX_DLGITEM kAddDeviceItems[] = {
    {Button, IDOK, L"确定", 198, 155, 50, 14, kDefButton},
    {Button, IDCANCEL, L"取消", 252, 155, 50, 14, kButton},
    {ComboBox, IDC_COMBO_ADDDEV_USER, nullptr, 83, 23, 143, 123, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {Edit, IDC_EDIT_DEVICE_ID, nullptr, 83, 41, 143, 12, kEdit},
    {Static, -1, L"用户", 62, 25, 17, 8, kLabel},
    {Static, -1, L"设备ID", 55, 43, 24, 8, kLabel},
    {Edit, IDC_EDIT_API_KEY, nullptr, 83, 57, 143, 12, kEdit},
    {Static, -1, L"API-KEY", 55, 59, 27, 8, kLabel},
    {Edit, IDC_EDIT_PLATFORM_ID, nullptr, 83, 73, 143, 12, kEdit},
    {Static, -1, L"DEVICE-ID", 48, 75, 35, 8, kLabel},
    {Edit, IDC_EDIT_DEVICE_NAME, nullptr, 83, 89, 143, 12, kEdit},
    {Static, -1, L"名称", 65, 91, 17, 8, kLabel},
    {Edit, IDC_EDIT_ADDRESS, nullptr, 83, 105, 143, 12, kEdit},
    {Static, -1, L"地址", 66, 107, 17, 8, kLabel},
    {Edit, IDC_EDIT_NUMBER, nullptr, 83, 121, 143, 12, kEdit},
    {Static, -1, L"编号", 66, 123, 17, 8, kLabel},
    {Button, IDC_BTN_ADD_USER, L"添加用户", 237, 22, 50, 14, kButton},
};

const AFX_DLGITEM kAddUserItems[] = {
    {Button, IDOK, L"确定", 198, 93, 50, 14, kDefButton},
    {Button, IDCANCEL, L"取消", 250, 93, 50, 14, kButton},
    {Edit, IDC_EDIT_USER_NAME, nullptr, 73, 44, 168, 14, kEdit},
    {Static, -1, L"用户名", 73, 32, 25, 8, kLabel},
};

const AFX_DLGITEM kLoginItems[] = {
    {Button, IDOK, L"确定", 80, 122, 50, 14, kDefButton},
    {Button, IDCANCEL, L"取消", 134, 122, 50, 14, kButton},
    {Edit, IDC_EDIT_ACCOUNT, nullptr, 80, 58, 158, 14, kEdit},
    {Static, -1, L"账号", 81, 47, 17, 8, kLabel},
    {Edit, IDC_EDIT_PASSWORD, nullptr, 80, 91, 158, 14, kPassword},
    {Static, -1, L"密码", 81, 80, 17, 8, kLabel},
    {Button, IDC_BTN_NEW_ACCOUNT, L"新建账号", 188, 122, 50, 14, kButton},
};

const AFX_DLGITEM kNewAccountItems[] = {
    {Button, IDOK, L"确定", 198, 155, 50, 14, kDefButton},
    {Button, IDCANCEL, L"取消", 252, 155, 50, 14, kButton},
    {Static, -1, L"用户名", 88, 34, 25, 8, kLabel},
    {Edit, IDC_EDIT_NEW_ACCOUNT, nullptr, 87, 45, 132, 14, kEdit},
    {Static, -1, L"密码", 87, 64, 17, 8, kLabel},
    {Edit, IDC_EDIT_NEW_PASSWORD, nullptr, 87, 76, 132, 14, kPassword},
    {Static, -1, L"再次输入密码", 88, 95, 49, 8, kLabel},
    {Edit, IDC_EDIT_NEW_PASSWORD2, nullptr, 87, 106, 132, 14, kPassword},
};

template <size_t N>
constexpr int Count(const AFX_DLGITEM (&)[N])
{
    return static_cast<int>(N);
}

const AFX_DLGTEMPLATE kDialogs[] = {
    {IDD_ABOUTBOX, L"关于 Quorvane", kModalStyle, 0, 0, 0, 170, 62, L"MS Shell Dlg", 9, 400, 1, kAboutItems,
     Count(kAboutItems)},
    {IDD_QUORVANE_DIALOG, L"Tesmir继电器控制",
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT, WS_EX_APPWINDOW, 0,
     0, 370, 211, L"微软雅黑", 22, 400, kChineseCharSet, kMainItems, Count(kMainItems)},
    {IDD_DLG_ADDDEV, L"添加设备", kModalStyle, 0, 0, 0, 309, 176, L"MS Shell Dlg", 8, 400, 1, kAddDeviceItems,
     Count(kAddDeviceItems)},
    {IDD_DLG_ADDGROUP, L"添加用户", kModalStyle, 0, 0, 0, 307, 114, L"MS Shell Dlg", 8, 400, 1, kAddUserItems,
     Count(kAddUserItems)},
    {IDD_DLG_INPUTPWD, L"输入账号密码", kModalStyle, 0, 0, 0, 309, 176, L"MS Shell Dlg", 8, 400, 1, kLoginItems,
     Count(kLoginItems)},
    {IDD_DLG_NEWACCOUNT, L"新建账号", kModalStyle, 0, 0, 0, 309, 176, L"MS Shell Dlg", 8, 400, 1, kNewAccountItems,
     Count(kNewAccountItems)},
};

} // namespace

const AFX_DLGTEMPLATE* FindConsoleDialogTemplate(UINT nID)
{
    return AfxFindInTable(kDialogs, nID);
}
