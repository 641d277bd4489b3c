#pragma once
// TLogger: a named front end of the global log; every message starts with
// the name.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <exception>

class TLogger {
public:
    explicit TLogger(const QString& Name) : FName(Name) {}

    void Info(const QString& Message);
    void Debug(const QString& Message);
    void Error(const QString& Message);
    void Error(const QString& Message, const std::exception& E);
    void WriteMethodName(const QString& Name);
    void WriteMethodValue(const QString& Name, const QVariant& Value);
    // 60 dashes.
    void WriteSeparator();
    void WriteTxData(const QByteArray& Data);
    void WriteRxData(const QByteArray& Data);
    // One debug line per 20 bytes: Prefix + the bytes as hex.
    void WriteData(const QString& Prefix, const QByteArray& Data);

private:
    QString FName;
};
