#include "tests/support/ModalScript.h"
#include "TestDialog.h"
#include "tests/support/RunScripted.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A step that lets events through while it waits (as QTRY_ does) is still running: the next
// step does not play inside it.
TEST(ModalScriptTest, nextStepWaitsUntilTheRunningActionHasReturned)
{
    CModalScript script;
    bool bFirstRunning = false;
    bool bSecondSawFirstRunning = true;
    script.OnWindow("测试对话框", [&](QWidget*) {
        bFirstRunning = true;
        QTest::qWait(50);
        bFirstRunning = false;
    });
    script.OnWindow("测试对话框", [&](QWidget* w) {
        bSecondSawFirstRunning = bFirstRunning;
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(RunScripted(script, CTestDlg()), IDCANCEL);
    EXPECT_FALSE(bSecondSawFirstRunning);
}

} // namespace
