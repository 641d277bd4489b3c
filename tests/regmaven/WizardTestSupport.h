#pragma once
// The wizard's main window on the emulated register.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"
#include "regmaven/ComportUtils.h"
#include "regmaven/TCPDeviceSearch.h"
#include "regmaven/fmuMain.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>

// The message of the Exception that call raises; empty when it raises none.
QString MessageOf(const std::function<void()>& call);

// The lines of an X5 registration parameters file with every key (lottery,
// excise and the printer in the automat set), without skipKey, with value for key.
QStringList X5ParamsLines(const QString& skipKey = {}, const QString& key = {}, const QString& value = {});

class WizardTest : public DriverTest {
protected:
    void SetUp() override
    {
        Regmaven::FreeDriver();   // first: freeing it saves the driver's settings
        DriverTest::SetUp();
        Regmaven::Controller() = Regmaven::TController{};
        Regmaven::SetRetryPolicy({0, 150});
        // The search sees the bench's serial ports; discovery listens on a
        // loopback port of the system's choice.
        FSavedSources = Regmaven::SetPortSources({&BenchSerialPorts});
        FSavedEndpoint = Regmaven::SetDiscoveryEndpoint({QHostAddress(QHostAddress::LocalHost), 0});
    }
    void TearDown() override
    {
        FForm.reset();
        Regmaven::SetPortSources(FSavedSources);
        Regmaven::SetDiscoveryEndpoint(FSavedEndpoint);
        Regmaven::FreeDriver();
        DriverTest::TearDown();
    }

    // The wizard's window, shown, with "X5.ini" in its folder when x5.
    Regmaven::TfmMain& Form(bool x5 = false);
    EmulatedOrvek& Component() { return *EmulatedComponentOf(Regmaven::Driver()); }
    // Presses "Далее >" / "< Назад" and returns the page caption shown then
    // (once a link check that the page shown started has ended).
    QString Next();
    QString Prev();
    QString Title() const { return FForm->pnlTop->text(); }
    Regmaven::TParamPage* Current() const { return Regmaven::Controller().CurrentPage; }
    template <class T>
    T& Page() const { return *FForm->Pages().PageByClass<T>(); }

    // The emulated registers' serial ports as the port class lists them.
    static QList<Regmaven::TPortDevice> BenchSerialPorts();
    // Waits for every port search of the search page, then lets it show them.
    void FinishSearch();
    // From the connect page along the COM road: the search, its first row,
    // on to the work types.
    void ReachWorkTypes();

    std::unique_ptr<Regmaven::TfmMain> FForm;
    QList<Regmaven::TPortSource> FSavedSources;
    Regmaven::TDiscoveryEndpoint FSavedEndpoint;
};
