#pragma once
// The graphics memory of an emulated register: raster lines in two buffers
// (the graphics memory, whose lines 1..200 the plain commands LoadLineData
// and Draw reach, and the 512 buffer) and
// the 2D barcode block memory of LoadBlockData; pictures printed from them go
// on the paper as PaperKind::Image, barcodes as PaperKind::Barcode.
//
// Raster bytes: byte i holds the dots 8i .. 8i + 7, the least significant
// bit the leftmost dot.
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <QImage>
#include <array>
#include <map>
#include <optional>
#include <vector>

enum class GraphicsBuffer { Graphics, Buffer512 };

struct RegisterGraphics : RegisterArea {
    static constexpr int MaxLineBytes = 80;
    static constexpr int LineCount = 1200;
    static constexpr int PlainLineCount = 200;
    static constexpr int BlockSize = 64;
    static constexpr int BlockCount = 256;

    // Lines 1..LineCount; a line never loaded reads empty.
    std::array<std::map<int, QByteArray>, 2> Lines;
    // LoadBlockData's blocks by number, each up to 64 bytes.
    std::map<int, QByteArray> Blocks;

    void Keep(StateArchive& a) { a(Lines, Blocks); }

    QByteArray Line(GraphicsBuffer buffer, int number) const;
    // Stores the rows from line `first` on; false (nothing stored) when a
    // row is longer than 80 bytes or a line lies beyond `lastLine`.
    bool Store(GraphicsBuffer buffer, int first, const std::vector<QByteArray>& rows, int lastLine = LineCount);
    // The bytes of `length` from block `start` on; none when a block they
    // need was never loaded.
    std::optional<QByteArray> BlockData(int start, int length) const;
};

// Hex text, two digits per byte, blanks anywhere between bytes; none for
// any other character or an odd digit.
std::optional<QByteArray> ParseStrictHex(const QString& text);
// Each byte with its bits in the opposite order.
QByteArray MirrorBits(const QByteArray& bytes);
// The picture's rows as raster bytes, black where the grey level is below
// 128, at most `maxDots` dots wide, shifted right to the middle of maxDots
// when `center` is set.
std::vector<QByteArray> PictureRows(const QImage& picture, int maxDots, bool center);
// Raster rows of `rowBytes` bytes each as a black-and-white picture (a set
// dot black), with `quiet` white dots around.
QImage RasterPicture(const QByteArray& rows, int rowBytes, int quiet = 0);
