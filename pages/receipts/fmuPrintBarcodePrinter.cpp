#include "pages/receipts/fmuPrintBarcodePrinter.h"

#include "core/driver/untDriver.h"
#include "pages/receipts/fmuPrintBarcode.h"
#include "platform/ui/FormBuilder.h"

const std::vector<TBarcode>& PrinterBarcodes()
{
    static const std::vector<TBarcode> table = {
        {0, "UPC-A"},
        {1, "UPC-E"},
        {2, "EAN13 (JAN)"},
        {3, "EAN8 (JAN)"},
        {4, "CODE39"},
        {5, "ITF"},
        {6, "CODABAR"},
        {7, "CODE93"},
        {8, "CODE128"},
        {10, "PDF417"},
        {11, "GS1 Omnidirectional"},
        {12, "GS1 Truncated"},
        {13, "GS1 Limited"},
        {14, "GS1 Expanded"},
        {15, "GS1 Stacked"},
        {16, "GS1 Stacked Omnidirectional"},
        {17, "GS1 Expanded Stacked"},
        {20, "CODE32"},
    };
    return table;
}

const std::vector<TBarcodeParams>& SampleBarcodes()
{
    static const std::vector<TBarcodeParams> samples = {
        {"UPC-A: ", "123456789012", 0},
        {"UPC-E: ", "123456789012", 1},
        {"EAN13: ", "123456789012", 2},
        {"EAN8: ", "1234567", 3},
        {"CODE39: ", "123456789012", 4},
        {"ITF25: ", "123456789012", 5},
        {"CODABAR: ", "A123456789012D", 6},
        {"CODE93: ", "123456789012", 7},
        {"CODE128: ", "123456789012", 8},
        {"PDF417: ", "123456789012", 10},
        {"GS1 DataBar Omnidirectional: ", "1234567890123", 11},
        {"GS1 DataBar Truncated: ", "1234567890123", 12},
        {"GS1 DataBar Limited: ", "1234567890123", 13},
        {"GS1 DataBar Expanded: ", "123456789012", 14},
        {"GS1 DataBar Stacked: ", "1234567890123", 15},
        {"GS1 DataBar Stacked Omnidirectional: ", "1234567890123", 16},
        {"GS1 DataBar Expanded Stacked: ", "123456789012", 17},
    };
    return samples;
}

TfmPrintBarcodePrinter::TfmPrintBarcodePrinter(QWidget* owner) : TPage(owner, "fmPrintBarcodePrinter", PageCaption)
{
    using T = TfmPrintBarcodePrinter;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Edit(NAMED(edtBarcode), "Данные штрихкода:", "12345678901234567890", "BarCode")->setMinimumWidth(300);
    left.Combo(NAMED(cbBarcodeType), "Тип штрихкода:", {}, 0, "BarcodeType");
    left.Spin(NAMED(seBarWidth), "Ширина штриха, точек:", 1, 255, 2, "BarWidth");
    left.Spin(NAMED(seFontType), "Шрифт HRI", 0, 255, 0, "FontType");
    left.Spin(NAMED(seHRIPosition), "Позиция HRI:", 0, 255, 0, "HRIPosition");
    left.Spin(NAMED(seLineNumber), "Высота штрихкода, точек:", 0, 1199, 100, "LineNumber");
    left.Check(NAMED(chbCutPaper), "Выполнять отрезку", true, "CutCheck");
    left.Check(NAMED(chbPrintMaxWidth), "Печатать максимальную ширину", true, "PrintLine");
    left.Space();

    auto buttons = page.Section();
    buttons.Buttons(2, {
        {NAMED(btnPrintBarcodeUsingPrinter), "Печать штрихкода средствами принтера",
         &T::btnPrintBarcodeUsingPrinterClick, "PrintBarcodeUsingPrinter"},
        {NAMED(btnPrintAllBarcodes), "Печатать все штрих-коды", &T::btnPrintAllBarcodesClick,
         "PrintBarcodeUsingPrinter"},
    });
    page.Space();
}

void TfmPrintBarcodePrinter::Initialize()
{
    cbBarcodeType->clear();
    for (const TBarcode& barcode : PrinterBarcodes())
        cbBarcodeType->addItem(barcode.Description, barcode.BarcodeType);
    cbBarcodeType->setCurrentIndex(0);
}

void TfmPrintBarcodePrinter::SetCommonParams()
{
    Driver().setLineNumber(seLineNumber->value());
    Driver().setBarWidth(seBarWidth->value());
    Driver().setHRIPosition(seHRIPosition->value());
    Driver().setFontType(seFontType->value());
}

void TfmPrintBarcodePrinter::Finish()
{
    if (chbCutPaper->isChecked())
        CutPaperStep(0, 100);
    if (chbPrintMaxWidth->isChecked())
        PrintFullWidthLineStep(0);
}

void TfmPrintBarcodePrinter::btnPrintBarcodeUsingPrinterClick()
{
    SetCommonParams();
    Driver().setBarcodeType(cbBarcodeType->currentData().toInt());
    Driver().setBarCode(edtBarcode->text());
    Check(Driver().PrintBarcodeUsingPrinter());
    Finish();
}

void TfmPrintBarcodePrinter::PrintBarcode(const TBarcodeParams& sample)
{
    Driver().setStringForPrinting(QString(35, QLatin1Char('-')));
    Check(Driver().PrintString());
    Driver().setStringForPrinting(sample.Text);
    Check(Driver().PrintString());
    Driver().setBarcodeType(sample.BarcodeType);
    Driver().setBarCode(sample.Barcode);
    Check(Driver().PrintBarcodeUsingPrinter());
}

void TfmPrintBarcodePrinter::btnPrintAllBarcodesClick()
{
    SetCommonParams();
    for (const TBarcodeParams& sample : SampleBarcodes())
        PrintBarcode(sample);
    Finish();
}
