// Text documents: the non-fiscal document, document title, cliche, trailer
// and end of document, attributes, the print buffer, the test run and the
// control tape.
#include "core/support/BinUtils.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterTextPrint.h"

#include <algorithm>
#include <limits>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

constexpr int TextTable = 4;        // "Текст в чеке": the trailer rows, then the cliche rows
constexpr int SettingsTable = 1;
constexpr int TrailerLinesField = 14;
constexpr QChar Esc(0x1B);

RegisterTextPrint& Text(OrvekCall& c)
{
    return c.Reg().Area<RegisterTextPrint>();
}

std::int32_t CheckReceiptPaper(OrvekCall& c)
{
    return c.Reg().Flag(EcrFlag::ReceiptRibbonIsPresent) ? OrvekResult::Ok : OrvekResult::NoPaper;
}

void Print(OrvekCall& c, const QString& text, int font = 1, int param = 0)
{
    PaperItem item;
    item.Text = text;
    item.Font = font;
    item.Param = param;
    c.Reg().Paper().Add(std::move(item));
}

// Rows first..last of the text table, those not empty.
void PrintTextRows(OrvekCall& c, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        QString line = c.Reg().Tables().Value(TextTable, row, 1).toString().trimmed();
        if (!line.isEmpty())
            Print(c, line);
    }
}

int TrailerLines(OrvekCall& c)
{
    const DeviceTable* t = c.Reg().Tables().Find(TextTable);
    const int rows = t ? t->Rows : 0;
    return std::clamp(c.Reg().Tables().Value(SettingsTable, 1, TrailerLinesField).toInt(), 0, rows);
}

void PrintTrailerRows(OrvekCall& c)
{
    PrintTextRows(c, 1, TrailerLines(c));
}

void PrintClicheRows(OrvekCall& c)
{
    const DeviceTable* t = c.Reg().Tables().Find(TextTable);
    PrintTextRows(c, TrailerLines(c) + 1, t ? t->Rows : 0);
}

bool ReceiptOpen(OrvekCall& c)
{
    return c.Reg().Area<RegisterReceipt>().IsOpen();
}

std::int32_t OpenNonfiscalDocument(OrvekCall& c)
{
    if (ReceiptOpen(c))
        return OrvekResult::ReceiptOpen;
    if (Text(c).NonfiscalOpen)
        return OrvekResult::WrongMode;
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    RegisterState& s = c.Reg().State();
    Text(c).NonfiscalOpen = true;
    s.PreviousMode = s.Mode;
    s.Mode = 8;
    s.ModeStatus = 4;
    s.OpenDocumentNumber = s.DocumentNumber + 1;
    Print(c, QStringLiteral("НЕФИСКАЛЬНЫЙ ДОКУМЕНТ"));
    return OrvekResult::Ok;
}

std::int32_t CloseNonFiscalDocument(OrvekCall& c)
{
    if (!Text(c).NonfiscalOpen)
        return OrvekResult::WrongMode;
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    RegisterState& s = c.Reg().State();
    Text(c).NonfiscalOpen = false;
    s.DocumentNumber = s.OpenDocumentNumber;
    Print(c, QStringLiteral("ДОК. %1").arg(s.DocumentNumber));
    s.Mode = s.PreviousMode == 8 ? 4 : s.PreviousMode;
    s.PreviousMode = 8;
    s.ModeStatus = 0;
    return OrvekResult::Ok;
}

// The title takes the next running document number.
std::int32_t PrintDocumentTitle(OrvekCall& c)
{
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    const int number = c.Int(P::DocumentNumber);
    if (number < 0 || number > 9999)
        return OrvekResult::BadParameter;
    RegisterState& s = c.Reg().State();
    s.DocumentNumber += 1;
    s.OpenDocumentNumber = s.DocumentNumber;
    c.Set(P::OpenDocumentNumber, s.DocumentNumber);
    Print(c, c.Str(P::DocumentName));
    Print(c, QStringLiteral("№ %1  СКВ. № %2").arg(number).arg(s.DocumentNumber));
    c.Request += IntToBin(number, 2);
    c.Answer += IntToBin(s.DocumentNumber, 2);
    return OrvekResult::Ok;
}

std::int32_t PrintCliche(OrvekCall& c)
{
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    PrintClicheRows(c);
    return OrvekResult::Ok;
}

std::int32_t PrintTrailer(OrvekCall& c)
{
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    PrintTrailerRows(c);
    return OrvekResult::Ok;
}

// Mode 1: the trailer first. Then the paper is fed and cut (when the
// register has a cutter) and the next document's cliche printed.
std::int32_t FinishDocument(OrvekCall& c)
{
    const int mode = c.Int(P::FinishDocumentMode);
    if (mode != 0 && mode != 1)
        return OrvekResult::BadParameter;
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    if (mode == 1)
        PrintTrailerRows(c);
    PaperItem feed;
    feed.Kind = PaperKind::Feed;
    feed.Param = 3;
    c.Reg().Paper().Add(std::move(feed));
    const ModelParam* cutter = c.Reg().ModelParams().Find(35);
    if (cutter && cutter->Value.toBool()) {
        PaperItem cut;
        cut.Kind = PaperKind::Cut;
        cut.Param = 1;
        c.Reg().Paper().Add(std::move(cut));
    }
    PrintClicheRows(c);
    c.Request.append(char(mode));
    return OrvekResult::Ok;
}

// An attribute line: Param holds its number.
std::int32_t PrintAttribute(OrvekCall& c)
{
    const int number = c.Int(P::AttributeNumber);
    if (number < 0 || number > 255)
        return OrvekResult::BadParameter;
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    Print(c, c.Str(P::AttributeValue), 1, number);
    c.Request.append(char(number));
    return OrvekResult::Ok;
}

// The text lines since the buffer was cleared, the latest `limit` of them.
std::vector<const PaperItem*> BufferLines(OrvekCall& c, std::size_t limit)
{
    return c.Reg().Paper().Latest(Text(c).BufferMark, limit,
                                  [](const PaperItem& item) { return item.Kind == PaperKind::Text; });
}

// PrintBufferLineNumber: the lines the buffer keeps; LineNumber: the lines
// printed since it was cleared.
std::int32_t ReadPrintBufferLineNumber(OrvekCall& c)
{
    const int printed = int(std::min<std::size_t>(BufferLines(c, std::numeric_limits<std::size_t>::max()).size(),
                                                   std::numeric_limits<int>::max()));
    const int kept = std::min(printed, RegisterTextPrint::BufferCapacity);
    c.Set(P::PrintBufferLineNumber, kept);
    c.Set(P::LineNumber, printed);
    c.Answer += IntToBin(kept, 2);
    return OrvekResult::Ok;
}

// A buffer line as it is kept: a font other than 1 as ESC and the font's
// digit before the text, a wide line as SO (0x0E) before it.
QString RawLine(const PaperItem& item)
{
    QString prefix;
    if (item.Font != 1)
        prefix.append(Esc).append(QChar(u'0' + item.Font % 10));
    if (item.Param == 1 && item.Font == 1)
        prefix += QChar(0x0E);
    return prefix + item.Text;
}

// Format 0: as kept; 1: the text alone; 2: every character, the control
// characters as <XX> and the line filled with blanks to the font's width.
QString FormatLine(OrvekCall& c, const PaperItem& item, int format)
{
    switch (format) {
    case 0:
        return RawLine(item);
    case 1:
        return item.Text;
    default: {
        QString shown;
        for (QChar ch : RawLine(item)) {
            if (ch.unicode() < 0x20)
                shown += QStringLiteral("<%1>").arg(ch.unicode(), 2, 16, QLatin1Char('0')).toUpper();
            else
                shown += ch;
        }
        const int width = c.Reg().Area<RegisterPrinter>().CharsPerLine(item.Font);
        const int text = int(item.Text.size());
        return width > text ? shown + QString(width - text, QLatin1Char(' ')) : shown;
    }
    }
}

std::int32_t ReadPrintBufferLine(OrvekCall& c)
{
    const int format = c.Int(P::PrintBufferFormat);
    const int number = c.Int(P::LineNumber);
    if (format < 0 || format > 2)
        return OrvekResult::BadParameter;
    const auto lines = BufferLines(c, RegisterTextPrint::BufferCapacity);
    c.Request += IntToBin(number, 2) + char(format);
    if (number < 0 || number >= int(lines.size()))
        return OrvekResult::BadParameter;
    c.Set(P::StringForPrinting, FormatLine(c, *lines[std::size_t(number)], format));
    return OrvekResult::Ok;
}

std::int32_t ClearPrintBuffer(OrvekCall& c)
{
    Text(c).BufferMark = c.Reg().Paper().Total();
    return OrvekResult::Ok;
}

// A test run of RunningPeriod minutes on the register's clock.
std::int32_t Test(OrvekCall& c)
{
    const int minutes = c.Int(P::RunningPeriod);
    if (minutes < 1 || minutes > 99)
        return OrvekResult::BadParameter;
    const int mode = c.Reg().Mode();
    if (mode != 2 && mode != 3 && mode != 4)
        return OrvekResult::WrongMode;
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    c.Reg().State().TestRunUntil = c.Reg().Now().addSecs(qint64(minutes) * 60);
    Print(c, QStringLiteral("ТЕСТОВЫЙ ПРОГОН %1 МИН").arg(minutes));
    c.Request.append(char(minutes));
    return OrvekResult::Ok;
}

std::int32_t InterruptTest(OrvekCall& c)
{
    if (c.Reg().Mode() != 10)
        return OrvekResult::Ok;
    c.Reg().State().TestRunUntil = {};
    Print(c, QStringLiteral("ТЕСТОВЫЙ ПРОГОН ПРЕРВАН"));
    return OrvekResult::Ok;
}

// OperationType 0 prints the control tape on the receipt ribbon, 1 clears it.
std::int32_t JournalOperation(OrvekCall& c)
{
    const int operation = c.Int(P::OperationType);
    if (operation != 0 && operation != 1)
        return OrvekResult::BadParameter;
    c.Request.append(char(operation));
    RegisterPaper& paper = c.Reg().Paper();
    if (operation == 1) {
        Text(c).JournalMark = paper.Total();
        return OrvekResult::Ok;
    }
    if (std::int32_t code = CheckReceiptPaper(c))
        return code;
    QStringList lines;
    for (const PaperItem* item : paper.Latest(Text(c).JournalMark, RegisterTextPrint::JournalCapacity,
                                              [](const PaperItem& i) { return i.Kind == PaperKind::Text && i.Journal; }))
        lines << item->Text;
    Print(c, QStringLiteral("КОНТРОЛЬНАЯ ЛЕНТА"));
    for (const QString& line : lines)
        Print(c, line);
    Print(c, QStringLiteral("ВСЕГО СТРОК: %1").arg(lines.size()));
    return OrvekResult::Ok;
}
} // namespace

void AddTextHandlers(OrvekHandlerTable& t)
{
    t.Add(M::OpenNonfiscalDocument, OrvekAccess::Device, 0xE0, &OpenNonfiscalDocument);
    t.Add(M::CloseNonFiscalDocument, OrvekAccess::Device, 0xE1, &CloseNonFiscalDocument);
    t.Add(M::PrintDocumentTitle, OrvekAccess::Device, 0x18, &PrintDocumentTitle);
    t.Add(M::PrintCliche, OrvekAccess::Device, 0x52, &PrintCliche);
    t.Add(M::PrintTrailer, OrvekAccess::Device, 0x54, &PrintTrailer);
    t.Add(M::FinishDocument, OrvekAccess::Device, 0x53, &FinishDocument);
    t.Add(M::PrintAttribute, OrvekAccess::Device, 0xE2, &PrintAttribute);
    t.Add(M::ReadPrintBufferLineNumber, OrvekAccess::Device, 0xE3, &ReadPrintBufferLineNumber);
    t.Add(M::ReadPrintBufferLine, OrvekAccess::Device, 0xE4, &ReadPrintBufferLine);
    t.Add(M::ClearPrintBuffer, OrvekAccess::Device, 0xE5, &ClearPrintBuffer);
    t.Add(M::Test, OrvekAccess::Device, 0x19, &Test);
    t.Add(M::InterruptTest, OrvekAccess::Device, 0x1A, &InterruptTest);
    t.Add(M::JournalOperation, OrvekAccess::Device, 0xE6, &JournalOperation);
}
