#include "platform/ui/Thread.h"

#include "platform/core/Exceptions.h"
#include "platform/core/WinApp.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// A call waiting for the UI thread. Whichever side gets to it first decides: the UI thread
// starts running it, or the stopping worker abandons it.
struct CUiCall
{
    enum State { Pending, Running, Done, Abandoned };
    std::function<void()> fn;
    State state = Pending;
};

// One lock and one wake-up for every call and every stop, kept alive until the process
// ends so that a late call never meets a destroyed lock.
std::mutex& CallMutex()
{
    static auto* pMutex = new std::mutex;
    return *pMutex;
}

std::condition_variable& CallChanged()
{
    static auto* pCondition = new std::condition_variable;
    return *pCondition;
}

bool IsUiThread()
{
    QCoreApplication* pApp = QCoreApplication::instance();
    return pApp && QThread::currentThread() == pApp->thread();
}

void RunOnUiThread(const std::shared_ptr<CUiCall>& pCall)
{
    {
        std::lock_guard lock(CallMutex());
        if (pCall->state != CUiCall::Pending)
            return;
        pCall->state = CUiCall::Running;
    }
    try {
        pCall->fn();
    } catch (CException* e) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->ProcessWndProcException(e, nullptr);
        e->Delete();
    }
    {
        std::lock_guard lock(CallMutex());
        pCall->state = CUiCall::Done;
    }
    CallChanged().notify_all();
}

// Lets a UI thread that waits in StopAndWait look at its events again.
void WakeUiThread()
{
    if (QCoreApplication* pApp = QCoreApplication::instance())
        QMetaObject::invokeMethod(pApp, [] {}, Qt::QueuedConnection);
}

} // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
{
    auto* pThread = new CWinThread;
    try {
        pThread->m_thread = std::thread([pThread, pfnThreadProc, pParam] {
            AfxSetThreadStopSignal(&pThread->m_stopSignal);
            pfnThreadProc(pParam);
            AfxSetThreadStopSignal(nullptr);
            pThread->m_bFinished = true;
            WakeUiThread();
        });
    } catch (const std::system_error&) {
        delete pThread;
        return nullptr;
    }
    return pThread;
}

CWinThread::~CWinThread()
{
    StopAndWait();
}

void CWinThread::StopAndWait()
{
    {
        std::lock_guard lock(CallMutex());
        m_stopSignal.Raise();
    }
    CallChanged().notify_all();
    if (IsUiThread()) {
        while (!m_bFinished)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    if (m_thread.joinable())
        m_thread.join();
}

BOOL AfxCallOnUiThread(const std::function<void()>& fn)
{
    if (IsUiThread()) {
        fn();
        return TRUE;
    }
    QCoreApplication* pApp = QCoreApplication::instance();
    if (!pApp || AfxIsThreadStopRequested())
        return FALSE;
    auto pCall = std::make_shared<CUiCall>();
    pCall->fn = fn;
    QMetaObject::invokeMethod(pApp, [pCall] { RunOnUiThread(pCall); }, Qt::QueuedConnection);

    std::unique_lock lock(CallMutex());
    CallChanged().wait(lock, [&] {
        return pCall->state == CUiCall::Done || (pCall->state == CUiCall::Pending && AfxIsThreadStopRequested());
    });
    if (pCall->state == CUiCall::Done)
        return TRUE;
    pCall->state = CUiCall::Abandoned;
    return FALSE;
}
