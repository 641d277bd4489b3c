#pragma once
// Barcode symbols drawn as raster rows (zxing-cpp's writers), placed on a
// printed line as the register prints them.
#include <QByteArray>
#include <QString>
#include <optional>

enum class Symbology { None, Code128, Code39, Code93, Codabar, ITF, UPCA, UPCE, EAN8, EAN13, QRCode, PDF417, Aztec, DataMatrix };

struct BarcodeStyle {
    int Module = 2;          // dots per module (bar width, dot size)
    int Height = 0;          // rows of a linear code; 2D codes: Module rows per module row
    int RowHeight = 1;       // module rows per symbol row (PDF417)
    int EccLevel = -1;       // zxing's 0..8, -1: the writer's default
    bool Bytes = false;      // the data is bytes (one character each), not text
    int Alignment = 0;       // 0 centre, 1 left, 2 right
    int LineDots = 576;      // dots of the printed line
};

struct BarcodeRaster {
    QByteArray Rows;  // raster rows, RowBytes each
    int RowBytes = 0;
};

// The symbol of the data; none when the writer refuses the data or the
// symbol is wider than the line.
std::optional<BarcodeRaster> DrawBarcode(Symbology symbology, const QString& data, const BarcodeStyle& style);
