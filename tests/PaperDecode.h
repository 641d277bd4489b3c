#pragma once
// Reads back barcodes drawn on an emulated register's paper.
#include "emulator/RegisterPaper.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct DecodedBarcode {
    QString Format;    // "QRCode", "PDF417", "Aztec", "DataMatrix", "Code128", ...
    QByteArray Bytes;  // the symbol's data bytes
    QString Text;      // the data as text
};

// The barcode drawn in a Barcode or Image item; none when nothing decodes.
std::optional<DecodedBarcode> DecodePaperItem(const PaperItem& item);
