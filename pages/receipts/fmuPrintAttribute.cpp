#include "pages/receipts/fmuPrintAttribute.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmPrintAttribute::TfmPrintAttribute(QWidget* owner) : TPage(owner, "fmPrintAttribute", PageCaption)
{
    TFormBuilder<TfmPrintAttribute> page(this, nullptr, true);
    auto inputs = page.Section();
    page.Stretch();
    auto number = inputs.Columns();
    number.Spin(NAMED(seAttributeNumber), "Номер реквизита, 0..255:", 0, 255, 1, "AttributeNumber");
    number.Space();
    inputs.Label("lblAttribute", "Значение реквизита:");
    inputs.Memo(NAMED(memAttribute), false, "AttributeValue")->setPlainText(QStringLiteral("test1"));
    using T = TfmPrintAttribute;
    page.Buttons(2, {
        {NAMED(btnPrintAttribute), "Печать реквизита", &T::btnPrintAttributeClick, "PrintAttribute"},
        {NAMED(btnPrintAttributes), "Печать реквизитов", &T::btnPrintAttributesClick, "PrintAttribute"},
    });
}

void TfmPrintAttribute::btnPrintAttributeClick()
{
    Driver().setAttributeNumber(seAttributeNumber->value());
    // The memo's text as the platform's memo gives it: lines ended by CR LF.
    Driver().setAttributeValue(memAttribute->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    Driver().PrintAttribute();
}

// Every number with a blank value; the result codes are not looked at.
void TfmPrintAttribute::btnPrintAttributesClick()
{
    for (int n = 0; n <= 255; ++n) {
        Driver().setAttributeNumber(n);
        Driver().setAttributeValue(QStringLiteral(" "));
        Driver().PrintAttribute();
    }
}
