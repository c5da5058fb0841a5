#include "tests/support/ModalScript.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/ResourceFormats.h"
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
#include <QThread>
#include <QWidget>

namespace {

// The longest a step waits for its window; far beyond what any step needs on a loaded
// machine or under a sanitizer, and still inside CTest's limit for one test.
constexpr int kStepBoundMs = 60000;

const char* const kShownAtLevelProperty = "modalScriptShownAtLevel";
const char* const kAwaitingActivationProperty = "modalScriptAwaitingActivation";

const QEvent::Type kLookEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

struct CLookEvent : QEvent
{
    explicit CLookEvent(unsigned n) : QEvent(kLookEvent), nLook(n) {}
    unsigned nLook;
};

int LoopLevel()
{
    return QThread::currentThread()->loopLevel();
}

QAction* MenuAction(QMenu* pMenu, const QString& text)
{
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

} // namespace

// Sees every window open and close, and receives the script's looks.
class CModalScript::CWatcher : public QObject
{
public:
    explicit CWatcher(CModalScript& script) : m_script(script) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        const QEvent::Type type = pEvent->type();
        if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowActivate) &&
            pObject->isWidgetType() && static_cast<QWidget*>(pObject)->isWindow()) {
            auto* pWindow = static_cast<QWidget*>(pObject);
            if (type == QEvent::Show) {
                // A modal window runs its own event loop one level below the one that shows it.
                pWindow->setProperty(kShownAtLevelProperty, LoopLevel());
                // The window system activates a window after showing it; until then keys and
                // focus would go elsewhere. (It activates nothing when a window closes.)
                pWindow->setProperty(kAwaitingActivationProperty, pWindow->windowType() != Qt::Popup);
            } else if (type == QEvent::WindowActivate) {
                pWindow->setProperty(kAwaitingActivationProperty, false);
            }
            m_script.LookLater();
        }
        return false;
    }

    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() != kLookEvent)
            return QObject::event(pEvent);
        m_script.Look(static_cast<CLookEvent*>(pEvent)->nLook);
        return true;
    }

private:
    CModalScript& m_script;
};

CModalScript::CModalScript()
{
    AfxEnsureUiApplication();
    m_pWatcher = std::make_unique<CWatcher>(*this);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kStepBoundMs);
    QObject::connect(&m_deadline, &QTimer::timeout, [this] { Abort(); });
    LookLater();
}

CModalScript::~CModalScript() = default;

CModalScript& CModalScript::Add(Kind kind, const QString& title, std::function<void(QWidget*)> action)
{
    m_steps.push_back(Step{kind, title, std::move(action)});
    if (!m_deadline.isActive())
        m_deadline.start();
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

// Queued at the lowest priority: every event posted before it, and every ordinary event
// posted while it waits, is delivered first.
void CModalScript::LookLater()
{
    QCoreApplication::postEvent(m_pWatcher.get(), new CLookEvent(++m_nLook), Qt::LowEventPriority);
}

void CModalScript::Look(unsigned nLook)
{
    if (nLook != m_nLook || m_nextStep == m_steps.size())
        return;
    // An action still at work in this loop looks again once it has returned.
    if (!m_actionLevels.empty() && LoopLevel() <= m_actionLevels.back())
        return;
    QWidget* pWidget = Match(m_steps[m_nextStep]);
    if (!pWidget)
        return;
    // A loop nested inside the window's own (a menu that has closed but whose loop has not
    // yet returned) still has work to finish.
    const QVariant shownAt = pWidget->property(kShownAtLevelProperty);
    if (shownAt.isValid() && LoopLevel() > shownAt.toInt() + 1) {
        LookLater();
        return;
    }
    Act(pWidget);
}

void CModalScript::Act(QWidget* pWidget)
{
    const std::function<void(QWidget*)> action = m_steps[m_nextStep].action;
    ++m_nextStep;
    if (m_nextStep < m_steps.size())
        m_deadline.start();
    else
        m_deadline.stop();
    m_actionLevels.push_back(LoopLevel());
    action(pWidget);
    m_actionLevels.pop_back();
    LookLater();
}

QWidget* CModalScript::Match(const Step& step) const
{
    if (step.kind == Kind::Menu)
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (QApplication::activePopupWidget())
        return nullptr;
    QWidget* pModal = QApplication::activeModalWidget();
    if (!pModal || !pModal->isVisible() || pModal->property(kAwaitingActivationProperty).toBool())
        return nullptr;
    if (step.kind == Kind::MessageBox)
        return qobject_cast<QMessageBox*>(pModal);
    return pModal->windowTitle() == step.title && !qobject_cast<QMessageBox*>(pModal) ? pModal : nullptr;
}

void CModalScript::Abort()
{
    m_failure = QStringLiteral("no window for step %1 in time").arg(m_nextStep + 1);
    m_nextStep = m_steps.size();
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

QString DialogCaption(unsigned nIDTemplate)
{
    const AFX_DLGTEMPLATE* pTemplate = AfxFindDialogTemplate(nIDTemplate);
    return pTemplate ? QString::fromWCharArray(pTemplate->lpszCaption) : QString();
}

QWidget* FindControl(QWidget* pDialog, int nID)
{
    const CDialogHost* pHost = CDialogHost::FromWidget(pDialog);
    return pHost ? pHost->FindControl(nID) : nullptr;
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

void PressMenuKey(QWidget* pWidget)
{
    QTest::keyClick(pWidget, Qt::Key_Menu);
    // The window system turns the key into a context menu request to the focused widget.
    const QPoint pos = pWidget->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, pWidget->mapToGlobal(pos));
    QApplication::sendEvent(pWidget, &request);
}

void ChooseMenuItem(QMenu* pMenu, const QString& text)
{
    if (QAction* pAction = MenuAction(pMenu, text))
        pAction->trigger();
    pMenu->close();
}
