#pragma once

// Ids of the console's resources and of the controls and commands in them.

constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDS_ABOUTBOX = 101;
constexpr unsigned IDD_QUORVANE_DIALOG = 102;
constexpr unsigned IDR_MAINFRAME = 128;
constexpr unsigned IDD_DLG_ADDDEV = 130;
constexpr unsigned IDD_DLG_ADDGROUP = 132;
constexpr unsigned IDR_MENU_DEVICE = 134;
constexpr unsigned IDD_DLG_INPUTPWD = 135;
constexpr unsigned IDD_DLG_NEWACCOUNT = 137;

// The About item of the main window's system menu.
constexpr unsigned IDM_ABOUTBOX = 0x0010;

constexpr int IDC_COMBO_USER = 1000;
constexpr int IDC_LIST_DEVICE = 1001;
constexpr int IDC_BTN_ADD_DEVICE = 1002;
constexpr int IDC_BTN_DELETE_USER = 1003;
constexpr int IDC_EDIT_DEVICE_ID = 1004;
constexpr int IDC_EDIT_API_KEY = 1005;
constexpr int IDC_EDIT_PLATFORM_ID = 1006;
constexpr int IDC_EDIT_DEVICE_NAME = 1007;
constexpr int IDC_EDIT_ADDRESS = 1008;
constexpr int IDC_EDIT_NUMBER = 1009;
constexpr int IDC_BTN_ADD_USER = 1010;
constexpr int IDC_COMBO_ADDDEV_USER = 1011;
constexpr int IDC_EDIT_USER_NAME = 1011;
constexpr int IDC_EDIT_ACCOUNT = 1012;
constexpr int IDC_EDIT_PASSWORD = 1013;
constexpr int IDC_BTN_NEW_ACCOUNT = 1014;
constexpr int IDC_EDIT_NEW_ACCOUNT = 1015;
constexpr int IDC_EDIT_NEW_PASSWORD = 1016;
constexpr int IDC_EDIT_NEW_PASSWORD2 = 1017;

constexpr unsigned ID_DELETE_DEVICE = 32772;
constexpr unsigned ID_SWITCH_ON = 32774;
constexpr unsigned ID_SWITCH_OFF = 32775;
