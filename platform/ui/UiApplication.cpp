#include "platform/ui/UiApplication.h"

#include "platform/core/Exceptions.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogHost.h"
#include "platform/ui/Thread.h"
#include "platform/ui/WinAppEx.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

UINT VirtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return VK_RETURN;
    if (key == Qt::Key_Escape)
        return VK_ESCAPE;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return VK_TAB;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + static_cast<UINT>(key - Qt::Key_F1);
    // Letters, digits and the space bar carry the same codes in both worlds. Every other key
    // gets none: Qt reports a non-Latin letter by its character, whose low byte could pass
    // for Enter or Esc ("Л" is U+041B).
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return static_cast<UINT>(key);
    return 0;
}

// Hands every key press meant for a dialog or its controls to the dialog's
// PreTranslateMessage first, as the message loop of Windows does.
class CUiApplication : public QApplication
{
public:
    CUiApplication(int& argc, char** argv) : QApplication(argc, argv)
    {
        // Fonts that Windows dialogs name, mapped to one with Chinese glyphs.
        const QString family = QStringLiteral("WenQuanYi Micro Hei");
        for (const char* name : {"微软雅黑", "Microsoft YaHei", "MS Shell Dlg", "MS Shell Dlg 2"})
            QFont::insertSubstitution(QString::fromUtf8(name), family);
        QFont font(family);
        font.setPixelSize(12);
        setFont(font);
        AfxAttachUiThread();
    }

    bool notify(QObject* pReceiver, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::KeyPress && pReceiver->isWidgetType()) {
            auto* pWidget = static_cast<QWidget*>(pReceiver);
            if (CDialogHost* pHost = CDialogHost::FromWidget(pWidget)) {
                if (PreTranslate(pHost, pWidget, *static_cast<QKeyEvent*>(pEvent)))
                    return true;
            }
        }
        return QApplication::notify(pReceiver, pEvent);
    }

private:
    static bool PreTranslate(CDialogHost* pHost, QWidget* pWidget, const QKeyEvent& event)
    {
        const bool bAlt = event.modifiers() & Qt::AltModifier;
        MSG msg{reinterpret_cast<HWND>(pWidget), bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, VirtualKey(event), 0};
        CDialog* pDlg = pHost->Dialog();
        try {
            if (pDlg->PreTranslateMessage(&msg))
                return true;
        } catch (CException* e) {
            if (CWinAppEx* pApp = AfxGetAppEx())
                pApp->ProcessWndProcException(e, &msg);
            e->Delete();
            return true;
        }
        if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_SPACE) {
            pHost->ShowSystemMenu(pHost->mapToGlobal(QPoint(0, 0)));
            return true;
        }
        if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
            AfxCallWndProc(pDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        }
        return false;
    }
};

} // namespace

int AfxWinMain(int argc, char* argv[])
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    CUiApplication application(argc, argv);
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    const int nResult = QApplication::exec();
    pApp->ExitInstance();
    return nResult;
}

void AfxEnsureUiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quorvane";
    static char* argv[] = {name, nullptr};
    static CUiApplication* pApplication = new CUiApplication(argc, argv);
    (void)pApplication;
}
