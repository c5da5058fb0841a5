#include "platform/ui/Thread.h"
#include "platform/ui/UiApplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Worker
{
    std::atomic<int> nCalls{0};
    std::atomic<bool> bRanOnUiThread{true};
    std::atomic<bool> bLastCallFailed{false};
    std::atomic<bool> bDone{false};
    QThread* pUiThread = nullptr;
};

// Calls the UI thread as fast as it can until a call fails, then ends.
UINT CallUntilRefused(LPVOID pParam)
{
    auto* pWorker = static_cast<Worker*>(pParam);
    for (;;) {
        const BOOL bRan = AfxCallOnUiThread([pWorker] {
            if (QThread::currentThread() != pWorker->pUiThread)
                pWorker->bRanOnUiThread = false;
        });
        if (!bRan)
            break;
        ++pWorker->nCalls;
    }
    pWorker->bLastCallFailed = true;
    pWorker->bDone = true;
    return 0;
}

UINT SleepLong(LPVOID pParam)
{
    Sleep(60000);
    static_cast<Worker*>(pParam)->bDone = true;
    return 0;
}

class ThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxEnsureUiApplication();
        m_worker.pUiThread = QCoreApplication::instance()->thread();
    }

    Worker m_worker;
};

TEST_F(ThreadTest, callsRunOnTheUiThreadAndStoppingNeverDeadlocks)
{
    std::unique_ptr<CWinThread> pThread(AfxBeginThread(CallUntilRefused, &m_worker));
    ASSERT_NE(pThread, nullptr);
    QElapsedTimer clock;
    clock.start();
    while (m_worker.nCalls < 50 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GE(m_worker.nCalls, 50);
    pThread->StopAndWait();
    EXPECT_TRUE(m_worker.bDone);
    EXPECT_TRUE(m_worker.bLastCallFailed);
    EXPECT_TRUE(m_worker.bRanOnUiThread);
}

TEST_F(ThreadTest, stopEndsASleepAtOnce)
{
    std::unique_ptr<CWinThread> pThread(AfxBeginThread(SleepLong, &m_worker));
    QElapsedTimer clock;
    clock.start();
    pThread.reset();
    EXPECT_TRUE(m_worker.bDone);
    // The stop, not the end of the minute's sleep, ended it; the bound leaves any loaded
    // machine room.
    EXPECT_LT(clock.elapsed(), 30000);
}

// While the UI thread is busy elsewhere a worker's call waits; a stop then refuses it.
TEST_F(ThreadTest, callWaitingForABusyUiThreadFailsOnStop)
{
    std::unique_ptr<CWinThread> pThread(AfxBeginThread(CallUntilRefused, &m_worker));
    QThread::msleep(50);
    const int nCallsWhileBusy = m_worker.nCalls;
    EXPECT_LE(nCallsWhileBusy, 1);
    pThread->StopAndWait();
    EXPECT_TRUE(m_worker.bLastCallFailed);
}

TEST_F(ThreadTest, callOnTheUiThreadItselfRunsAtOnce)
{
    int nRuns = 0;
    EXPECT_TRUE(AfxCallOnUiThread([&] { ++nRuns; }));
    EXPECT_EQ(nRuns, 1);
}

} // namespace
