#pragma once
// The wizard's main window on the emulated register.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"
#include "regmaven/fmuMain.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
#include <QPushButton>
#include <memory>

class WizardTest : public DriverTest {
protected:
    void SetUp() override
    {
        Regmaven::FreeDriver();   // first: freeing it saves the driver's settings
        DriverTest::SetUp();
        Regmaven::Controller() = Regmaven::TController{};
        Regmaven::SetRetryPolicy({0, 150});
    }
    void TearDown() override
    {
        FForm.reset();
        Regmaven::FreeDriver();
        DriverTest::TearDown();
    }

    // The wizard's window, shown, with "X5.ini" in its folder when x5.
    Regmaven::TfmMain& Form(bool x5 = false);
    EmulatedOrvek& Component() { return *EmulatedComponentOf(Regmaven::Driver()); }
    // Presses "Далее >" / "< Назад" and returns the page caption shown then.
    QString Next();
    QString Prev();
    QString Title() const { return FForm->pnlTop->text(); }
    Regmaven::TParamPage* Current() const { return Regmaven::Controller().CurrentPage; }

    std::unique_ptr<Regmaven::TfmMain> FForm;
};
