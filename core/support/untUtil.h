#pragma once
// Amounts, input checks, hex, bits, placeholders, DOS text and the TCP port code.
#include "core/support/BinUtils.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The amount in a text ("1 234,56", "-2.5") as a currency value (amount x 10000),
// rounded to hundredths. Raises Exception "Некорректное значение в поле\r\n\"<field>\""
// for a text that is not a plain decimal number, whose amount is above
// 10995116277 or below what a currency value holds.
int64_t GetSumm(const QString& text, const QString& fieldName);
// Raises Exception "Некорректное значение в поле \"<field>\"" for a text longer
// than 1024 characters; checks nothing else.
void CheckIntStr(const QString& text, const QString& fieldName);

// Each byte as two upper-case hex digits, each followed by a blank when
// withBlanks is set ("01 AB "), else run together ("01AB").
QString StrToHex(const QByteArray& data, bool withBlanks);

// BoolToYesNo of TestBit(value, bit).
QString GetBitStr(uint32_t value, int bit);

// The text, or a placeholder when it is empty.
QString GetINN(const QString& text);          // "не задан"
QString GetRNM(const QString& text);          // "не задан"
QString GetSerialNumber(const QString& text); // "не введен"

// Code page 866 to 1251; characters 1251 lacks (box drawing 0xB0..0xDF,
// 0xF9, 0xFB, 0xFE) become "?".
char Char866To1251(char c);
QByteArray Str866To1251(const QByteArray& text);

// The device's one-byte TCP port code: high nibble = the port's top nibble,
// low nibble = its bottom nibble, the bits between read 0x03.
uint16_t DecodeTCPPort(uint8_t code);
uint8_t EncodeTCPPort(uint16_t port);
