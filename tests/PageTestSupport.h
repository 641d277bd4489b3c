#pragma once
// Fixtures of page tests against the emulated register: a page of its own or
// a page inside the real main window, made after the driver is reset and
// freed before it.
//
//   class PrintTextPageTest : public PageTest<TfmPrintText> {};
//   TEST_F(PrintTextPageTest, PrintsTheMemo) { Page->btnPrint->click(); ... }
#include "lumaqtst/fmuMain.h"
#include "platform/Registry.h"
#include "tests/DriverTestSupport.h"

#include <QFile>
#include <memory>

// A page of its own (no main window).
template <class TfmPage>
class PageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Page = std::make_unique<TfmPage>();
    }
    void TearDown() override
    {
        Page.reset();
        DriverTest::TearDown();
    }

    std::unique_ptr<TfmPage> Page;
};

// The page as the main window makes it, with no stored settings.
template <class TfmPage>
class MainPageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        Main = std::make_unique<TfmMain>();
        Page = Main->Pages().template PageByClass<TfmPage>();
        ASSERT_NE(Page, nullptr);
    }
    void TearDown() override
    {
        Main.reset();
        DriverTest::TearDown();
    }

    std::unique_ptr<TfmMain> Main;
    TfmPage* Page = nullptr;
};
