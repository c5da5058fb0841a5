#pragma once

#include "platform/core/WindowMessages.h"
#include "platform/ui/ResourceFormats.h"

#include <QDialog>
#include <QIcon>
#include <utility>
#include <vector>

class CDialog;
class QToolButton;

// The widget of a running dialog: the controls of its template, and the window's own
// behaviour routed into the dialog's messages (close box, painting, system menu).
class CDialogHost : public QDialog
{
public:
    CDialogHost(CDialog* pDlg, const AFX_DLGTEMPLATE& dlgTemplate, QWidget* pOwner);

    // The object name of the button that opens the system menu, among the window's children.
    static constexpr char kSystemMenuButtonName[] = "afxSystemMenuButton";

    static CDialogHost* FromWidget(QWidget* pWidget);
    CDialog* Dialog() const { return m_pDlg; }
    QWidget* FindControl(int nID) const;
    static int ControlID(const QWidget* pWidget);
    int DefaultButtonID() const { return m_nDefaultID; }
    // Once the dialog has filled its system menu: a menu that holds more than Close gets a
    // button of its own.
    void OfferSystemMenu();
    void ShowSystemMenu(const QPoint& globalPos);
    void SetSmallIcon(const QIcon& icon);
    // Keyboard focus to the first control that Tab stops at, in template order.
    void FocusFirstTabStop();
    bool IsPainting() const { return m_bPainting; }

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void PlaceOnScreen(const AFX_DLGTEMPLATE& dlgTemplate, const QSize& baseUnits, QWidget* pOwner);
    void AddControl(const AFX_DLGITEM& item, const QSize& baseUnits);
    QWidget* CreateControl(const AFX_DLGITEM& item);
    void ShowSmallIcon();

    CDialog* m_pDlg;
    std::vector<std::pair<int, QWidget*>> m_controls;
    int m_nDefaultID = IDOK;
    QToolButton* m_pSystemMenuButton = nullptr;
    QIcon m_smallIcon;
    bool m_bPainting = false;
};
