#pragma once
// Hex text, byte strings, little-endian integers and bits.
// Byte strings are QByteArray, one byte per character; hex text is plain text.
#include <QByteArray>
#include <QString>
#include <cstdint>

// Each byte as two upper-case hex digits, separated by one blank: "01 AB".
QString StrToHex(const QByteArray& data);
// Hex text to bytes: groups of two digits, or one digit ended by a blank;
// stops quietly at the first group that is not hex. Byte-exact for all values.
QByteArray HexToStr(const QString& text);
// The same two conversions named for byte arrays.
inline QString BytesToHex(const QByteArray& data) { return StrToHex(data); }
inline QByteArray HexToBytes(const QString& text) { return HexToStr(text); }

// The count (1 to 8) least significant bytes of value, least significant
// first; any other count gives an empty string.
QByteArray IntToBin(int64_t value, int count);
// The integer of count bytes from the 1-based position on, least significant
// first; 0 when the position or count does not fit the data or count > 8.
int64_t BinToInt(const QByteArray& data, int position, int count);
QString Int64ToStr(int64_t value);
int Min(int a, int b);

// value := value or (1 shl bit); a bit of 8 or more leaves value unchanged.
void SetBit(uint8_t& value, int bit);
// Whether bit (taken modulo 32; 0 = least significant) of value is set.
bool TestBit(uint32_t value, int bit);

// value rounded to a multiple of step; a remainder over 0.49999 steps goes
// away from zero.
double ExRound(double value, double step);
