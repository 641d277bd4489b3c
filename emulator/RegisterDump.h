#pragma once
// The memory areas a register gives out through the dump protocol: one image
// per device code, read in fixed blocks while a data stream is open.
//
// An area's image is its bench file (dump.N), an image set by a test, or
// content made from the code and the offset (the same on every read). The
// stream: a dump request opens it at the first block; each data request gives
// the next block; a data request with no stream or past the end fails; an
// interrupt ends it.
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>

struct DumpAreaInfo {
    int Code;
    const char* Description;
    qint64 Size;  // bytes of the made content
};

class RegisterDump : public RegisterArea {
public:
    explicit RegisterDump(EmulatedRegister& reg) : FRegister(reg) {}

    static constexpr int BlockSize = 128;
    static constexpr qint64 MaxImageFile = qint64(64) << 20;

    // The areas the register has, or null for an unknown code.
    static const DumpAreaInfo* FindArea(int code);
    // `count` bytes of an area's made content from `offset`.
    static QByteArray MadeContent(int code, qint64 offset, int count);

    // Replaces an area's image (a test's bytes); an empty optional goes back
    // to the bench file or the made content.
    void SetImage(int code, std::optional<QByteArray> image);

    // Opens the stream: the result code; blockCount the number of blocks.
    std::int32_t Request(int code, std::int32_t& blockCount);
    // The next block and its number (from 0).
    std::int32_t Next(QByteArray& block, std::int32_t& number);
    void Interrupt() { FOpen = false; }
    bool Streaming() const { return FOpen; }
    // The blocks given out in the current or last stream.
    std::int32_t Served() const { return FNext; }

private:
    // The area's image, loaded from its bench file; false when the file
    // cannot be read.
    bool Image(int code, std::optional<QByteArray>& image) const;

    EmulatedRegister& FRegister;
    std::map<int, QByteArray> FImages;
    bool FOpen = false;
    int FCode = 0;
    qint64 FSize = 0;
    std::optional<QByteArray> FData;  // the stream's image; none: made content
    std::int32_t FNext = 0;
};
