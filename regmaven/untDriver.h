#pragma once
// The wizard's driver access: one global driver object, a result check whose
// message the pages show, device tables with logical numbers, model tests,
// FN tags and the FN calls that are reissued while the FN is busy.
#include "core/binding/BusyRetry.h"
#include "core/binding/LumaqLib_TLB.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace Regmaven {

// The driver object; CreateDriver() runs first when there is none.
TOrvek& Driver();
bool DriverExists();
// Creates the driver object with its OFD exchange suspended; nothing when it
// exists. Creation errors go to the caller.
void CreateDriver();
void FreeDriver();

// Raises Exception "Ошибка <code>, <ResultCodeDescription>" for a code other than 0.
void Check(int32_t ResultCode);

// The answer that the register's port is held by another driver object or
// another program: the register is there, but busy.
bool IsPortHeld(int32_t ResultCode);
// What the user is told then.
QString PortHeldText();

// Logical tables 18, 19 and 24 are the model's tables of model parameters
// 72, 73 and 75; other numbers stay.
int CorrectTableNumber(int Table);
int ReadTableInt(int Table, int Row, int Field);
QString ReadTableStr(int Table, int Row, int Field);
// 0 / empty when the register lacks the field or table (result 93).
int TryReadTableInt(int Table, int Row, int Field);
QString TryReadTableStr(int Table, int Row, int Field);
void WriteTableStr(int Table, int Row, int Field, const QString& Text);
// Writes the decimal text into a string field, the number otherwise.
void WriteTableInt(int Table, int Row, int Field, int Value);
// Row 1, always through the integer property.
void WriteFieldInt(int Table, int Field, int Value);

// A value for row 1 of a device table (logical number): a text goes in
// with WriteTableStr, a number with WriteTableInt. Name is the value's name
// in messages.
struct TTableValue {
    int Table = 0;
    int Field = 0;
    QVariant Value;
    QString Name;
};
// Raises a message naming the value when the register has no such field or
// the value does not fit it (a text too long, a number out of its range);
// writes nothing.
void CheckTableValue(const TTableValue& Value);
void WriteTableValue(const TTableValue& Value);

bool ReadModelParam28();
// The register generation that keeps its FFD code in table 10.
bool IsNewModel();
bool IsUModel19();
int ReadFFDVersion();
// The fields that keep the FFD code on a register of the generation.
std::vector<TTableValue> FFDVersionValues(int FFD, bool NewModel);
void WriteFFDVersion(int FFD);

// FN calls reissued while the driver answers 80 or 75 (CallWhileBusy: a
// pause that keeps the window painted, up to a bounded number of tries); the
// last code goes to Check.
void BeginRegistrationReport();
void BuildRegistrationReport();
void BuildReregistrationReport();
void SendTag();

// The reissue's pause and bound (200 ms, 150 tries unless a test installs
// others); returns the ones before.
TBusyRetry SetRetryPolicy(TBusyRetry Policy);

void SendTagStr(int Tag, const QString& Text);
void SendTagByte(int Tag, int Value);

} // namespace Regmaven
