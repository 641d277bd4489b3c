#include "core/settings/ResStrings.h"

QString GetRes(const char* ResString)
{
    return QString::fromUtf8(ResString);
}

QString GetRes(const QString& ResString)
{
    return ResString;
}

QString Translate(const char* Text)
{
    return QString::fromUtf8(Text);
}
