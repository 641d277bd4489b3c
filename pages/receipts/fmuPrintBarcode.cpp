#include "pages/receipts/fmuPrintBarcode.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "platform/ui/FormBuilder.h"

namespace {
constexpr int StepPause = 100;  // ms
}

void CutPaperStep(int pauseBefore, int pauseAfter)
{
    if (pauseBefore > 0)
        TDriver::Pause(pauseBefore);
    Driver().setUseJournalRibbon(false);
    Driver().setUseReceiptRibbon(true);
    Driver().setUseSlipDocument(false);
    Driver().setStringQuantity(10);
    TPage::Check(Driver().FeedDocument());
    Driver().setCutType(true);
    TPage::Check(Driver().CutCheck());
    if (pauseAfter > 0)
        TDriver::Pause(pauseAfter);
}

void PrintFullWidthLineStep(int pauseAfter)
{
    Driver().setFontType(1);
    TPage::Check(Driver().GetFontMetrics());
    const int bytes = Driver().PrintWidth() / 8;
    Driver().setLineNumber(10);
    Driver().setLineData(AnsiToWide(QByteArray(bytes, '\xFF')));
    TPage::Check(Driver().PrintLine());
    if (pauseAfter > 0)
        TDriver::Pause(pauseAfter);
}

void PrintFullWidthGraphicStep()
{
    TDriver::Pause(StepPause);
    Driver().setLineData(AnsiToWide(QByteArray(80, '\xFF')));
    for (int i = 1; i <= 10; ++i) {
        Driver().setLineNumber(i);
        TPage::Check(Driver().LoadLineData());
    }
    Driver().setFirstLineNumber(1);
    Driver().setLastLineNumber(10);
    TPage::Check(Driver().Draw());
}

TfmPrintBarcode::TfmPrintBarcode(QWidget* owner) : TPage(owner, "fmPrintBarcode", PageCaption)
{
    using T = TfmPrintBarcode;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Edit(NAMED(edtBarcode), "Данные штрихкода:", "12345678901234567890", "BarCode")->setMinimumWidth(300);
    left.Combo(NAMED(cbBarcodeType), "Тип штрихкода:",
               {"0. Code128A (только линии)", "1. Code128B (только линии)", "2. Code128C (только линии)",
                "3. QR Code (только графика)", "4. Code128 auto", "5. Code39", "6. Code93", "7. ITF14", "8. UPCA",
                "9. UPCE", "10. PDF417 (только графика)", "11. AZTEC (только графика)", "12. ITF 2 of 5 Interleaved"},
               0, "BarcodeType");
    left.Spin(NAMED(seBarWidth), "Ширина штриха, точек:", 1, 255, 2, "BarWidth");
    left.Combo(NAMED(cbBarcodeAlignment), "Выравнивание:", {"По центру", "Влево", "Вправо"}, 0, "BarcodeAlignment");
    left.Combo(NAMED(cbPrintBarcodeText), "Печать текста:",
               {"не печатать", "под штрихкодом", "над штрихкодом", "под и над штрихкодом"}, 0, "PrintBarcodeText");
    left.Spin(NAMED(seLineNumber), "Высота штрихкода, точек:", 0, 1199, 100, "LineNumber");
    left.Spin(NAMED(seFirstLineNumber), "Номер первой линии:", 0, 1199, 1, "FirstLineNumber");
    left.Check(NAMED(chbLineSwapBytes), "Переворачивать байты", false, "LineSwapBytes");
    left.Check(NAMED(chbCutPaper), "Выполнять отрезку", true, "CutCheck");
    left.Check(NAMED(chbPrintMaxWidth), "Печатать максимальную ширину", false, "PrintLine");
    left.Space();

    auto buttons = page.Section();
    buttons.Buttons(3, {
        {NAMED(btnPrintBarcodeGraph), "Печать штрихкода графикой", &T::btnPrintBarcodeGraphClick, "PrintBarcodeGraph"},
        {NAMED(btnPrintBarcodeLine), "Печать штрихкода линией", &T::btnPrintBarcodeLineClick, "PrintBarcodeLine"},
        {NAMED(btnPrintBarcode), "Печать штрихкода (EAN13)", &T::btnPrintBarcodeClick, "PrintBarCode"},
    });
    page.Space();
}

void TfmPrintBarcode::Initialize()
{
    cbBarcodeType->setCurrentIndex(0);
    cbBarcodeAlignment->setCurrentIndex(0);
}

void TfmPrintBarcode::CutPaper()
{
    if (chbCutPaper->isChecked())
        CutPaperStep(StepPause, StepPause);
}

void TfmPrintBarcode::FinishWithLine()
{
    if (chbPrintMaxWidth->isChecked())
        PrintFullWidthLineStep(StepPause);
    CutPaper();
}

void TfmPrintBarcode::btnPrintBarcodeGraphClick()
{
    Driver().setUseReceiptRibbon(true);
    Driver().setLineNumber(seLineNumber->value());
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setBarCode(edtBarcode->text());
    Driver().setBarcodeType(cbBarcodeType->currentIndex());
    Driver().setBarWidth(seBarWidth->value());
    Driver().setBarcodeAlignment(cbBarcodeAlignment->currentIndex());
    Driver().setPrintBarcodeText(cbPrintBarcodeText->currentIndex());
    Check(Driver().PrintBarcodeGraph());
    if (chbPrintMaxWidth->isChecked())
        PrintFullWidthGraphicStep();
    CutPaper();
}

void TfmPrintBarcode::btnPrintBarcodeLineClick()
{
    Driver().setUseReceiptRibbon(true);
    Driver().setLineNumber(seLineNumber->value());
    Driver().setBarCode(edtBarcode->text());
    Driver().setBarcodeType(cbBarcodeType->currentIndex());
    Driver().setBarWidth(seBarWidth->value());
    Driver().setBarcodeAlignment(cbBarcodeAlignment->currentIndex());
    Driver().setPrintBarcodeText(cbPrintBarcodeText->currentIndex());
    Driver().setLineSwapBytes(chbLineSwapBytes->isChecked());
    Check(Driver().PrintBarcodeLine());
    FinishWithLine();
}

void TfmPrintBarcode::btnPrintBarcodeClick()
{
    Driver().setBarCode(edtBarcode->text());
    Check(Driver().PrintBarCode());
    FinishWithLine();
}
