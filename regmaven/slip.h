#pragma once
// TSlip: lines of plain text at a fixed width, with name/value pairs either
// pushed to the right edge or after a name column.
//
//   TSlip slip(32);
//   slip.FRightAligned = true;
//   slip.AddStr(QStringLiteral("ОТЧЕТ"), true);      // centred
//   slip.AddPair(QStringLiteral("ИНН:"), inn);        // "ИНН:          7701234567"
#include <QString>
#include <QStringList>

namespace Regmaven {

class TSlip {
public:
    explicit TSlip(int Width = 0) : FWidth(Width) {}

    // Centred: one line with (FWidth - length) / 2 blanks in front. Otherwise
    // the text in pieces of FWidth characters, one line each (an empty text
    // adds none; a width below 1 keeps the text whole).
    void AddStr(const QString& Text, bool Centered = false);
    // Right-aligned: name, blanks up to the width (at least one), value,
    // wrapped at the width; otherwise AddPair2.
    void AddPair(const QString& Name, const QString& Value);
    // Name padded to FWidth2, ": ", value: one line, never wrapped.
    void AddPair2(const QString& Name, const QString& Value);
    void Clear() { FLines.clear(); }

    const QStringList& Lines() const { return FLines; }

    QStringList FLines;
    int FWidth = 0;
    int FWidth2 = 0;
    bool FRightAligned = false;
};

} // namespace Regmaven
