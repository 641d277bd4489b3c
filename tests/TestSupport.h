#pragma once
// Helpers every test program shares.
#include "platform/ui/Dialogs.h"

#include <QString>

// The scripted dialogs installed for the whole test run (reset before each test).
Dialogs::ScriptedDialogs& TestDialogs();

// A fresh temporary folder for this test; removed when the program ends.
QString TestTempDir();
