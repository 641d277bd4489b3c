#pragma once
// Format: printf-like formatting with the program's conventions.
//
//   Format("(%d) %s", {ResultCode, ResultCodeDescription})
//
// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, where width
// and precision may be "*" (taken from the argument list) and "%%" is a "%".
//   d  signed decimal; a precision pads with zeros ("%.3d" of -5 is "-005")
//   u  unsigned decimal (a 32-bit argument is read as unsigned 32-bit)
//   x  upper-case hex; a negative 32-bit value gives its 8-digit two's
//      complement, a negative 64-bit value 16 digits; a precision pads with zeros
//   s  text; a precision cuts it to that many characters
//   f  fixed point, precision 2 by default, the user's decimal separator
// A width pads with blanks on the left ("-": on the right) and never cuts.
// A missing argument or one of the wrong kind raises EConvertError.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <initializer_list>

class FormatArg {
public:
    enum class Kind { Int, Int64, Double, String };

    FormatArg(int v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned v) : FKind(Kind::Int64), FInt(v) {}
    FormatArg(long v) : FKind(Kind::Int64), FInt(v) {}
    FormatArg(unsigned long v) : FKind(Kind::Int64), FInt(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : FKind(Kind::Int64), FInt(v) {}
    FormatArg(unsigned long long v) : FKind(Kind::Int64), FInt(static_cast<int64_t>(v)) {}
    FormatArg(double v) : FKind(Kind::Double), FDouble(v) {}
    FormatArg(const QString& v) : FKind(Kind::String), FString(v) {}
    FormatArg(const char* v) : FKind(Kind::String), FString(QString::fromUtf8(v)) {}
    FormatArg(QChar v) : FKind(Kind::String), FString(v) {}
    // A byte string reads through the ANSI code page.
    FormatArg(const QByteArray& v);

    Kind kind() const { return FKind; }
    int64_t intValue() const { return FInt; }
    double doubleValue() const { return FDouble; }
    const QString& stringValue() const { return FString; }

private:
    Kind FKind;
    int64_t FInt = 0;
    double FDouble = 0;
    QString FString;
};

QString Format(const QString& format, std::initializer_list<FormatArg> args = {});

// The decimal separator "%f" prints: the user's locale unless set.
QChar DecimalSeparator();
void SetDecimalSeparator(QChar separator);

// The platform's currency text of an amount given × 10000: up to four
// decimals, trailing zeros dropped, with DecimalSeparator ("150", "-0.5").
QString CurrToStr(int64_t value);
