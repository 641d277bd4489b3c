#include "pages/service/fmuExtendedService.h"

#include "core/binding/OrvekServiceCodes.h"
#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "platform/ui/FormBuilder.h"

#include <algorithm>

namespace {
using OrvekService::ServiceTable;

// Service table fields.
constexpr int32_t NarrowTapeField = 7;
constexpr int32_t FNTimeoutField = 10;
constexpr int32_t ReceiptSensorField = 11;
constexpr int32_t WorkaroundBugFNField = 14;
constexpr int32_t LoggingField = 15;

// The board's answer starts with the command's two bytes.
constexpr int AnswerHeaderSize = 2;

QByteArray Command(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// Without blanks and control characters at both ends.
QString TrimControls(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] <= QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] <= QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
} // namespace

TfmExtendedService::TfmExtendedService(QWidget* owner) : TPage(owner, "fmExtendedService", PageCaption)
{
    using T = TfmExtendedService;
    TFormBuilder<T> page(this, nullptr, true);
    page.Buttons(9, {
        {NAMED(btnSetDFU), QStringLiteral("Перейти в режим DFU"), &T::btnSetDFUClick, "ExchangeBytes"},
        {NAMED(btnFormatSD), QStringLiteral("Отформатировать карту SD"), &T::btnFormatSDClick, "ExchangeBytes"},
        {NAMED(SetLastFDDate), QStringLiteral("Установить дату последнего ФД"), &T::SetLastFDDateClick,
         QStringLiteral("Требуется прошивка 23.04.21 и новее")},
        {NAMED(btnEnableWorkaroundBugFN), QStringLiteral("Включить обход бага ФН 996044050x"),
         &T::btnEnableWorkaroundBugFNClick, "WriteTable"},
        {NAMED(DisableWorkaroundBugFN), QStringLiteral("Выключить обход бага ФН"), &T::DisableWorkaroundBugFNClick,
         "WriteTable"},
        {NAMED(btnEnable100Mbit), QStringLiteral("Включить 100 Мбит"), &T::btnEnable100MbitClick,
         QStringLiteral("Требуется прошивка 04.10.22 и новее")},
        {NAMED(btnDisable100Mbit), QStringLiteral("Выключить 100 Мбит"), &T::btnDisable100MbitClick, "ExchangeBytes"},
        {NAMED(bntEnableClassicPrint), QStringLiteral("Включить классическую форму печати"),
         &T::bntEnableClassicPrintClick, "WriteTable"},
        {NAMED(bntEnableCompactPrint), QStringLiteral("Включить компактную форму печати"),
         &T::bntEnableCompactPrintClick, "WriteTable"},
        {NAMED(btnSetNarrowTape), QStringLiteral("Включить узкую ленту"), &T::btnSetNarrowTapeClick, "WriteTable"},
        {NAMED(btnSetWideTape), QStringLiteral("Включить широкую ленту"), &T::btnSetWideTapeClick, "WriteTable"},
        {NAMED(btnSetFNTimeout2sec), QStringLiteral("Установить таймаут ФН 2 сек"), &T::btnSetFNTimeout2secClick,
         QStringLiteral("Для быстрой работы аппарата без ФН")},
        {NAMED(btnSetFNTimeout30sec), QStringLiteral("Установить таймаут ФН 30 сек"), &T::btnSetFNTimeout30secClick,
         "WriteTable"},
        {NAMED(btnDecreaseReceiptSensorSensitive), QStringLiteral("Понизить чувств. датчика чековой ленты"),
         &T::btnDecreaseReceiptSensorSensitiveClick, "WriteTable"},
        {NAMED(btnResetReceiptSensorSensitive), QStringLiteral("Вернуть значение чувств. датчика чеков. ленты"),
         &T::btnResetReceiptSensorSensitiveClick, "WriteTable"},
    });
    auto right = page.Section();
    right.Combo(NAMED(cbLogSettings), QString(),
                {QStringLiteral("0 - Выключено "), QStringLiteral("1 - COM порт "), QStringLiteral("2 - По сети "),
                 QStringLiteral("3 - На SD")},
                0);
    right.Button({NAMED(btnSetLogging), QStringLiteral("Записать настроойку логирования"), &T::btnSetLoggingClick,
                  QStringLiteral("WriteTable")});
    right.Button({NAMED(btnGetFwVersion), QStringLiteral("Запрос версии прошивки платы"), &T::btnGetFwVersionClick,
                  QStringLiteral("Только для аппаратов с Устройством Модернизации")});
    right.Edit(NAMED(edtFwVersion), QString());
    edtFwVersion->setReadOnly(true);
    right.Button({NAMED(btnFNOSUSupport), QStringLiteral("Поддержка ФН-ом ОСУ:"), &T::btnFNOSUSupportClick,
                  QStringLiteral("FNGetOSUSupportStatus")});
    right.Edit(NAMED(edtOSUSupport), QString());
    edtOSUSupport->setReadOnly(true);
    // Room for the longest status text, with the edit's frame and margins.
    int statusWidth = 0;
    for (int status : {0, 1, 255})
        statusWidth = std::max(statusWidth, edtOSUSupport->fontMetrics().horizontalAdvance(OsuSupportValueToString(status)));
    edtOSUSupport->setMinimumWidth(statusWidth + 16);
    right.Space();
    page.Space();
}

QString TfmExtendedService::OsuSupportValueToString(int Value)
{
    switch (Value) {
    case 0: return QStringLiteral("0x00, ФН поддерживает ОСУ, режим ОСУ не активен");
    case 1: return QStringLiteral("0x01, ФН поддерживает ОСУ и ОСУ активна");
    case 255: return QStringLiteral("0xFF, ФН не поддерживает ОСУ");
    default: return QString::number(Value) + QStringLiteral(", Неизвестное значение");
    }
}

void TfmExtendedService::SetTableValue(int32_t Table, int32_t Field, int32_t Value)
{
    TDriver& d = Driver();
    d.setTableNumber(Table);
    d.setRowNumber(1);
    d.setFieldNumber(Field);
    d.setValueOfFieldInteger(Value);
    Check(d.GetFieldStruct());
    Check(d.WriteTable());
}

void TfmExtendedService::SetServiceTableValue(int32_t Table, int32_t Field, int32_t Value)
{
    TDriver& d = Driver();
    const int32_t password = d.Password();
    // Not from a destructor: the write itself may raise while another
    // exception is on its way.
    try {
        d.setTableNumber(Table);
        d.setRowNumber(1);
        d.setFieldNumber(Field);
        d.setValueOfFieldInteger(Value);
        Check(d.GetFieldStruct());
        d.setPassword(OrvekService::ServicePassword);
        Check(d.WriteTable());
    } catch (...) {
        d.setPassword(password);
        throw;
    }
    d.setPassword(password);
}

void TfmExtendedService::SendServiceCommand(const QByteArray& Bytes)
{
    Check(Driver().SendCommand(Bytes));
}

void TfmExtendedService::SetPrintForm(int32_t Format, int32_t Spacing, int32_t Form, int32_t Item1, int32_t Items,
                                      int32_t Item18, int32_t Item24)
{
    SetTableValue(1, 16, Format);
    SetTableValue(1, 29, Spacing);
    SetTableValue(17, 18, Form);
    SetTableValue(17, 56, Form);
    SetTableValue(8, 1, Item1);
    for (int32_t field = 2; field <= 17; ++field)
        SetTableValue(8, field, Items);
    SetTableValue(8, 18, Item18);
    for (int32_t field = 19; field <= 23; ++field)
        SetTableValue(8, field, Items);
    SetTableValue(8, 24, Item24);
}

void TfmExtendedService::btnSetDFUClick()
{
    SendServiceCommand(Command("FEED00000000"));
}

void TfmExtendedService::btnFormatSDClick()
{
    SendServiceCommand(Command("FE0400000000"));
}

void TfmExtendedService::SetLastFDDateClick()
{
    SendServiceCommand(Command("FEE2") + OrvekService::AccessCode());
}

void TfmExtendedService::btnEnableWorkaroundBugFNClick()
{
    SetServiceTableValue(ServiceTable, WorkaroundBugFNField, 1);
}

void TfmExtendedService::DisableWorkaroundBugFNClick()
{
    SetServiceTableValue(ServiceTable, WorkaroundBugFNField, 0);
}

void TfmExtendedService::btnEnable100MbitClick()
{
    SendServiceCommand(Command("FE0E01010000"));
}

void TfmExtendedService::btnDisable100MbitClick()
{
    SendServiceCommand(Command("FE0E01000000"));
}

void TfmExtendedService::btnSetNarrowTapeClick()
{
    SetServiceTableValue(ServiceTable, NarrowTapeField, 1);
}

void TfmExtendedService::btnSetWideTapeClick()
{
    SetServiceTableValue(ServiceTable, NarrowTapeField, 0);
}

void TfmExtendedService::btnSetFNTimeout2secClick()
{
    SetServiceTableValue(ServiceTable, FNTimeoutField, 2);
}

void TfmExtendedService::btnSetFNTimeout30secClick()
{
    SetServiceTableValue(ServiceTable, FNTimeoutField, 30);
}

void TfmExtendedService::btnSetLoggingClick()
{
    SetServiceTableValue(ServiceTable, LoggingField, cbLogSettings->currentIndex());
}

void TfmExtendedService::btnGetFwVersionClick()
{
    edtFwVersion->clear();
    QByteArray answer;
    Check(Driver().SendCommand(Command("FEEB00000000"), answer));
    edtFwVersion->setText(TrimControls(AnsiToWide(answer).mid(AnswerHeaderSize)));
}

void TfmExtendedService::btnDecreaseReceiptSensorSensitiveClick()
{
    SetServiceTableValue(ServiceTable, ReceiptSensorField, 50);
}

void TfmExtendedService::btnResetReceiptSensorSensitiveClick()
{
    SetServiceTableValue(ServiceTable, ReceiptSensorField, 130);
}

void TfmExtendedService::btnFNOSUSupportClick()
{
    edtOSUSupport->clear();
    TDriver& d = Driver();
    d.FNGetOSUSupportStatus();
    if (d.ResultCode() == 0)
        edtOSUSupport->setText(OsuSupportValueToString(d.FNOSUSupportStatus()));
}

void TfmExtendedService::bntEnableClassicPrintClick()
{
    SetPrintForm(1, 4, 0, 1, 1, 2, 5);
}

void TfmExtendedService::bntEnableCompactPrintClick()
{
    SetPrintForm(3, 2, 6, 1, 5, 4, 5);
}
