#pragma once

#include "tests/console/ConsoleFixture.h"
#include "tests/console/EditingUi.h"
#include "tests/support/FakePlatform.h"

#include <QTableWidget>

#include <string>
#include <sys/stat.h>

inline const char* const kMainTitle = "Tesmir继电器控制";
inline const char* const kAddDeviceTitle = "添加设备";
inline const char* const kAddUserTitle = "添加用户";
inline const char* const kYes = "是(&Y)";
inline const char* const kNo = "否(&N)";

// The bytes of a text in the ANSI code page (GBK), as the account file holds it.
std::string Gbk(const std::string& utf8);
// A device line as ConsoleTest::User makes it: device i of that user, with its CR LF.
std::string DeviceLine(const std::string& user, int i);

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
// Column 0 of every row, top to bottom.
QStringList ListedIds(QWidget* pMain);
QStringList RowTexts(QWidget* pMain, int nRow);
// Selects the rows as the operator would: a click on the first, Ctrl+click on the others.
void SelectRows(QWidget* pMain, std::initializer_list<int> rows);
void RightClickRow(QWidget* pMain, int nRow);

// The console with its polling worker talking to a fake platform, so that no test reaches
// the real one; the steps for the windows go into m_script.
class EditingTest : public ConsoleTest
{
protected:
    // Runs the main window through the queued steps, then closes it.
    void RunMainWindow();
    std::string File(const char* account = "alice.cfg") const { return ReadFile(account); }

    fake::FakePlatform m_platform;
    fake::ProxyEnvironment m_proxy{m_platform.proxyUrl()};
    CModalScript m_script;
};

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
