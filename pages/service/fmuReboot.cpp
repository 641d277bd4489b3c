#include "pages/service/fmuReboot.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmReboot::TfmReboot(QWidget* owner) : TPage(owner, "fmReboot", PageCaption)
{
    using T = TfmReboot;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    row.Buttons(1, {{NAMED(btnReboot), QStringLiteral("Перезагрузить ККТ"), &T::btnRebootClick, "RebootKKT"}});
    row.Space();
    page.Space();
}

void TfmReboot::btnRebootClick()
{
    Driver().RebootKKT();
}
