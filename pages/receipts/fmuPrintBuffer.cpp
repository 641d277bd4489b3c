#include "pages/receipts/fmuPrintBuffer.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "platform/Exceptions.h"
#include "core/support/Format.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QPointer>

TfmPrintBuffer::TfmPrintBuffer(QWidget* owner) : TPage(owner, "fmPrintBuffer", PageCaption)
{
    // The memo on the left, the inputs and buttons on the right.
    TFormBuilder<TfmPrintBuffer> page(this, nullptr, true);
    ReportMemo(page.Memo(NAMED(Memo), true));
    auto right = page.Section();
    right.Spin(NAMED(seLineNumber), "Номер строки:", 0, 65535, 0, "LineNumber");
    right.Combo(NAMED(cbPrintBufferFormat), "Формат строки:", {"Без изменений", "Только текст", "Все символы"}, 2,
                "PrintBufferFormat");
    using T = TfmPrintBuffer;
    right.Buttons(6, {
        {NAMED(btnReadPrintBufferLineNumber), "Получить количество строк", &T::btnReadPrintBufferLineNumberClick,
         "ReadPrintBufferLineNumber"},
        {NAMED(btnReadPrintBufferLine), "Получить строку по номеру", &T::btnReadPrintBufferLineClick,
         "ReadPrintBufferLine"},
        {NAMED(btnReadPrintBuffer), "Получить весь буфер", &T::btnReadPrintBufferClick, "ReadPrintBufferLine"},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        {NAMED(btnClearPrintBuffer), "Очистить буфер печати", &T::btnClearPrintBufferClick, "ClearPrintBuffer"},
        {NAMED(btnClear), "Очистить", &T::btnClearClick, {}, TRun::Plain},
    });
}

void TfmPrintBuffer::hideEvent(QHideEvent* event)
{
    if (!window()->isVisible())
        FStopFlag = true;
    TPage::hideEvent(event);
}

void TfmPrintBuffer::btnReadPrintBufferLineNumberClick()
{
    Memo->clear();
    Check(Driver().ReadPrintBufferLineNumber());
    Memo->appendPlainText(Format("%s : %d", {QStringLiteral("Количество строк в буфере печати"),
                                             Driver().PrintBufferLineNumber()}));
    Memo->appendPlainText(Format("%s : %d", {QStringLiteral("Количество напечатаных строк"), Driver().LineNumber()}));
}

void TfmPrintBuffer::btnReadPrintBufferLineClick()
{
    Memo->clear();
    Driver().setLineNumber(seLineNumber->value());
    Driver().setPrintBufferFormat(cbPrintBufferFormat->currentIndex());
    Check(Driver().ReadPrintBufferLine());
    Memo->appendPlainText(Driver().StringForPrinting());
}

// Every line from the first until the end, "Прервать" or a failure.
void TfmPrintBuffer::btnReadPrintBufferClick()
{
    TDriverJob job;   // events run between the driver calls
    FStopFlag = false;
    btnStop->setEnabled(true);
    Memo->clear();
    Driver().setPrintBufferFormat(cbPrintBufferFormat->currentIndex());
    Check(Driver().ReadPrintBufferLineNumber());
    const int count = Driver().PrintBufferLineNumber();
    QPointer<TfmPrintBuffer> alive(this);
    for (int i = 0; i < count && !FStopFlag; ++i) {
        Driver().setLineNumber(i);
        Check(Driver().ReadPrintBufferLine());
        Memo->appendPlainText(Format("%.3d: %s", {i, Driver().StringForPrinting()}));
        QCoreApplication::processEvents();
        if (!alive)
            Abort();
    }
}

void TfmPrintBuffer::btnStopClick()
{
    FStopFlag = true;
}

void TfmPrintBuffer::btnClearPrintBufferClick()
{
    Check(Driver().ClearPrintBuffer());
}

void TfmPrintBuffer::btnClearClick()
{
    Memo->clear();
}
