// One polling cycle over 100 devices, half of them online, against the fake platform on
// loopback: the worker's cycle (150 exchanges, answers read, cells reported), beside a bare
// libcurl loop making the same 150 fresh-connection GETs as the yardstick.
#include "cloud/StatusPollTarget.h"
#include "cloud/StatusPollThread.h"
#include "platform/core/StopSignal.h"
#include "registry/Account.h"
#include "registry/UserListLock.h"
#include "bench/PlainCurlGet.h"
#include "tests/support/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr int kDevices = 100;
// One "在线"/"离线" per device and one "通"/"断" per online device.
constexpr int kCellsPerCycle = kDevices + kDevices / 2;

std::string DeviceId(int i)
{
    return "d" + std::to_string(i);
}

fake::FakePlatform& Platform()
{
    static fake::FakePlatform platform;
    static fake::ProxyEnvironment proxy(platform.proxyUrl());
    static const bool bFilled = [] {
        DEVGROUP group;
        for (int i = 0; i < kDevices; ++i) {
            platform.setDevice(DeviceId(i), i % 2 == 0, 1, "bench-key");
            DEVICE device;
            device.strDeviceId = FromUtf8(DeviceId(i));
            device.strApiKey = L"bench-key";
            group.arrDevice.Add(device);
        }
        CUserListLock lock;
        g_arrDevGroup.Add(group);
        return true;
    }();
    (void)bFilled;
    return platform;
}

// Counts the cells of one cycle and tells when all have been written.
class CycleTarget : public IStatusPollTarget
{
public:
    int GetSelectedUser(unsigned& nFill) override
    {
        nFill = 0;
        return 0;
    }
    void SetStateCell(unsigned, int, int, const CString&) override
    {
        std::lock_guard lock(m_mutex);
        if (++m_nCells == kCellsPerCycle)
            m_done.notify_all();
    }
    void WaitForCycle()
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_nCells >= kCellsPerCycle; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    int m_nCells = 0;
};

void BM_StatusPollCycle(benchmark::State& state)
{
    Platform();
    for (auto _ : state) {
        CycleTarget target;
        CStopSignal stop;
        std::thread worker([&] {
            AfxSetThreadStopSignal(&stop);
            StatusPollThread(&target);
        });
        target.WaitForCycle();
        state.PauseTiming();
        stop.Raise();
        worker.join();
        state.ResumeTiming();
    }
}

void BM_PlainLibcurlCycle(benchmark::State& state)
{
    Platform();
    curl_global_init(CURL_GLOBAL_DEFAULT);
    for (auto _ : state) {
        for (int i = 0; i < kDevices; ++i) {
            PlainCurlGet("devices/" + DeviceId(i));
            if (i % 2 == 0)
                PlainCurlGet("devices/" + DeviceId(i) + "/datastreams/status");
        }
    }
}

} // namespace

BENCHMARK(BM_PlainLibcurlCycle)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_StatusPollCycle)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK_MAIN();
