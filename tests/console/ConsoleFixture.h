#pragma once

#include "console/QuorvaneApp.h"
#include "registry/Device.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleUi.h"
#include "tests/support/AccountData.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TempFolder.h"

#include <QTableWidget>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

extern CQuorvaneApp theApp;

// Empties what a log-in fills, as a new start of the program finds it.
void ForgetAccount();

// Every test runs the console as an executable "quorvane" in a folder of its own, with no
// account logged in. The polling worker's requests go to a port that refuses them, so no test
// reaches for a real host.
class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::string FilePath(const char* name) const { return m_folder.PathOf(name); }
    std::string ReadFile(const char* name) const { return m_folder.Read(name); }
    // Writes an account file through the registry, as the console itself would.
    void WriteAccount(const CString& strAccount, const CString& strPassword, const std::vector<DEVGROUP>& users);

    TempFolder m_folder;
    fake::ProxyEnvironment m_refusingProxy{fake::RefusingUrl()};
};

// The console with its polling worker talking to a fake platform; the steps for the windows
// go into m_script.
class PlatformConsoleTest : public ConsoleTest
{
protected:
    // Runs the main window through the queued steps, then closes it.
    void RunMainWindow();
    std::vector<fake::RecordedRequest> Posts() const;

    fake::FakePlatform m_platform;
    std::optional<fake::ProxyEnvironment> m_proxy{std::in_place, m_platform.proxyUrl()};
    CModalScript m_script;
};

// The script starts by logging in as "alice", who has two users: "用户一" with the devices
// dev0 (online, relay open), dev1 (online, relay closed) and dev2 (offline), and "用户二"
// with one device. The polling worker starts with the main window.
class AliceConsoleTest : public PlatformConsoleTest
{
protected:
    void SetUp() override;
};

// Tells whether a file was rewritten: a save replaces the file, so its inode or its time
// of change moves.
struct FileStamp
{
    ino_t inode = 0;
    long long changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

QTableWidget* DeviceList(QWidget* pMain);
// The cell's text; "" for a cell never filled.
QString Cell(QWidget* pMain, int nRow, int nCol);
// Column 0 of every row, top to bottom.
QStringList ListedIds(QWidget* pMain);
QStringList RowTexts(QWidget* pMain, int nRow);
// The online and relay cells of every row, each row's two joined: "在线通".
QStringList ShownStates(QWidget* pMain);
// Selects the rows as the operator would: a click on the first, Ctrl+click on the others.
void SelectRows(QWidget* pMain, std::initializer_list<int> rows);
// Opens the device list's context menu with a right click on the first selected row, or
// below the rows when none is selected; the next step of the script meets the menu.
void OpenDeviceMenu(QWidget* pMain);

// Queues the steps that log in with the typed account name and password.
void LogIn(CModalScript& script, const QString& account, const QString& password);
// Queues "添加设备" from the main window and the add-device dialog's part: the six fields
// (in dialog order, joined by '|'), the names to add and the position to choose (-1: keep
// the preselection), then OK. `before` runs on the main window first.
using MainAction = std::function<void(QWidget* pMain)>;
void AddDevice(CModalScript& script, const QString& fields, const QStringList& newUsers = {}, int nChoose = -1,
               const MainAction& before = {});
// Queues the deletion of row nRow of the shown user through the context menu, confirmed.
void DeleteRow(CModalScript& script, int nRow, const MainAction& before = {});
// Queues choosing user nUser in the main window and "删除用户", confirmed.
void DeleteUser(CModalScript& script, int nUser, const MainAction& before = {});
