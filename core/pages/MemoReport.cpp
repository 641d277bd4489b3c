#include "core/pages/MemoReport.h"

#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/untTypes.h"
#include "platform/ui/Dialogs.h"

#include <QPlainTextEdit>
#include <QTextDocument>

TMemoReport::TMemoReport(QPlainTextEdit* Memo, TMemoWidths Widths) : FMemo(Memo), FWidths(Widths) {}

void TMemoReport::Clear()
{
    FMemo->clear();
    FLeadingEmptyLine = false;
}

void TMemoReport::Add(const QString& S)
{
    QString text = S;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // An empty document shows no line and one empty line alike: an empty
    // first line is kept back until the next line comes.
    if (FMemo->document()->isEmpty()) {
        if (FLeadingEmptyLine)
            text.prepend(QLatin1Char('\n'));
        else if (text.isEmpty()) {
            FLeadingEmptyLine = true;
            return;
        }
        FLeadingEmptyLine = false;
    }
    FMemo->appendPlainText(text);
}

void TMemoReport::AddMemoLine(const QString& S)
{
    Add(QLatin1Char(' ') + S);
}

void TMemoReport::AddLineWidth(const QString& Name, const QString& Value, int Width)
{
    AddMemoLine(Format(QStringLiteral("%-*s: %s"), {Width, Name, Value}));
}

void TMemoReport::AddLine(const QString& Name, const QString& Value)
{
    AddLineWidth(Name, Value, FWidths.Line);
}

void TMemoReport::AddBool(const QString& Name, bool Value)
{
    AddLineWidth(Name, BoolToYesNo(Value), FWidths.Bool);
}

void TMemoReport::AddSeparator()
{
    AddMemoLine(QString(FWidths.Separator, QLatin1Char('-')));
}

bool SaveMemoAs(QPlainTextEdit* Memo)
{
    QString fileName = Dialogs::SaveFileName(QStringLiteral("Сохранить как"),
                                             QStringLiteral("Текстовые файлы (*.txt);;") + Dialogs::AllFilesFilter(), {},
                                             QStringLiteral("txt"));
    if (fileName.isEmpty())
        return false;
    SaveTextFile(fileName, Memo->toPlainText());
    return true;
}

QPlainTextEdit* ReportMemo(QPlainTextEdit* memo)
{
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    memo->setFont(font);
    return memo;
}
