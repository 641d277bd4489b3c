#pragma once
// The emulated register for tests of any area.
//
//   class MyPageTest : public DriverTest {};
//   TEST_F(MyPageTest, PrintsLine) {
//       TestRegister().Faults().FailNext(OrvekMethod::PrintString, 80, 2);
//       ... drive the page ...
//       EXPECT_EQ(TestRegister().Paper().Texts(), QStringList{"..."});
//   }
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekDialogs.h"

#include <gtest/gtest.h>
#include <functional>

// Installs the emulated driver component, frees the driver object, removes
// the driver's saved settings and the bench registers' kept states, and puts
// the bench back to its one default register (COM1 at 115200, TCP
// 127.0.0.1:7778; ORVEK_BENCH is not read; kept in memory only) with no
// dialog scripts.
void ResetEmulatedDriver();
// The bench's first register.
EmulatedRegister& TestRegister();
// The emulated component behind Driver() (creates the driver object).
EmulatedOrvek& TestComponent();

// Makes the driver object, then clears the register's paper and the
// component's call trace: what a test looks at starts here.
void ClearPaperAndTrace();

// The component's next dialog (ShowProperties, ShowTablesDlg) runs this
// script instead of showing: it may fill the controls (found by objectName)
// and returns QDialog::Accepted or QDialog::Rejected. A dialog without a
// script is answered Rejected and counted.
void ScriptOrvekDialog(std::function<int(QDialog&)> script);
int UnexpectedOrvekDialogs();

// Fixture: ResetEmulatedDriver before each test, FreeDriver after it.
class DriverTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEmulatedDriver(); }
    void TearDown() override { FreeDriver(); }
};
