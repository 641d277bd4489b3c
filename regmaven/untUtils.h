#pragma once
// Number checks and texts of the wizard.
#include <QString>

namespace Regmaven {

// The check digit for position N (10, 11 or 12) of an INN: the first N - 1
// digits weighted (weights aligned to the right), sum mod 11 mod 10.
// Raises EConvertError for a character that is not a digit, Exception for a
// position outside 1 to 12.
int INNCheckDigit(int N, const QString& INN);
// A valid INN: 10 digits with its check digit, or 12 digits with both; a
// text of another length is not valid. A text of 10 or 12 characters with a
// non-digit raises EConvertError.
bool CheckINN(const QString& INN);
// -1, 0 or 1 as version A is lower than, equal to or higher than version B.
int CompareVersions(int A1, int A2, int A3, int A4, int B1, int B2, int B3, int B4);
// "ФФД 1.0 beta", "ФФД 1.0 new", "ФФД 1.05", "ФФД 1.1", "ФФД 1.2" for 0 to 4.
QString GetFFDName(int FFD);
// The re-registration reason text for 1 to 4; empty otherwise.
QString GetReasonCodeName(int Code);

} // namespace Regmaven
