#pragma once
// The per-user driver folder.
#include <QString>

// $XDG_DATA_HOME/KORVEL/Orvek (each level created when missing, failures
// ignored); no trailing delimiter.
QString GetUserKorvelPath();
