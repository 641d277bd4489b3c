#include "emulator/BarcodeDrawing.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <exception>
#include <string>

namespace {
ZXing::BarcodeFormat FormatOf(Symbology s)
{
    using F = ZXing::BarcodeFormat;
    switch (s) {
    case Symbology::Code128: return F::Code128;
    case Symbology::Code39: return F::Code39;
    case Symbology::Code93: return F::Code93;
    case Symbology::Codabar: return F::Codabar;
    case Symbology::ITF: return F::ITF;
    case Symbology::UPCA: return F::UPCA;
    case Symbology::UPCE: return F::UPCE;
    case Symbology::EAN8: return F::EAN8;
    case Symbology::EAN13: return F::EAN13;
    case Symbology::QRCode: return F::QRCode;
    case Symbology::PDF417: return F::PDF417;
    case Symbology::Aztec: return F::Aztec;
    case Symbology::DataMatrix: return F::DataMatrix;
    case Symbology::None: break;
    }
    return F::None;
}

bool IsLinear(Symbology s)
{
    return s != Symbology::QRCode && s != Symbology::PDF417 && s != Symbology::Aztec && s != Symbology::DataMatrix;
}
} // namespace

std::optional<BarcodeRaster> DrawBarcode(Symbology symbology, const QString& data, const BarcodeStyle& style)
{
    if (symbology == Symbology::None || data.isEmpty() || style.Module < 1)
        return std::nullopt;
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(FormatOf(symbology));
        writer.setMargin(0);
        writer.setEncoding(style.Bytes ? ZXing::CharacterSet::ISO8859_1 : ZXing::CharacterSet::UTF8);
        if (style.EccLevel >= 0)
            writer.setEccLevel(std::min(style.EccLevel, 8));
        matrix = writer.encode(data.toStdWString(), 0, 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (matrix.width() <= 0 || matrix.height() <= 0)
        return std::nullopt;
    const bool linear = IsLinear(symbology);
    const int moduleRows = linear ? 1 : matrix.height();
    const int rowsPerModule = linear ? std::max(style.Height, 1) : style.Module * std::max(style.RowHeight, 1);
    const int width = matrix.width() * style.Module;
    if (width > style.LineDots)
        return std::nullopt;
    const int left = style.Alignment == 1 ? 0 : style.Alignment == 2 ? style.LineDots - width
                                                                     : (style.LineDots - width) / 2;
    BarcodeRaster raster;
    raster.RowBytes = (left + width + 7) / 8;
    raster.Rows.reserve(qsizetype(raster.RowBytes) * moduleRows * rowsPerModule);
    for (int my = 0; my < moduleRows; ++my) {
        QByteArray row(raster.RowBytes, '\0');
        for (int mx = 0; mx < matrix.width(); ++mx)
            if (matrix.get(mx, my))
                for (int d = 0; d < style.Module; ++d) {
                    const int dot = left + mx * style.Module + d;
                    row[dot / 8] = char(std::uint8_t(row[dot / 8]) | (1u << (dot % 8)));
                }
        for (int r = 0; r < rowsPerModule; ++r)
            raster.Rows.append(row);
    }
    return raster;
}
