#include "core/support/StringUtils.h"

QString AddLeadingZeros(const QString& text, int width)
{
    if (text.size() > width)
        return text.left(qMax(width, 0));
    return text.rightJustified(width, u'0');
}
