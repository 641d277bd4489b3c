#include "regmaven/slip.h"

#include <algorithm>

namespace Regmaven {

void TSlip::AddStr(const QString& Text, bool Centered)
{
    if (Centered) {
        FLines << QString(std::max(0, (FWidth - int(Text.size())) / 2), u' ') + Text;
        return;
    }
    if (FWidth < 1) {
        if (!Text.isEmpty())
            FLines << Text;
        return;
    }
    for (qsizetype i = 0; i < Text.size(); i += FWidth)
        FLines << Text.mid(i, FWidth);
}

void TSlip::AddPair(const QString& Name, const QString& Value)
{
    if (!FRightAligned) {
        AddPair2(Name, Value);
        return;
    }
    const int blanks = std::max(1, FWidth - int(Name.size()) - int(Value.size()));
    AddStr(Name + QString(blanks, u' ') + Value);
}

void TSlip::AddPair2(const QString& Name, const QString& Value)
{
    FLines << Name + QString(std::max(0, FWidth2 - int(Name.size())), u' ') + QStringLiteral(": ") + Value;
}

} // namespace Regmaven
