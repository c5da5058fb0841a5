#include "platform/core/StopSignal.h"

#include <chrono>
#include <thread>

namespace {
thread_local CStopSignal* t_pStopSignal = nullptr;
}

void CStopSignal::Raise()
{
    {
        std::lock_guard lock(m_mutex);
        m_raised.store(true, std::memory_order_release);
    }
    m_raisedChanged.notify_all();
}

bool CStopSignal::WaitFor(DWORD dwMilliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_raisedChanged.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), [this] { return IsRaised(); });
}

void AfxSetThreadStopSignal(CStopSignal* pSignal)
{
    t_pStopSignal = pSignal;
}

bool AfxIsThreadStopRequested()
{
    return t_pStopSignal && t_pStopSignal->IsRaised();
}

void Sleep(DWORD dwMilliseconds)
{
    if (t_pStopSignal)
        t_pStopSignal->WaitFor(dwMilliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
