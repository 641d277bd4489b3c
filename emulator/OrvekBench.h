#pragma once
// The device bench: the emulated registers and the addresses where driver
// objects reach them. Several driver objects reach one register.
//
// Without a bench file the bench holds one register (RegisterConfig's
// defaults) on COM1 at 115200 baud and on TCP 127.0.0.1:7778. The
// environment variable ORVEK_BENCH names a bench file (see Load) that
// describes the registers instead.
//
// The registers of the default bench and of a bench file keep their state
// between runs, each in its own folder (StateFolderOf); the bench file
// describes a register only when it is first made. Registers added with
// Add keep theirs where their configuration says (none: in memory).
#include "emulator/EmulatedRegister.h"

#include <QString>
#include <memory>
#include <mutex>
#include <vector>

class OrvekBench {
public:
    // The registers of the default bench, or of the ORVEK_BENCH file. A bad
    // bench file leaves the default bench and its error in LoadError(), and
    // the user is told (ReportLoadError).
    void Reset();
    // Reset without telling: nothing here shows a box or runs an event loop.
    void Build();
    // Tells the user of LoadError(), if any (Notify).
    void ReportLoadError() const;
    // Reads a bench file and replaces the registers with its registers.
    // Raises Exception with the file name and line on an error (the bench
    // stays as it was).
    //
    // Format: text lines, "#" starts a comment. "printserver = 7790" (anywhere)
    // is the print server's port (PrintServer.h). Each "[register]" line starts
    // a register; "key = value" lines describe it:
    //   name = Касса 2          com = 2 (0: no serial port)   baud = 9600 (a rate of the driver's)
    //   tcp = 127.0.0.1:7779 (or "none")    model = 16
    //   type2 = 1 (the newer generation: cash core, the vending machine's number
    //   in table 16, no OFD link tables; 0, the default: the older one)
    //   description = ...       serial = 0000000000000777
    //   firmware = D.5          build = 22000                 date = 2024-03-01
    //   fnversion = fn 1.1 (the FN's version text)
    //   param.73 = 0 (a model parameter: integer, true/false or text; 71 FN,
    //   28 cash core, 57 SKNO, 50 last-print result)
    //   errors = 120 (the last code ReadErrorDescription describes; -1 none)
    //   skno = 65 (SKNOStatus)    interface = 1 (PortNumber)    lastprint = 3
    //   fmflags = 3    fmflagsex = 9    keys = 0 13 (key update: result code, status)
    //   fault = FNGetStatus 80 x3   (next 3 calls)   fault = PrintString -1 @5 (the 5th call)
    //   clock = -90 (seconds the register's clock is behind or ahead)
    //   fn = blank (a new FN; "fiscal", the default: registered 30 days ago)
    //   ofd = up (the OFD takes documents while the driver's exchange is not suspended)
    //   dhcp = 1500 (the network link's DHCP address after 1500 ms; 0 at once, the
    //   default; "never")
    //   dump.8 = /path/image.bin (the memory image a dump of device code 8 reads)
    //   ping = 192.168.1.50 12 (a host that answers Ping in 12 ms; none is dialled)
    //
    // A value longer than its field is refused: serial 20 characters,
    // firmware 8, fnversion 16, name and description 64, dump file names
    // 4096, any other 255.
    // A bench holds 1 to MaxRegisters registers, each at most MaxModelParams
    // model parameters and MaxFaults faults; the file is at most MaxFileSize bytes.
    void Load(const QString& fileName);
    // The registers a bench file's bytes describe (fileName names it in errors).
    static std::vector<RegisterConfig> Parse(QByteArrayView bytes, const QString& fileName);
    static constexpr int MaxRegisters = 256;
    static constexpr int MaxModelParams = 256;
    static constexpr int MaxFaults = 256;
    static constexpr qint64 MaxFileSize = 1 << 20;
    // Removes every register.
    void Clear();
    std::shared_ptr<EmulatedRegister> Add(RegisterConfig config);
    // The state folder of the register at a position (0 = the first) of a
    // bench file (empty: the default bench):
    // $XDG_DATA_HOME/orvek/bench/<bench>/<position from 1>, where <bench> is
    // "default" or the file's name without its suffix, "-" and the first 8
    // hex digits of the SHA-1 of its canonical path.
    static QString StateFolderOf(const QString& benchFile, int index);

    std::vector<std::shared_ptr<EmulatedRegister>> Registers() const;
    // The register at a position (0 = the first), or by name; null when none.
    std::shared_ptr<EmulatedRegister> Register(int index = 0) const;
    std::shared_ptr<EmulatedRegister> RegisterByName(const QString& name) const;

    // The register on a serial port at a baud rate; null when none answers
    // there (no register on the port, or another rate).
    std::shared_ptr<EmulatedRegister> FindSerial(int comNumber, int baudRate) const;
    // The register at a TCP address ("localhost" is 127.0.0.1); null when none.
    std::shared_ptr<EmulatedRegister> FindTcp(const QString& host, int port) const;
    // The serial port numbers that registers occupy, ascending.
    std::vector<int> SerialPorts() const;

    QString LoadError() const;

private:
    mutable std::mutex FMutex;
    std::vector<std::shared_ptr<EmulatedRegister>> FRegisters;
    QString FLoadError;
};

// The one bench of the process, built on first use (Build); a bad bench
// file is reported once the bench exists.
OrvekBench& Bench();
