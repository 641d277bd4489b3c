#include "regmaven/untController.h"

namespace Regmaven {

namespace {

TWizardWindow*& TheWindow()
{
    static TWizardWindow* window = nullptr;
    return window;
}

// Runs call on the window, when there is one.
template <class F>
void OnWindow(F call)
{
    if (TWizardWindow* form = TheWindow())
        call(*form);
}

} // namespace

TWizardWindow* WizardWindow()
{
    return TheWindow();
}

void SetWizardWindow(TWizardWindow* Window)
{
    TheWindow() = Window;
}

TController& Controller()
{
    static TController controller;
    return controller;
}

void TController::Next()
{
    OnWindow([](TWizardWindow& form) { form.Next(); });
}

void TController::Prev()
{
    OnWindow([](TWizardWindow& form) { form.Prev(); });
}

void TController::Home()
{
    OnWindow([](TWizardWindow& form) { form.Home(); });
}

void TController::EnableNext(bool Value)
{
    OnWindow([=](TWizardWindow& form) { form.EnableNext(Value); });
}

void TController::EnablePrev(bool Value)
{
    OnWindow([=](TWizardWindow& form) { form.EnablePrev(Value); });
}

void TController::EnableHome(bool Value)
{
    OnWindow([=](TWizardWindow& form) { form.EnableHome(Value); });
}

void TController::EnableSettings(bool Value)
{
    OnWindow([=](TWizardWindow& form) { form.EnableSettings(Value); });
}

TParamPage* TController::FindPageByClass(const TParamPageClass& AClass)
{
    TWizardWindow* window = TheWindow();
    return window ? window->Pages().PageByClass(AClass) : nullptr;
}

void TController::ClearRegParams()
{
    TRegParams& p = RegParams;
    p.INN.clear();
    p.RNM.clear();
    p.User.clear();
    p.Cashier.clear();
    p.Address.clear();
    p.TaxSystem = 255;
    p.Agent = 255;
    p.WorkMode = 255;
    p.WorkModeEx = 255;
    p.AutomatNumber.clear();
    p.ReasonCode = 255;
    p.FFD = 255;
    p.TaxOfficeURL.clear();
    p.SenderEmail.clear();
    p.PayPlace.clear();
    p.OFDName.clear();
    p.OFDUrl.clear();
    p.OFDINN.clear();
    p.OFDServer.clear();
    p.OFDPort = 0;
    p.CashierINN.clear();
    p.TimeZone = 0;
}

} // namespace Regmaven
