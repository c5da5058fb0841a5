#pragma once

#include "platform/core/Types.h"

// The main window's device list: its columns, in order, and the words of its two state
// columns. The window lays the list out from this; the status polling worker writes the
// platform's answers into it.

// Column 0 holds the device's id, the text of the row's item.
constexpr int DEVICE_COLUMN_NUMBER = 1;
constexpr int DEVICE_COLUMN_NAME = 2;
constexpr int DEVICE_COLUMN_ADDRESS = 3;
constexpr int DEVICE_COLUMN_ONLINE = 4;
constexpr int DEVICE_COLUMN_RELAY = 5;

struct DEVICE_LIST_COLUMN
{
    LPCTSTR lpszHeading;
    int nWidth;
};

// Indexed by the column numbers above.
constexpr DEVICE_LIST_COLUMN g_deviceListColumns[] = {
    {_T("设备ID"), 200}, {_T("编号"), 200}, {_T("名称"), 200}, {_T("地址"), 600}, {_T("在线"), 100}, {_T("开关"), 100},
};

// A state cell until the platform has answered for its device.
constexpr LPCTSTR UNKNOWN_STATE_TEXT = _T("?");
constexpr LPCTSTR ONLINE_TEXT = _T("在线");
constexpr LPCTSTR OFFLINE_TEXT = _T("离线");
constexpr LPCTSTR RELAY_CLOSED_TEXT = _T("通");
constexpr LPCTSTR RELAY_OPEN_TEXT = _T("断");
