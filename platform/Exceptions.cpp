#include "platform/Exceptions.h"

void Abort()
{
    throw EAbort();
}

EConvertError EConvertError::NotInteger(const QString& text)
{
    return EConvertError(QStringLiteral("\"%1\" не является целым числом").arg(text));
}

EConvertError EConvertError::NotNumber(const QString& text)
{
    return EConvertError(QStringLiteral("\"%1\" не является числом").arg(text));
}
