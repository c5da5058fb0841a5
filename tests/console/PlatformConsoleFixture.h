#pragma once

#include "ConsoleFixture.h"
#include "resources/ResourceIds.h"
#include "tests/platform/ui/ModalScript.h"
#include "tests/support/FakePlatform.h"

#include <QAbstractItemView>
#include <QTableWidget>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

// The console logged in as "alice" against the fake platform, with two users: "用户一" with
// the devices dev0 (online, relay open), dev1 (online, relay closed) and dev2 (offline), and
// "用户二" with one device. The polling worker starts with the main window.
class PlatformConsoleTest : public ConsoleTest
{
protected:
    static constexpr const char* kMain = "Tesmir继电器控制";

    void SetUp() override
    {
        ConsoleTest::SetUp();
        WriteAccount(L"alice", L"pw", {User(L"用户一", 3), User(L"用户二", 1)});
        m_platform.setDevice("dev0", true, 0, "key0");
        m_platform.setDevice("dev1", true, 1, "key1");
        m_platform.setDevice("dev2", false, 0, "key2");
        m_script.OnWindow("输入账号密码", [](QWidget* w) {
            TypeInto(w, IDC_EDIT_ACCOUNT, "alice");
            TypeInto(w, IDC_EDIT_PASSWORD, "pw");
            Click(w, IDOK);
        });
    }

    // Every step played, none given up for want of its window (an unexpected message box).
    ::testing::AssertionResult ScriptPlayed() const
    {
        if (!m_script.Failure().isEmpty())
            return ::testing::AssertionFailure() << m_script.Failure().toStdString();
        if (!m_script.Finished())
            return ::testing::AssertionFailure() << "steps left over";
        return ::testing::AssertionSuccess();
    }

    std::vector<fake::RecordedRequest> Posts() const
    {
        std::vector<fake::RecordedRequest> posts;
        for (const auto& request : m_platform.requests())
            if (request.method == "POST")
                posts.push_back(request);
        return posts;
    }

    static QTableWidget* List(QWidget* w) { return Control<QTableWidget>(w, IDC_LIST_DEVICE); }
    static QString Cell(QWidget* w, int nRow, int nCol) { return List(w)->item(nRow, nCol)->text(); }

    // Selects the rows as the operator would: a click on the first, control-clicks on the rest.
    static void SelectRows(QWidget* w, std::initializer_list<int> rows)
    {
        QAbstractItemView* pList = List(w);
        Qt::KeyboardModifiers modifiers;
        for (int nRow : rows) {
            const QRect rect = pList->visualRect(pList->model()->index(nRow, 1));
            QTest::mouseClick(pList->viewport(), Qt::LeftButton, modifiers, rect.center());
            modifiers = Qt::ControlModifier;
        }
    }

    // Opens the device list's context menu with a right click on a selected row, or below the
    // rows when none is selected; the next step of the script meets the menu.
    static void OpenDeviceMenu(QWidget* w)
    {
        QTableWidget* pList = List(w);
        QWidget* pViewport = pList->viewport();
        const QList<QTableWidgetItem*> selected = pList->selectedItems();
        const QPoint pos = selected.isEmpty() ? QPoint(10, pViewport->height() - 5)
                                              : pList->visualItemRect(selected.front()).center();
        RightClick(pViewport, pos);
    }

    fake::FakePlatform m_platform;
    std::optional<fake::ProxyEnvironment> m_proxy{std::in_place, m_platform.proxyUrl()};
    CModalScript m_script;
};
