#pragma once
// The notification archive file: a fixed header with the register's
// identity and a CRC-32 of the file, then one record (tag 201, length, data)
// per notification. Built from notifications read from the FN and written
// with SaveToFile; LoadFromFile reads such a file back.
//
//   TFNNotificationArchive archive("Brannic: Lumaq 1.0.0.1", rnm, serial, ffd);
//   archive.Add(7, data);            // "Notification 7: Invalid CRC" when spoilt
//   archive.SaveToFile(fileName);
//
// Layout (little-endian numbers, texts padded with blanks):
//   0 title (66, CP866), 66 program name (256, CP866), 322 registration
//   number (20), 342 FN serial (16), 358 FFD version (1), 359 first number,
//   363 last number, 367 count, 371 CRC-32 (4 each), 375 the records.
#include "pages/fn/Notifications.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class TFNNotificationArchive {
public:
    static constexpr int HeaderSize = 375;
    static constexpr int CRCOffset = 371;
    static inline const QString Title = QStringLiteral("Отчет о реализации маркированного товара");

    TFNNotificationArchive(const QString& ProgName, const QByteArray& RNM, const QByteArray& FNSerial,
                           std::uint32_t FFDVersion);

    // Adds the notification; raises "Notification N: Invalid CRC" when its
    // stored CRC differs (the item stays in the list).
    void Add(std::int32_t Number, const QByteArray& Data);
    // Writes the file through a temporary file, so a failed write keeps any
    // old one; raises "Нет ни одного уведомления" with no records.
    void SaveToFile(const QString& FileName) const;
    // The file's bytes.
    QByteArray FileData() const;

    // Replaces the archive with the file's contents; a malformed file raises
    // an Exception naming what is wrong and where, and changes nothing.
    void LoadFromFile(const QString& FileName);
    void LoadFromData(const QByteArray& Data);

    const TNotifications& Notifications() const { return FNotifications; }
    QString ProgName() const { return FProgName; }
    QByteArray RNM() const { return FRNM; }
    QByteArray FNSerial() const { return FFNSerial; }
    std::uint32_t FFDVersion() const { return FFFDVersion; }

    // The first Width bytes of Text, or Text filled with blanks up to Width.
    static QByteArray AddFinalSpaces(const QByteArray& Text, int Width);
    // The text in the OEM code page, one byte per character.
    static QByteArray AnsiToOem(const QString& Text);
    // The file's CRC-32 (zlib's): over the bytes before offset 370 and from
    // 374 on, the byte at 374 taken as 0.
    static std::uint32_t FileCRC(const QByteArray& Data);

private:
    TNotifications FNotifications;
    QString FProgName;
    QByteArray FRNM;
    QByteArray FFNSerial;
    std::uint32_t FFFDVersion = 0;
};
