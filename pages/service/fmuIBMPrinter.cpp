#include "pages/service/fmuIBMPrinter.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/Format.h"
#include "platform/ui/FormBuilder.h"

#include <QScopeGuard>

namespace {
const QString Separator = QString(37, QLatin1Char('-'));

// The bit texts of bytes 1, 2, 3, 5, 7 and 8; byte 4 has none, byte 6 one line.
const char* const BitTexts[8][8] = {
    {"Command complete", "Cash receipt right home position", "Left home position", "Document right home position",
     "Reserved. Always 0", "Ribbon cover open", "Cash receipt print error", "Command reject"},
    {"Document ready", "Document present under the front sensor", "Document present under the top sensor",
     "Reserved. Always equals 1", "Print buffer held", "Open throat position", "Buffer empty", "Buffer Full"},
    {"Memory sector is full", "Home error", "Document error", "Flash EPROM load error or MCT load error",
     "Reserved. Always equals 0", "User flash storage sector is full", "Firmware error", "Command complete"},
    {},
    {"Printer ID Request Address command", "EC Level", "MICR Read", "MCT Read", "User flash read",
     "Reserved. Defaults to 1", "Reserved", "Reserved"},
    {},
    {"Station selection low order bit", "Reserved", "Reserved", "Cash drawer status", "Print key pressed",
     "Reserved. Defaults to 1", "Station Selection high order bit", "Document feed error"},
    {"Fiscal offline mode", "Fiscal offline mode", "Fiscal offline mode", "Reserved", "Reserved", "Reserved",
     "Reserved", "Reserved"},
};

QString Mark(int Value, int Bit)
{
    return TestBit(uint32_t(Value), Bit) ? QStringLiteral("x") : QStringLiteral(" ");
}

void AddStatusBytes(QStringList& lines, const TIBMStatus& s)
{
    lines << Separator;
    for (int n = 1; n <= 8; ++n)
        lines << TfmIBMPrinter::GetStatusByteText(n, s.StatusBytes[std::size_t(n - 1)]);
    lines << Separator;
}

void AddStatusBits(QStringList& lines, const TIBMStatus& s)
{
    for (int n = 1; n <= 8; ++n) {
        const int value = s.StatusBytes[std::size_t(n - 1)];
        lines << Separator << TfmIBMPrinter::GetStatusByteText(n, value);
        if (n == 6)
            lines << QStringLiteral("    Contains the current line count");
        if (n == 4 || n == 6)
            continue;
        for (int bit = 0; bit < 8; ++bit)
            lines << TfmIBMPrinter::AddBitText(value, n, bit, QString::fromLatin1(BitTexts[n - 1][bit]));
    }
    lines << Separator;
}

QString FlagsLine(int Flags)
{
    return Format(QStringLiteral("%s: %d"), {GetRes("Флаги"), Flags});
}

int LowByte(int Value)
{
    return Value & 0xFF;
}
} // namespace

TfmIBMPrinter::TfmIBMPrinter(QWidget* owner) : TPage(owner, "fmIBMPrinter", PageCaption)
{
    TFormBuilder<TfmIBMPrinter> page(this, nullptr, true);
    ReportMemo(page.Memo(NAMED(Memo), true));
    using T = TfmIBMPrinter;
    page.Buttons(3, {
        {"btnGetShortIBMStatus", "Краткий запрос", &T::btnGetShortIBMStatusClick, "GetShortIBMStatus"},
        {"btnGetIBMStatus", "Длинный запрос", &T::btnGetIBMStatusClick, "GetIBMStatus"},
        {"btnClear", "Очистить", &T::btnClearClick, {}, TRun::Plain},
    });
}

QString TfmIBMPrinter::AddLine(const QString& Value, const QString& Name)
{
    return Format(QStringLiteral("%-10s %s"), {Value, Name});
}

QString TfmIBMPrinter::GetStatusByteText(int N, int Value)
{
    return Format(QStringLiteral("%s %d: %d = 0x%xh"), {GetRes("Байт состояния"), N, Value, Value});
}

QString TfmIBMPrinter::AddBitText(int Value, int N, int Bit, const QString& Text)
{
    return Format(QStringLiteral("%d.%d [%s] %s"), {N, Bit, Mark(Value, Bit), Text});
}

QString TfmIBMPrinter::AddBitText2(int Value, int Bit, const QString& Text)
{
    return Format(QStringLiteral("[%s] %s"), {Mark(Value, Bit), Text});
}

QStringList TfmIBMPrinter::IBMStatusLines(const TIBMStatus& s, bool Long)
{
    QStringList lines;
    if (!Long) {
        lines << Format(QStringLiteral("%s: %d"), {GetRes("Номер оператора"), s.OperatorNumber});
        AddStatusBytes(lines, s);
        lines << FlagsLine(s.Flags) << AddBitText2(s.Flags, 0, GetRes("Буфер печати пуст"));
        AddStatusBits(lines, s);
        return lines;
    }
    const char* const receipts[] = {"Количество чеков продаж", "Количество чеков покупок",
                                    "Количество чеков возврата продаж", "Количество чеков возврата покупок"};
    lines << AddLine(QString::number(s.OperatorNumber), GetRes("Номер оператора"))
          << AddLine(s.Date, GetRes("Текущая дата")) << AddLine(s.Time, GetRes("Текущее время"))
          << AddLine(QString::number(s.SessionNumber), GetRes("Последняя закрытая смена"))
          << AddLine(QString::number(s.DocumentNumber), GetRes("Номер документа"));
    for (std::size_t i = 0; i < 4; ++i)
        lines << AddLine(QString::number(s.LastReceiptNumbers[i]), GetRes(receipts[i]));
    lines << AddLine(Format(QStringLiteral("%.2d.%.2d.%.2d"),
                            {LowByte(s.SessionDate[0]), LowByte(s.SessionDate[1]), LowByte(s.SessionDate[2])}),
                     GetRes("Дата начала открытой смены"))
          << AddLine(Format(QStringLiteral("%.2d:%.2d:%.2d"),
                            {LowByte(s.SessionTime[0]), LowByte(s.SessionTime[1]), LowByte(s.SessionTime[2])}),
                     GetRes("Время начала открытой смены"))
          << AddLine(s.Cash, GetRes("Наличные в кассе"));
    AddStatusBytes(lines, s);
    lines << FlagsLine(s.Flags);
    const char* const flags[] = {"Сериализована", "Фискализирована", "Активизирована", "Смена открыта",
                                 "24 часа кончились"};
    for (int bit = 0; bit < 5; ++bit)
        lines << AddBitText2(s.Flags, bit, GetRes(flags[bit]));
    AddStatusBits(lines, s);
    return lines;
}

void TfmIBMPrinter::ShowStatus(bool Long)
{
    Memo->clear();
    TDriver& d = Driver();
    if ((Long ? d.GetIBMStatus() : d.GetShortIBMStatus()) != 0)
        return;
    TIBMStatus s;
    s.OperatorNumber = d.OperatorNumber();
    s.StatusBytes = {d.IBMStatusByte1(), d.IBMStatusByte2(), d.IBMStatusByte3(), d.IBMStatusByte4(),
                     d.IBMStatusByte5(), d.IBMStatusByte6(), d.IBMStatusByte7(), d.IBMStatusByte8()};
    s.Flags = d.IBMFlags();
    if (Long) {
        s.Date = DateTimeToQDateTime(d.Date()).date().toString(QStringLiteral("dd.MM.yyyy"));
        s.Time = DateTimeToQDateTime(d.Time()).time().toString(QStringLiteral("hh:mm:ss"));
        s.SessionNumber = d.SessionNumber();
        s.DocumentNumber = d.IBMDocumentNumber();
        s.LastReceiptNumbers = {d.IBMLastSaleReceiptNumber(), d.IBMLastBuyReceiptNumber(),
                                d.IBMLastReturnSaleReceiptNumber(), d.IBMLastReturnBuyReceiptNumber()};
        s.SessionDate = {d.IBMSessionDay(), d.IBMSessionMonth(), d.IBMSessionYear()};
        s.SessionTime = {d.IBMSessionHour(), d.IBMSessionMin(), d.IBMSessionSec()};
        s.Cash = d.AmountToStr(d.Summ1());
    }
    // The memo's updates held until the end.
    Memo->setUpdatesEnabled(false);
    const auto release = qScopeGuard([this] { Memo->setUpdatesEnabled(true); });
    Memo->setPlainText(IBMStatusLines(s, Long).join(QLatin1Char('\n')));
}

void TfmIBMPrinter::btnGetIBMStatusClick()
{
    ShowStatus(true);
}

void TfmIBMPrinter::btnGetShortIBMStatusClick()
{
    ShowStatus(false);
}

void TfmIBMPrinter::btnClearClick()
{
    Memo->clear();
}
