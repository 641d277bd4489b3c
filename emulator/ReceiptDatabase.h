#pragma once
// The driver's receipt database: the fiscal documents a register closed,
// kept on the computer in one SQLite file per FN serial number
// ("<serial>.db") in a folder: DBFilePath, or when that is empty the
// driver's own folder under $XDG_DATA_HOME. The driver adds each document as
// the register closes it (number, session, type, date-time, total, fiscal
// sign, printed text). A missing folder, an unknown FN or an unreadable file
// answers an error code; an existing file is never replaced.
//
// The file holds only documents the FN holds: it remembers the FN's first
// document (number and fiscal sign), and when the FN it is brought in line
// with has another first document (an FN started afresh, documents that the
// FN no longer holds) the rows the FN does not hold are dropped, as are rows
// numbered past the FN's last document.
#include "core/binding/OrvekTypes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class RegisterFN;

struct DBDocument {
    int Number = 0;
    int Session = 0;
    int Type = 0;          // 1..4 receipts by operation type, 5 any other document
    QDateTime DateTime;
    Currency Total = 0;
    std::uint32_t FiscalSign = 0;
    QString Text;          // the document as printed
};

namespace ReceiptDatabase {
// Result codes of the database methods.
inline constexpr std::int32_t NoMoreDocuments = -41;
inline constexpr std::int32_t NoDatabase = -42;      // no folder, or no file for the FN
inline constexpr std::int32_t DatabaseError = -43;   // the file cannot be read or written
inline constexpr std::int32_t NotFound = -44;        // no document of that number

// The write-ahead log ("<serial>.db-wal") is cut back to this size once it
// starts over. While another program reads the file, documents go on the end
// of the log, so it grows meanwhile; it starts over with the first document
// after the last reader has closed.
inline constexpr qint64 MaxLogSize = qint64(4) << 20;

// The folder used when DBFilePath is empty.
QString DefaultFolder();
// The file of an FN's documents in a folder (empty folder: the default one).
QString FileName(const QString& folder, const QString& serial);

// The FN a file is kept in line with.
struct FN {
    QString Serial;
    int FirstNumber = 0;            // the first document it holds; 0: none
    std::uint32_t FirstSign = 0;
    int LastNumber = 0;
    // True when the FN holds a document of that number and fiscal sign.
    std::function<bool(int number, std::uint32_t sign)> Holds;
};
// An FN of the register (used while the register is locked).
FN Of(RegisterFN& fn);

// Adds documents to the FN's file, creating the file (not the folder) when
// it does not exist yet, and brings it in line with the FN. 0 or an error code.
std::int32_t Add(const QString& folder, const FN& fn, const std::vector<DBDocument>& documents);
// Brings the FN's file, when there is one, in line with the FN. 0 or an error code.
std::int32_t Agree(const QString& folder, const FN& fn);
// One document by number.
std::int32_t Find(const QString& folder, const QString& serial, int number, DBDocument& document);
// The documents of a session, in number order.
std::int32_t Session(const QString& folder, const QString& serial, int session, std::vector<DBDocument>& documents);
} // namespace ReceiptDatabase
