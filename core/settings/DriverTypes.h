#pragma once
// The per-user driver folder.
#include <QString>

// $XDG_DATA_HOME/KORVEL/Orvek (created with every missing folder above it,
// failures ignored); no trailing delimiter.
QString GetUserKorvelPath();
