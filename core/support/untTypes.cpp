#include "core/support/untTypes.h"

QString BoolToYesNo(bool value)
{
    return value ? QStringLiteral("[да]") : QStringLiteral("[нет]");
}
