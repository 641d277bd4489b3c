#pragma once
// The two single-byte code pages of the programs: the ANSI code page
// (Windows-1251) and the OEM code page (CP866). Byte strings are QByteArray,
// one byte per character; crossing into wide text they map through the ANSI
// code page one character per byte. Every byte value of 1251 has a character
// (the undefined 0x98 maps to U+0098), so bytes -> text -> bytes is lossless.
// Characters a code page lacks become "?".
#include <QByteArray>
#include <QChar>
#include <QString>

QString AnsiToWide(const QByteArray& bytes);
QByteArray WideToAnsi(const QString& text);
QChar AnsiCharToWide(char byte);
char WideCharToAnsi(QChar c);

QString OemToWide(const QByteArray& bytes);
QByteArray WideToOem(const QString& text);
