#pragma once
// Reading the FN's archive for the marking report: FNBeginReadArchive starts
// a reading, FNReadArchiveItem reads one fiscal document of the FN into it,
// FNSaveArchive writes the documents read to a file, as ".crpt" (binary) or
// ".txt" (one line per document), optionally only the receipts with the
// product code (tag 1162).
//
//   RegisterArchive& a = TestRegister().Area<RegisterArchive>();
//   a.Read            // the document numbers read since the reading began
//   a.SavedFile       // the name the last save wrote
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

struct FNDocument;

namespace FNArchiveFormat {
enum : int { Crpt = 0, Text = 1 };
}

class RegisterArchive : public RegisterArea {
public:
    explicit RegisterArchive(EmulatedRegister& reg) : FRegister(reg) {}

    bool Reading = false;
    std::vector<int> Read;  // document numbers, in the order read
    QString SavedFile;      // the file the last FNSaveArchive wrote

    // A new reading: the documents read before are forgotten.
    void Begin();
    // 0, or the FN error: no reading begun, no such document.
    std::int32_t ReadItem(int number);
    // The file's bytes in the format (FNArchiveFormat) of the documents read.
    QByteArray Contents(int format, bool markingOnly) const;
    // Writes the file: 0, or an error for no reading, an unknown format or a
    // file that cannot be written.
    std::int32_t Save(const QString& fileName, int format, bool markingOnly);

private:
    std::vector<FNDocument> Documents(bool markingOnly) const;
    EmulatedRegister& FRegister;
};
