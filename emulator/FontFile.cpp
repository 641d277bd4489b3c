#include "emulator/FontFile.h"

namespace {
const QByteArray Magic = QByteArrayLiteral("SPF1");
constexpr int HeaderSize = 6;
constexpr int MaxDots = 64;
constexpr int GlyphCount = 256;

qsizetype GlyphsSize(int width, int height)
{
    return qsizetype(GlyphCount) * height * ((width + 7) / 8);
}
} // namespace

bool ReadFontFile(const QByteArray& data, FontFile& font, QString& error)
{
    if (data.size() < HeaderSize || !data.startsWith(Magic)) {
        error = QStringLiteral("Файл не является файлом шрифта");
        return false;
    }
    const int width = quint8(data[4]), height = quint8(data[5]);
    if (width < 1 || width > MaxDots || height < 1 || height > MaxDots) {
        error = QStringLiteral("Неверный размер символа шрифта: %1x%2").arg(width).arg(height);
        return false;
    }
    if (data.size() != HeaderSize + GlyphsSize(width, height)) {
        error = QStringLiteral("Неверная длина файла шрифта");
        return false;
    }
    font.CharWidth = width;
    font.CharHeight = height;
    font.Glyphs = data.mid(HeaderSize);
    return true;
}

QByteArray MakeFontFile(int charWidth, int charHeight)
{
    QByteArray data = Magic;
    data.append(char(charWidth)).append(char(charHeight));
    const int rowBytes = (charWidth + 7) / 8;
    for (int code = 0; code < GlyphCount; ++code)
        for (int row = 0; row < charHeight; ++row)
            for (int b = 0; b < rowBytes; ++b)
                data.append(char(row == 0 || row == charHeight - 1 ? 0 : (code >> (row % 8)) & 1 ? 0x7E : 0x42));
    return data;
}
