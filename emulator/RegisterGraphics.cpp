#include "emulator/RegisterGraphics.h"

#include <QColor>
#include <algorithm>

QByteArray RegisterGraphics::Line(GraphicsBuffer buffer, int number) const
{
    const auto& lines = Lines[std::size_t(buffer)];
    auto it = lines.find(number);
    return it == lines.end() ? QByteArray() : it->second;
}

bool RegisterGraphics::Store(GraphicsBuffer buffer, int first, const std::vector<QByteArray>& rows, int lastLine)
{
    const int last = first + int(rows.size()) - 1;
    if (rows.empty() || first < 1 || last > std::min(lastLine, LineCount))
        return false;
    for (const QByteArray& row : rows)
        if (row.size() > MaxLineBytes)
            return false;
    auto& lines = Lines[std::size_t(buffer)];
    for (std::size_t i = 0; i < rows.size(); ++i)
        lines[first + int(i)] = rows[i];
    return true;
}

std::optional<QByteArray> RegisterGraphics::BlockData(int start, int length) const
{
    QByteArray data;
    for (int block = start; data.size() < length; ++block) {
        auto it = Blocks.find(block);
        if (it == Blocks.end())
            return std::nullopt;
        data.append(it->second);
        if (it->second.size() < BlockSize)
            break;
    }
    if (data.size() < length)
        return std::nullopt;
    return data.left(length);
}

std::optional<QByteArray> ParseStrictHex(const QString& text)
{
    QByteArray digits;
    for (QChar c : text) {
        if (c.isSpace()) {
            if (digits.size() % 2)
                return std::nullopt;
            continue;
        }
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f')))
            return std::nullopt;
        digits.append(char(u));
    }
    if (digits.size() % 2)
        return std::nullopt;
    return QByteArray::fromHex(digits);
}

QByteArray MirrorBits(const QByteArray& bytes)
{
    QByteArray result(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = std::uint8_t(bytes[i]);
        std::uint8_t m = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (b & (1u << bit))
                m |= std::uint8_t(0x80u >> bit);
        result[i] = char(m);
    }
    return result;
}

std::vector<QByteArray> PictureRows(const QImage& picture, int maxDots, bool center)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const int width = std::min(grey.width(), maxDots);
    const int shift = center ? (maxDots - width) / 2 : 0;
    const int rowBytes = (shift + width + 7) / 8;
    std::vector<QByteArray> rows;
    rows.reserve(std::size_t(std::max(grey.height(), 0)));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            if (line[x] < 128) {
                const int dot = shift + x;
                row[dot / 8] = char(std::uint8_t(row[dot / 8]) | (1u << (dot % 8)));
            }
        rows.push_back(std::move(row));
    }
    return rows;
}

QImage RasterPicture(const QByteArray& rows, int rowBytes, int quiet)
{
    if (rowBytes <= 0)
        return {};
    const int height = int((rows.size() + rowBytes - 1) / rowBytes);
    QImage picture(rowBytes * 8 + 2 * quiet, height + 2 * quiet, QImage::Format_Grayscale8);
    picture.fill(255);
    for (int y = 0; y < height; ++y) {
        uchar* line = picture.scanLine(y + quiet);
        for (int x = 0; x < rowBytes * 8; ++x) {
            const qsizetype at = qsizetype(y) * rowBytes + x / 8;
            if (at < rows.size() && (std::uint8_t(rows[at]) & (1u << (x % 8))))
                line[x + quiet] = 0;
        }
    }
    return picture;
}
