#include "core/support/untLogger.h"

#include "core/support/BinUtils.h"
#include "core/support/Format.h"
#include "core/support/LogFile.h"

void TLogger::Info(const QString& Message)
{
    GlobalLogger().Info(FName + " " + Message);
}

void TLogger::Debug(const QString& Message)
{
    GlobalLogger().Debug(FName + " " + Message);
}

void TLogger::Error(const QString& Message)
{
    GlobalLogger().Error(FName + " " + Message);
}

void TLogger::Error(const QString& Message, const std::exception& E)
{
    GlobalLogger().Error(FName + " " + Message + " (" + ExceptionMessage(E) + ")");
}

void TLogger::WriteMethodName(const QString& Name)
{
    Debug(Name);
}

void TLogger::WriteMethodValue(const QString& Name, const QVariant& Value)
{
    Debug(Format("%s: %s", {Name, Value.toString()}));
}

void TLogger::WriteSeparator()
{
    Info(QString(60, u'-'));
}

void TLogger::WriteTxData(const QByteArray& Data)
{
    WriteData("-> ", Data);
}

void TLogger::WriteRxData(const QByteArray& Data)
{
    WriteData("<- ", Data);
}

void TLogger::WriteData(const QString& Prefix, const QByteArray& Data)
{
    qsizetype pos = 0;
    do {
        Debug(Prefix + StrToHex(Data.mid(pos, 20)));
        pos += 20;
    } while (pos < Data.size());
}
