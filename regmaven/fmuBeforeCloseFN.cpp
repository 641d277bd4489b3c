#include "regmaven/fmuBeforeCloseFN.h"

#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCloseFN);
DEFINE_PAGE_CLASS(TfmBeforeCloseFN);

TfmBeforeCloseFN::TfmBeforeCloseFN() : TParamPage("fmBeforeCloseFN", QStringLiteral("Закрытие архива ФН"))
{
    TFormBuilder<TfmBeforeCloseFN> b(this);
    b.Label("lblInfo", QStringLiteral("Введите имя и должность кассира и нажмите \"Далее\", \nчтобы закрыть архив ФН"));
    SetEditLimit(b.Edit(NAMED(edtCashier), QStringLiteral("Имя и должность кассира:")), 64);
    b.Space();
    b.Grid()->setColumnStretch(2, 1);
}

// The connection stays open for the close page, which closes it.
void TfmBeforeCloseFN::Next()
{
    if (edtCashier->text().isEmpty())
        throw Exception(QStringLiteral("Введите имя и должность кассира"));
    WriteTableStr(2, 30, 2, edtCashier->text());
    Controller().NextPageClass = ClassOf<TfmCloseFN>();
}

} // namespace Regmaven
