#pragma once
// The font file LoadFont reads (".spf"): the magic "SPF1", the character
// width and height in dots (one byte each, 1 to 64), then the 256 glyphs of
// codes 0 to 255, each `height` rows of (width + 7) / 8 bytes, the leftmost
// dot in the top bit. Nothing before or after.
#include <QByteArray>
#include <QString>

struct FontFile {
    int CharWidth = 0;
    int CharHeight = 0;
    QByteArray Glyphs;
};

// False with a reason for a file that is not such a font (bad magic,
// sizes, truncated or too long).
bool ReadFontFile(const QByteArray& data, FontFile& font, QString& error);
// A font file of the given size whose glyphs are a plain pattern of each code.
QByteArray MakeFontFile(int charWidth, int charHeight);
