#include "pages/fn/FNReports.h"

#include "core/driver/PrinterTypes.h"
#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/BinUtils.h"
#include "core/support/ReasonCodes.h"

#include <QStringList>

namespace {
const QString Indent = QStringLiteral("  ");

// The value line, then one yes/no line per bit; names begin with two blanks.
void AddBits(TMemoReport& Report, const QString& Name, int Value, const QStringList& BitNames, int Bits)
{
    Report.AddLine(Name, QString::number(Value));
    for (int bit = 0; bit < Bits && bit < BitNames.size(); ++bit)
        Report.AddBool(Indent + BitNames[bit], TestBit(uint32_t(Value), bit));
}
} // namespace

void AddTaxSystem(TMemoReport& Report, int TaxType)
{
    const QStringList names = {GetRes("ОСН"), GetRes("УСН доход"), GetRes("УСН доход минус расход"),
                               GetRes("ЕНВД"), GetRes("ЕСХН"), GetRes("Патент")};
    AddBits(Report, GetRes("Код сист. налогообложения"), TaxType, names, 6);
}

void AddWorkMode(TMemoReport& Report, int WorkMode, int Bits)
{
    const QStringList names = {GetRes("Шифрование"), GetRes("Автономный режим"), GetRes("Автоматический режим"),
                               GetRes("Применение в сфере услуг"), GetRes("Режим БСО"),
                               GetRes("Применение в Интернет"), GetRes("ККТ в общественном питании"),
                               GetRes("Оптовая торговля с организациями и ИП")};
    AddBits(Report, GetRes("Режим работы"), WorkMode, names, Bits);
}

void AddWorkModeEx(TMemoReport& Report, int WorkModeEx, int Bits)
{
    const QStringList names = {Translate("Продажа подакцизного товара"), Translate("Признак проведения азартных игр"),
                               Translate("Признак проведения лотереи"),
                               Translate("Признак установки принтера в автомате"),
                               Translate("Признак торговли маркиров. товарами (1.2)"),
                               Translate("Признак ломбардной деятельности (1.2)"),
                               Translate("Признак страховой деятельности (1.2)"),
                               Translate("ККТ с торговым автоматом (1.2)")};
    AddBits(Report, GetRes("Расширенные признаки работы ККТ"), WorkModeEx, names, Bits);
}

void AddRegistrationReasonCodeEx(TMemoReport& Report, uint32_t Codes)
{
    Report.AddLine(GetRes("Код причины изменения сведений о ККТ"), QString::number(Codes));
    for (const TReasonCodeItem& item : ReasonCodeTable())
        if (TestBit(Codes, item.Bit))
            Report.AddBool(Indent + item.Text, true);
}

uint32_t KeysCount(int32_t Status)
{
    return uint32_t(Status) >> 2;
}

QString UpdateKeysResultText()
{
    int32_t code = Driver().UpdateKeysResultCode();
    int32_t status = Driver().UpdateKeysStatus();
    QString result;
    switch (code) {
    case 0: result = Format(QStringLiteral("ОБНОВЛЕНО КЛЮЧЕЙ: %d, ОШИБОК НЕТ"), {KeysCount(status)}); break;
    case 254: result = QStringLiteral("Обновление не требуется"); break;
    case 255: result = QStringLiteral("НЕТ СВЯЗИ"); break;
    default: result = GetFNErrorDescription(code);
    }
    if (TestBit(uint32_t(status), 1))
        result += QStringLiteral("\r\nОбновление ключей проверки не выполнено. Обратитесь в службу технической поддержки");
    else if (TestBit(uint32_t(status), 0))
        result += QStringLiteral("\r\nОбновление ключей проверки не выполнено.");
    return result;
}
