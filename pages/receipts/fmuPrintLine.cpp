#include "pages/receipts/fmuPrintLine.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "platform/Exceptions.h"

TfmPrintLine::TfmPrintLine(QWidget* owner) : TPage(owner, "fmPrintLine", PageCaption)
{
    using T = TfmPrintLine;
    TFormBuilder<T> page(this, nullptr, true);
    auto hex = page.Section();
    hex.Edit(NAMED(edtLineData), "Данные, Hex:", QStringLiteral("FF ").repeated(12), "LineDataHex")->setMinimumWidth(360);
    hex.Spin(NAMED(seLineNumber), "Количество, 0..65535:", 1, 65535, 10, "LineNumber");
    hex.Check(NAMED(chbLineSwapBytes), "Переворачивать байты", false, "LineSwapBytes");
    Flags.Build(hex);
    hex.Buttons(1, {{NAMED(btnPrintLine), "Печать линии", &T::btnPrintLineClick, "PrintLine"}});

    auto black = page.Section();
    black.Spin(NAMED(seLineCount), "Количество линий:", 1, 65535, 20, "LineNumber");
    black.Spin(NAMED(seByteCount), "Длина линии, байт:", 0, 255, 0);
    black.Buttons(1, {{NAMED(btnBlackLine), "Печать линии", &T::btnBlackLineClick, "PrintLine"}});
    page.Space();
}

void TfmPrintLine::btnPrintLineClick()
{
    Flags.SetDriverFlags();
    Driver().setLineDataHex(edtLineData->text());
    Driver().setLineNumber(seLineNumber->value());
    Driver().setLineSwapBytes(chbLineSwapBytes->isChecked());
    Driver().PrintLine();
}

void TfmPrintLine::btnBlackLineClick()
{
    Driver().setFontType(1);
    int maxWidth = Driver().MaxLineWidth();
    if (maxWidth == 0) {
        Check(Driver().GetFontMetrics());
        maxWidth = Driver().PrintWidth() / 8;
    }
    if (seByteCount->value() > maxWidth)
        throw Exception(QStringLiteral("Неверная длина линии"));
    Driver().setLineData(AnsiToWide(QByteArray(seByteCount->value(), '\xFF')));
    Driver().setLineNumber(seLineCount->value());
    Driver().PrintLine();
}
