#include "pages/fn/fmuFN.h"

#include "core/driver/PrinterTypes.h"
#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "platform/ui/FormBuilder.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/untTypes.h"
#include "core/support/untUtil.h"
#include "pages/fn/FNReports.h"
#include "platform/ui/Dialogs.h"


namespace {
// A 32-bit property value shown as an unsigned number.
QString UIntStr(int32_t Value)
{
    return QString::number(uint32_t(Value));
}

// Date + Time as a date-time text.
QString DateTimeText(TDateTime Date, TDateTime Time)
{
    return DateTimeToStr(DateTimeToQDateTime(Date + Time));
}

// The raw OKP key update: FE E1 and the system administrator's default password.
const QByteArray OKPUpdateCommand = QByteArray::fromHex("FEE11E000000");
// An answer starts with the command's two bytes and the result code.
constexpr int AnswerHeaderSize = 3;
} // namespace

TfmFN::TfmFN(QWidget* owner) : TPage(owner, "fmFN", PageCaption), FReport(nullptr)
{
    // The report on the left; on the right the edits, then the buttons in two
    // columns, in tab order.
    TFormBuilder<TfmFN> page(this, nullptr, true);
    FReport = TMemoReport(Memo = ReportMemo(page.Memo(NAMED(Memo), true)));

    auto panel = page.Panel("pnlButtons");
    using T = TfmFN;
    OnKeyPress(panel.Edit(NAMED(edtDocumentNumber), "№ документа:", "0", "DocumentNumber"), this, &T::NumberKeyPress);
    OnKeyPress(panel.Edit(NAMED(edtRequestType), "Код запроса:", "0", "RequestType"), this, &T::NumberKeyPress);
    panel.Buttons(12, {
        {NAMED(btnFNGetStatus), "Запрос статуса ФН", &T::btnFNGetStatusClick, "FNGetStatus"},
        {NAMED(btnFNGetSerial), "Запрос номера ФН", &T::btnFNGetSerialClick, "FNGetSerial"},
        {NAMED(btnFNGetExpirationTime), "Запрос срока действ. ФН", &T::btnFNGetExpirationTimeClick,
         "FNGetExpirationTime"},
        {NAMED(btnFNGetVersion), "Запрос версии ФН", &T::btnFNGetVersionClick, "FNGetVersion"},
        {NAMED(btnFNGetImplementation), "Запрос исполнения ФН", &T::btnFNGetImplementationClick, "FNGetImplementation"},
        {NAMED(btnFNGetDocumentSize), "Запрос размера док-та в ФН", &T::btnFNGetDocumentSizeClick, "FNGetDocumentSize"},
        {NAMED(btnFNGetOSUSupportStatus), "Запрос статуса поддержки ОСУ",
         &T::btnFNGetOSUSupportStatusClick, "FNGetOSUSupportStatus"},
        {NAMED(btnFNGetFreeMemoryResource), "Запр. ресурса своб. памяти ФН",
         &T::btnFNGetFreeMemoryResourceClick, "FNGetFreeMemoryResource"},
        {NAMED(btnFNCountersSync), "Синхр регистры со счетч. ФН", &T::btnFNCountersSyncClick, "FNCountersSync"},
        {NAMED(btnFNBeginOpenSessioin), "Начать откр. смены в ФН", &T::btnFNBeginOpenSessioinClick,
         "FNBeginOpenSession"},
        {NAMED(btnFNOpenSession), "Открыть смену в ФН", &T::btnFNOpenSessionClick, "FNOpenSession"},
        {NAMED(btnFNBeginCloseSession), "Начать закр. смены в ФН", &T::btnFNBeginCloseSessionClick,
         "FNBeginCloseSession"},
        {NAMED(btnFNCloseSession), "Закрыть смену в ФН", &T::btnFNCloseSessionClick, "FNCloseSession"},
        {NAMED(btnBeginCalculationStateReport), "Начать отчет о сост. расчетов",
         &T::btnBeginCalculationStateReportClick, "FNBeginCalculationStateReport"},
        {NAMED(btnBuildCalculationStateReport), "Сформ. отчет о сост. расчетов",
         &T::btnBuildCalculationStateReportClick, "FNBuildCalculationStateReport"},
        {NAMED(btnFNResetState), "Сбросить состояние ФН", &T::btnFNResetStateClick, "FNResetState"},
        {NAMED(btnFNCancelDocument), "Отменить документ в ФН", &T::btnFNCancelDocumentClick, "FNCancelDocument"},
        {NAMED(btnFNGetCurrentSessionParams), "Параметры текущей смены",
         &T::btnFNGetCurrentSessionParamsClick, "FNGetCurrentSessionParams"},
        {NAMED(btnFNBeginCloseFiscalMode), "Начать закр. фиск. режима",
         &T::btnFNBeginCloseFiscalModeClick, "FNBeginCloseFiscalMode"},
        // Frames itself once the user has confirmed.
        {NAMED(btnFNCloseFiscalMode), "Закрыть фиск. режим", &T::btnFNCloseFiscalModeClick,
         "FNCloseFiscalMode", TRun::Plain},
        {NAMED(btnFNFindDocument), "Найти фиск. документ", &T::btnFNFindDocumentClick, "FNFindDocument"},
        {NAMED(btnFNReadFiscalBarcode), "Прочитать QR чека", &T::btnFNReadFiscalBarcodeClick, "FNReadFiscalBarcode"},
        {NAMED(btnFNUpdateOKPKeys), "Обновление ключей ОКП", &T::btnFNUpdateOKPKeysClick,
         "Требуется прошивка 13.02.23 и новее"},
        {NAMED(btnSaveAs), "Сохранить...", &T::btnSaveAsClick, {}, TRun::Plain},
    });
}

QString TfmFN::FNDocumentDataToStr(int Value)
{
    switch (Value) {
    case 0: return GetRes("Нет данных документа");
    case 1: return GetRes("Получены данные документа");
    default: return GetRes("Неизвестное значение");
    }
}

QString TfmFN::FNSessionStateToStr(int Value)
{
    switch (Value) {
    case 0: return GetRes("Смена закрыта");
    case 1: return GetRes("Смена открыта");
    default: return GetRes("Неизвестное значение");
    }
}

QString TfmFN::FNVersionTypeToStr(int Value)
{
    switch (Value) {
    case 0: return GetRes("Отладочная версия");
    case 1: return GetRes("Серийная версия");
    default: return GetRes("Неизвестное значение");
    }
}

QString TfmFN::OSUSupportStatusToStr(int Value)
{
    QString text;
    switch (Value) {
    case 0: text = QStringLiteral("ФН поддерживает ОСУ, функция не активна"); break;
    case 1: text = QStringLiteral("ФН поддерживает ОСУ, функция активна"); break;
    case 255: text = QStringLiteral("ФН не поддерживает ОСУ"); break;
    default: text = QStringLiteral("Неизвестный код ответа");
    }
    return QString::number(Value) + QStringLiteral(", ") + text;
}

uint32_t TfmFN::GetKeysCount(int32_t Status)
{
    return KeysCount(Status);
}

QString TfmFN::GetUpdateKeysResult()
{
    return UpdateKeysResultText();
}

QString TfmFN::OKPKeysResultToStr(int Value)
{
    switch (Value) {
    case 0: return QStringLiteral("Успешно. 0 ключей обновлено");
    case 1: return QStringLiteral("Успешно. 1 ключ обновлен");
    case 2: return QStringLiteral("Успешно. 2 ключа обновлено");
    case 254:
        return QStringLiteral("Ошибка. См. напечатанное.\r\n Либо не поддерживается данной прошивкой,\r\n либо ключи уже обновлены");
    case 255: return QStringLiteral("Нет связи с сервером ОКП");
    default: return QStringLiteral("Неизвестный ответ");
    }
}

void TfmFN::NumberKeyPress(QChar& Key)
{
    NumberKeyFilter(Key);
}

void TfmFN::CheckedCall(int32_t (TOrvek::*Method)())
{
    FReport.Clear();
    Check((Driver().*Method)());
}

// Status

void TfmFN::AddFNLifeState()
{
    int32_t state = Driver().FNLifeState();
    FReport.AddSeparator();
    FReport.AddLine(GetRes("Состояние фазы жизни"), Format(QStringLiteral("%.2xh, %d"), {state, state}));
    FReport.AddSeparator();
    const QString bits[] = {GetRes("Проведена настройка ФН"), GetRes("Открыт фискальный режим"),
                            GetRes("Закрыт фискальный режим"), GetRes("Закончена передача фискальных данных в ОФД")};
    for (int bit = 0; bit < 4; ++bit)
        FReport.AddLine(QStringLiteral("  ") + bits[bit], GetBitStr(uint32_t(state), bit));
    FReport.AddSeparator();
}

void TfmFN::btnFNGetStatusClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetStatus());
    AddFNLifeState();
    int32_t document = d.FNCurrentDocument();
    FReport.AddLine(GetRes("Текущий документ"),
                    Format(QStringLiteral("%.2xh, %s"), {document, FNStatusDocumentTypeToStr(document)}));
    int32_t data = d.FNDocumentData();
    FReport.AddLine(GetRes("Данные документа"), Format(QStringLiteral("%.2xh, %s"), {data, FNDocumentDataToStr(data)}));
    int32_t session = d.FNSessionState();
    FReport.AddLine(GetRes("Состояние смены"),
                    Format(QStringLiteral("%.2xh, %s"), {session, FNSessionStateToStr(session)}));
    int32_t flags = d.FNWarningFlags();
    FReport.AddLine(GetRes("Флаги предупреждения"), Format(QStringLiteral("%.2xh, %d"), {flags, flags}));
    FReport.AddLine(GetRes("Дата и время ФН"), DateTimeText(d.Date(), d.Time()));
    FReport.AddLine(GetRes("Номер ФН"), d.SerialNumber());
    FReport.AddLine(GetRes("Номер последнего ФД"), UIntStr(d.DocumentNumber()));
}

void TfmFN::btnFNGetSerialClick()
{
    FReport.Clear();
    Check(Driver().FNGetSerial());
    FReport.AddLine(GetRes("Номер ФН"), Driver().SerialNumber());
}

void TfmFN::btnFNGetExpirationTimeClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetExpirationTime());
    FReport.AddLine(GetRes("Срок действия ФН"), DateTimeToStr(DateTimeToQDateTime(d.Date())));
    FReport.AddLine(GetRes("Кол-во оставшихся отчетов о перерегистрации"), QString::number(d.FreeRegistration()));
    FReport.AddLine(GetRes("Выполнено отчетов о перерегистрации"), QString::number(d.RegistrationNumber()));
}

void TfmFN::btnFNGetVersionClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetVersion());
    FReport.AddLine(GetRes("Версия ПО ФН"), d.FNSoftVersion());
    int32_t type = d.FNSoftType();
    FReport.AddLine(GetRes("Тип ПО ФН"), Format(QStringLiteral("%.2xh, %s"), {type, FNVersionTypeToStr(type)}));
}

void TfmFN::btnFNGetImplementationClick()
{
    FReport.Clear();
    if (Driver().FNGetImplementation() == 0)
        FReport.AddLine(Translate("Исполнение ФН:"), Driver().FNImplementation());
}

void TfmFN::btnFNGetDocumentSizeClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    if (d.FNGetDocumentSize() != 0)
        return;
    FReport.AddLine(Translate("Размер текущего документа для ОФД, байт"), QString::number(d.DocumentSize()));
    FReport.AddLine(Translate("Размер текущего уведомления о реализации маркированных товаров для ОИСМ, байт"),
                    QString::number(d.NotificationSize()));
}

void TfmFN::btnFNGetOSUSupportStatusClick()
{
    FReport.Clear();
    if (Driver().FNGetOSUSupportStatus() == 0)
        FReport.AddLine(Translate("Статус поддержки ОСУ:"), OSUSupportStatusToStr(Driver().FNOSUSupportStatus()));
}

void TfmFN::btnFNGetFreeMemoryResourceClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    if (d.FNGetFreeMemoryResource() != 0)
        return;
    FReport.AddLine(Translate("Ресурс данных 5 летнего хранения"),
                    UIntStr(d.FN5YearResource()) + QLatin1Char(' ') + Translate("документов"));
    FReport.AddLine(Translate("Ресурс данных 30 дневного хранения"),
                    UIntStr(d.FN30DayResource()) + QLatin1Char(' ') + Translate("Кб"));
    int32_t percentage = d.FNMarkingFillPercentage();
    if (percentage >= 0)
        FReport.AddLine(Translate("Процент заполнения оласти хранения увед. о реализации маркир. товара"),
                        QString::number(percentage) + QLatin1Char(' ') + Translate("%"));
}

// Sessions, documents being built, reset

void TfmFN::btnFNCountersSyncClick()
{
    Driver().FNCountersSync();
}

void TfmFN::btnFNBeginOpenSessioinClick()
{
    CheckedCall(&TOrvek::FNBeginOpenSession);
}

void TfmFN::btnFNOpenSessionClick()
{
    FReport.Clear();
    Check(Driver().OpenSession());
    Check(Driver().GetShortECRStatus());
    FReport.Add(QStringLiteral("Состояние обновления ключей:"));
    FReport.Add(GetUpdateKeysResult());
}

void TfmFN::btnFNBeginCloseSessionClick()
{
    CheckedCall(&TOrvek::FNBeginCloseSession);
}

void TfmFN::btnFNCloseSessionClick()
{
    CheckedCall(&TOrvek::PrintReportWithCleaning);
}

void TfmFN::btnBeginCalculationStateReportClick()
{
    CheckedCall(&TOrvek::FNBeginCalculationStateReport);
}

void TfmFN::AddDocumentResult()
{
    FReport.AddLine(GetRes("Номер ФД"), UIntStr(Driver().DocumentNumber()));
    FReport.AddLine(GetRes("Фискальный признак"), UIntStr(Driver().FiscalSign()));
}

void TfmFN::btnBuildCalculationStateReportClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNBuildCalculationStateReport());
    AddDocumentResult();
    FReport.AddLine(GetRes("Кол-во неподтвержденных документов"), UIntStr(d.DocumentCount()));
    FReport.AddLine(GetRes("Дата первого неподтвержденного документа"), DateTimeText(d.Date(), d.Time()));
}

void TfmFN::btnFNResetStateClick()
{
    FReport.Clear();
    Driver().setRequestType(StrToInt(edtRequestType->text()));
    Check(Driver().FNResetState());
}

void TfmFN::btnFNCancelDocumentClick()
{
    CheckedCall(&TOrvek::FNCancelDocument);
}

void TfmFN::btnFNGetCurrentSessionParamsClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetCurrentSessionParams());
    FReport.AddLine(GetRes("Номер смены"), QString::number(d.SessionNumber()));
    FReport.AddLine(GetRes("Состояние смены"), QString::number(d.FNSessionState()));
    FReport.AddLine(GetRes("Номер чека"), QString::number(d.ReceiptNumber()));
}

void TfmFN::btnFNBeginCloseFiscalModeClick()
{
    CheckedCall(&TOrvek::FNBeginCloseFiscalMode);
}

void TfmFN::btnFNCloseFiscalModeClick()
{
    if (Dialogs::MessageBox(QStringLiteral("Вы уверены, что хотите произвести закрытие фискального режима?\r\n"
                                           "Данное действие необратимо."),
                            QStringLiteral("Закрытие фискального режима?"), Dialogs::Buttons::OkCancel,
                            Dialogs::Icon::Warning) != Dialogs::mrOk)
        return;
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    Check(Driver().FNCloseFiscalMode());
    AddDocumentResult();
}

// Documents

void TfmFN::AddDocHeader()
{
    FReport.AddLine(GetRes("Дата"), DateTimeText(Driver().Date(), Driver().Time()));
    AddDocumentResult();
}

void TfmFN::AddDoc1()
{
    TDriver& d = Driver();
    AddDocHeader();
    FReport.AddLine(GetRes("ИНН"), d.INN());
    FReport.AddLine(GetRes("ИНН ОФД"), d.INNOFD());
    FReport.AddLine(GetRes("Рег. номер ККТ"), d.KKTRegistrationNumber());
    AddTaxSystem(FReport, d.TaxType());
    AddWorkMode(FReport, d.WorkMode());
    AddWorkModeEx(FReport, d.WorkModeEx());
}

void TfmFN::AddDoc2()
{
    AddDocHeader();
    FReport.AddLine(GetRes("Номер смены"), QString::number(Driver().SessionNumber()));
}

void TfmFN::AddDoc3()
{
    AddDocHeader();
    FReport.AddLine(GetRes("Тип операции"), QString::number(Driver().OperationType()));
    FReport.AddLine(GetRes("Сумма операции"), Format(QStringLiteral("%.2f"), {CurrencyToDouble(Driver().Summ1())}));
}

void TfmFN::AddDoc6()
{
    AddDocHeader();
    FReport.AddLine(GetRes("ИНН"), Driver().INN());
    FReport.AddLine(GetRes("Рег. номер ККТ"), Driver().KKTRegistrationNumber());
}

void TfmFN::AddDoc11()
{
    AddDoc1();
    FReport.AddLine(GetRes("Код причины перерегистрации"), QString::number(Driver().RegistrationReasonCode()));
    AddRegistrationReasonCodeEx(FReport, uint32_t(Driver().RegistrationReasonCodeEx()));
}

void TfmFN::AddDoc21()
{
    TDriver& d = Driver();
    AddDocHeader();
    FReport.AddLine(GetRes("Кол-во неподтвержд. документов"), QString::number(d.DocumentCount()));
    FReport.AddLine(GetRes("Дата 1-го неподтвержд. документа"), DateTimeText(d.Date2(), d.Time2()));
}

void TfmFN::AddDocumentData(int DocType)
{
    switch (DocType) {
    case 1: AddDoc1(); break;
    case 2:
    case 5: AddDoc2(); break;
    case 3:
    case 4:
    case 31: AddDoc3(); break;
    case 6: AddDoc6(); break;
    case 11: AddDoc11(); break;
    case 21: AddDoc21(); break;
    default: break;
    }
}

void TfmFN::btnFNFindDocumentClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    Check(d.FNFindDocument());
    int32_t type = d.DocumentType();
    FReport.AddLine(GetRes("Тип фиск. документа"), Format(QStringLiteral("%d, %s"), {type, FNFindDocumentTypeToStr(type)}));
    FReport.AddLine(GetRes("Получена ли квитанция из ОФД"), BoolToYesNo(d.OFDTicketReceived()));
    AddDocumentData(type);
}

void TfmFN::btnFNReadFiscalBarcodeClick()
{
    FReport.Clear();
    Driver().setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    Check(Driver().FNReadFiscalBarcode());
    Memo->setPlainText(Driver().BarCode());
}

void TfmFN::btnFNUpdateOKPKeysClick()
{
    FReport.Clear();
    QByteArray answer;
    Check(Driver().SendCommand(OKPUpdateCommand, answer));
    // The result byte follows the command's echo and the result code.
    if (answer.size() <= AnswerHeaderSize)
        return;
    FReport.Add(QStringLiteral("Результат обновления ключей ОКП: "));
    FReport.Add(OKPKeysResultToStr(quint8(answer[AnswerHeaderSize])));
}

void TfmFN::btnSaveAsClick()
{
    SaveMemoAs(Memo);
}
