#pragma once
// The registration data pages on the wizard's window over the emulated register.
#include "platform/Exceptions.h"
#include "regmaven/untOFDTemplate.h"
#include "tests/regmaven/WizardTestSupport.h"

class RegistrationPageTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        qputenv(Regmaven::TemplatesFolderVariable, (TestTempDir() + "/templates").toLocal8Bit());
        Regmaven::Controller().ClearRegParams();
    }
    void TearDown() override
    {
        qunsetenv(Regmaven::TemplatesFolderVariable);
        WizardTest::TearDown();
    }

    // Shows the page of class T as the current page (the window is made once).
    template <class T>
    T& Show()
    {
        if (!FForm)
            Form();
        T* page = FForm->Pages().PageByClass<T>();
        Regmaven::Controller().CurrentPage = page;
        if (page->isVisible()) {
            page->hide();  // each show refreshes the page
            page->show();
        } else {
            FForm->ShowPage(page->Index());
        }
        return *page;
    }

    // The message Next raises; empty when it raises none.
    static QString NextMessage(Regmaven::TParamPage& page)
    {
        Regmaven::Controller().NextPageClass = {};
        try {
            page.Next();
        } catch (const Exception& e) {
            return e.Message();
        }
        return {};
    }
    // Next went on to a page of class T.
    template <class T>
    static bool WentTo()
    {
        return Regmaven::Controller().NextPageClass == Regmaven::ClassOf<T>();
    }
};
