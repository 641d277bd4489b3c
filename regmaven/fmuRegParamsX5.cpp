#include "regmaven/fmuRegParamsX5.h"

#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untUtils.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationBefore);
DEFINE_PAGE_CLASS(TfmRegParamsX5);

TfmRegParamsX5::TfmRegParamsX5() : TParamPage("fmRegParamsX5", QStringLiteral("Параметры регистрации (X5)"))
{
    TFormBuilder<TfmRegParamsX5> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Edit(NAMED(edtCashierName), QStringLiteral("ФИО кассира:"));
    b.Edit(NAMED(edtCashierPosition), QStringLiteral("Должность кассира:"));
    SetEditLimit(b.Edit(NAMED(edtCashierINN), QStringLiteral("ИНН кассира:")), 12);
    b.Edit(NAMED(edtFNSSite), QStringLiteral("Сайт ФНС:"), TaxOfficeWebAddress);
    b.Edit(NAMED(edtSenderEmail), QStringLiteral("Адрес отправителя:"), FixedSenderEmail);
    b.Combo(NAMED(cbbFFD), QStringLiteral("Версия ФФД:"),
            {QStringLiteral("1.0"), QStringLiteral("1.0 beta"), QStringLiteral("1.05"), QStringLiteral("1.1")});
    b.Combo(NAMED(cbbReasonCode), QStringLiteral("Причина перерегистрации:"),
            {QStringLiteral("Замена ОФД"), QStringLiteral("Изменение реквизитов"), QStringLiteral("Изменение настроек ККТ")});
    b.Label("lblNote", QStringLiteral("Нажмите \"Далее\""));
    b.Space();
}

void TfmRegParamsX5::FormShow()
{
    const TRegParams& p = Controller().RegParams;
    const bool reason = !p.FirstTime && !p.NewFN;
    // From the record, which each new work type clears.
    edtCashierINN->setText(p.CashierINN);
    cbbReasonCode->setVisible(reason);
    if (QLabel* label = CaptionOf(cbbReasonCode))
        label->setVisible(reason);
}

void TfmRegParamsX5::Next()
{
    if (edtCashierName->text().isEmpty())
        throw Exception(QStringLiteral("Введите ФИО кассира!"));
    if (edtCashierPosition->text().isEmpty())
        throw Exception(QStringLiteral("Введите должность кассира!"));
    if (!edtCashierINN->text().isEmpty() &&
        !NamedConversion(QStringLiteral("ИНН кассира"), [this] { return CheckINN(edtCashierINN->text()); }))
        throw Exception(QStringLiteral("Некорректный ИНН кассира!"));
    TRegParams& p = Controller().RegParams;
    p.Cashier = edtCashierPosition->text() + u' ' + edtCashierName->text();
    p.CashierINN = edtCashierINN->text();
    p.TaxOfficeURL = edtFNSSite->text();
    p.SenderEmail = edtSenderEmail->text();
    p.FFD = cbbFFD->currentIndex();
    p.ReasonCode = p.NewFN ? 1 : cbbReasonCode->currentIndex() + 2;
    Controller().NextPageClass = ClassOf<TfmFiscalizationBefore>();
}

} // namespace Regmaven
