#include "platform/ui/Controls.h"

#include "platform/ui/QtText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

namespace {

QTableWidget* Table(QWidget* pWidget)
{
    return qobject_cast<QTableWidget*>(pWidget);
}

QComboBox* Combo(QWidget* pWidget)
{
    return qobject_cast<QComboBox*>(pWidget);
}

QTableWidgetItem* NewCell(LPCTSTR lpszText)
{
    auto* pCell = new QTableWidgetItem(AfxToQString(lpszText));
    pCell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return pCell;
}

} // namespace

DWORD CListCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    const DWORD dwPrevious = m_dwExStyle;
    m_dwExStyle = dwExStyle;
    if (QTableWidget* pTable = Table(m_pWidget)) {
        pTable->setShowGrid(dwExStyle & LVS_EX_GRIDLINES);
        pTable->setSelectionBehavior((dwExStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                                        : QAbstractItemView::SelectItems);
    }
    return dwPrevious;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int, int nWidth)
{
    QTableWidget* pTable = Table(m_pWidget);
    if (!pTable || nCol < 0)
        return -1;
    nCol = std::min(nCol, pTable->columnCount());
    pTable->insertColumn(nCol);
    pTable->setHorizontalHeaderItem(nCol, new QTableWidgetItem(AfxToQString(lpszColumnHeading)));
    if (nWidth >= 0)
        pTable->setColumnWidth(nCol, nWidth);
    return nCol;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    QTableWidget* pTable = Table(m_pWidget);
    if (!pTable || nItem < 0)
        return -1;
    nItem = std::min(nItem, pTable->rowCount());
    pTable->insertRow(nItem);
    for (int nCol = 0; nCol < pTable->columnCount(); ++nCol)
        pTable->setItem(nItem, nCol, NewCell(nCol == 0 ? lpszItem : L""));
    return nItem;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    QTableWidget* pTable = Table(m_pWidget);
    if (!pTable || nItem < 0 || nItem >= pTable->rowCount() || nSubItem < 0 || nSubItem >= pTable->columnCount())
        return FALSE;
    pTable->item(nItem, nSubItem)->setText(AfxToQString(lpszText));
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    QTableWidget* pTable = Table(m_pWidget);
    if (!pTable)
        return FALSE;
    pTable->setRowCount(0);
    return TRUE;
}

int CListCtrl::GetNextItem(int nItem, UINT nFlags) const
{
    const QTableWidget* pTable = Table(m_pWidget);
    if (!pTable || !(nFlags & LVNI_SELECTED))
        return -1;
    for (int nRow = nItem + 1; nRow < pTable->rowCount(); ++nRow) {
        if (pTable->selectionModel()->rowIntersectsSelection(nRow, QModelIndex()))
            return nRow;
    }
    return -1;
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    QComboBox* pCombo = Combo(m_pWidget);
    if (!pCombo)
        return CB_ERR;
    // Qt selects the first item put into an empty box; Windows leaves the box unselected.
    const int nSelected = pCombo->currentIndex();
    pCombo->addItem(AfxToQString(lpszString));
    pCombo->setCurrentIndex(nSelected);
    return pCombo->count() - 1;
}

int CComboBox::DeleteString(UINT nIndex)
{
    QComboBox* pCombo = Combo(m_pWidget);
    if (!pCombo || nIndex >= static_cast<UINT>(pCombo->count()))
        return CB_ERR;
    const int nSelected = pCombo->currentIndex();
    pCombo->removeItem(static_cast<int>(nIndex));
    if (nSelected == static_cast<int>(nIndex))
        pCombo->setCurrentIndex(-1);
    return pCombo->count();
}

int CComboBox::GetCount() const
{
    const QComboBox* pCombo = Combo(m_pWidget);
    return pCombo ? pCombo->count() : 0;
}

int CComboBox::GetCurSel() const
{
    const QComboBox* pCombo = Combo(m_pWidget);
    return pCombo ? pCombo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int nSelect)
{
    QComboBox* pCombo = Combo(m_pWidget);
    if (!pCombo)
        return CB_ERR;
    if (nSelect < 0 || nSelect >= pCombo->count()) {
        pCombo->setCurrentIndex(-1);
        return CB_ERR;
    }
    pCombo->setCurrentIndex(nSelect);
    return nSelect;
}
