#include "pages/fn/fmuRNM.h"

#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

namespace {
// The edit's digits as bytes; any other character (a ".", pasted text)
// raises an error naming the field.
QByteArray DigitsOf(const QLineEdit* edit, const QString& field)
{
    for (QChar ch : edit->text())
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            throw Exception(QStringLiteral("Поле \"%1\" должно содержать только цифры").arg(field));
    return WideToAnsi(edit->text());
}

const QString NumberCaption = QStringLiteral("Номер ККТ (макс. 10 симв.)");
const QString INNCaption = QStringLiteral("ИНН (макс. 12 симв.)");
const QString SerialCaption = QStringLiteral("Зав. Номер ККТ (макс 20 симв.)");
const QString Colon = QStringLiteral(":");
} // namespace

TfmRNM::TfmRNM(QWidget* owner) : TPage(owner, "fmRNM", PageCaption)
{
    using T = TfmRNM;
    TFormBuilder<T> page(this, nullptr, true);
    auto inputs = page.Section();
    page.Space();
    OnKeyPress(inputs.Edit(NAMED(edtNumber), NumberCaption + Colon), this, &T::NumKeyPress);
    OnKeyPress(inputs.Edit(NAMED(edtINN), INNCaption + Colon), this, &T::NumKeyPress);
    OnKeyPress(inputs.Edit(NAMED(edtSerial), SerialCaption + Colon, {}, "SerialNumber"), this, &T::NumKeyPress);
    SetEditLimit(edtNumber, 10);
    SetEditLimit(edtINN, 12);
    SetEditLimit(edtSerial, 20);
    inputs.Edit(NAMED(edtRNM), "РНМ:")->setReadOnly(true);
    edtRNM->setMinimumWidth(200);
    inputs.Buttons(2, {
        {NAMED(btnOpenDrawer), "Сгенерировать РНМ", &T::btnOpenDrawerClick},
        {NAMED(btnGetSerial), "Запросить зав. номер", &T::btnGetSerialClick, "ReadSerialNumber"},
    });
}

void TfmRNM::NumKeyPress(QChar& Key)
{
    NumberKeyFilter(Key);
}

void TfmRNM::btnOpenDrawerClick()
{
    const QByteArray number = DigitsOf(edtNumber, NumberCaption);
    const QByteArray inn = DigitsOf(edtINN, INNCaption);
    const QByteArray serial = DigitsOf(edtSerial, SerialCaption);
    edtRNM->setText(GenerateRNM(number, inn, serial));
}

void TfmRNM::btnGetSerialClick()
{
    Check(Driver().ReadSerialNumber());
    edtSerial->setText(Driver().SerialNumber());
}
