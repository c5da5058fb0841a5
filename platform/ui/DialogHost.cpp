#include "platform/ui/DialogHost.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Icon.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuRunner.h"
#include "platform/ui/QtText.h"
#include "platform/ui/SingleLineEdit.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>

namespace {

const char* const kControlIdProperty = "afxControlId";

// The small icon's size on Windows, on a button large enough to hit.
constexpr int kSmallIconSize = 16;
const QRect kSystemMenuButtonRect(2, 2, 24, 24);

Qt::WindowFlags WindowFlagsFor(DWORD dwStyle)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dwStyle & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((dwStyle & WS_SYSMENU) && (dwStyle & WS_MINIMIZEBOX) && (dwStyle & WS_CAPTION))
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

// A drop-down list whose dropped list is as tall as its template makes the box with it.
class CComboBoxWidget : public QComboBox
{
public:
    using QComboBox::QComboBox;
    void SetListHeight(int nHeight) { m_nListHeight = nHeight; }

    void showPopup() override
    {
        const int nRowHeight = view()->sizeHintForRow(0);
        if (nRowHeight > 0)
            setMaxVisibleItems(std::max(1, m_nListHeight / nRowHeight));
        QComboBox::showPopup();
    }

private:
    int m_nListHeight = 0;
};

// A list view tells its dialog of a right click (NM_RCLICK). The context-menu key is no
// click: its request goes on to the dialog, which has nothing for it.
class CListViewWidget : public QTableWidget
{
public:
    CListViewWidget(QWidget* pParent, std::function<void()> onRightClick)
        : QTableWidget(pParent), m_onRightClick(std::move(onRightClick))
    {}

protected:
    void contextMenuEvent(QContextMenuEvent* pEvent) override
    {
        if (pEvent->reason() != QContextMenuEvent::Mouse) {
            pEvent->ignore();
            return;
        }
        m_onRightClick();
    }

private:
    std::function<void()> m_onRightClick;
};

} // namespace

CDialogHost::CDialogHost(CDialog* pDlg, const AFX_DLGTEMPLATE& dlgTemplate, QWidget* pOwner)
    : QDialog(pOwner, WindowFlagsFor(dlgTemplate.dwStyle)), m_pDlg(pDlg)
{
    setWindowTitle(AfxToQString(dlgTemplate.lpszCaption));
    setFont(AfxDialogFont(dlgTemplate));
    const QSize baseUnits = AfxDialogBaseUnits(font());
    setFixedSize(AfxMapDialogRect(0, 0, dlgTemplate.cx, dlgTemplate.cy, baseUnits).size());
    PlaceOnScreen(dlgTemplate, baseUnits, pOwner);

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
}

// A dialog that is hidden when it is made and whose template stands at 0, 0 is centred over
// its owner when the owner is on the screen, else on the screen's work area. Any other stands
// where its template puts it, from the top left of its owner's client area or of the screen.
void CDialogHost::PlaceOnScreen(const AFX_DLGTEMPLATE& dlgTemplate, const QSize& baseUnits, QWidget* pOwner)
{
    if (!(dlgTemplate.dwStyle & WS_VISIBLE) && dlgTemplate.x == 0 && dlgTemplate.y == 0) {
        QWidget* pOwnerWindow = pOwner ? pOwner->window() : nullptr;
        const bool bOverOwner = pOwnerWindow && pOwnerWindow->isVisible() && !pOwnerWindow->isMinimized();
        const QScreen* pScreen = pOwnerWindow ? pOwnerWindow->screen() : QGuiApplication::primaryScreen();
        // The frame is not known before the window is shown; the client areas are centred.
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(bOverOwner ? pOwnerWindow->geometry().center() : pScreen->availableGeometry().center());
        setGeometry(placed);
        return;
    }
    const QPoint origin = pOwner ? pOwner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    move(origin + AfxMapDialogRect(dlgTemplate.x, dlgTemplate.y, 0, 0, baseUnits).topLeft());
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
    if (auto* pCombo = dynamic_cast<CComboBoxWidget*>(pControl)) {
        // The template's height is the box's with its dropped list.
        const int nTemplateHeight = pCombo->height();
        pCombo->resize(pCombo->width(), pCombo->sizeHint().height());
        pCombo->SetListHeight(nTemplateHeight - pCombo->height());
    }
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
        auto* pCombo = new CComboBoxWidget(this);
        connect(pCombo, &QComboBox::activated, this, [pDlg, nID, pCombo] {
            AfxCallWndProc(pDlg, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo));
        });
        return pCombo;
    }
    case AfxControlClass::ListView: {
        auto* pList = new CListViewWidget(this, [pDlg, nID, this] {
            QWidget* pControl = FindControl(nID);
            NMHDR header{reinterpret_cast<HWND>(pControl), static_cast<UINT_PTR>(nID), NM_RCLICK};
            AfxCallWndProc(pDlg, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(&header));
        });
        // One tab stop: Tab and Shift+Tab leave the list instead of moving from cell to cell.
        pList->setTabKeyNavigation(false);
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
        return pList;
    }
    }
    return new QWidget(this);
}

// Linux leaves the system menu to the window manager, which offers Close but no way to add
// items. A window whose system menu holds more gets a button for it in its top left corner,
// showing the window's small icon; Alt+Space opens the menu on every window.
void CDialogHost::OfferSystemMenu()
{
    const CMenu* pMenu = m_pDlg->GetSystemMenu(FALSE);
    if (m_pSystemMenuButton || !pMenu || pMenu->GetMenuItemCount() <= 1)
        return;
    m_pSystemMenuButton = new QToolButton(this);
    m_pSystemMenuButton->setObjectName(kSystemMenuButtonName);
    m_pSystemMenuButton->setAutoRaise(true);
    m_pSystemMenuButton->setFocusPolicy(Qt::NoFocus);
    m_pSystemMenuButton->setGeometry(kSystemMenuButtonRect);
    m_pSystemMenuButton->setIconSize(QSize(kSmallIconSize, kSmallIconSize));
    ShowSmallIcon();
    connect(m_pSystemMenuButton, &QToolButton::clicked, this,
            [this] { ShowSystemMenu(m_pSystemMenuButton->mapToGlobal(QPoint(0, m_pSystemMenuButton->height()))); });
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
    m_smallIcon = icon;
    ShowSmallIcon();
}

void CDialogHost::ShowSmallIcon()
{
    if (m_pSystemMenuButton)
        m_pSystemMenuButton->setIcon(m_smallIcon.isNull() ? style()->standardIcon(QStyle::SP_TitleBarMenuButton)
                                                          : m_smallIcon);
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
