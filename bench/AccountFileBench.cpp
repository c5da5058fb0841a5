// Load and save of an account of 100 users with 100 devices each, beside a plain read and a
// plain write of the same bytes. Throughput is in the "bytes_per_second" column.
#include "platform/core/File.h"
#include "platform/core/WinApp.h"
#include "registry/Account.h"
#include "registry/AccountFile.h"
#include "registry/AccountFormat.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const CString kAccount = L"bench";

struct BenchAccount
{
    BenchAccount()
    {
        char pattern[] = "/tmp/quorvane-bench-XXXXXX";
        folder = mkdtemp(pattern);
        app.SetExecutablePath(FromUtf8(folder + "/quorvane"));
        g_strPassword = L"pass-word";
        g_arrDevGroup.RemoveAll();
        for (int u = 0; u < 100; ++u) {
            DEVGROUP& user = g_arrDevGroup.ElementAt(g_arrDevGroup.Add(DEVGROUP()));
            user.strName.Format(L"用户%03d", u);
            for (int d = 0; d < 100; ++d) {
                DEVICE dev;
                dev.strId.Format(L"SW-%03d-%03d", u, d);
                dev.strApiKey = L"Zq8rT0xW3bYk5nLm7pQs9vUe2gHj=";
                dev.strDeviceId.Format(L"5%08d", u * 100 + d);
                dev.strName.Format(L"继电器%d", d);
                dev.strAddress.Format(L"%d号楼%d层", u % 9 + 1, d % 30 + 1);
                dev.strNumber.Format(L"%d", d);
                user.arrDevice.Add(dev);
            }
        }
        SaveAccountFile(kAccount);
        path = AccountFilePath(kAccount);
        bytes = FormatAccountFile(g_strPassword, g_arrDevGroup);
    }
    ~BenchAccount() { std::filesystem::remove_all(folder); }

    CWinApp app;
    std::string folder;
    CString path;
    std::string bytes;
};

BenchAccount& Account()
{
    static BenchAccount account;
    return account;
}

void BM_LoadAccount(benchmark::State& state)
{
    BenchAccount& account = Account();
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadAccountFile(kAccount));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(account.bytes.size()));
}

void BM_PlainRead(benchmark::State& state)
{
    BenchAccount& account = Account();
    std::vector<char> buffer;
    for (auto _ : state) {
        CFile file;
        file.Open(account.path, CFile::modeRead | CFile::typeBinary);
        buffer.resize(static_cast<size_t>(file.GetLength()));
        benchmark::DoNotOptimize(file.Read(buffer.data(), static_cast<UINT>(buffer.size())));
        file.Close();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(account.bytes.size()));
}

void BM_SaveAccount(benchmark::State& state)
{
    BenchAccount& account = Account();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAccountFile(kAccount));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(account.bytes.size()));
}

// The same bytes with one write; arg 1 also flushes them to the disk, as the save does.
void BM_PlainWrite(benchmark::State& state)
{
    BenchAccount& account = Account();
    const CString plain = FromUtf8(account.folder + "/plain.cfg");
    for (auto _ : state) {
        CFile file;
        file.Open(plain, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.Write(account.bytes.data(), static_cast<UINT>(account.bytes.size()));
        if (state.range(0))
            file.Flush();
        file.Close();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(account.bytes.size()));
}

} // namespace

BENCHMARK(BM_LoadAccount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAccount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
