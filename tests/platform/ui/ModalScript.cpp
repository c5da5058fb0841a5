#include "ModalScript.h"

#include "platform/ui/UiApplication.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {
constexpr int kTimeLimitMs = 15000;
}

CModalScript::CModalScript() : m_nTimeLimitMs(kTimeLimitMs)
{
    AfxEnsureUiApplication();
    m_clock.start();
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start();
}

CModalScript::~CModalScript() = default;

CModalScript& CModalScript::Add(Kind kind, const QString& title, std::function<void(QWidget*)> action)
{
    m_steps.push_back(Step{kind, title, std::move(action)});
    return *this;
}

CModalScript& CModalScript::OnWindow(const QString& title, std::function<void(QWidget*)> action)
{
    return Add(Kind::Window, title, std::move(action));
}

CModalScript& CModalScript::OnMessageBox(std::function<void(QMessageBox*)> action)
{
    return Add(Kind::MessageBox, QString(), [this, action](QWidget* pWidget) {
        auto* pBox = static_cast<QMessageBox*>(pWidget);
        m_boxes << pBox->windowTitle() + QLatin1Char('|') + pBox->text();
        action(pBox);
    });
}

CModalScript& CModalScript::AnswerMessageBox(const QString& buttonText)
{
    return OnMessageBox([buttonText](QMessageBox* pBox) {
        for (QAbstractButton* pButton : pBox->buttons()) {
            if (pButton->text() == buttonText) {
                QTest::mouseClick(pButton, Qt::LeftButton);
                return;
            }
        }
        pBox->done(-1);
    });
}

CModalScript& CModalScript::OnMenu(std::function<void(QMenu*)> action)
{
    return Add(Kind::Menu, QString(), [action](QWidget* pWidget) { action(static_cast<QMenu*>(pWidget)); });
}

QWidget* CModalScript::Match(const Step& step) const
{
    if (step.kind == Kind::Menu)
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (QApplication::activePopupWidget())
        return nullptr;
    QWidget* pModal = QApplication::activeModalWidget();
    if (!pModal || !pModal->isVisible())
        return nullptr;
    if (step.kind == Kind::MessageBox)
        return qobject_cast<QMessageBox*>(pModal);
    return pModal->windowTitle() == step.title && !qobject_cast<QMessageBox*>(pModal) ? pModal : nullptr;
}

void CModalScript::Poll()
{
    if (m_bActionPending || Finished())
        return;
    if (m_clock.elapsed() > m_nTimeLimitMs) {
        Abort();
        return;
    }
    const Step& step = m_steps[m_nextStep];
    QWidget* pWidget = Match(step);
    if (!pWidget)
        return;
    ++m_nextStep;
    m_bActionPending = true;
    QPointer<QWidget> pTarget(pWidget);
    QTimer::singleShot(0, [this, action = step.action, pTarget] {
        m_bActionPending = false;
        if (pTarget)
            action(pTarget);
    });
}

void CModalScript::Abort()
{
    m_failure = QStringLiteral("no window for step %1 in time").arg(m_nextStep + 1);
    m_nextStep = m_steps.size();
    m_timer.stop();
    if (QWidget* pPopup = QApplication::activePopupWidget())
        pPopup->close();
    while (QWidget* pModal = QApplication::activeModalWidget()) {
        if (auto* pDialog = qobject_cast<QDialog*>(pModal))
            pDialog->done(-1);
        else
            pModal->hide();
        if (QApplication::activeModalWidget() == pModal)
            break;
    }
}

QWidget* FindControl(QWidget* pDialog, int nID)
{
    for (QWidget* pChild : pDialog->findChildren<QWidget*>()) {
        const QVariant id = pChild->property("afxControlId");
        if (id.isValid() && id.toInt() == nID)
            return pChild;
    }
    return nullptr;
}

void TypeInto(QWidget* pDialog, int nID, const QString& text)
{
    auto* pEdit = Control<QLineEdit>(pDialog, nID);
    pEdit->clear();
    for (const QChar ch : text) {
        // QTest only knows the keys of ASCII; other characters come as typed text.
        QKeyEvent press(QEvent::KeyPress, ch.unicode() < 128 ? QKeySequence(ch)[0].key() : Qt::Key_unknown,
                        Qt::NoModifier, QString(ch));
        QApplication::sendEvent(pEdit, &press);
    }
}

void Click(QWidget* pDialog, int nID)
{
    QTest::mouseClick(FindControl(pDialog, nID), Qt::LeftButton);
}

void RightClick(QWidget* pWidget, const QPoint& pos)
{
    QTest::mouseClick(pWidget, Qt::RightButton, {}, pos);
    // The window system turns a right click into a context menu request; QTest does not.
    QContextMenuEvent request(QContextMenuEvent::Mouse, pos, pWidget->mapToGlobal(pos));
    QApplication::sendEvent(pWidget, &request);
}

QAction* MenuAction(QMenu* pMenu, const QString& text)
{
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

void ChooseMenuItem(QMenu* pMenu, const QString& text)
{
    if (QAction* pAction = MenuAction(pMenu, text))
        pAction->trigger();
    pMenu->close();
}
