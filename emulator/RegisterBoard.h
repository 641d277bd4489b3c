#pragma once
// The service state of a register's boards: boot loader, DFU mode, SD card
// formatting, the Ethernet speed, the modernisation board's version, the
// last fiscal document's date set by the service command.
#include "emulator/EmulatedRegister.h"

#include <QDateTime>
#include <QString>

struct RegisterBoard : RegisterArea {
    QString LoaderVersion = QStringLiteral("1.07 (12.05.2022)");
    QString BoardVersion = QStringLiteral("UM 2.1.7");  // the modernisation board's firmware
    bool DFUMode = false;
    int SDFormats = 0;      // SD card formats done
    bool Ethernet100Mbit = false;
    QDateTime LastFDDate;   // set by FE E2 (invalid: never)

    void Keep(StateArchive& a) { a(LoaderVersion, BoardVersion, DFUMode, SDFormats, Ethernet100Mbit, LastFDDate); }
};
