#pragma once

#include "platform/core/String.h"
#include "platform/ui/ResourceFormats.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_LEFTBUTTON = 0x0000;

// A menu: command items, separators and popups, loaded from a menu resource or built.
class CMenu
{
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT nIDResource);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    // The popup at that position, owned by this menu; null when the item is no popup.
    CMenu* GetSubMenu(int nPos) const;
    UINT GetMenuItemCount() const { return static_cast<UINT>(m_items.size()); }
    // Shows the menu at a screen position until the operator chooses or dismisses it. A
    // chosen item reaches pWnd as WM_COMMAND once the menu has closed.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL DestroyMenu();

private:
    struct Item
    {
        UINT nFlags;
        UINT nID;
        CString strText;
        std::unique_ptr<CMenu> pPopup;
    };
    void AddItems(const AFX_MENUITEM* pItems, int nItems);

    friend class CMenuRunner;
    std::vector<Item> m_items;
};
