#pragma once
// The X5 files: the register's parameters, the FN close report (written) and
// the key-value lines of a registration parameters file (read). Files are
// written in code page 1251 without a byte-order mark, every line ended by
// CR LF; on reading a byte-order mark selects UTF-8 or UTF-16.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Regmaven {

// The kinds of X5 files, as their names give them.
enum TX5FileType { x5Registration = 1, x5ReRegistration = 2, x5CloseFN = 3, x5KKTParams = 4 };

// The value of the first line "<key>:<value>" (the key without regard to
// case), less one leading blank; raises "Не найден атрибут файла: <key>".
QString X5GetValue(const QStringList& Lines, const QString& Key);
// True exactly for the value "1" (blanks around it allowed).
bool X5GetBool(const QStringList& Lines, const QString& Key);
// The value as an integer; raises naming the key and the value when it is none.
int X5GetInt(const QStringList& Lines, const QString& Key);
// The tax system mask of a code 0 to 5; raises "Некорректная система налогообложения: <code>".
uint8_t X5TaxSystemMask(int Code);
// The lowest tax system bit 0 to 5 set, as one digit; empty when none.
QString X5TaxSystemCode(uint8_t Mask);
QString X5BoolToStr(bool Value);
// "<yyyymmdd>_<type, two digits>_<factory code>_<serial>.txt", with path
// separators taken out of the factory code and the serial.
QString X5FileName(int Type, const QString& Serial, const QDateTime& Date, const QString& FactoryCode);
// The FN model text of the model list's item (0 "1", 1 "1.05", 2 "1.1").
QString X5FNModelText(int Index);
// The open and save dialogs' filter of X5 files.
QString X5FileFilter();
// "dd.mm.yyyy hh:nn:ss".
QString X5DateTimeText(const QDateTime& Value);

// The lines of a file's bytes / of a file (raises when it cannot be read).
QStringList X5LinesOfData(const QByteArray& Data);
QStringList LoadX5File(const QString& FileName);
// Writes the lines (raises when the file cannot be written).
void SaveX5File(const QString& FileName, const QStringList& Lines);

// The register's parameters (the KKT parameters file).
struct TX5KKTParamsRec {
    QString FactoryCode;
    QString KKTSerial;
    QString KKTModel;
    QString FNSerial;
    QString FNModel;
    QString KKTModelNumber;
    QString AutomatNumber;

    QStringList Lines() const;
    void SaveToFile(const QString& FileName) const;
};

// The FN close report.
struct TX5CloseFNRec {
    QString UserName;
    QString Address;
    QString PayPlace;
    QString INN;
    QString RNM;
    QString KKTSerial;
    int32_t FFD = 0;
    int32_t SessionNumber = 0;
    QString Cashier;
    QString CashierINN;
    QString FNSerial;
    QDateTime DateTime;
    int32_t DocNumber = 0;
    QString FiscalSign;

    QStringList Lines() const;
    void SaveToFile(const QString& FileName) const;
};

} // namespace Regmaven
