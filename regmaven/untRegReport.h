#pragma once
// The registration report: the registration data as text lines on a TSlip.
#include "regmaven/slip.h"
#include "regmaven/untRegParams.h"

namespace Regmaven {

// Appends the report of Params to Formatter; Full adds the heading and the
// document's date, number and fiscal sign.
void BuildReport(TSlip& Formatter, const TRegParams& Params, bool Full);

} // namespace Regmaven
