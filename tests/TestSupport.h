#pragma once
// Helpers every test program shares.
#include "platform/ui/Dialogs.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <ostream>

// The scripted dialogs installed for the whole test run (reset before each test).
Dialogs::ScriptedDialogs& TestDialogs();

// A fresh temporary folder for this test; removed when the program ends.
QString TestTempDir();
// Writes the bytes into a file of that name in a fresh temporary folder;
// returns its full name.
QString WriteTestFile(const QString& name, const QByteArray& bytes);

// Readable QString values in test failure messages.
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);

// While it exists, a write past `bytes` into any file fails, as on a full disk.
class TFullDisk {
public:
    explicit TFullDisk(long long bytes);
    ~TFullDisk();
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

private:
    long long FOldLimit;
    void (*FOldHandler)(int);
};

// While it exists, this thread is refused what file permissions deny, also
// when the tests run as root (whose override it drops).
class TPermissionsApply {
public:
    TPermissionsApply();
    ~TPermissionsApply();
    TPermissionsApply(const TPermissionsApply&) = delete;
    TPermissionsApply& operator=(const TPermissionsApply&) = delete;

private:
    unsigned FOldEffective[2] = {};
    bool FDropped = false;
};

// The bytes of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& fileName);
// Writes a file whole (its folder made); false when that failed.
bool WriteBytes(const QString& fileName, const QByteArray& bytes);
// A fuzz entry (LLVMFuzzerTestOneInput) over each seed, then over `rounds`
// seeded random mutations of the seeds (insert, replace or cut at a random
// place, with characters from `alphabet`); every run must return 0.
using TFuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);
void FuzzSeededCorpus(TFuzzEntry entry, const QList<QByteArray>& corpus, const QByteArray& alphabet, int rounds);
