#pragma once
// The printer of an emulated register: its fonts. Text lines longer than a
// font's line are cut at the line's end, as a register prints them.
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <optional>
#include <vector>

struct FontMetrics {
    int CharWidth = 12;   // dots
    int CharHeight = 24;  // dots

    void Keep(StateArchive& a) { a(CharWidth, CharHeight); }
};

struct RegisterPrinter : RegisterArea {
    int PrintWidth = 576;  // dots of a printed line
    // Fonts 1..N.
    std::vector<FontMetrics> Fonts = {{12, 24}, {16, 32}, {24, 48}, {12, 24}, {10, 20}, {12, 24}, {8, 16}};

    // Font 9: the user font LoadFont brought, with its file's glyphs.
    static constexpr int UserFontNumber = 9;
    std::optional<FontMetrics> UserFont;
    QByteArray UserFontGlyphs;

    void Keep(StateArchive& a) { a(PrintWidth, Fonts, UserFont, UserFontGlyphs); }

    const FontMetrics* Font(int number) const
    {
        if (number == UserFontNumber && UserFont)
            return &*UserFont;
        return number >= 1 && number <= int(Fonts.size()) ? &Fonts[std::size_t(number - 1)] : nullptr;
    }
    // Characters of a line in a font (0 for an unknown font or width).
    int CharsPerLine(int number) const
    {
        const FontMetrics* f = Font(number);
        return f && f->CharWidth > 0 ? PrintWidth / f->CharWidth : 0;
    }
};
