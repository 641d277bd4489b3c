#include "pages/receipts/fmuCashCore.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmCashCore::TfmCashCore(QWidget* owner) : TPage(owner, "fmCashCore", PageCaption)
{
    using T = TfmCashCore;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Spin(NAMED(edtErrorCode), "Код ошибки:", 0, 255, 0, "ErrorCode");
    left.Edit(NAMED(edtErrorDescription), "Описание:", {}, "ErrorDescription")->setReadOnly(true);
    edtErrorDescription->setMinimumWidth(400);
    left.Buttons(1, {{NAMED(btnOpenDrawer), "Получить описание ошибки", &T::btnOpenDrawerClick,
                      "ReadErrorDescription"}});
    page.Space();
}

// A failing read keeps the description shown.
void TfmCashCore::btnOpenDrawerClick()
{
    Driver().setErrorCode(edtErrorCode->value());
    if (Driver().ReadErrorDescription() == 0)
        edtErrorDescription->setText(Driver().ErrorDescription());
}
