#pragma once
// CRC-16/CCITT-FALSE and the register's registration number (RNM): the
// 10-character head, the INN (12) and the factory serial number (20), each with
// zeros in front, then the CRC of the 42 characters in 6 decimal digits.
#include <QByteArray>
#include <QString>
#include <cstdint>

// MSB first, no reflection, no final XOR; 0x1021 / 0xFFFF give CRC-16/CCITT-FALSE.
uint16_t CRCCITT16(const QByteArray& Data, uint32_t Polynomial = 0x1021, uint32_t Init = 0xFFFF);

// The test program's rule: byte strings; a text longer than its width is cut.
QString GenerateRNM(const QByteArray& Number, const QByteArray& INN, const QByteArray& Serial);
// The wizard's rule: a text longer than its width is used whole; each
// character enters the CRC by its low 8 bits.
QString GenerateRNM(const QString& Head, const QString& INN, const QString& Serial);
// Whether RNM is the wizard's GenerateRNM of its own first 10 characters,
// the INN and the serial number.
bool CheckRNM(const QString& RNM, const QString& INN, const QString& Serial);
