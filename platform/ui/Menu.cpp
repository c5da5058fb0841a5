#include "platform/ui/MenuRunner.h"

#include "platform/ui/QtText.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>

class CMenuRunner
{
public:
    static void Fill(QMenu& qmenu, const CMenu& menu, UINT& chosen)
    {
        for (const CMenu::Item& item : menu.m_items) {
            if (item.nFlags & MF_SEPARATOR) {
                qmenu.addSeparator();
            } else if (item.pPopup) {
                Fill(*qmenu.addMenu(AfxToQString(item.strText)), *item.pPopup, chosen);
            } else {
                const UINT nID = item.nID;
                QObject::connect(qmenu.addAction(AfxToQString(item.strText)), &QAction::triggered,
                                 [&chosen, nID] { chosen = nID; });
            }
        }
    }
};

UINT AfxRunMenu(const CMenu& menu, const QPoint& globalPos, QWidget* pParent)
{
    UINT chosen = 0;
    QMenu qmenu(pParent);
    CMenuRunner::Fill(qmenu, menu, chosen);
    qmenu.exec(globalPos);
    return chosen;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const AFX_MENU* pResource = AfxFindMenu(nIDResource);
    if (!pResource)
        return FALSE;
    m_items.clear();
    AddItems(pResource->pItems, pResource->nItems);
    return TRUE;
}

void CMenu::AddItems(const AFX_MENUITEM* pItems, int nItems)
{
    for (int i = 0; i < nItems; ++i) {
        Item item{pItems[i].nFlags, pItems[i].nID, pItems[i].lpszText ? pItems[i].lpszText : L"", nullptr};
        if (pItems[i].nFlags & MF_POPUP) {
            item.pPopup = std::make_unique<CMenu>();
            item.pPopup->AddItems(pItems[i].pItems, pItems[i].nItems);
        }
        m_items.push_back(std::move(item));
    }
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    m_items.push_back(Item{nFlags, static_cast<UINT>(nIDNewItem), lpszNewItem ? lpszNewItem : L"", nullptr});
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[nPos].pPopup.get();
}

BOOL CMenu::TrackPopupMenu(UINT, int x, int y, CWnd* pWnd, LPCRECT)
{
    QPointer<QWidget> pOwner(pWnd ? pWnd->GetWidget() : nullptr);
    const UINT nID = AfxRunMenu(*this, QPoint(x, y), pOwner);
    if (nID && pOwner) {
        // Posted, as on Windows: the caller finishes (and may destroy the menu) first.
        QTimer::singleShot(0, pOwner, [pWnd, pOwner, nID] {
            if (pOwner && pWnd->GetWidget() == pOwner)
                AfxCallWndProc(pWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        });
    }
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    m_items.clear();
    return TRUE;
}
