// The user font: loading a font file as font 9, its hash, the reset.
#include "emulator/FontFile.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"

#include <QCryptographicHash>
#include <QFile>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// Refused files leave the fonts as they were.
std::int32_t LoadFont(OrvekCall& c)
{
    const QString name = c.Str(P::FileName);
    QFile file(name);
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        c.Description = QStringLiteral("Не удалось открыть файл \"%1\"").arg(name);
        return OrvekResult::FileError;
    }
    FontFile font;
    if (!ReadFontFile(file.readAll(), font, c.Description))
        return OrvekResult::BadParameter;
    RegisterPrinter& printer = c.Reg().Area<RegisterPrinter>();
    printer.UserFont = FontMetrics{font.CharWidth, font.CharHeight};
    printer.UserFontGlyphs = font.Glyphs;
    c.Request.append(char(RegisterPrinter::UserFontNumber)).append(char(font.CharWidth)).append(char(font.CharHeight));
    return OrvekResult::Ok;
}

// MD5 of the user font's glyphs (of nothing while none is loaded).
std::int32_t ReadFontHash(OrvekCall& c)
{
    const QByteArray hash =
        QCryptographicHash::hash(c.Reg().Area<RegisterPrinter>().UserFontGlyphs, QCryptographicHash::Md5);
    c.Set(P::FontHashHex, QString::fromLatin1(hash.toHex().toUpper()));
    c.Answer.append(hash);
    return OrvekResult::Ok;
}

std::int32_t ResetFont(OrvekCall& c)
{
    RegisterPrinter& printer = c.Reg().Area<RegisterPrinter>();
    printer.UserFont.reset();
    printer.UserFontGlyphs.clear();
    return OrvekResult::Ok;
}
} // namespace

void AddFontHandlers(OrvekHandlerTable& t)
{
    t.Add(M::LoadFont, OrvekAccess::Device, 0xFE31, &LoadFont);
    t.Add(M::ReadFontHash, OrvekAccess::Device, 0xFE32, &ReadFontHash);
    t.Add(M::ResetFont, OrvekAccess::Device, 0xFE33, &ResetFont);
}
