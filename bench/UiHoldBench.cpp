// How long the UI thread is held while the polling worker polls 500 devices (half online)
// of the chosen user against the fake platform: the real main window, offscreen, logged in
// by a script. A zero-interval timer on the UI thread runs whenever it is free; the longest
// gap between two of its runs is the longest time anything, the worker's selection reads
// and cell writes included, kept the UI thread from its events. Goal: under 16 ms.
#include "console/QuorvaneApp.h"
#include "console/QuorvaneDlg.h"
#include "registry/Account.h"
#include "registry/AccountFile.h"
#include "resources/ResourceIds.h"
#include "tests/support/AccountData.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TempFolder.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>

CQuorvaneApp theApp;

namespace {

constexpr int kDevices = 500;
// A device query per device and a status query per online device, each followed by a cell
// write.
constexpr size_t kExchangesPerCycle = kDevices + kDevices / 2;
constexpr int kCycles = 3;

void WriteAccount(fake::FakePlatform& platform)
{
    DEVGROUP group;
    group.strName = L"bench";
    for (int i = 0; i < kDevices; ++i) {
        const std::string id = "d" + std::to_string(i);
        platform.setDevice(id, i % 2 == 0, i % 4 == 0, "bench-key");
        group.arrDevice.Add(MakeDevice(FromUtf8(id), L"bench-key", FromUtf8(id), L"", L"", L""));
    }
    g_strPassword = L"pw";
    g_arrDevGroup.Add(group);
    SaveAccountFile(L"bench");
    g_arrDevGroup.RemoveAll();
}

} // namespace

int main()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder folder;
    theApp.SetExecutablePath(FromUtf8(folder.PathOf("quorvane")));
    fake::FakePlatform platform;
    fake::ProxyEnvironment proxy(platform.proxyUrl());
    WriteAccount(platform);

    qint64 nLongestGapNs = 0;
    double dSeconds = 0;
    CModalScript script;
    script.OnWindow(DialogCaption(IDD_DLG_INPUTPWD), [](QWidget* w) {
        TypeInto(w, IDC_EDIT_ACCOUNT, "bench");
        TypeInto(w, IDC_EDIT_PASSWORD, "pw");
        Click(w, IDOK);
    });
    script.OnWindow(DialogCaption(IDD_QUORVANE_DIALOG), [&](QWidget* w) {
        QElapsedTimer clock, sinceLast;
        clock.start();
        sinceLast.start();
        QTimer probe;
        probe.setInterval(0);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            nLongestGapNs = std::max(nLongestGapNs, sinceLast.nsecsElapsed());
            sinceLast.restart();
        });
        probe.start();
        while (platform.requestCount() < kCycles * kExchangesPerCycle && clock.elapsed() < 120000)
            QTest::qWait(10);
        probe.stop();
        dSeconds = clock.elapsed() / 1000.0;
        w->close();
    });
    CQuorvaneDlg dlg;
    dlg.DoModal();

    std::printf("%zu exchanges in %.2f s (%d devices, %d cycles)\n", platform.requestCount(), dSeconds, kDevices,
                kCycles);
    std::printf("longest time the UI thread was held: %.3f ms (goal < 16 ms)\n", nLongestGapNs / 1e6);
    return script.Finished() && script.Failure().isEmpty() ? 0 : 1;
}
