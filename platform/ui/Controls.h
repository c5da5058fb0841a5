#pragma once

#include "platform/ui/Wnd.h"

constexpr int CB_ERR = -1;
constexpr int LVCFMT_LEFT = 0;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr DWORD LVS_EX_GRIDLINES = 0x01;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x40;

// A list view in report mode: rows of texts under column headings.
class CListCtrl : public CWnd
{
public:
    // Replaces the extended style with dwExStyle (a mask of 0 means every bit); returns the
    // previous one.
    DWORD SetExtendedStyle(DWORD dwExStyle);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    // Inserts a row at nItem (at the end when past it); returns its index, -1 on failure.
    int InsertItem(int nItem, LPCTSTR lpszItem);
    // FALSE, and nothing changed, for a row or column that does not exist.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL DeleteAllItems();
    // The first row after nItem (-1: from the top) that has the state, or -1.
    int GetNextItem(int nItem, UINT nFlags) const;

private:
    DWORD m_dwExStyle = 0;
};

// A drop-down list: the operator chooses one of its texts, or none is chosen (-1).
class CComboBox : public CWnd
{
public:
    int AddString(LPCTSTR lpszString);
    // Returns the number of items left, or CB_ERR when there is no such item.
    int DeleteString(UINT nIndex);
    int GetCount() const;
    int GetCurSel() const;
    // An index outside the items clears the selection and returns CB_ERR.
    int SetCurSel(int nSelect);
};
