#include "platform/ui/Thread.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/WinAppEx.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// A call waiting for the UI thread. Whichever side gets to it first decides: the UI thread
// starts running it, or the stopping worker abandons it.
struct CUiCall
{
    enum State { Pending, Running, Done, Abandoned };
    std::function<void()> fn;
    State state = Pending;
};

// The worker's calls reach the UI thread through a queue of our own and an eventfd that
// only wakes it. Nothing travels through Qt's event queue, whose locking ThreadSanitizer
// cannot see, so every handoff between the two threads is one the sanitizer checks.
class CUiCallChannel
{
public:
    static CUiCallChannel& Get()
    {
        // Kept until the process ends, so that a late call never meets a destroyed lock.
        static auto* pChannel = new CUiCallChannel;
        return *pChannel;
    }

    // Binds the channel to the running application's UI thread; called on that thread.
    void AttachToUiThread()
    {
        QCoreApplication* pApp = QCoreApplication::instance();
        if (!pApp || QThread::currentThread() != pApp->thread() || m_pNotifier)
            return;
        {
            std::lock_guard lock(m_mutex);
            m_uiThread = std::this_thread::get_id();
        }
        m_pNotifier = new QSocketNotifier(m_wakeFd, QSocketNotifier::Read, pApp);
        QObject::connect(m_pNotifier, &QSocketNotifier::activated, m_pNotifier, [this] { RunPending(); });
    }

    bool IsUiThread()
    {
        std::lock_guard lock(m_mutex);
        return m_uiThread == std::this_thread::get_id();
    }

    // Queues the call for the UI thread; false when no UI thread listens.
    bool Post(const std::shared_ptr<CUiCall>& pCall)
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_uiThread == std::thread::id())
                return false;
            m_pending.push_back(pCall);
        }
        Wake();
        return true;
    }

    void Wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(m_wakeFd, &one, sizeof one);
    }

    std::mutex& Mutex() { return m_mutex; }
    std::condition_variable& Changed() { return m_changed; }

private:
    CUiCallChannel() : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

    void RunPending()
    {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = read(m_wakeFd, &count, sizeof count);
        for (;;) {
            std::shared_ptr<CUiCall> pCall;
            {
                std::lock_guard lock(m_mutex);
                if (m_pending.empty())
                    return;
                pCall = m_pending.front();
                m_pending.pop_front();
                if (pCall->state != CUiCall::Pending)
                    continue;
                pCall->state = CUiCall::Running;
            }
            Run(*pCall);
            {
                std::lock_guard lock(m_mutex);
                pCall->state = CUiCall::Done;
            }
            m_changed.notify_all();
        }
    }

    static void Run(CUiCall& call)
    {
        try {
            call.fn();
        } catch (CException* e) {
            if (CWinAppEx* pApp = AfxGetAppEx())
                pApp->ProcessWndProcException(e, nullptr);
            e->Delete();
        }
    }

    const int m_wakeFd;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<CUiCall>> m_pending;
    std::thread::id m_uiThread;
    // Owned by the application object: gone, and rebuilt on demand, when it is.
    QPointer<QSocketNotifier> m_pNotifier;
};

} // namespace

void AfxAttachUiThread()
{
    CUiCallChannel::Get().AttachToUiThread();
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
{
    AfxAttachUiThread();
    auto* pThread = new CWinThread;
    try {
        pThread->m_thread = std::thread([pThread, pfnThreadProc, pParam] {
            AfxSetThreadStopSignal(&pThread->m_stopSignal);
            pfnThreadProc(pParam);
            AfxSetThreadStopSignal(nullptr);
            pThread->m_bFinished = true;
            CUiCallChannel::Get().Wake();
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
    CUiCallChannel& channel = CUiCallChannel::Get();
    {
        std::lock_guard lock(channel.Mutex());
        m_stopSignal.Raise();
    }
    channel.Changed().notify_all();
    if (channel.IsUiThread()) {
        while (!m_bFinished)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    if (m_thread.joinable())
        m_thread.join();
}

BOOL AfxCallOnUiThread(const std::function<void()>& fn)
{
    CUiCallChannel& channel = CUiCallChannel::Get();
    if (channel.IsUiThread()) {
        fn();
        return TRUE;
    }
    if (AfxIsThreadStopRequested())
        return FALSE;
    auto pCall = std::make_shared<CUiCall>();
    {
        std::lock_guard lock(channel.Mutex());
        pCall->fn = fn;
    }
    if (!channel.Post(pCall))
        return FALSE;

    std::unique_lock lock(channel.Mutex());
    channel.Changed().wait(lock, [&] {
        return pCall->state == CUiCall::Done || (pCall->state == CUiCall::Pending && AfxIsThreadStopRequested());
    });
    if (pCall->state == CUiCall::Done)
        return TRUE;
    pCall->state = CUiCall::Abandoned;
    return FALSE;
}
