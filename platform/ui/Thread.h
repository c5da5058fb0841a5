#pragma once

#include "platform/core/StopSignal.h"

#include <atomic>
#include <functional>
#include <thread>

using AFX_THREADPROC = UINT (*)(LPVOID pParam);

// A worker thread started by AfxBeginThread. Whoever starts it owns this object; deleting it
// stops the thread and waits for it.
class CWinThread
{
public:
    ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Raises the thread's stop signal and waits until the thread has ended. Once raised, the
    // thread's Sleep and HTTP exchanges return early and its AfxCallOnUiThread calls fail at
    // once. Called on the UI thread, it goes on carrying out the calls that the thread made
    // before (input events excepted), so that the two can never wait for each other.
    void StopAndWait();

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    CWinThread() = default;

    CStopSignal m_stopSignal;
    std::atomic<bool> m_bFinished{false};
    std::thread m_thread;
};

// Makes the calling thread, which runs the application's event loop, the one that carries
// out AfxCallOnUiThread; the layer's application object calls it when it starts.
void AfxAttachUiThread();

// Starts pfnThreadProc(pParam) on a new thread that carries its own stop signal; null when
// no thread could be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);

// The worker's SendMessage: carries fn out on the UI thread and returns TRUE once it has
// run there. Returns FALSE without running it when the calling thread is asked to stop
// before the UI thread gets to it, or when there is no UI thread. On the UI thread itself,
// fn runs at once.
BOOL AfxCallOnUiThread(const std::function<void()>& fn);
