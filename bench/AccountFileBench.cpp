// Load and save of an account of 100 users with 100 devices each, each measured in turn with
// what it cannot beat on the same bytes:
// - load beside a plain read plus one decoding of the whole file (the "floor");
// - save beside a durable write: temporary file, write, flush, rename, folder flush.
// Both of a pair run in the same iteration, so that a busy machine slows them alike; the
// "ratio" column is the account operation's time over its floor's.
#include "platform/core/CodePage.h"
#include "platform/core/File.h"
#include "platform/core/WinApp.h"
#include "registry/Account.h"
#include "registry/AccountFile.h"
#include "registry/AccountFormat.h"
#include "tests/support/AccountData.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const CString kAccount = L"bench";

struct BenchAccount
{
    BenchAccount()
    {
        app.SetExecutablePath(FromUtf8(folder.PathOf("quorvane")));
        g_strPassword = L"pass-word";
        g_arrDevGroup.RemoveAll();
        for (int u = 0; u < 100; ++u) {
            DEVGROUP& user = g_arrDevGroup.ElementAt(g_arrDevGroup.Add(DEVGROUP()));
            user.strName.Format(L"用户%03d", u);
            for (int d = 0; d < 100; ++d) {
                CString strId, strDeviceId, strName, strAddress, strNumber;
                strId.Format(L"SW-%03d-%03d", u, d);
                strDeviceId.Format(L"5%08d", u * 100 + d);
                strName.Format(L"继电器%d", d);
                strAddress.Format(L"%d号楼%d层", u % 9 + 1, d % 30 + 1);
                strNumber.Format(L"%d", d);
                user.arrDevice.Add(
                    MakeDevice(strId, L"Zq8rT0xW3bYk5nLm7pQs9vUe2gHj=", strDeviceId, strName, strAddress, strNumber));
            }
        }
        SaveAccountFile(kAccount);
        path = AccountFilePath(kAccount);
        bytes = FormatAccountFile(g_strPassword, g_arrDevGroup);
    }
    // In TMPDIR when set: on a RAM disk (TMPDIR=/dev/shm) flushing costs nothing, and the
    // ratios show the work of our own code alone.
    TempFolder folder;
    CWinApp app;
    CString path;
    std::string bytes;
};

BenchAccount& Account()
{
    static BenchAccount account;
    return account;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Reports the account operation's time as the iteration's and its floor's beside it.
void Report(benchmark::State& state, double floorSeconds, double totalSeconds)
{
    const auto n = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = benchmark::Counter(floorSeconds / n * 1e3);
    state.counters["ratio"] = benchmark::Counter(totalSeconds / floorSeconds);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Account().bytes.size()));
}

void ReadAndDecode(const CString& path, std::vector<char>& bytes, std::vector<wchar_t>& text)
{
    CFile file;
    file.Open(path, CFile::modeRead | CFile::typeBinary);
    bytes.resize(static_cast<size_t>(file.GetLength()));
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    text.resize(bytes.size());
    benchmark::DoNotOptimize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                                 static_cast<int>(text.size())));
}

// The bare system calls, without the lock and attributes a save adds.
void DurableWrite(const std::string& folder, const std::string& bytes)
{
    const std::string temp = folder + "/plain.tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    ::fsync(fd);
    ::close(fd);
    ::rename(temp.c_str(), (folder + "/plain.cfg").c_str());
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(dir);
    ::close(dir);
}

// Times the floor and the work in the same iteration, so that both meet the same machine
// state; only the work's time is the benchmark's.
template <class Floor, class Work>
void TimeAgainstFloor(benchmark::State& state, Floor floor, Work work)
{
    double floorSeconds = 0;
    double totalSeconds = 0;
    for (auto _ : state) {
        const Clock::time_point floorStart = Clock::now();
        floor();
        floorSeconds += Seconds(floorStart);
        const Clock::time_point start = Clock::now();
        work();
        const double seconds = Seconds(start);
        totalSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    Report(state, floorSeconds, totalSeconds);
}

void BM_LoadAccount(benchmark::State& state)
{
    BenchAccount& account = Account();
    std::vector<char> bytes;
    std::vector<wchar_t> text;
    TimeAgainstFloor(
        state, [&] { ReadAndDecode(account.path, bytes, text); },
        [] { benchmark::DoNotOptimize(LoadAccountFile(kAccount)); });
}

void BM_SaveAccount(benchmark::State& state)
{
    BenchAccount& account = Account();
    TimeAgainstFloor(
        state, [&] { DurableWrite(account.folder.Path(), account.bytes); },
        [] { benchmark::DoNotOptimize(SaveAccountFile(kAccount)); });
}

} // namespace

BENCHMARK(BM_LoadAccount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAccount)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
