#include "pages/receipts/fmuPrintText.h"

#include "core/driver/untDriver.h"
#include "core/support/FileUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "platform/ui/MemoLimit.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
const char* const SampleText =
    "Я помню чудное мгновенье:\n"
    "Передо мной явилась ты,\n"
    "Как мимолетное виденье,\n"
    "Как гений чистой красоты.\n"
    "В томленьях грусти безнадежной,\n"
    "В тревогах шумной суеты,\n"
    "Звучал мне долго голос нежный\n"
    "И снились милые черты.\n"
    "Шли годы. Бурь порыв мятежный\n"
    "Рассеял прежние мечты,\n"
    "И я забыл твой голос нежный,\n"
    "Твои небесные черты.\n"
    "В глуши, во мраке заточенья\n"
    "Тянулись тихо дни мои";

// Characters the memo takes by hand; a loaded file is kept whole.
constexpr int MaxMemoLength = 4096;

const QString FileFilter = QStringLiteral("Текстовые файлы (*.txt);;") + Dialogs::AllFilesFilter();

// The memo's lines as the memo counts them: none when empty, no line after a final break.
QStringList MemoLines(const QPlainTextEdit* memo)
{
    QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

TfmPrintText::TfmPrintText(QWidget* owner) : TPage(owner, "fmPrintText", PageCaption)
{
    // The string, its flags and buttons on the left; the memo on the right.
    TFormBuilder<TfmPrintText> page(this, nullptr, true);
    auto left = page.Section();
    SetEditLimit(left.Edit(NAMED(edtStringForPrinting), "Строка:", "Строка для печати", "StringForPrinting"), 4096);
    left.Check(NAMED(chbUseReceiptRibbon), "Чековая лента", true, "UseReceiptRibbon");
    left.Check(NAMED(chbUseJournalRibbon), "Контрольная лента", true, "UseJournalRibbon");
    left.Check(NAMED(chbUseSlipDocument), "ПД", true, "UseSlipDocument");
    left.Check(NAMED(chbCarryStrings), "Переносить строки", false, "CarryStrings");
    left.Check(NAMED(chbDelayedPrint), "Отложенная печать", false, "DelayedPrint");
    left.Check(NAMED(chkUseSlipCheck), "Слип-чек", false, "UseSlipCheck");
    left.Spin(NAMED(seFontType), "Шрифт:", 1, 9, 1, "FontType");
    using T = TfmPrintText;
    left.Buttons(6, {
        {NAMED(btnPrintString), "Печать строки", &T::btnPrintStringClick, "PrintString"},
        {NAMED(btnPrintWideString), "Жирная строка", &T::btnPrintWideStringClick, "PrintWideString"},
        {NAMED(btnPrintStringWithFont), "Строка шрифтом", &T::btnPrintStringWithFontClick, "PrintStringWithFont"},
        {NAMED(btnPrintStringWithWrap), "Печать строки c переносом", &T::btnPrintStringWithWrapClick,
         "PrintStringWithWrap"},
        {NAMED(btnOpenNonFiscalDocument), "Открыть нефискальный документ", &T::btnOpenNonFiscalDocumentClick,
         "OpenNonfiscalDocument"},
        {NAMED(btnCloseNonFiscalDocument), "Закрыть нефискальный документ", &T::btnCloseNonFiscalDocumentClick,
         "CloseNonFiscalDocument"},
    });

    auto right = page.Section();
    page.Stretch();
    right.Label("lblMemo", "Текст:");
    right.Memo(NAMED(Memo))->setPlainText(QString::fromUtf8(SampleText));
    Memo->setMinimumWidth(360);
    auto counter = right.Columns();
    counter.Row("Количество строк:", lblStrCount = NewLabel(this, "0", "lblStrCount"));
    counter.Space();
    right.Buttons(1, {
        {NAMED(btnPrint), "Печать", &T::btnPrintClick, "PrintStringWithFont"},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        {NAMED(btnOpen), "Открыть файл", &T::btnOpenClick, {}, TRun::Plain},
        {NAMED(btnSave), "Сохранить в файл", &T::btnSaveClick, {}, TRun::Plain},
    });
    right.Grid()->setRowStretch(right.Grid()->rowCount() - 1, 0);  // the memo takes the height
    FMemoLimit = new TMemoLimit(Memo, MaxMemoLength);
    OnChange(Memo, this, &T::MemoChange);
    MemoChange();
}

void TfmPrintText::UpdatePage()
{
    MemoChange();
}

void TfmPrintText::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    MemoChange();
}

void TfmPrintText::hideEvent(QHideEvent* event)
{
    if (!window()->isVisible())
        FStopFlag = true;
    TPage::hideEvent(event);
}

void TfmPrintText::MemoChange()
{
    lblStrCount->setText(QString::number(MemoLines(Memo).size()));
}

void TfmPrintText::SetRibbonFlags()
{
    Driver().setUseReceiptRibbon(chbUseReceiptRibbon->isChecked());
    Driver().setUseJournalRibbon(chbUseJournalRibbon->isChecked());
    Driver().setUseSlipDocument(chbUseSlipDocument->isChecked());
    Driver().setCarryStrings(chbCarryStrings->isChecked());
    Driver().setDelayedPrint(chbDelayedPrint->isChecked());
}

void TfmPrintText::btnPrintStringClick()
{
    SetRibbonFlags();
    Driver().setUseSlipCheck(chkUseSlipCheck->isChecked());
    Driver().setStringForPrinting(edtStringForPrinting->text());
    Driver().PrintString();
}

void TfmPrintText::btnPrintWideStringClick()
{
    SetRibbonFlags();
    Driver().setStringForPrinting(edtStringForPrinting->text());
    Driver().PrintWideString();
}

void TfmPrintText::btnPrintStringWithFontClick()
{
    SetRibbonFlags();
    Driver().setStringForPrinting(edtStringForPrinting->text());
    Driver().setFontType(seFontType->value());
    Driver().PrintStringWithFont();
}

void TfmPrintText::btnPrintStringWithWrapClick()
{
    SetRibbonFlags();
    Driver().setUseSlipCheck(chkUseSlipCheck->isChecked());
    Driver().setStringForPrinting(edtStringForPrinting->text());
    Driver().PrintStringWithWrap();
}

void TfmPrintText::btnOpenNonFiscalDocumentClick()
{
    Driver().OpenNonfiscalDocument();
}

void TfmPrintText::btnCloseNonFiscalDocumentClick()
{
    Driver().CloseNonFiscalDocument();
}

// Line by line in the chosen font until the end, "Прервать" or a failure.
void TfmPrintText::btnPrintClick()
{
    TDriverJob job;   // events run between the driver calls
    SetRibbonFlags();
    Driver().setFontType(seFontType->value());
    FStopFlag = false;
    btnStop->setEnabled(true);
    const QStringList lines = MemoLines(Memo);
    QPointer<TfmPrintText> alive(this);
    for (const QString& line : lines) {
        if (FStopFlag)
            break;
        Driver().setStringForPrinting(line);
        Check(Driver().PrintStringWithFont());
        QCoreApplication::processEvents();
        if (!alive)
            Abort();
    }
}

void TfmPrintText::btnStopClick()
{
    FStopFlag = true;
}

void TfmPrintText::btnOpenClick()
{
    const QString fileName = Dialogs::OpenFileName(QStringLiteral("Открыть"), FileFilter);
    if (fileName.isEmpty())
        return;
    FMemoLimit->SetText(LoadTextFile(fileName));
}

void TfmPrintText::btnSaveClick()
{
    const QString fileName = Dialogs::SaveFileName(QStringLiteral("Сохранить"), FileFilter, {}, QStringLiteral("txt"));
    if (!fileName.isEmpty())
        SaveTextFile(fileName, Memo->toPlainText());
}
