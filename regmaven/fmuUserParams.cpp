#include "regmaven/fmuUserParams.h"

#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untUtils.h"

#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmINN);
DEFINE_PAGE_CLASS(TfmUserParams);

namespace {

// The record's text, or the table 18 field when the record has none.
QString RecordOrTable(const QString& Text, int Field, bool Try = false)
{
    if (!Text.isEmpty())
        return Text;
    return Try ? TryReadTableStr(18, 1, Field) : ReadTableStr(18, 1, Field);
}

} // namespace

TfmUserParams::TfmUserParams() : TParamPage("fmUserParams", QStringLiteral("Настройки места установки ККТ"))
{
    TFormBuilder<TfmUserParams> b(this);
    b.Edit(NAMED(edtUser), QStringLiteral("Наименование организации:"));
    b.Edit(NAMED(edtOperator), QStringLiteral("Имя оператора:"));
    b.Edit(NAMED(edtAddress), QStringLiteral("Адрес расчетов:"));
    SetEditLimit(b.Edit(NAMED(edtPaymentPlace), QStringLiteral("Место расчетов:")), 256);
    SetEditLimit(b.Edit(NAMED(edtSenderEmail), QStringLiteral("E-mail отправителя:")), 64);
    SetEditLimit(b.Edit(NAMED(edtCashierINN), QStringLiteral("ИНН кассира*:")), 64);
    b.Label("lblNote", QStringLiteral("* Если нет необходимости передавать ИНН кассира, поле можно оставить пустым"));
    b.Space();
}

void TfmUserParams::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    const TRegParams& p = Controller().RegParams;
    edtUser->setText(RecordOrTable(p.User, 7));
    edtOperator->setText(RecordOrTable(p.Cashier, 8));
    edtAddress->setText(RecordOrTable(p.Address, 9));
    edtPaymentPlace->setText(RecordOrTable(p.PayPlace, 14, true));
    edtSenderEmail->setText(p.SenderEmail);
    // From the record too, which each new work type clears.
    edtCashierINN->setText(p.CashierINN);
}

void TfmUserParams::Next()
{
    TRegParams& p = Controller().RegParams;
    const bool noPlace = edtAddress->text().isEmpty() && edtPaymentPlace->text().isEmpty();
    // A name of blanks is no name.
    RequireValue(edtUser->text().trimmed(), QStringLiteral("Наименование организации"));
    RequireValue(edtOperator->text(), QStringLiteral("Имя оператора"));
    if (!noPlace)
        RequireValue(edtAddress->text(), QStringLiteral("Адрес организации"));
    if (p.FFD > 1) {
        if (!noPlace && edtPaymentPlace->text().isEmpty() &&
            !AskWarning(QStringLiteral("Не введено место расчета\r\nПродолжить?\r\n"), QStringLiteral("Внимание")))
            RequireValue(edtPaymentPlace->text(), QStringLiteral("Место расчетов"));
        RequireValue(edtSenderEmail->text(), QStringLiteral("E-mail отправителя"));
        CheckSenderEmail(edtSenderEmail->text());
    }
    if (!edtCashierINN->text().isEmpty() &&
        !NamedConversion(QStringLiteral("ИНН кассира"), [this] { return CheckINN(edtCashierINN->text()); }))
        throw Exception(QStringLiteral("Введен невалидный \"ИНН кассира\" !"));
    p.User = edtUser->text();
    p.Cashier = edtOperator->text();
    p.Address = edtAddress->text();
    p.PayPlace = edtPaymentPlace->text();
    p.SenderEmail = edtSenderEmail->text();
    p.CashierINN = edtCashierINN->text();
    Controller().NextPageClass = ClassOf<TfmINN>();
}

} // namespace Regmaven
