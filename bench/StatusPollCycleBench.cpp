// One polling cycle over 100 devices, half of them online, against the fake platform on
// loopback: the worker's cycle (150 exchanges, answers read, cells reported), beside a bare
// libcurl loop making the same 150 fresh-connection GETs as the yardstick.
#include "bench/PlainCurlGet.h"
#include "registry/Account.h"
#include "registry/UserListLock.h"
#include "tests/support/AccountData.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StatusPollHarness.h"

#include <benchmark/benchmark.h>

#include <string>

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
            group.arrDevice.Add(MakeDevice(L"", L"bench-key", FromUtf8(DeviceId(i)), L"", L"", L""));
        }
        CUserListLock lock;
        g_arrDevGroup.Add(group);
        return true;
    }();
    (void)bFilled;
    return platform;
}

void BM_StatusPollCycle(benchmark::State& state)
{
    Platform();
    for (auto _ : state) {
        FakePollTarget target(0);
        PollWorker worker(target);
        target.WaitForWrites(kCellsPerCycle);
        state.PauseTiming();
        worker.Stop();
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
