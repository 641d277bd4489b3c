#include "pages/receipts/fmuPDF417.h"

#include "core/driver/untDriver.h"
#include "core/support/untUtil.h"
#include "pages/receipts/fmu2DBarcode.h"
#include "pages/receipts/fmuPrintBarcode.h"
#include "platform/ui/FormBuilder.h"

#include <QFont>
#include <QLabel>

namespace {
QStringList Numbers(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}
} // namespace

TfmPDF417::TfmPDF417(QWidget* owner) : TPage(owner, "fmPDF417", PageCaption)
{
    using T = TfmPDF417;
    TFormBuilder<T> page(this);
    QLabel* title = page.Label("lblTitle", "Печать штрих-кода PDF417 на принтере VKP80");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto columns = page.Columns();
    auto left = columns.Section();
    left.Combo(NAMED(cbColumnCount), "Количество колонок, 0..30:", QStringList{"0, autoselect"} + Numbers(1, 30), 0,
               "BarcodeParameter1");
    left.Spin(NAMED(seRowCount), "Количество рядов, 0, 3..90:", 0, 255, 0, "BarcodeParameter2");
    left.Combo(NAMED(cbModuleWidth), "Ширина модуля, 2..8:", Numbers(2, 8), 1, "BarcodeParameter3");
    left.Combo(NAMED(cbSymbolHeight), "Высота символа, 2..8:", Numbers(2, 8), 1, "BarcodeParameter4");
    left.Spin(NAMED(seErrorCorrectionLevel), "Уровень коррекции ошибок:", 0, 255, 0, "BarcodeParameter5");
    left.Combo(NAMED(cbBarcodeAlignment), "Выравнивание:", {"по центру", "влево", "вправо"}, 0, "BarcodeAlignment");
    left.Check(NAMED(chbCutPaper), "Выполнять отрезку", true, "CutCheck");
    left.Edit(NAMED(edtStatus), "Файл:", "Файл не открыт")->setReadOnly(true);
    edtStatus->setMinimumWidth(300);
    left.Space();
    auto right = columns.Section();
    right.Buttons(3, {
        {NAMED(btnOpenFile), "Открыть файл", &T::btnOpenFileClick, {}, TRun::Plain},
        {NAMED(btnPrintPDF417), "Напечатать", &T::btnPrintPDF417Click, "LoadAndPrint2DBarcode"},
        {NAMED(btnCutPaper), "Выполнить отрезку", &T::btnCutPaperClick, "CutCheck"},
    });
    columns.Space();
    page.Space();
}

void TfmPDF417::btnOpenFileClick()
{
    OpenDataFile(FData, edtStatus, MaxFileSize);
}

void TfmPDF417::btnPrintPDF417Click()
{
    Driver().setBarcodeType(0);
    Driver().setBlockDataHex(StrToHex(FData, true));
    Driver().setBarcodeParameter1(cbColumnCount->currentIndex());
    Driver().setBarcodeParameter2(seRowCount->value());
    Driver().setBarcodeParameter3(cbModuleWidth->currentIndex() + 2);
    Driver().setBarcodeParameter4(cbSymbolHeight->currentIndex() + 2);
    Driver().setBarcodeParameter5(seErrorCorrectionLevel->value());
    Driver().setBarcodeAlignment(cbBarcodeAlignment->currentIndex());
    Check(Driver().LoadAndPrint2DBarcode());
    if (chbCutPaper->isChecked())
        CutPaperStep(0, 0);
}

void TfmPDF417::btnCutPaperClick()
{
    CutPaperStep(0, 0);
}
