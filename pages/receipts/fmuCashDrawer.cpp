#include "pages/receipts/fmuCashDrawer.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmCashDrawer::TfmCashDrawer(QWidget* owner) : TPage(owner, "fmCashDrawer", PageCaption)
{
    using T = TfmCashDrawer;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Spin(NAMED(seDrawer), "Номер денежного ящика:", 0, 255, 0, "DrawerNumber");
    left.Buttons(1, {{NAMED(btnOpenDrawer), "Открыть денежный ящик", &T::btnOpenDrawerClick, "OpenDrawer"}});
    page.Space();
}

// The result code is left to the result panel.
void TfmCashDrawer::btnOpenDrawerClick()
{
    Driver().setDrawerNumber(seDrawer->value());
    Driver().OpenDrawer();
}
