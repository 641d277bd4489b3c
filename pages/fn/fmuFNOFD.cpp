#include "pages/fn/fmuFNOFD.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/ServiceManager.h"
#include "core/support/StringUtils.h"
#include "core/support/SysUtils.h"
#include "pages/fn/FNNotificationExchange.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScopeGuard>

namespace {
const QString ServiceName = QStringLiteral("Tallisk");

QString DateTimeText(TDateTime Date, TDateTime Time)
{
    return DateTimeToStr(DateTimeToQDateTime(Date + Time));
}

// Fields of table 16, row 1, joined by ".".
QString Address(TDriver& d, std::initializer_list<int> Fields)
{
    QStringList parts;
    for (int field : Fields)
        parts << QString::number(d.ReadTableInt(16, 1, field));
    return parts.join(QLatin1Char('.'));
}
} // namespace

QString OFDErrorToStr(int Flag, int Code)
{
    if (Flag == 0)
        return QStringLiteral("0, Нет ошибок");
    QString text;
    switch (Code) {
    case 1: text = QStringLiteral("Неверный фискальный признак"); break;
    case 2: text = QStringLiteral("Неверный формат квитанции"); break;
    case 3: text = QStringLiteral("Неверный номер ФД"); break;
    case 4: text = QStringLiteral("Неверный номер ФН"); break;
    case 5: text = QStringLiteral("Неверный CRC"); break;
    case 6: text = QStringLiteral("Неверный ИНН ОФД"); break;
    default: text = QStringLiteral("Неизвестный код ошибки");
    }
    return QString::number(Code) + QStringLiteral(", ") + text;
}

TfmFNOFD::TfmFNOFD(QWidget* owner) : TPage(owner, "fmFNOFD", PageCaption), FReport(nullptr)
{
    // The report on the left; the number and the buttons on the right.
    using T = TfmFNOFD;
    TFormBuilder<T> page(this, nullptr, true);
    Memo = ReportMemo(page.Memo(NAMED(Memo)));
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    Memo->setFont(font);
    FReport = TMemoReport(Memo);

    auto side = page.Section();
    side.Edit(NAMED(edtDocumentNumber), QStringLiteral("№ФД:"), QStringLiteral("0"), "DocumentNumber");
    side.Buttons(8, {
        {NAMED(btnFNGetInfoExchangeStatus), "Получить статус инф. обмена", &T::btnFNGetInfoExchangeStatusClick,
         "FNGetInfoExchangeStatus"},
        {NAMED(btnFNGetUnconfirmedDocCount), "Запрос кол-ва неподтвержденных ФД",
         &T::btnFNGetUnconfirmedDocCountClick, "FNGetUnconfirmedDocCount"},
        {NAMED(btnFNGetOFDTicketByDocNumber), "Получить квитанцию ОФД по номеру ФД",
         &T::btnFNGetOFDTicketByDocNumberClick, "FNGetOFDTicketByDocNumber"},
        {NAMED(btnFNPrintOperatorConfirm), "Распечатать подтв. оператора по номеру ФД",
         &T::btnFNPrintOperatorConfirmClick, "FNPrintOperatorConfirm"},
        {NAMED(btnFNGetKMServerExchangeStatus), "Получить сост. передачи уведомлений",
         &T::btnFNGetKMServerExchangeStatusClick, "FNGetKMServerExchangeStatus"},
        {NAMED(btnFNGetInfoExchangeStatusEx), "Получить статус инф. обмена (расш.)",
         &T::btnFNGetInfoExchangeStatusExClick},
        {NAMED(btnPrint), "Печать", &T::btnPrintClick},
        {NAMED(btnSaveAs), "Сохранить...", &T::btnSaveAsClick, {}, TRun::Plain},
    });
}

void TfmFNOFD::AddInfoExchangeStatus()
{
    TDriver& d = Driver();
    const int status = d.InfoExchangeStatus();
    FReport.AddSeparator();
    FReport.AddLine(GetRes("Статус инф. обмена"), Format(QStringLiteral("%.1xh"), {status}));
    FReport.AddSeparator();
    const char* bits[] = {"Транспортное соединение установлено", "Есть сообщение для передачи в ОФД",
                          "Ожидание ответного сообщения от ОФД", "Есть команда от ОФД",
                          "Изменились настройки соединения с ОФД", "Ожидание ответа на команду от ОФД"};
    for (int bit = 0; bit < 6; ++bit)
        FReport.AddBool(GetRes(bits[bit]), TestBit(uint32_t(status), bit));
    FReport.AddSeparator();
    FReport.AddBool(GetRes("Состояние чтения сообщения"), d.MessageState() == 1);
    FReport.AddLine(GetRes("Количество сообщений для ОФД"), Format(QStringLiteral("%d"), {d.MessageCount()}));
    FReport.AddLine(GetRes("Номер документа для ОФД первого в очереди"), QString::number(d.DocumentNumber()));
    FReport.AddLine(GetRes("Дата и время документа для ОФД первого в очереди"), DateTimeText(d.Date(), d.Time()));
}

void TfmFNOFD::btnFNGetInfoExchangeStatusClick()
{
    FReport.Clear();
    Check(Driver().FNGetInfoExchangeStatus());
    AddInfoExchangeStatus();
}

void TfmFNOFD::btnFNGetUnconfirmedDocCountClick()
{
    FReport.Clear();
    Check(Driver().FNGetUnconfirmedDocCount());
    FReport.AddLine(GetRes("Кол-во неподтвержденных документов"), QString::number(Driver().DocumentCount()));
}

void TfmFNOFD::btnFNGetOFDTicketByDocNumberClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    Check(d.FNGetOFDTicketByDocNumber());
    FReport.AddSeparator();
    FReport.Add(GetRes("Квитанция"));
    FReport.AddSeparator();
    FReport.AddLine(GetRes("Дата и время"), DateTimeText(d.Date(), d.Time()));
    FReport.AddLine(GetRes("Фискальный признак ОФД"), StrToHex(WideToAnsi(d.FiscalSignOFD())));
    FReport.AddLine(GetRes("Номер ФД"), QString::number(uint32_t(d.DocumentNumber())));
}

void TfmFNOFD::btnFNPrintOperatorConfirmClick()
{
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    d.FNPrintOperatorConfirm();
}

void TfmFNOFD::btnFNGetKMServerExchangeStatusClick()
{
    FReport.Clear();
    Check(Driver().FNGetKMServerExchangeStatus());
    for (const QString& line : NotificationExchangeLines())
        FReport.Add(line);
}

void TfmFNOFD::btnFNGetInfoExchangeStatusExClick()
{
    TDriverJob job;   // events run between the driver calls
    FReport.Clear();
    QCoreApplication::processEvents();
    // One update bracket for the lines; it ends before the page's buttons come back.
    Memo->setUpdatesEnabled(false);
    const auto end = qScopeGuard([this] { Memo->setUpdatesEnabled(true); });
    TDriver& d = Driver();
    Check(d.FNGetInfoExchangeStatus());
    AddInfoExchangeStatus();
    if (!d.CapCashCore())
        AddExchangeDetails();
}

void TfmFNOFD::AddExchangeDetails()
{
    TDriver& d = Driver();
    FReport.AddSeparator();
    FReport.Add(Translate(" Лог обмена с ОФД"));
    FReport.AddSeparator();
    const int flag = d.ReadTableInt(20, 1, 6);
    const int code = d.ReadTableInt(20, 1, 7);
    FReport.Add(QStringLiteral(" Код ответа ОФД: ") + OFDErrorToStr(flag, code));
    for (int field = 8; field <= 17; ++field) {
        const QString message = AnsiToWide(d.ReadTableStr(20, 1, field));
        if (!message.isEmpty())
            FReport.AddMemoLine(message);
    }

    FReport.AddSeparator();
    FReport.Add(Translate(" Параметры обмена с ОФД"));
    FReport.AddSeparator();
    FReport.Add(QStringLiteral(" ИНН ОФД    : ") + AnsiToWide(d.ReadTableStr(18, 1, 12)));
    FReport.Add(QStringLiteral(" Сервер ОФД : ") + AnsiToWide(d.ReadTableStr(19, 1, 1)));
    FReport.Add(QStringLiteral(" Порт ОФД   : ") + QString::number(d.ReadTableInt(19, 1, 2)));
    FReport.Add(QString());

    FReport.Add(d.ReadTableInt(16, 1, 1) != 0 ? QStringLiteral(" IP KKT     : Статический")
                                              : QStringLiteral(" IP KKT     : Динамический"));
    FReport.Add(QStringLiteral(" IP ККТ     : ") + Address(d, {3, 4, 5, 6}));
    FReport.Add(QString());

    FReport.Add(d.ReadTableInt(16, 1, 19) != 0 ? QStringLiteral(" Socks5 клиент: Включен")
                                               : QStringLiteral(" Socks5 клиент: Выключен"));
    FReport.Add(QStringLiteral(" IP Socks5  : ") + Address(d, {20, 21, 22, 23}));
    FReport.Add(QStringLiteral(" Порт Socks5: ") + QString::number(d.ReadTableInt(16, 1, 24)));
    FReport.Add(QString());

    QString state;
    if (!ServiceInstalled(ServiceName))
        state = Translate("Служба не установлена");
    else if (ServiceRunning(ServiceName))
        state = Translate("Служба запущена");
    else
        state = Translate("Служба остановлена");
    FReport.Add(QStringLiteral(" Tallisk    : ") + state);
}

void TfmFNOFD::btnPrintClick()
{
    TDriver& d = Driver();
    d.PrintText(Memo->toPlainText(), 5);
    Check(d.FinishDocument());
}

void TfmFNOFD::btnSaveAsClick()
{
    SaveMemoAs(Memo);
}
