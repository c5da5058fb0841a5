#pragma once

#include "platform/core/WinApp.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogHost.h"
#include "resources/ResourceIds.h"
#include "tests/support/ModalScript.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <ostream>

// The windows' titles, as their templates give them.
inline QString MainTitle()
{
    return DialogCaption(IDD_QUORVANE_DIALOG);
}
inline QString LoginTitle()
{
    return DialogCaption(IDD_DLG_INPUTPWD);
}
inline QString NewAccountTitle()
{
    return DialogCaption(IDD_DLG_NEWACCOUNT);
}
inline QString AddDeviceTitle()
{
    return DialogCaption(IDD_DLG_ADDDEV);
}
inline QString AddUserTitle()
{
    return DialogCaption(IDD_DLG_ADDGROUP);
}
// The buttons of the message boxes.
inline const char* const kOk = "确定";
inline const char* const kYes = "是(&Y)";
inline const char* const kNo = "否(&N)";

// Readable failure messages for Qt's texts.
inline void PrintTo(const QString& text, std::ostream* pStream)
{
    *pStream << '"' << text.toStdString() << '"';
}

// A message box as CModalScript records it: "caption|text". Without a caption of its own a
// box carries the application's name.
inline QString Box(const wchar_t* pszText, const wchar_t* pszCaption = nullptr)
{
    const wchar_t* pszShownCaption = pszCaption ? pszCaption : AfxGetApp()->m_pszAppName;
    return QString::fromWCharArray(pszShownCaption) + QLatin1Char('|') + QString::fromWCharArray(pszText);
}

inline QStringList BoxItems(QWidget* pDialog, int nID)
{
    QStringList items;
    if (auto* pBox = Control<QComboBox>(pDialog, nID)) {
        for (int i = 0; i < pBox->count(); ++i)
            items << pBox->itemText(i);
    }
    return items;
}

inline int BoxSelection(QWidget* pDialog, int nID)
{
    auto* pBox = Control<QComboBox>(pDialog, nID);
    return pBox ? pBox->currentIndex() : -2;
}

// Chooses an item of a drop-down box with the keyboard, as the operator would.
inline void ChooseInBox(QWidget* pDialog, int nID, int nIndex)
{
    auto* pBox = Control<QComboBox>(pDialog, nID);
    QTest::keyClick(pBox, Qt::Key_Home);
    for (int i = 0; i < nIndex; ++i)
        QTest::keyClick(pBox, Qt::Key_Down);
}

inline QString EditText(QWidget* pDialog, int nID)
{
    auto* pEdit = Control<QLineEdit>(pDialog, nID);
    return pEdit ? pEdit->text() : QStringLiteral("<no edit>");
}

// Pastes text over the whole of an edit's text with Ctrl+V, as the operator would.
inline void PasteInto(QWidget* pDialog, int nID, const QString& text)
{
    auto* pEdit = Control<QLineEdit>(pDialog, nID);
    QGuiApplication::clipboard()->setText(text);
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
}

// Sets an edit's text through the window layer, as a dialog's own code does.
inline void SetEditText(QWidget* pDialog, int nID, const wchar_t* pszText)
{
    CDialogHost::FromWidget(pDialog)->Dialog()->GetDlgItem(nID)->SetWindowText(pszText);
}

// Presses a key with the focus on that control.
inline void PressKey(QWidget* pDialog, int nID, Qt::Key key)
{
    QWidget* pControl = FindControl(pDialog, nID);
    pControl->setFocus();
    QTest::keyClick(pControl, key);
}

// Queues "添加用户" in the add-device dialog, the name typed and OK.
inline void AddUserInDialog(CModalScript& script, const QString& name)
{
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    script.OnWindow(AddUserTitle(), [name](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_USER_NAME, name);
        Click(pDialog, IDOK);
    });
}
