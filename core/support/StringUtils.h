#pragma once
// Text helpers. StrToHex and HexToStr are the ones of BinUtils.
#include "core/support/BinUtils.h"

#include <QString>

// The first width characters of a longer text; a shorter one gets "0"
// characters in front up to the width.
QString AddLeadingZeros(const QString& text, int width);
