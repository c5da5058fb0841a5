#pragma once

#include "platform/core/Types.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

// Raised by a thread's owner to ask that thread to stop. The layer's blocking calls made on a
// thread that carries a signal (Sleep, HTTP exchanges) return early once it is raised, so a
// worker can be stopped promptly wherever it waits.
class CStopSignal
{
public:
    void Raise();
    bool IsRaised() const { return m_raised.load(std::memory_order_acquire); }
    // Waits up to dwMilliseconds; true when the signal was raised meanwhile.
    bool WaitFor(DWORD dwMilliseconds);

private:
    std::atomic<bool> m_raised{false};
    std::mutex m_mutex;
    std::condition_variable m_raisedChanged;
};

// Sets the signal that the calling thread obeys; null for none (the UI thread has none).
void AfxSetThreadStopSignal(CStopSignal* pSignal);
// True when the calling thread has been asked to stop.
bool AfxIsThreadStopRequested();

// Pauses the calling thread; returns early when the thread is asked to stop.
void Sleep(DWORD dwMilliseconds);
