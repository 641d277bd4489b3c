#include "regmaven/untController.h"

#include "regmaven/fmuMain.h"

namespace Regmaven {

namespace {

// Runs call on the main window, when there is one.
template <class F>
void OnMainForm(F call)
{
    if (TfmMain* form = MainForm())
        call(*form);
}

} // namespace

TController& Controller()
{
    static TController controller;
    return controller;
}

void TController::Next()
{
    OnMainForm([](TfmMain& form) { form.Next(); });
}

void TController::Prev()
{
    OnMainForm([](TfmMain& form) { form.Prev(); });
}

void TController::Home()
{
    OnMainForm([](TfmMain& form) { form.Home(); });
}

void TController::EnableNext(bool Value)
{
    OnMainForm([=](TfmMain& form) { form.EnableNext(Value); });
}

void TController::EnablePrev(bool Value)
{
    OnMainForm([=](TfmMain& form) { form.EnablePrev(Value); });
}

void TController::EnableHome(bool Value)
{
    OnMainForm([=](TfmMain& form) { form.EnableHome(Value); });
}

void TController::EnableSettings(bool Value)
{
    OnMainForm([=](TfmMain& form) { form.EnableSettings(Value); });
}

TParamPage* TController::FindPageByClass(const TParamPageClass& AClass)
{
    TfmMain* form = MainForm();
    return form ? form->Pages().PageByClass(AClass) : nullptr;
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
}

} // namespace Regmaven
