#pragma once

#include "cloud/StatusPollTarget.h"
#include "cloud/StatusPollThread.h"
#include "platform/core/StopSignal.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <thread>
#include <utility>
#include <vector>

// Stands in for the main window: a settable user selection and a record of every cell write.
class FakePollTarget : public IStatusPollTarget
{
public:
    struct CellWrite
    {
        unsigned fill;
        int row;
        int column;
        CString text;
        bool operator==(const CellWrite&) const = default;
    };

    explicit FakePollTarget(int nSelection) : m_nSelection(nSelection) {}

    // Runs on the worker's thread after each write, with the number of writes so far; set it
    // before the worker starts.
    std::function<void(size_t)> onWrite;

    // As in the main window, choosing another user fills the list anew.
    void SetSelection(int nSelection)
    {
        std::lock_guard lock(m_mutex);
        m_nSelection = nSelection;
        ++m_nFill;
    }

    int GetSelectedUser(unsigned& nFill) override
    {
        std::lock_guard lock(m_mutex);
        ++m_nSelectionReads;
        m_changed.notify_all();
        nFill = m_nFill;
        return m_nSelection;
    }

    void SetStateCell(unsigned nFill, int nRow, int nColumn, const CString& strText) override
    {
        size_t nWrites = 0;
        {
            std::lock_guard lock(m_mutex);
            m_writes.push_back({nFill, nRow, nColumn, strText});
            nWrites = m_writes.size();
        }
        m_changed.notify_all();
        if (onWrite)
            onWrite(nWrites);
    }

    std::vector<CellWrite> Writes() const
    {
        std::lock_guard lock(m_mutex);
        return m_writes;
    }
    size_t SelectionReads() const
    {
        std::lock_guard lock(m_mutex);
        return m_nSelectionReads;
    }
    bool WaitForWrites(size_t nCount, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_writes.size() >= nCount; });
    }
    bool WaitForSelectionReads(size_t nCount, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_nSelectionReads >= nCount; });
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    int m_nSelection;
    unsigned m_nFill = 0;
    size_t m_nSelectionReads = 0;
    std::vector<CellWrite> m_writes;
};

// Runs StatusPollThread on a thread of its own with a stop signal, as the window layer would;
// stops it and waits for it when destroyed.
class PollWorker
{
public:
    explicit PollWorker(IStatusPollTarget& target)
        : m_thread([this, &target] {
              AfxSetThreadStopSignal(&m_stop);
              StatusPollThread(&target);
              AfxSetThreadStopSignal(nullptr);
          })
    {}
    ~PollWorker() { Stop(); }
    PollWorker(const PollWorker&) = delete;
    PollWorker& operator=(const PollWorker&) = delete;

    // How long the worker took to end once asked.
    std::chrono::milliseconds Stop()
    {
        const auto start = std::chrono::steady_clock::now();
        m_stop.Raise();
        if (m_thread.joinable())
            m_thread.join();
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }

private:
    CStopSignal m_stop;
    std::thread m_thread;
};

inline std::ostream& operator<<(std::ostream& os, const FakePollTarget::CellWrite& write)
{
    return os << "(" << write.fill << "," << write.row << "," << write.column << "," << write.text << ")";
}
