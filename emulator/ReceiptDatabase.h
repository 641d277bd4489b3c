#pragma once
// The driver's receipt database: the fiscal documents a register closed,
// kept on the computer in one SQLite file per FN serial number
// ("<serial>.db") in a folder: DBFilePath, or when that is empty the
// driver's own folder under $XDG_DATA_HOME. The driver adds each document as
// the register closes it (number, session, type, date-time, total, fiscal
// sign, printed text). A missing folder, an unknown FN or an unreadable file
// answers an error code; an existing file is never replaced.
#include "core/binding/OrvekTypes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

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

// The folder used when DBFilePath is empty.
QString DefaultFolder();
// The file of an FN's documents in a folder (empty folder: the default one).
QString FileName(const QString& folder, const QString& serial);

// Adds documents to the FN's file, creating the file (not the folder) when
// it does not exist yet. 0 or an error code.
std::int32_t Add(const QString& folder, const QString& serial, const std::vector<DBDocument>& documents);
// One document by number.
std::int32_t Find(const QString& folder, const QString& serial, int number, DBDocument& document);
// The documents of a session, in number order.
std::int32_t Session(const QString& folder, const QString& serial, int session, std::vector<DBDocument>& documents);
} // namespace ReceiptDatabase
