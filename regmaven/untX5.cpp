#include "regmaven/untX5.h"

#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"

namespace Regmaven {

QString X5GetValue(const QStringList& Lines, const QString& Key)
{
    const QString prefix = Key.toUpper() + u':';
    for (const QString& line : Lines) {
        if (!line.toUpper().startsWith(prefix))
            continue;
        QString value = line.mid(line.indexOf(u':') + 1);
        if (value.startsWith(u' '))
            value.remove(0, 1);
        return value;
    }
    throw Exception(QStringLiteral("Не найден атрибут файла: ") + Key);
}

bool X5GetBool(const QStringList& Lines, const QString& Key)
{
    return X5GetValue(Lines, Key).trimmed() == QLatin1String("1");
}

int X5GetInt(const QStringList& Lines, const QString& Key)
{
    const QString value = X5GetValue(Lines, Key).trimmed();
    try {
        return StrToInt(value);
    } catch (const EConvertError&) {
        throw Exception(QStringLiteral("Некорректное значение атрибута файла\"") + Key + QStringLiteral("\": ") + value);
    }
}

uint8_t X5TaxSystemMask(int Code)
{
    if (Code < 0 || Code > 5)
        throw Exception(QStringLiteral("Некорректная система налогообложения: ") + QString::number(Code));
    return uint8_t(1u << Code);
}

QString X5TaxSystemCode(uint8_t Mask)
{
    for (int bit = 0; bit <= 5; ++bit)
        if (Mask & (1u << bit))
            return QString::number(bit);
    return {};
}

QString X5BoolToStr(bool Value)
{
    return Value ? QStringLiteral("1") : QStringLiteral("0");
}

QString X5FileName(int Type, const QString& Serial, const QDateTime& Date, const QString& FactoryCode)
{
    // A name part never leads into another folder.
    auto part = [](QString text) { return text.remove(u'/').remove(u'\\'); };
    return Format("%s_%.2d_%s_%s.txt", {Date.toString(QStringLiteral("yyyyMMdd")), Type, part(FactoryCode), part(Serial)});
}

QString X5FNModelText(int Index)
{
    static const char* const versions[] = {"1", "1.05", "1.1"};
    const QString head = QStringLiteral(
        "ФН Шифровальное (криптографическое) средство защиты фискальных данных фискальный накопитель ФН-");
    return Index >= 0 && Index < 3 ? head + QLatin1String(versions[Index]) : head;
}

QString X5FileFilter()
{
    return QStringLiteral("*.txt (*.txt);;") + Dialogs::AllFilesFilter();
}

QString X5DateTimeText(const QDateTime& Value)
{
    return Value.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

QStringList X5LinesOfData(const QByteArray& Data)
{
    const QString text = TextOfFileData(Data);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QStringList LoadX5File(const QString& FileName)
{
    return X5LinesOfData(ReadFileData(FileName, MaxTextFileSize));
}

void SaveX5File(const QString& FileName, const QStringList& Lines)
{
    // SaveTextFile ends every line, the last one too, with CR LF; a value
    // never breaks its line.
    QStringList lines = Lines;
    for (QString& line : lines)
        line.replace(u'\r', u' ').replace(u'\n', u' ');
    SaveTextFile(FileName, lines.join(u'\n'));
}

QStringList TX5KKTParamsRec::Lines() const
{
    return {QStringLiteral("Параметры ФР"),
            QString(36, u'='),
            QStringLiteral("Код завода: ") + FactoryCode,
            QStringLiteral("зав. номер ККТ: ") + KKTSerial,
            QStringLiteral("Модель ККТ: ") + KKTModel,
            QStringLiteral("зав. номер ФН: ") + FNSerial,
            QStringLiteral("Модель ФН: ") + FNModel,
            QStringLiteral("Версия модели: ") + KKTModelNumber,
            QStringLiteral("Номер автомата: ") + AutomatNumber,
            QStringLiteral("Производитель: Korvel")};
}

void TX5KKTParamsRec::SaveToFile(const QString& FileName) const
{
    SaveX5File(FileName, Lines());
}

QStringList TX5CloseFNRec::Lines() const
{
    return {QStringLiteral("Отчёт о закрытии архива"),
            QString(37, u'='),
            QStringLiteral("Тип документа: 3"),
            QStringLiteral("наименование пользователя: ") + UserName,
            QStringLiteral("адрес: ") + Address,
            QStringLiteral("место расчетов: ") + PayPlace,
            QStringLiteral("ИНН пользователя: ") + INN,
            QStringLiteral("рег. номер ККТ: ") + RNM,
            QStringLiteral("зав. номер ККТ: ") + KKTSerial,
            QStringLiteral("версия ФФД: ") + QString::number(FFD),
            QStringLiteral("номер смены: ") + QString::number(SessionNumber),
            QStringLiteral("кассир: ") + Cashier,
            QStringLiteral("ИНН кассира: ") + CashierINN,
            QStringLiteral("зав. номер ФН: ") + FNSerial,
            QStringLiteral("дата, время: ") + X5DateTimeText(DateTime),
            QStringLiteral("порядковый номер ФД: ") + QString::number(DocNumber),
            QStringLiteral("ФП документа: ") + FiscalSign};
}

void TX5CloseFNRec::SaveToFile(const QString& FileName) const
{
    SaveX5File(FileName, Lines());
}

} // namespace Regmaven
