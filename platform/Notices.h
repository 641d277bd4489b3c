#pragma once
// Problems with the programs' own files that the user must hear of: a
// settings file kept aside, a save that failed, a bad bench file. Each text
// is shown once per run in a warning box titled with the program's title
// (from the GUI thread), written to stderr and passed to the notice log.
#include <QString>
#include <functional>

void Notify(const QString& text);
// Where notices are logged as well (the program's log installs itself);
// empty: nowhere. Returns the one installed before.
using TNoticeLog = std::function<void(const QString&)>;
TNoticeLog SetNoticeLog(TNoticeLog log);
