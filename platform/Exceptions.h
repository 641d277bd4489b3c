#pragma once
// The exception family every unit raises and the guard catches.
#include <QString>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }
    // The message may be changed before the exception is raised again.
    void SetMessage(QString message)
    {
        FMessage = std::move(message);
        FUtf8 = FMessage.toStdString();
    }
private:
    QString FMessage;
    std::string FUtf8;
};

// The silent abort: the guard ends the handler without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
    explicit EAbort(QString message) : Exception(std::move(message)) {}
};

// The conversion error; a text that is no integer or no number is quoted in
// its message.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError NotInteger(const QString& text);
    static EConvertError NotNumber(const QString& text);
};
class EOleError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class ERegistryException : public Exception { using Exception::Exception; };
class EIniFileException : public Exception { using Exception::Exception; };

// Raises EAbort ("Operation aborted").
[[noreturn]] void Abort();
