#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QMessageBox;
class QWidget;

// Answers modal windows and popup menus for a test, in order: each step waits until the
// window in front matches it, then acts on it. The script looks at the windows only when a
// window has opened or closed or a step has acted, and then from an event queued behind
// every other one, so a step never runs before what the previous step set going (a command
// that a menu posts once its loop has returned, a window that a click opens) has been
// delivered. A step acts only in the event loop of its own window and never inside the
// action of another step that is still running, unless that action has opened a modal window
// (a nested event loop) of its own. A step that finds no window within a generous bound fails
// the script and closes what is open.
class CModalScript
{
public:
    CModalScript();
    ~CModalScript();

    // The modal dialog in front with this window title.
    CModalScript& OnWindow(const QString& title, std::function<void(QWidget*)> action);
    // The message box in front; its caption and text are recorded in Boxes().
    CModalScript& OnMessageBox(std::function<void(QMessageBox*)> action);
    // Clicks the button of the message box in front whose text is given.
    CModalScript& AnswerMessageBox(const QString& buttonText);
    // The popup menu open in front.
    CModalScript& OnMenu(std::function<void(QMenu*)> action);

    // Every step matched and acted in time.
    bool Finished() const { return m_nextStep == m_steps.size() && m_failure.isEmpty(); }
    const QString& Failure() const { return m_failure; }
    // "caption|text" of every message box that a step met.
    const QStringList& Boxes() const { return m_boxes; }

private:
    enum class Kind { Window, MessageBox, Menu };
    struct Step
    {
        Kind kind;
        QString title;
        std::function<void(QWidget*)> action;
    };
    class CWatcher;

    CModalScript& Add(Kind kind, const QString& title, std::function<void(QWidget*)> action);
    void LookLater();
    void Look(unsigned nLook);
    QWidget* Match(const Step& step) const;
    void Act(QWidget* pWidget);
    void Abort();

    std::vector<Step> m_steps;
    size_t m_nextStep = 0;
    // Only the latest look queued counts; an older one saw the windows before something changed.
    unsigned m_nLook = 0;
    // The event loop level of each action running, innermost last.
    std::vector<int> m_actionLevels;
    std::unique_ptr<CWatcher> m_pWatcher;
    QTimer m_deadline;
    QString m_failure;
    QStringList m_boxes;
};

// Test helpers over the widgets of the window layer.
// The caption of the program's dialog template nIDTemplate: the title its window shows.
QString DialogCaption(unsigned nIDTemplate);
QWidget* FindControl(QWidget* pDialog, int nID);
template <class T>
T* Control(QWidget* pDialog, int nID)
{
    return qobject_cast<T*>(FindControl(pDialog, nID));
}
void TypeInto(QWidget* pDialog, int nID, const QString& text);
void Click(QWidget* pDialog, int nID);
void RightClick(QWidget* pWidget, const QPoint& pos);
// The context-menu key pressed with the focus on the widget.
void PressMenuKey(QWidget* pWidget);
void ChooseMenuItem(QMenu* pMenu, const QString& text);
