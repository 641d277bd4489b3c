#include "regmaven/untRegReport.h"

#include "core/support/ReasonCodes.h"
#include "core/support/SysUtils.h"
#include "regmaven/untUtils.h"

#include <initializer_list>

namespace Regmaven {

namespace {

// One line per set bit of Mask, with the bit's text.
void AddBitLines(TSlip& Formatter, unsigned Mask, std::initializer_list<const char16_t*> Texts)
{
    int bit = 0;
    for (const char16_t* text : Texts) {
        if (Mask & (1u << bit))
            Formatter.AddStr(QString::fromUtf16(text));
        ++bit;
    }
}

} // namespace

void BuildReport(TSlip& Formatter, const TRegParams& p, bool Full)
{
    TSlip& f = Formatter;
    if (Full) {
        f.AddStr(QStringLiteral("ОТЧЕТ О РЕГИСТРАЦИИ"), true);
        f.AddPair(QStringLiteral("Дата, Время:"), DateTimeToStr(p.DateTime));
        f.AddPair(QStringLiteral("Номер ФД:"), QString::number(p.DocNumber));
        f.AddPair(QStringLiteral("ФПД:"), p.FiscalSign);
    }
    f.AddPair(QStringLiteral("РНМ ККТ:"), p.RNM);
    f.AddPair(QStringLiteral("ЗН ККТ:"), p.KKTSerial);
    f.AddPair(QStringLiteral("ЗН ФН:"), p.FNSerial);
    f.AddPair(QStringLiteral("Пользователь:"), p.User);
    f.AddPair(QStringLiteral("ИНН пользователя:"), p.INN);
    f.AddPair(QStringLiteral("Кассир:"), p.Cashier);
    if (!p.CashierINN.isEmpty())
        f.AddPair(QStringLiteral("ИНН кассира:"), p.CashierINN);
    f.AddPair(QStringLiteral("Адрес расчета:"), p.Address);
    f.AddPair(QStringLiteral("Место расчета:"), p.PayPlace);
    f.AddPair(QStringLiteral("E-mail отправит.:"), p.SenderEmail);
    f.AddPair(QStringLiteral("Сайт налог. органа:"), p.TaxOfficeURL);
    f.AddPair(QStringLiteral("Версия ФФД:"), GetFFDName(p.FFD));

    if (!p.FirstTime && !p.NewFN)
        f.AddPair(QStringLiteral("Причина перерегистр.:"), GetReasonCodeName(p.ReasonCode));
    if (!p.FirstTime && p.FFD > 2) {
        f.AddStr(QStringLiteral("Расширенные коды причин изменения сведений о ККТ:"));
        for (const TReasonCodeItem& item : ReasonCodeTable())
            if (p.ReasonCodesEx & (1u << item.Bit))
                f.AddStr(QStringLiteral("  ") + QString::number(item.Bit) + QStringLiteral(" [") + item.Text + u']');
    }

    f.AddPair(QStringLiteral("Имя ОФД:"), p.OFDName);
    f.AddPair(QStringLiteral("ИНН ОФД:"), p.OFDINN);
    if (!p.OFDUrl.isEmpty())
        f.AddPair(QStringLiteral("Сайт ОФД:"), p.OFDUrl);
    f.AddPair(QStringLiteral("Сервер ОФД:"), p.OFDServer);
    f.AddPair(QStringLiteral("Порт ОФД:"), QString::number(p.OFDPort));
    if (p.FFD == 4) {
        f.AddPair(QStringLiteral("Сервер КМ:"), p.ServerKM);
        f.AddPair(QStringLiteral("Порт КМ:"), QString::number(p.PortKM));
    }

    f.AddStr(QStringLiteral("Системы налогообложения"));
    AddBitLines(f, p.TaxSystem,
                {u" [ОСН]", u" [УСН доход]", u" [УСН доход минус расход]", u" [ЕНВД]", u" [ЕСХН]", u" [ПСН]"});

    f.AddStr(QStringLiteral("Режим работы"));
    AddBitLines(f, p.WorkMode & 0x03, {u" [Шифрование]", u" [Автономный режим]"});
    if (p.WorkMode & 0x04) {
        f.AddStr(QStringLiteral(" [Автоматический режим]"));
        f.AddPair(QStringLiteral(" Номер автомата"), p.AutomatNumber);
    }
    AddBitLines(f, p.WorkMode >> 3,
                {u" [Примен. в сф. услуг]", u" [Режим БСО]", u" [Примен. в Интернет]",
                 u" [ККТ в общественном питании]", u" [Оптовая торговля с организациями и ИП]"});
    AddBitLines(f, p.WorkModeEx,
                {u" [Продажа подакцизного товара]", u" [Проведение азартных игр]", u" [Проведение лотереи]",
                 u" [Установка принтера в автомате]", u" [Торговля маркированными товарами]",
                 u" [Ломбардная деятельность]", u" [Страховая деятельность]", u" [ККТ с торговым автоматом]"});

    f.AddStr(QStringLiteral("Признак агента"));
    if (p.Agent == 0)
        f.AddStr(QStringLiteral(" Нет"));
    AddBitLines(f, p.Agent,
                {u" [Банк. плат. агент]", u" [Банк. плат. субагент]", u" [Плат. агент]", u" [Плат. субагент]",
                 u" [Поверенный]", u" [Комиссионер]", u" [Агент]"});
}

} // namespace Regmaven
