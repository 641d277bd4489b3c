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

// Readable QString values in test failure messages.
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);

// A fuzz entry (LLVMFuzzerTestOneInput) over each seed, then over `rounds`
// seeded random mutations of the seeds (insert, replace or cut at a random
// place, with characters from `alphabet`); every run must return 0.
using TFuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);
void FuzzSeededCorpus(TFuzzEntry entry, const QList<QByteArray>& corpus, const QByteArray& alphabet, int rounds);
