#include "platform/ui/DialogHost.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Icon.h"
#include "platform/ui/MenuRunner.h"
#include "platform/ui/QtText.h"
#include "platform/ui/SingleLineEdit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

const char* const kControlIdProperty = "afxControlId";

Qt::WindowFlags WindowFlagsFor(DWORD dwStyle)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dwStyle & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((dwStyle & WS_SYSMENU) && (dwStyle & WS_MINIMIZEBOX) && (dwStyle & WS_CAPTION))
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace

CDialogHost::CDialogHost(CDialog* pDlg, const AFX_DLGTEMPLATE& dlgTemplate, QWidget* pOwner)
    : QDialog(pOwner, WindowFlagsFor(dlgTemplate.dwStyle)), m_pDlg(pDlg)
{
    setWindowTitle(AfxToQString(dlgTemplate.lpszCaption));
    setFont(AfxDialogFont(dlgTemplate));
    const QSize baseUnits = AfxDialogBaseUnits(font());
    setFixedSize(AfxMapDialogRect(0, 0, dlgTemplate.cx, dlgTemplate.cy, baseUnits).size());
    // A dialog stands where its template puts it, from the top left of its owner's client area
    // or of the screen when it has none; none of the console's templates asks to be centred.
    const QPoint origin = pOwner ? pOwner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    move(origin + AfxMapDialogRect(dlgTemplate.x, dlgTemplate.y, 0, 0, baseUnits).topLeft());

    QWidget* pPreviousTabStop = nullptr;
    for (int i = 0; i < dlgTemplate.nItems; ++i) {
        const AFX_DLGITEM& item = dlgTemplate.pItems[i];
        AddControl(item, baseUnits);
        QWidget* pControl = m_controls.back().second;
        if (item.dwStyle & WS_TABSTOP) {
            if (pPreviousTabStop)
                setTabOrder(pPreviousTabStop, pControl);
            pPreviousTabStop = pControl;
        }
    }
    if (dlgTemplate.dwStyle & WS_SYSMENU)
        AddSystemMenuButton();
}

CDialogHost* CDialogHost::FromWidget(QWidget* pWidget)
{
    return pWidget ? dynamic_cast<CDialogHost*>(pWidget->window()) : nullptr;
}

QWidget* CDialogHost::FindControl(int nID) const
{
    for (const auto& [id, pWidget] : m_controls) {
        if (id == nID)
            return pWidget;
    }
    return nullptr;
}

int CDialogHost::ControlID(const QWidget* pWidget)
{
    const QVariant id = pWidget ? pWidget->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : 0;
}

void CDialogHost::AddControl(const AFX_DLGITEM& item, const QSize& baseUnits)
{
    QWidget* pControl = CreateControl(item);
    pControl->setProperty(kControlIdProperty, item.nID);
    pControl->setGeometry(AfxMapDialogRect(item.x, item.y, item.cx, item.cy, baseUnits));
    if (item.nClass == AfxControlClass::ComboBox)
        pControl->resize(pControl->width(), pControl->sizeHint().height());
    if (item.nClass != AfxControlClass::Static)
        pControl->setFocusPolicy((item.dwStyle & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    m_controls.emplace_back(item.nID, pControl);
}

QWidget* CDialogHost::CreateControl(const AFX_DLGITEM& item)
{
    const int nID = item.nID;
    CDialog* pDlg = m_pDlg;
    switch (item.nClass) {
    case AfxControlClass::Button: {
        auto* pButton = new QPushButton(AfxToQString(item.lpszText), this);
        pButton->setAutoDefault(false);
        if (item.dwStyle & BS_DEFPUSHBUTTON) {
            pButton->setDefault(true);
            m_nDefaultID = nID;
        }
        connect(pButton, &QPushButton::clicked, this, [pDlg, nID, pButton] {
            AfxCallWndProc(pDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton));
        });
        return pButton;
    }
    case AfxControlClass::Edit: {
        auto* pEdit = new CSingleLineEdit(this);
        pEdit->setFrame((item.dwStyle & WS_BORDER) != 0);
        if (item.dwStyle & ES_PASSWORD)
            pEdit->setEchoMode(QLineEdit::Password);
        return pEdit;
    }
    case AfxControlClass::Static: {
        auto* pLabel = new QLabel(this);
        if ((item.dwStyle & 0x1F) == SS_ICON) {
            pLabel->setPixmap(AfxIconPixmap(item.nIconID));
        } else {
            pLabel->setText(AfxToQString(item.lpszText));
            pLabel->setTextFormat(Qt::PlainText);
            pLabel->setWordWrap(true);
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        return pLabel;
    }
    case AfxControlClass::ComboBox: {
        auto* pCombo = new QComboBox(this);
        connect(pCombo, &QComboBox::activated, this, [pDlg, nID, pCombo] {
            AfxCallWndProc(pDlg, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo));
        });
        return pCombo;
    }
    case AfxControlClass::ListView: {
        auto* pList = new QTableWidget(this);
        pList->verticalHeader()->hide();
        pList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        pList->horizontalHeader()->setHighlightSections(false);
        pList->verticalHeader()->setDefaultSectionSize(pList->fontMetrics().height() + 4);
        pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
        pList->setSelectionBehavior(QAbstractItemView::SelectRows);
        pList->setSelectionMode((item.dwStyle & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                               : QAbstractItemView::ExtendedSelection);
        pList->setShowGrid(false);
        pList->setWordWrap(false);
        pList->setFrameShape((item.dwStyle & WS_BORDER) ? QFrame::Box : QFrame::NoFrame);
        pList->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pList, &QTableWidget::customContextMenuRequested, this, [pDlg, nID, pList] {
            NMHDR header{reinterpret_cast<HWND>(pList), static_cast<UINT_PTR>(nID), NM_RCLICK};
            AfxCallWndProc(pDlg, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(&header));
        });
        return pList;
    }
    }
    return new QWidget(this);
}

// Linux leaves the system menu to the window manager, which offers no way to add items, so
// the dialog shows its own behind a small button in its top left corner (and Alt+Space).
void CDialogHost::AddSystemMenuButton()
{
    m_pSystemMenuButton = new QToolButton(this);
    m_pSystemMenuButton->setObjectName(QStringLiteral("afxSystemMenuButton"));
    m_pSystemMenuButton->setAutoRaise(true);
    m_pSystemMenuButton->setFocusPolicy(Qt::NoFocus);
    m_pSystemMenuButton->setText(QStringLiteral("\u2261"));
    m_pSystemMenuButton->setGeometry(1, 1, 16, 16);
    m_pSystemMenuButton->setIconSize(QSize(14, 14));
    connect(m_pSystemMenuButton, &QToolButton::clicked, this, [this] {
        ShowSystemMenu(m_pSystemMenuButton->mapToGlobal(QPoint(0, m_pSystemMenuButton->height())));
    });
}

void CDialogHost::FocusFirstTabStop()
{
    for (const auto& [id, pWidget] : m_controls) {
        if (pWidget->focusPolicy() == Qt::StrongFocus && pWidget->isEnabled()) {
            pWidget->setFocus();
            return;
        }
    }
}

void CDialogHost::SetSmallIcon(const QIcon& icon)
{
    if (m_pSystemMenuButton)
        m_pSystemMenuButton->setIcon(icon);
}

void CDialogHost::ShowSystemMenu(const QPoint& globalPos)
{
    CMenu* pMenu = m_pDlg->GetSystemMenu(FALSE);
    if (!pMenu)
        return;
    const UINT nID = AfxRunMenu(*pMenu, globalPos, this);
    if (!nID)
        return;
    // Like a chosen menu item on Windows, the command arrives once the menu has closed.
    QPointer<CDialogHost> pSelf(this);
    QTimer::singleShot(0, this, [pSelf, nID] {
        if (pSelf)
            AfxCallWndProc(pSelf->m_pDlg, WM_SYSCOMMAND, nID, 0);
    });
}

void CDialogHost::closeEvent(QCloseEvent* pEvent)
{
    // The close box is a system command; the dialog decides whether and how it ends.
    pEvent->ignore();
    AfxCallWndProc(m_pDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CDialogHost::paintEvent(QPaintEvent*)
{
    m_bPainting = true;
    AfxCallWndProc(m_pDlg, WM_PAINT, 0, 0);
    m_bPainting = false;
}

void CDialogHost::keyPressEvent(QKeyEvent* pEvent)
{
    // Enter and Esc belong to the dialog's own key handling (CDialog::PreTranslateMessage),
    // not to Qt's, which would end the dialog behind the dialog's back.
    QWidget::keyPressEvent(pEvent);
}
