// Barcodes built by the driver (as lines or graphics), by the printer, and
// 2D codes from text or from the block memory, drawn onto the paper.
#include "core/support/CodePage.h"
#include "emulator/BarcodeDrawing.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterGraphics.h"
#include "emulator/RegisterPrinter.h"

#include <QStringList>
#include <initializer_list>
#include <set>

namespace {
using P = OrvekProp;
using M = OrvekMethod;
using S = Symbology;

std::int32_t Fail(OrvekCall& c, const QString& description)
{
    c.Description = description;
    return OrvekResult::BadParameter;
}

// "Prop=value, ..." of the properties a barcode was printed with.
QString Settings(OrvekCall& c, std::initializer_list<OrvekProp> props)
{
    QStringList parts;
    for (OrvekProp p : props) {
        const auto name = PropInfo(p).Name;
        parts << QStringLiteral("%1=%2").arg(QLatin1StringView(name.data(), qsizetype(name.size())), c.Str(p));
    }
    return parts.join(QStringLiteral(", "));
}

void AddBarcode(OrvekCall& c, const QString& data, int type, const QString& settings,
                const std::optional<BarcodeRaster>& raster)
{
    PaperItem item;
    item.Kind = PaperKind::Barcode;
    item.Text = data;
    item.Param = type;
    item.Details = settings;
    if (raster) {
        item.Data = raster->Rows;
        item.RowBytes = raster->RowBytes;
    }
    c.Reg().Paper().Add(std::move(item));
    c.Request.append(char(type)).append(WideToAnsi(data));
}

int LineDots(OrvekCall& c)
{
    return c.Reg().Area<RegisterPrinter>().PrintWidth;
}

// The driver's barcode types 0..12: what draws them, and how they print.
struct DriverBarcode {
    Symbology Kind;
    bool Lines;     // can print as raster lines
    bool Graphics;  // can print as graphics
};

const DriverBarcode* DriverBarcodeOf(int type)
{
    static const DriverBarcode types[] = {
        {S::Code128, true, false}, {S::Code128, true, false}, {S::Code128, true, false}, {S::QRCode, false, true},
        {S::Code128, true, true},  {S::Code39, true, true},   {S::Code93, true, true},   {S::ITF, true, true},
        {S::UPCA, true, true},     {S::UPCE, true, true},     {S::PDF417, false, true},  {S::Aztec, false, true},
        {S::ITF, true, true},
    };
    return type >= 0 && type < int(std::size(types)) ? &types[type] : nullptr;
}

// The checks both driver barcode methods share; 0 or the failing code.
std::int32_t CheckDriverBarcode(OrvekCall& c, bool lines)
{
    const DriverBarcode* type = DriverBarcodeOf(c.Int(P::BarcodeType));
    if (!type)
        return Fail(c, QStringLiteral("Неверный тип штрихкода"));
    if (lines ? !type->Lines : !type->Graphics)
        return Fail(c, lines ? QStringLiteral("Этот штрихкод печатается только графикой")
                             : QStringLiteral("Этот штрихкод печатается только линиями"));
    if (c.Str(P::BarCode).isEmpty())
        return Fail(c, QStringLiteral("Нет данных штрихкода"));
    const int height = c.Int(P::LineNumber);
    if (height < 1 || height > 1199 || c.Int(P::BarWidth) < 1 || c.Int(P::BarWidth) > 16
        || c.Int(P::BarcodeAlignment) < 0 || c.Int(P::BarcodeAlignment) > 2 || c.Int(P::PrintBarcodeText) < 0
        || c.Int(P::PrintBarcodeText) > 3)
        return OrvekResult::BadParameter;
    if (!lines && c.Int(P::FirstLineNumber) < 1)
        return Fail(c, QStringLiteral("Неверный номер первой линии"));
    return OrvekResult::Ok;
}

std::int32_t PrintDriverBarcode(OrvekCall& c, bool lines)
{
    if (std::int32_t code = CheckDriverBarcode(c, lines))
        return code;
    const int type = c.Int(P::BarcodeType);
    BarcodeStyle style;
    style.Module = c.Int(P::BarWidth);
    style.Height = c.Int(P::LineNumber);
    style.Alignment = c.Int(P::BarcodeAlignment);
    style.LineDots = LineDots(c);
    const QString settings = lines ? Settings(c, {P::LineNumber, P::BarWidth, P::BarcodeAlignment, P::PrintBarcodeText, P::LineSwapBytes})
                                   : Settings(c, {P::LineNumber, P::FirstLineNumber, P::BarWidth, P::BarcodeAlignment, P::PrintBarcodeText});
    AddBarcode(c, c.Str(P::BarCode), type, settings, DrawBarcode(DriverBarcodeOf(type)->Kind, c.Str(P::BarCode), style));
    return OrvekResult::Ok;
}

std::int32_t PrintBarcodeLine(OrvekCall& c)
{
    return PrintDriverBarcode(c, true);
}

std::int32_t PrintBarcodeGraph(OrvekCall& c)
{
    return PrintDriverBarcode(c, false);
}

// The printer's own types: 0-8, 10-17 and 20; those zxing has no writer for
// go on the paper undrawn.
std::int32_t PrintBarcodeUsingPrinter(OrvekCall& c)
{
    static const Symbology kinds[] = {S::UPCA, S::UPCE, S::EAN13, S::EAN8, S::Code39, S::ITF,
                                      S::Codabar, S::Code93, S::Code128, S::None, S::PDF417};
    const int type = c.Int(P::BarcodeType);
    if (type < 0 || (type > 17 && type != 20) || type == 9)
        return Fail(c, QStringLiteral("Неверный тип штрихкода"));
    if (c.Str(P::BarCode).isEmpty())
        return Fail(c, QStringLiteral("Нет данных штрихкода"));
    if (c.Int(P::LineNumber) < 1 || c.Int(P::LineNumber) > 1199 || c.Int(P::BarWidth) < 1 || c.Int(P::BarWidth) > 16)
        return OrvekResult::BadParameter;
    BarcodeStyle style;
    style.Module = c.Int(P::BarWidth);
    style.Height = c.Int(P::LineNumber);
    style.LineDots = LineDots(c);
    const Symbology kind = type < int(std::size(kinds)) ? kinds[type] : S::None;
    AddBarcode(c, c.Str(P::BarCode), type, Settings(c, {P::LineNumber, P::BarWidth, P::HRIPosition, P::FontType}),
               DrawBarcode(kind, c.Str(P::BarCode), style));
    return OrvekResult::Ok;
}

// One block of up to 64 bytes into the block memory.
std::int32_t LoadBlockData(OrvekCall& c)
{
    const int number = c.Int(P::BlockNumber);
    if (c.Int(P::BlockType) != 0 || number < 0 || number >= RegisterGraphics::BlockCount)
        return Fail(c, QStringLiteral("Неверный тип или номер блока"));
    const auto bytes = ParseStrictHex(c.Str(P::BlockDataHex));
    if (!bytes)
        return Fail(c, QStringLiteral("Неверные данные Hex"));
    if (bytes->isEmpty() || bytes->size() > RegisterGraphics::BlockSize)
        return Fail(c, QStringLiteral("Неверная длина блока"));
    c.Reg().Area<RegisterGraphics>().Blocks[number] = *bytes;
    c.Request.append(char(0)).append(char(number)).append(*bytes);
    return OrvekResult::Ok;
}

// A 2D code of the data with the type and parameters of the 2D commands:
// 0 PDF417, 1 DATAMATRIX, 2 AZTEC, 3 QR Code, 131 the QR code of EGAIS.
std::int32_t Print2D(OrvekCall& c, const QString& data, bool bytes)
{
    const int type = c.Int(P::BarcodeType);
    BarcodeStyle style;
    style.Bytes = bytes;
    style.LineDots = LineDots(c);
    style.Alignment = c.Int(P::BarcodeAlignment);
    if (style.Alignment < 0 || style.Alignment > 2)
        return OrvekResult::BadParameter;
    const int dotSize = c.Int(P::BarcodeParameter3);
    const int level = c.Int(P::BarcodeParameter5);
    Symbology kind = S::None;
    switch (type) {
    case 0:
        kind = S::PDF417;
        style.Module = dotSize > 0 ? dotSize : 2;
        style.RowHeight = c.Int(P::BarcodeParameter4) > 0 ? c.Int(P::BarcodeParameter4) : 3;
        style.EccLevel = level;
        break;
    case 1:
        kind = S::DataMatrix;
        style.Module = dotSize > 0 ? dotSize : 3;
        break;
    case 2:
        kind = S::Aztec;
        style.Module = dotSize > 0 ? dotSize : 3;
        style.EccLevel = level > 0 ? level : -1;
        break;
    case 3:
    case 131:
        kind = S::QRCode;
        style.Module = dotSize > 0 ? dotSize : 3;
        if (level > 3)
            return Fail(c, QStringLiteral("Неверный уровень коррекции ошибок"));
        style.EccLevel = level * 2 + 1;
        break;
    default:
        return Fail(c, QStringLiteral("Неверный тип штрихкода"));
    }
    const auto raster = DrawBarcode(kind, data, style);
    if (!raster)
        return Fail(c, QStringLiteral("Штрихкод не помещается в строку печати"));
    AddBarcode(c, data, type,
               Settings(c, {P::BarcodeParameter1, P::BarcodeParameter2, P::BarcodeParameter3, P::BarcodeParameter4,
                            P::BarcodeParameter5, P::BarcodeAlignment, P::DelayedPrint}),
               raster);
    return OrvekResult::Ok;
}

// BarcodeDataLength bytes of the block memory from BarcodeStartBlockNumber on.
std::int32_t Print2DBarcode(OrvekCall& c)
{
    const int length = c.Int(P::BarcodeDataLength);
    const int start = c.Int(P::BarcodeStartBlockNumber);
    if (length < 1 || start < 0 || start >= RegisterGraphics::BlockCount)
        return Fail(c, QStringLiteral("Неверная длина данных или номер блока"));
    const auto data = c.Reg().Area<RegisterGraphics>().BlockData(start, length);
    if (!data)
        return Fail(c, QStringLiteral("Данные штрихкода не загружены"));
    return Print2D(c, QString::fromLatin1(*data), true);
}

// The text of BarCode, or the bytes of BlockDataHex when that was written later.
std::int32_t LoadAndPrint2DBarcode(OrvekCall& c)
{
    if (c.Props.WriteOrder(P::BlockDataHex) > c.Props.WriteOrder(P::BarCode)) {
        const auto bytes = ParseStrictHex(c.Str(P::BlockDataHex));
        if (!bytes)
            return Fail(c, QStringLiteral("Неверные данные Hex"));
        if (bytes->isEmpty())
            return Fail(c, QStringLiteral("Нет данных штрихкода"));
        return Print2D(c, QString::fromLatin1(*bytes), true);
    }
    if (c.Str(P::BarCode).isEmpty())
        return Fail(c, QStringLiteral("Нет данных штрихкода"));
    return Print2D(c, c.Str(P::BarCode), false);
}
} // namespace

void AddBarcodeHandlers(OrvekHandlerTable& t)
{
    t.Add(M::PrintBarcodeLine, OrvekAccess::Device, 0xC5, &PrintBarcodeLine);
    t.Add(M::PrintBarcodeGraph, OrvekAccess::Device, 0xC4, &PrintBarcodeGraph);
    t.Add(M::PrintBarcodeUsingPrinter, OrvekAccess::Device, 0xCB, &PrintBarcodeUsingPrinter);
    t.Add(M::LoadBlockData, OrvekAccess::Device, 0xDD, &LoadBlockData);
    t.Add(M::Print2DBarcode, OrvekAccess::Device, 0xDE, &Print2DBarcode);
    t.Add(M::LoadAndPrint2DBarcode, OrvekAccess::Device, 0xDE, &LoadAndPrint2DBarcode);
}
