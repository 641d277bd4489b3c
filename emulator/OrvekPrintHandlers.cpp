// Printing onto the register's paper.
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"

#include <QRegularExpression>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterPrinter& Printer(OrvekCall& c)
{
    return c.Reg().Area<RegisterPrinter>();
}

// 0 when the ribbons chosen by UseReceiptRibbon / UseJournalRibbon can print
// (a model without a journal ribbon keeps its control tape in memory).
std::int32_t CheckPaper(OrvekCall& c)
{
    if (c.Bool(P::UseReceiptRibbon) && !c.Reg().Flag(EcrFlag::ReceiptRibbonIsPresent))
        return OrvekResult::NoPaper;
    const ModelParam* journal = c.Reg().ModelParams().Find(22);
    const bool hasJournal = journal && journal->Value.toBool();
    if (c.Bool(P::UseJournalRibbon) && hasJournal && !c.Reg().Flag(EcrFlag::JournalRibbonIsPresent))
        return OrvekResult::NoPaper;
    return OrvekResult::Ok;
}

void PrintLine(OrvekCall& c, const QString& text, int font, int param = 0)
{
    PaperItem item;
    item.Text = text;
    item.Font = font;
    item.Param = param;
    item.Receipt = c.Bool(P::UseReceiptRibbon);
    item.Journal = c.Bool(P::UseJournalRibbon);
    c.Reg().Paper().Add(std::move(item));
    c.Request.append(WideToAnsi(text));
}

// The text to print: each "&#n;" (n 0..255) becomes character n of the
// register's code page.
QString DecodeCharRefs(const QString& text)
{
    if (!text.contains(QLatin1String("&#")))
        return text;
    static const QRegularExpression ref(QStringLiteral("&#(\\d{1,3});"));
    QString result;
    qsizetype from = 0;
    for (auto it = ref.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        if (n > 255)
            continue;
        result += QStringView(text).mid(from, m.capturedStart() - from);
        result += AnsiToWide(QByteArray(1, char(n)));
        from = m.capturedEnd();
    }
    return result + text.mid(from);
}

// A line in pieces of the width (none: whole), each on a line of its own.
void PrintWrapped(OrvekCall& c, const QString& line, int font, int width, int param = 0)
{
    QString rest = line;
    do {
        PrintLine(c, width > 0 ? rest.left(width) : rest, font, param);
        rest = width > 0 ? rest.mid(width) : QString();
    } while (!rest.isEmpty());
}

// A line longer than the width is cut there, or carried onto further lines (CarryStrings).
std::int32_t PrintTextLine(OrvekCall& c, int font, int widthDivisor, int param)
{
    if (std::int32_t code = CheckPaper(c))
        return code;
    int width = Printer(c).CharsPerLine(font) / widthDivisor;
    QString text = DecodeCharRefs(c.Str(P::StringForPrinting));
    if (c.Bool(P::CarryStrings))
        PrintWrapped(c, text, font, width, param);
    else
        PrintLine(c, width > 0 ? text.left(width) : text, font, param);
    return OrvekResult::Ok;
}

std::int32_t PrintString(OrvekCall& c)
{
    return PrintTextLine(c, 1, 1, 0);
}

// Double-width characters of font 1.
std::int32_t PrintWideString(OrvekCall& c)
{
    return PrintTextLine(c, 1, 2, 1);
}

std::int32_t PrintStringWithFont(OrvekCall& c)
{
    int font = c.Int(P::FontType);
    if (!Printer(c).Font(font))
        return OrvekResult::BadParameter;
    return PrintTextLine(c, font, 1, 0);
}

// The text split at its line breaks, each line wrapped at the font's width.
std::int32_t PrintStringWithWrap(OrvekCall& c)
{
    if (std::int32_t code = CheckPaper(c))
        return code;
    int font = Printer(c).Font(c.Int(P::FontType)) ? c.Int(P::FontType) : 1;
    int width = Printer(c).CharsPerLine(font);
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = DecodeCharRefs(c.Str(P::StringForPrinting)).split(breaks);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        PrintWrapped(c, line, font, width);
    return OrvekResult::Ok;
}

std::int32_t FeedDocument(OrvekCall& c)
{
    int count = c.Int(P::StringQuantity);
    if (count < 1 || count > 255)
        return OrvekResult::BadParameter;
    if (std::int32_t code = CheckPaper(c))
        return code;
    PaperItem item;
    item.Kind = PaperKind::Feed;
    item.Param = count;
    c.Reg().Paper().Add(std::move(item));
    c.Request.append(char(count));
    return OrvekResult::Ok;
}

std::int32_t CutCheck(OrvekCall& c)
{
    if (!c.Reg().ModelParams().Find(35) || !c.Reg().ModelParams().Find(35)->Value.toBool())
        return OrvekResult::CommandNotSupported;
    PaperItem item;
    item.Kind = PaperKind::Cut;
    item.Param = c.Bool(P::CutType) ? 1 : 0;
    const int cutType = item.Param;
    c.Reg().Paper().Add(std::move(item));
    c.Request.append(char(cutType));
    // A cut receipt enters the presenter, when the model has one.
    if (const ModelParam* presenter = c.Reg().ModelParams().Find(17); presenter && presenter->Value.toBool()) {
        c.Reg().SetFlag(EcrFlag::PresenterIn, true);
        c.Reg().SetFlag(EcrFlag::PresenterOut, false);
    }
    return OrvekResult::Ok;
}

std::int32_t PrintBarCode(OrvekCall& c)
{
    if (std::int32_t code = CheckPaper(c))
        return code;
    QString data = c.Str(P::BarCode);
    if (data.isEmpty())
        return OrvekResult::BadParameter;
    PaperItem item;
    item.Kind = PaperKind::Barcode;
    item.Text = data;
    item.Param = c.Int(P::BarcodeType);
    c.Reg().Paper().Add(std::move(item));
    c.Request.append(data.toLatin1());
    return OrvekResult::Ok;
}

std::int32_t GetFontMetrics(OrvekCall& c)
{
    const RegisterPrinter& p = Printer(c);
    const FontMetrics* f = p.Font(c.Int(P::FontType));
    c.Request.append(char(c.Int(P::FontType)));
    if (!f)
        return OrvekResult::BadParameter;
    c.Set(P::PrintWidth, p.PrintWidth);
    c.Set(P::CharWidth, f->CharWidth);
    c.Set(P::CharHeight, f->CharHeight);
    c.Set(P::FontCount, int(p.Fonts.size()));
    c.Answer += IntToBin(p.PrintWidth, 2);
    c.Answer.append(char(f->CharWidth)).append(char(f->CharHeight)).append(char(p.Fonts.size()));
    return OrvekResult::Ok;
}
} // namespace

void AddPrintHandlers(OrvekHandlerTable& t)
{
    t.Add(M::PrintString, OrvekAccess::Device, 0x17, &PrintString);
    t.Add(M::PrintWideString, OrvekAccess::Device, 0x12, &PrintWideString);
    t.Add(M::PrintStringWithFont, OrvekAccess::Device, 0x2F, &PrintStringWithFont);
    t.Add(M::PrintStringWithWrap, OrvekAccess::Device, 0x2F, &PrintStringWithWrap);
    t.Add(M::FeedDocument, OrvekAccess::Device, 0x29, &FeedDocument);
    t.Add(M::CutCheck, OrvekAccess::Device, 0x25, &CutCheck);
    t.Add(M::PrintBarCode, OrvekAccess::Device, 0xC2, &PrintBarCode);
    t.Add(M::GetFontMetrics, OrvekAccess::Device, 0x26, &GetFontMetrics);
}
