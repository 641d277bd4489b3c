#include "pages/service/fmuTestEncoding.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "platform/ui/MemoLimit.h"

#include <QCoreApplication>
#include <QFontDialog>
#include <QPlainTextEdit>

namespace {
const QString FileFilter = QStringLiteral("Текстовые файлы (*.txt);;") + Dialogs::AllFilesFilter();
} // namespace

QStringList MemoLines(const QString& Text)
{
    if (Text.isEmpty())
        return {};
    QStringList lines = Text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList CodePageLines()
{
    QStringList lines;
    for (int r = 0; r < 16; ++r) {
        QString s;
        for (int i = 0; i < 16; ++i)
            s += QChar(16 * r + i);
        lines << Format(QStringLiteral("0x%.2x %s"), {16 * r, s});
    }
    return lines;
}

QStringList EcrCodePageLines()
{
    QStringList lines;
    for (int r = 0; r < 32; ++r) {
        QString s;
        for (int n = 8 * r; n < 8 * r + 8; ++n)
            s += Format(QStringLiteral("&#%d;"), {n});
        lines << Format(QStringLiteral("0x%.2x %s"), {8 * r, s});
    }
    return lines;
}

QStringList ArmenianLines()
{
    QStringList lines;
    for (int first = 0x0530; first < 0x0590; first += 8) {
        QString s;
        for (int code = first; code < first + 8; ++code)
            s += QChar(code);
        lines << Format(QStringLiteral("0x%.4X: "), {first}) + s;
    }
    return lines;
}

TfmTestEncoding::TfmTestEncoding(QWidget* owner) : TPage(owner, "fmTestEncoding", PageCaption)
{
    using T = TfmTestEncoding;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Label("lblText", QStringLiteral("Текст:"));
    Memo = ReportMemo(left.Memo(NAMED(Memo)));
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo->setMinimumWidth(Memo->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 48);

    auto right = page.Section();
    lblStrCount = right.Row(QStringLiteral("Количество строк:"), NewLabel(this, QStringLiteral("0"), "lblStrCount"));
    right.Spin(NAMED(seFontType), QStringLiteral("Шрифт:"), 1, 10, 1, "FontType");
    right.Buttons(9, {
        {NAMED(btnPrint), "Печать", &T::btnPrintClick, "PrintString"},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        {NAMED(btnOpen), "Загрузить", &T::btnOpenClick, {}, TRun::Plain},
        {NAMED(btnSave), "Сохранить", &T::btnSaveClick, {}, TRun::Plain},
        {NAMED(edtFontCodepage), "Кодовая страница", &T::edtFontCodepageClick, {}, TRun::Plain},
        {NAMED(edtEcrCodePage), "Кодовая страница ФР", &T::edtEcrCodePageClick, {}, TRun::Plain},
        {NAMED(btnArmenianText), "Армянский текст", &T::btnArmenianTextClick, {}, TRun::Plain},
        {NAMED(btnFont1), "Шрифт (Font)", &T::btnFont1Click, {}, TRun::Plain},
    });
    page.Grid()->setColumnStretch(0, 1);
    // Typing and pasting are limited; text the page puts in is not.
    FMemoLimit = new TMemoLimit(Memo, MaxLength);
    connect(Memo, &QPlainTextEdit::textChanged, this, Guarded([this] { MemoChange(); }));
}

void TfmTestEncoding::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    MemoChange();
}

void TfmTestEncoding::MemoChange()
{
    lblStrCount->setText(QString::number(MemoLines(Memo->toPlainText()).size()));
}

void TfmTestEncoding::SetText(const QString& Text)
{
    FMemoLimit->SetText(Text);
}

void TfmTestEncoding::btnPrintClick()
{
    TDriverJob job;   // events run between the driver calls
    btnStop->setEnabled(true);
    // The lines as they stand now: editing the memo meanwhile changes nothing printed.
    const QStringList lines = MemoLines(Memo->toPlainText());
    TDriver& d = Driver();
    d.setFontType(seFontType->value());
    d.setUseReceiptRibbon(true);
    d.setUseJournalRibbon(true);
    d.setUseSlipDocument(true);
    d.setUseSlipCheck(false);
    FStop = false;
    for (const QString& line : lines) {
        if (FStop)
            break;
        d.setStringForPrinting(line);
        Check(d.PrintStringWithFont());
        QCoreApplication::processEvents();
    }
}

void TfmTestEncoding::btnStopClick()
{
    FStop = true;
}

void TfmTestEncoding::btnOpenClick()
{
    const QString fileName = Dialogs::OpenFileName(QString(), FileFilter);
    if (!fileName.isEmpty())
        SetText(LoadTextFile(fileName));
}

void TfmTestEncoding::btnSaveClick()
{
    const QString fileName = Dialogs::SaveFileName(QString(), FileFilter, QString(), QStringLiteral("txt"));
    if (!fileName.isEmpty())
        SaveTextFile(fileName, Memo->toPlainText());
}

void TfmTestEncoding::btnFont1Click()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, Memo->font(), this);
    if (ok)
        Memo->setFont(font);
}

void TfmTestEncoding::SetLines(const QStringList& Lines)
{
    SetText(Lines.join(QLatin1Char('\n')));
}

void TfmTestEncoding::edtFontCodepageClick()
{
    SetLines(CodePageLines());
}

void TfmTestEncoding::edtEcrCodePageClick()
{
    SetLines(EcrCodePageLines());
}

void TfmTestEncoding::btnArmenianTextClick()
{
    SetLines(ArmenianLines());
}
