#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMessageBox;
class QWidget;

// Answers modal windows and popup menus for a test, in order: each step waits until the
// window in front matches it, then acts on it. Actions run from a fresh timer, so an action
// that opens another modal window (a nested event loop) lets the next step run inside it.
// A step that never matches within the time limit fails the script and closes what is open.
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

    // Gives the steps this long, counted from the script's start, instead of the usual 15 s:
    // for a script that waits out a call that holds the window longer.
    void SetTimeLimit(int nMs) { m_nTimeLimitMs = nMs; }

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
    CModalScript& Add(Kind kind, const QString& title, std::function<void(QWidget*)> action);
    void Poll();
    QWidget* Match(const Step& step) const;
    void Abort();

    std::vector<Step> m_steps;
    size_t m_nextStep = 0;
    bool m_bActionPending = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_nTimeLimitMs;
    QString m_failure;
    QStringList m_boxes;
};

// Test helpers over the widgets of the window layer.
QWidget* FindControl(QWidget* pDialog, int nID);
template <class T>
T* Control(QWidget* pDialog, int nID)
{
    return qobject_cast<T*>(FindControl(pDialog, nID));
}
void TypeInto(QWidget* pDialog, int nID, const QString& text);
void Click(QWidget* pDialog, int nID);
void RightClick(QWidget* pWidget, const QPoint& pos);
QAction* MenuAction(QMenu* pMenu, const QString& text);
void ChooseMenuItem(QMenu* pMenu, const QString& text);
