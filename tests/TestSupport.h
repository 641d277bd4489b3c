#pragma once
// Helpers every test program shares.
#include "platform/ui/Dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
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
