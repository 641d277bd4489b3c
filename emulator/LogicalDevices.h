#pragma once
// The driver's logical devices: named connection presets, numbered, kept in
// one file under the user's data folder ($XDG_DATA_HOME/KORVEL/Orvek), so
// every driver object and the next run see the same list.
//
// File: UTF-8 text lines; "active N" names the active device (0: none); each
// device is one line "ld <number> <COM> <baud code> <time-out> <name> <computer>"
// with the two texts percent-encoded.
#include <QByteArrayView>
#include <QString>
#include <vector>

struct LogicalDevice {
    int Number = 0;
    QString Name;
    int ComNumber = 1;
    int Baudrate = 6;
    int Timeout = 100;
    QString ComputerName;
    bool operator==(const LogicalDevice&) const = default;
};

struct LogicalDeviceList {
    std::vector<LogicalDevice> Devices;
    int Active = 0;
    // The file could not be read (or kept aside when damaged): never written over.
    bool FileKept = false;

    static constexpr std::size_t MaxDevices = 1000;
    static constexpr qsizetype MaxFileSize = 4 << 20;

    // The device of a number; null when none.
    LogicalDevice* Find(int number);
    // Adds a device under the next free number; returns that number, 0 when the list is full.
    int Add(LogicalDevice device);
    bool Remove(int number);

    // Reads a file's bytes; lines that do not read are skipped, counted in
    // *bad, the first (from 1) in *firstBad.
    static LogicalDeviceList Parse(QByteArrayView bytes, int* bad = nullptr, int* firstBad = nullptr);
    QByteArray Text() const;

    // The file of the list; an empty list when it is missing or unreadable.
    // A file that is too large, unreadable or damaged is handled as the
    // registry is (TKeptFile): copied or moved aside, or never written over,
    // and told to the user once.
    static QString FileName();
    static LogicalDeviceList Load();
    // Empty, or why the file was not written (it then stays as it was).
    QString Save() const;
};
