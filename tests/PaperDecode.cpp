#include "tests/PaperDecode.h"
#include "emulator/RegisterGraphics.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>

namespace {
// The symbol alone with a quiet zone: some readers look for it from the
// picture's middle.
QImage Symbol(const QImage& picture, int quiet)
{
    int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* line = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            if (line[x] == 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0)
        return {};
    QImage symbol(right - left + 1 + 2 * quiet, bottom - top + 1 + 2 * quiet, QImage::Format_Grayscale8);
    symbol.fill(255);
    for (int y = top; y <= bottom; ++y)
        std::copy(picture.constScanLine(y) + left, picture.constScanLine(y) + right + 1,
                  symbol.scanLine(y - top + quiet) + quiet);
    return symbol;
}
} // namespace

std::optional<DecodedBarcode> DecodePaperItem(const PaperItem& item)
{
    const QImage picture = Symbol(RasterPicture(item.Data, item.RowBytes), 40);
    if (picture.isNull())
        return std::nullopt;
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    const ZXing::ImageView view(picture.constBits(), picture.width(), picture.height(), ZXing::ImageFormat::Lum,
                                int(picture.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    DecodedBarcode decoded;
    decoded.Format = QString::fromLatin1(ZXing::ToString(result.format()));
    decoded.Bytes = QByteArray(reinterpret_cast<const char*>(result.bytes().data()), qsizetype(result.bytes().size()));
    decoded.Text = QString::fromStdWString(result.text());
    return decoded;
}
