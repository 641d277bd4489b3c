// Graphics: raster lines loaded into the graphics memory and printed from it,
// pictures loaded from files, lines printed at once.
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterGraphics.h"
#include "emulator/RegisterPrinter.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

constexpr int RowBytes = 40;        // a row of the row commands
constexpr int WideRowBytes = 64;    // a row of the 512 buffer
constexpr int LoadExHeader = 10;    // command bytes besides the rows
constexpr int Load512Header = 12;

RegisterGraphics& Graphics(OrvekCall& c)
{
    return c.Reg().Area<RegisterGraphics>();
}

int ModelInt(OrvekCall& c, int number, int fallback)
{
    const ModelParam* param = c.Reg().ModelParams().Find(number);
    return param ? param->Value.toInt() : fallback;
}

std::int32_t Fail(OrvekCall& c, const QString& description)
{
    c.Description = description;
    return OrvekResult::BadParameter;
}

// Refuses a command the model's longest command (parameter 53) cannot hold.
std::int32_t CheckCommandLength(OrvekCall& c, qsizetype dataBytes, int header)
{
    const int maxLength = ModelInt(c, 53, 250);
    if (dataBytes + header > maxLength)
        return Fail(c, QStringLiteral("Длина команды больше допустимой (%1 байт)").arg(maxLength));
    return OrvekResult::Ok;
}

std::vector<QByteArray> SplitRows(const QByteArray& data, int rowBytes)
{
    std::vector<QByteArray> rows;
    for (qsizetype at = 0; at < data.size(); at += rowBytes)
        rows.push_back(data.mid(at, rowBytes));
    return rows;
}

std::int32_t Load(OrvekCall& c, GraphicsBuffer buffer, int first, const std::vector<QByteArray>& rows,
                  int lastLine = RegisterGraphics::LineCount)
{
    if (!Graphics(c).Store(buffer, first, rows, lastLine))
        return Fail(c, QStringLiteral("Строки %1..%2 вне памяти графики").arg(first).arg(first + int(rows.size()) - 1));
    c.Request += IntToBin(first, 2);
    for (const QByteArray& row : rows)
        c.Request.append(row);
    return OrvekResult::Ok;
}

QByteArray LineData(OrvekCall& c)
{
    return WideToAnsi(c.Str(P::LineData));
}

// One row into the lines 1..200.
std::int32_t LoadLineData(OrvekCall& c)
{
    const QByteArray data = LineData(c);
    if (data.isEmpty())
        return Fail(c, QStringLiteral("Нет данных строки"));
    return Load(c, GraphicsBuffer::Graphics, c.Int(P::LineNumber), {data}, RegisterGraphics::PlainLineCount);
}

// One row, or with block graphics (parameter 51) several rows of 40 bytes.
std::int32_t LoadLineDataEx(OrvekCall& c)
{
    const QByteArray data = LineData(c);
    if (data.isEmpty())
        return Fail(c, QStringLiteral("Нет данных строки"));
    if (std::int32_t code = CheckCommandLength(c, data.size(), LoadExHeader))
        return code;
    if (data.size() <= RowBytes)
        return Load(c, GraphicsBuffer::Graphics, c.Int(P::LineNumber), {data});
    const ModelParam* blocks = c.Reg().ModelParams().Find(51);
    if (!blocks || !blocks->Value.toBool() || data.size() % RowBytes)
        return Fail(c, QStringLiteral("Неверная длина данных графики"));
    return Load(c, GraphicsBuffer::Graphics, c.Int(P::LineNumber), SplitRows(data, RowBytes));
}

// Rows of 40 bytes; the driver sends them in as many commands as it needs.
std::int32_t WideLoadLineData(OrvekCall& c)
{
    const QByteArray data = LineData(c);
    if (data.isEmpty() || data.size() % RowBytes)
        return Fail(c, QStringLiteral("Неверная длина данных графики"));
    return Load(c, GraphicsBuffer::Graphics, c.Int(P::LineNumber), SplitRows(data, RowBytes));
}

// LineNumber rows of LineLength bytes into the buffer GraphBufferType names.
std::int32_t LoadGraphics512(OrvekCall& c)
{
    const int type = c.Int(P::GraphBufferType);
    if (type != 0 && type != 1)
        return Fail(c, QStringLiteral("Неверный тип графического буфера"));
    const int length = c.Int(P::LineLength);
    const int count = c.Int(P::LineNumber);
    const QByteArray data = LineData(c);
    if (length < 1 || length > (type == 1 ? WideRowBytes : RowBytes) || count < 1 || data.size() != qsizetype(length) * count)
        return Fail(c, QStringLiteral("Неверная длина данных графики"));
    if (std::int32_t code = CheckCommandLength(c, data.size(), Load512Header))
        return code;
    return Load(c, type == 1 ? GraphicsBuffer::Buffer512 : GraphicsBuffer::Graphics, c.Int(P::FirstLineNumber),
                SplitRows(data, length));
}

// The lines FirstLineNumber..LastLineNumber of a buffer on the paper, each dot
// HorizScale dots wide and each line VertScale lines high, cut at the
// printer's width.
std::int32_t Print(OrvekCall& c, GraphicsBuffer buffer, const QString& source, bool flags, bool scaled,
                   int lastLine = RegisterGraphics::LineCount)
{
    const int first = c.Int(P::FirstLineNumber);
    const int last = c.Int(P::LastLineNumber);
    if (first < 1 || last < first || last > lastLine)
        return Fail(c, QStringLiteral("Неверный диапазон строк графики: %1..%2").arg(first).arg(last));
    const int vert = scaled ? c.Int(P::VertScale) : 1;
    const int horiz = scaled ? c.Int(P::HorizScale) : 1;
    if (vert < 1 || vert > 255 || horiz < 1 || horiz > 255)
        return Fail(c, QStringLiteral("Неверный масштаб графики"));
    const int maxBytes = c.Reg().Area<RegisterPrinter>().PrintWidth / 8;
    std::vector<QByteArray> rows;
    int rowBytes = 0;
    for (int line = first; line <= last; ++line) {
        const QByteArray dots = Graphics(c).Line(buffer, line);
        QByteArray row(std::min<qsizetype>(dots.size() * horiz, maxBytes), '\0');
        for (int x = 0; x < row.size() * 8; ++x) {
            const int from = x / horiz;
            if (std::uint8_t(dots[from / 8]) & (1u << (from % 8)))
                row[x / 8] = char(std::uint8_t(row[x / 8]) | (1u << (x % 8)));
        }
        rowBytes = std::max(rowBytes, int(row.size()));
        for (int i = 0; i < vert; ++i)
            rows.push_back(row);
    }
    PaperItem item;
    item.Kind = PaperKind::Image;
    item.Text = QStringLiteral("%1 %2..%3").arg(source).arg(first).arg(last);
    item.RowBytes = rowBytes;
    for (QByteArray& row : rows)
        item.Data.append(row.leftJustified(rowBytes, '\0'));
    item.Receipt = !flags || c.Bool(P::UseReceiptRibbon);
    item.Journal = flags && c.Bool(P::UseJournalRibbon);
    c.Reg().Paper().Add(std::move(item));
    c.Request += IntToBin(first, 2) + IntToBin(last, 2);
    return OrvekResult::Ok;
}

std::int32_t Draw(OrvekCall& c)
{
    return Print(c, GraphicsBuffer::Graphics, QStringLiteral("Draw"), false, false, RegisterGraphics::PlainLineCount);
}

std::int32_t DrawEx(OrvekCall& c)
{
    return Print(c, GraphicsBuffer::Graphics, QStringLiteral("DrawEx"), true, false);
}

std::int32_t DrawScale(OrvekCall& c)
{
    return Print(c, GraphicsBuffer::Graphics, QStringLiteral("DrawScale"), true, true);
}

std::int32_t PrintGraphics512(OrvekCall& c)
{
    const bool buffer512 = c.Int(P::GraphBufferType) == 1;
    return Print(c, buffer512 ? GraphicsBuffer::Buffer512 : GraphicsBuffer::Graphics, QStringLiteral("PrintGraphics512"),
                 true, true);
}

// The picture file FileName into the graphics memory from LineNumber on;
// FirstLineNumber and LastLineNumber name its lines.
std::int32_t LoadImage(OrvekCall& c)
{
    const QString fileName = c.Str(P::FileName);
    if (!QFileInfo(fileName).isFile())
        return Fail(c, QStringLiteral("Файл не найден: %1").arg(fileName));
    QImageReader reader(fileName);
    const QImage picture = reader.read();
    if (picture.isNull())
        return Fail(c, QStringLiteral("Не удалось прочитать изображение: %1").arg(reader.errorString()));
    const int first = c.Int(P::LineNumber);
    const std::vector<QByteArray> rows =
        PictureRows(picture, c.Reg().Area<RegisterPrinter>().PrintWidth, c.Bool(P::CenterImage));
    if (std::int32_t code = Load(c, GraphicsBuffer::Graphics, first, rows))
        return code;
    c.Set(P::FirstLineNumber, first);
    c.Set(P::LastLineNumber, first + int(rows.size()) - 1);
    return OrvekResult::Ok;
}

// The line from LineData, or from LineDataHex when that was written later,
// its bits mirrored with LineSwapBytes, printed LineNumber times.
std::int32_t PrintLine(OrvekCall& c)
{
    QByteArray dots;
    if (c.Props.WriteOrder(P::LineDataHex) > c.Props.WriteOrder(P::LineData)) {
        const auto parsed = ParseStrictHex(c.Str(P::LineDataHex));
        if (!parsed)
            return Fail(c, QStringLiteral("Неверные данные Hex"));
        dots = *parsed;
    } else {
        dots = LineData(c);
    }
    if (c.Bool(P::LineSwapBytes))
        dots = MirrorBits(dots);
    const int count = c.Int(P::LineNumber);
    const int maxBytes = c.Reg().Area<RegisterPrinter>().PrintWidth / 8;
    if (dots.isEmpty() || dots.size() > maxBytes || count < 1 || count > 65535)
        return OrvekResult::BadParameter;
    for (int i = 0; i < count; ++i) {
        PaperItem item;
        item.Kind = PaperKind::Graphics;
        item.Data = dots;
        item.Receipt = c.Bool(P::UseReceiptRibbon);
        item.Journal = c.Bool(P::UseJournalRibbon);
        c.Reg().Paper().Add(std::move(item));
    }
    c.Request += IntToBin(count, 2) + dots;
    return OrvekResult::Ok;
}
} // namespace

void AddGraphicsHandlers(OrvekHandlerTable& t)
{
    t.Add(M::LoadLineData, OrvekAccess::Device, 0xC0, &LoadLineData);
    t.Add(M::LoadLineDataEx, OrvekAccess::Device, 0xC4, &LoadLineDataEx);
    t.Add(M::WideLoadLineData, OrvekAccess::Device, 0xC4, &WideLoadLineData);
    t.Add(M::LoadGraphics512, OrvekAccess::Device, 0x4F, &LoadGraphics512);
    t.Add(M::Draw, OrvekAccess::Device, 0xC1, &Draw);
    t.Add(M::DrawEx, OrvekAccess::Device, 0xC3, &DrawEx);
    t.Add(M::DrawScale, OrvekAccess::Device, 0x4F, &DrawScale);
    t.Add(M::PrintGraphics512, OrvekAccess::Device, 0x4D, &PrintGraphics512);
    t.Add(M::LoadImage, OrvekAccess::Device, 0xC4, &LoadImage);
    t.Add(M::PrintLine, OrvekAccess::Device, 0xC5, &PrintLine);
}
