#pragma once
// Firmware update and SD card of an emulated register.
//
// An update takes an image file (FirmwareImage.h) and runs on the register's
// clock: the transfer lasts TransferMs(); when it is over the register checks
// the program's checksum, takes the new version and restarts. A cancel, a
// bad image or another model's image leave the old firmware, and so does an
// update whose driver stopped following it (Abandon): only an update that ran
// to its end is installed.
//
// The SD card is in when table 15, row 1, field 1 is 1. Each file type
// (0 boot loader, 1 firmware) is written in numbered blocks of up to 128
// bytes from block 0 on; an empty block ends the file.
#include "emulator/EmulatedRegister.h"
#include "emulator/FirmwareImage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

class RegisterFirmware : public RegisterArea {
public:
    explicit RegisterFirmware(EmulatedRegister& reg) : FRegister(reg) {}

    // UpdateFirmwareStatus values.
    enum Status { Idle = 0, Running = 1, Done = 2, Failed = 3 };
    enum Method { DFU = 0, XMODEM = 1 };

    // Starts an update from the file over the method while the register is
    // connected by the interface (the connection page's codes: 0 RS-232,
    // 2 USB ...). A refusal answers its code and leaves Failed with the reason.
    std::int32_t Start(const QString& fileName, int method, int interfaceCode, QString& description);
    // Stops a running update: Failed, the old firmware kept.
    std::int32_t Cancel(QString& description);
    // Brings the update up to the register's clock.
    void Step();
    // The driver that ran update `run` (Run() when it started) stopped
    // following it: unless it ended already, it fails and is never installed.
    void Abandon(int run);
    int Run() const { return FRun; }
    Status State() const { return FStatus; }
    QString Message() const { return FMessage; }
    // How long the transfer of a program of that size takes.
    static qint64 TransferMs(int method, qsizetype size);

    static constexpr int BlockSize = 128;
    struct SDFile {
        QByteArray Data;
        int NextBlock = 0;
        bool Complete = false;  // the empty block came

        void Keep(StateArchive& a) { a(Data, NextBlock, Complete); }
    };
    bool CardInserted() const;
    std::int32_t LoadBlock(int type, int number, const QByteArray& data, QString& description);
    void FormatCard() { FFiles = {}; }
    const SDFile& File(int type) const { return FFiles[std::size_t(type)]; }

    // The SD card's files (the version is the register's); an update under
    // way stops.
    void Keep(StateArchive& a) { a(FFiles); }

private:
    void Fail(const QString& message);

    EmulatedRegister& FRegister;
    Status FStatus = Idle;
    QString FMessage;
    FirmwareImage FImage;
    int FMethod = DFU;
    QDateTime FStarted;
    int FRun = 0;  // counts the updates started
    std::array<SDFile, 2> FFiles;
};

// The register starts again as after power-on: an open document is
// cancelled unprinted and the mode goes back to the session's.
void RestartRegister(EmulatedRegister& reg);
