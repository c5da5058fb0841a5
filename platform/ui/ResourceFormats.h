#pragma once

#include "platform/core/ResourceModule.h"

#include <cstddef>

// The shapes of the window layer's resources: dialog templates, menus and icons, as a resource
// module holds them.

// Window and control styles, with their Windows values.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_ALIGNLEFT = 0x0800;

enum class AfxControlClass { Button, Edit, Static, ComboBox, ListView };

// One control of a dialog template; position and size in dialog units. For an icon static,
// nIconID names the icon it shows.
struct AFX_DLGITEM
{
    AfxControlClass nClass;
    int nID;
    LPCTSTR lpszText;
    short x, y, cx, cy;
    DWORD dwStyle;
    UINT nIconID = 0;
};

struct AFX_DLGTEMPLATE
{
    UINT nID;
    LPCTSTR lpszCaption;
    DWORD dwStyle;
    DWORD dwExStyle;
    short x, y, cx, cy;
    LPCTSTR lpszFontName;
    int nPointSize;
    int nWeight;
    int nCharSet;
    const AFX_DLGITEM* pItems;
    int nItems;
};

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

// One item of a menu resource: a command (id and text), a separator, or a popup with items.
struct AFX_MENUITEM
{
    UINT nFlags;
    UINT nID;
    LPCTSTR lpszText;
    const AFX_MENUITEM* pItems = nullptr;
    int nItems = 0;
};

struct AFX_MENU
{
    UINT nID;
    const AFX_MENUITEM* pItems;
    int nItems;
};

// A square picture: nSize rows of nSize characters, each character a key of the palette
// (0xAARRGGBB per key).
struct AFX_ICONCOLOR
{
    char key;
    DWORD argb;
};

struct AFX_ICON
{
    UINT nID;
    int nSize;
    const AFX_ICONCOLOR* pPalette;
    int nColors;
    const char* const* pRows;
};

// The entry of a resource table with that id, or null.
template <class T, size_t N>
const T* AfxFindInTable(const T (&table)[N], UINT nID)
{
    for (const T& entry : table) {
        if (entry.nID == nID)
            return &entry;
    }
    return nullptr;
}
