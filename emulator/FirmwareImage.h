#pragma once
// The firmware image file of the emulated registers: a header naming the
// model and the version, then the program bytes.
//
//   offset size
//   0      4    "LQFW"
//   4      1    format version (1)
//   5      2    model id, little-endian
//   7      8    version text ("D.2"), padded with zero bytes
//   15     2    build number, little-endian
//   17     3    date: day, month, year - 2000
//   20     4    program size, little-endian
//   24     2    CRC-16 (qChecksum) of the program bytes, little-endian
//   26     ...  the program bytes
#include <QByteArray>
#include <QDate>
#include <QString>

struct FirmwareImage {
    int ModelId = 0;
    QString Version;
    int Build = 0;
    QDate Date;
    QByteArray Program;
    quint16 Checksum = 0;  // as the header states it

    // The program bytes match the header's checksum.
    bool ChecksumMatches() const;
};

// The image file's bytes (the checksum computed from the program).
QByteArray BuildFirmwareImage(const FirmwareImage& image);
// Reads an image; false with a text in `error` when the bytes are no image.
// The checksum is not checked here (the register checks it when the
// transfer ends).
bool ReadFirmwareImage(const QByteArray& bytes, FirmwareImage& image, QString& error);
