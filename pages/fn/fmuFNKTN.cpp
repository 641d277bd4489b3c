#include "pages/fn/fmuFNKTN.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "platform/ui/FormBuilder.h"

namespace {
// The GS1 Data Matrix code: sent as its serial number and GTIN.
constexpr int DataMatrixType = 17485;

struct TMarkingTypeItem {
    int Code;
    const char* Text;
    const char* Hint;
};

const TMarkingTypeItem MarkingTypes[] = {
    {0, "Нераспознанный код (0)", "Массив информации шк товара. Длина до 30 байт"},
    {17672, "Код EAN-8, UPC-E (17672)", "Код товара в кодировке EAN-8 в формате ASCII. 8 цифр"},
    {17677, "Код EAN-13, UPC-A (17677)", "Код товара в кодировке EAN-13 в формате ASCII. 13 цифр"},
    {18702, "Код ITF-14 (18702)", "Код товара в кодировке ITF-14 в формате ASCII. 14 цифр"},
    {DataMatrixType, "Код GS1 Data Matrix (17485)", "Серийный номер (и GTIN)"},
    {21062, "Код мехового изделия (21062)", "Код мехового изделия. 20 символов (СС-ЦЦЦЦЦЦ-СССССССССС)"},
    {50452, "Код EGAIS 2.0 PDF14 (50452)", "Код EGAIS 2.0 в кодировке ASCII. 23 символа (с 9 по 31 из 68)"},
    {50462, "Код EGAIS 3.0 Data Matrix (50462)", "Код EGAIS 3.0 в кодировке ASCII. Первые 14 символов из 150"},
};
} // namespace

TfmFNKTN::TfmFNKTN(QWidget* owner) : TPage(owner, "fmFNKTN", PageCaption)
{
    // The code's inputs on the left, the button on the right.
    TFormBuilder<TfmFNKTN> page(this, nullptr, true);
    auto inputs = page.Section();
    page.Stretch();
    inputs.Combo(NAMED(cbMarkingType), "Тип КТ:", {}, -1, "MarkingType");
    inputs.Edit(NAMED(edtGTIN), "GTIN:", {}, "GTIN");
    inputs.Label(NAMED(lblBarcode), {});
    inputs.Memo(NAMED(memBarcode), false, "BarCode");
    inputs.Whole(rbASCII = NewRadioButton(this, "rbASCII", "Интерпретировать как ASCII", true), "BarCode");
    inputs.Whole(rbHEX = NewRadioButton(this, "rbHEX", "Интерпретировать как HEX"), "BarcodeHex");

    using T = TfmFNKTN;
    page.Buttons(12, {
        {NAMED(btnFNSendItemCodeData), "Передать КТ", &T::btnFNSendItemCodeDataClick, "FNSendItemCodeData"},
    });

    FormCreate();
    OnChange(cbMarkingType, this, &T::cbMarkingTypeChange);
}

void TfmFNKTN::FormCreate()
{
    for (const TMarkingTypeItem& item : MarkingTypes)
        cbMarkingType->addItem(GetRes(item.Text), item.Code);
    cbMarkingType->setCurrentIndex(0);
    cbMarkingTypeChange();
}

void TfmFNKTN::UpdatePage()
{
    TPage::UpdatePage();
    cbMarkingTypeChange();
}

void TfmFNKTN::cbMarkingTypeChange()
{
    const int index = cbMarkingType->currentIndex();
    if (index < 0)
        return;
    const int code = cbMarkingType->itemData(index).toInt();
    for (const TMarkingTypeItem& item : MarkingTypes)
        if (item.Code == code)
            lblBarcode->setText(GetRes(item.Hint));
    GTINEnable(code == DataMatrixType);
}

// Enabled with the window colour, disabled with the button face.
void TfmFNKTN::GTINEnable(bool Value)
{
    edtGTIN->setEnabled(Value);
    QPalette colours = edtGTIN->palette();
    colours.setColor(QPalette::Base, palette().color(Value ? QPalette::Base : QPalette::Button));
    edtGTIN->setPalette(colours);
}

void TfmFNKTN::btnFNSendItemCodeDataClick()
{
    TDriver& d = Driver();
    QString text = memBarcode->toPlainText();
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    d.setMarkingType(cbMarkingType->currentData().toInt());
    if (d.MarkingType() == DataMatrixType) {
        d.setSerialNumber(rbHEX->isChecked() ? AnsiToWide(HexToStr(text)) : text);
        d.setGTIN(edtGTIN->text());
    } else if (rbHEX->isChecked()) {
        d.setBarcodeHex(text);
    } else {
        d.setBarCode(text);
    }
    d.FNSendItemCodeData();
}
