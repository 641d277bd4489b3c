// Fuzz entry for picture files: the bytes read as a picture (any format Qt
// reads), then its raster rows as the picture page makes them (both widths,
// trimmed or not), the emulated driver's rows of LoadImage, and the two
// filters on small pictures; the bytes as hex text go through the emulator's
// strict hex reader.
#include "emulator/RegisterGraphics.h"
#include "pages/receipts/fmuPrintImage.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto bytes = std::make_unique<char[]>(size);
    if (size > 0)
        std::memcpy(bytes.get(), data, size);
    const QByteArray input = QByteArray::fromRawData(bytes.get(), qsizetype(size));

    if (const auto hex = ParseStrictHex(QString::fromLatin1(input)); hex && hex->size() * 2 > qsizetype(size))
        __builtin_trap();

    QImageReader::setAllocationLimit(64);
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull() || qint64(picture.width()) * picture.height() > (1 << 20))
        return 0;
    for (int row = 0; row < picture.height(); ++row)
        for (bool wide : {false, true}) {
            if (GetLineData(picture, row, wide, false).size() != (wide ? 64 : 40))
                __builtin_trap();
            if (GetLineData(picture, row, wide, true).size() > (wide ? 64 : 40))
                __builtin_trap();
        }
    for (const QByteArray& row : PictureRows(picture, 576, true))
        if (row.size() > 72)
            __builtin_trap();
    if (qint64(picture.width()) * picture.height() <= (1 << 16)) {
        QImage first = picture, second = picture;
        MonochromeImage(first);
        MonochromeImage2(second);
        if (first.size() != picture.size() || second.size() != picture.size())
            __builtin_trap();
    }
    return 0;
}
