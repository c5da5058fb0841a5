#include "console/QuorvaneDlg.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleFixture.h"
#include "tests/support/RunScripted.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTableWidget>
#include <QTest>

namespace {

// Pictures of the console's windows. They go to $QUORVANE_SCREENSHOT_DIR when it is set
// (scripts/screenshots.sh), otherwise into the test's own folder.
class ScreenshotTest : public ConsoleTest
{
protected:
    QString OutputPath(const QString& name) const
    {
        const QString dir = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR", QString::fromStdString(m_folder.Path()));
        return dir + "/" + name;
    }

    // A picture with text on it has many pixels far darker than the window's background.
    static int DarkPixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) < 80;
        return count;
    }

    void Save(QWidget* pWindow, const QString& name)
    {
        const QImage image = pWindow->grab().toImage();
        m_dark << DarkPixels(image);
        image.save(OutputPath(name));
    }

    QList<int> m_dark;
    fake::FakePlatform m_platform;
};

TEST_F(ScreenshotTest, rendersLoginNewAccountMainWindowAndAddDevice)
{
    DEVGROUP pumps = MakeUser(L"水泵房", 0);
    const wchar_t* const names[][4] = {{L"P-01", L"1号水泵", L"一号楼地下室", L"5001"},
                                       {L"P-02", L"2号水泵", L"二号楼地下室", L"5002"},
                                       {L"L-07", L"走廊照明", L"三号楼三层", L"5003"}};
    // The states in the picture come from the polling worker, asking a stand-in platform.
    m_platform.setDevice("5001", true, 1);
    m_platform.setDevice("5002", true, 0);
    m_platform.setDevice("5003", false, 0);
    fake::ProxyEnvironment proxy(m_platform.proxyUrl());
    for (const auto& name : names)
        pumps.arrDevice.Add(MakeDevice(name[0], L"key", name[3], name[1], name[2], name[0] + 2));
    WriteAccount(L"demo", L"pw", {pumps, MakeUser(L"照明", 2)});

    CModalScript script;
    script.OnWindow(LoginTitle(), [&](QWidget* w) {
        TypeInto(w, IDC_EDIT_ACCOUNT, "demo");
        TypeInto(w, IDC_EDIT_PASSWORD, "pw");
        Save(w, "login.png");
        Click(w, IDC_BTN_NEW_ACCOUNT);
    });
    script.OnWindow(NewAccountTitle(), [&](QWidget* w) {
        TypeInto(w, IDC_EDIT_NEW_ACCOUNT, "新账号");
        Save(w, "new-account.png");
        Click(w, IDCANCEL);
    });
    script.OnWindow(LoginTitle(), [](QWidget* w) { Click(w, IDOK); });
    script.OnWindow(MainTitle(), [&](QWidget* w) {
        QTRY_COMPARE_WITH_TIMEOUT(ShownStates(w), QStringList({"在线通", "在线断", "离线?"}), 5000);
        Save(w, "main-window.png");
        Click(w, IDC_BTN_ADD_DEVICE);
    });
    script.OnWindow(AddDeviceTitle(), [&](QWidget* w) {
        const std::pair<int, const char*> fields[] = {
            {IDC_EDIT_DEVICE_ID, "P-03"},      {IDC_EDIT_API_KEY, "key"},          {IDC_EDIT_PLATFORM_ID, "5003"},
            {IDC_EDIT_DEVICE_NAME, "3号水泵"}, {IDC_EDIT_ADDRESS, "三号楼地下室"}, {IDC_EDIT_NUMBER, "{03}"}};
        for (const auto& [nID, text] : fields)
            TypeInto(w, nID, QString::fromUtf8(text));
        Save(w, "add-device.png");
        Click(w, IDOK);
    });
    script.OnMessageBox([&](QMessageBox* pBox) {
        Save(pBox, "message-box.png");
        QTest::mouseClick(pBox->buttons().front(), Qt::LeftButton);
    });
    script.OnWindow(AddDeviceTitle(), [](QWidget* w) { Click(w, IDCANCEL); });
    script.OnWindow(MainTitle(), [](QWidget* w) { w->close(); });
    RunScripted(script, CQuorvaneDlg());
    ASSERT_EQ(m_dark.size(), 5);
    for (int nDark : m_dark)
        EXPECT_GT(nDark, 200);
}

} // namespace
