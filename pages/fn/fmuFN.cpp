#include "pages/fn/fmuFN.h"

#include "core/driver/PrinterTypes.h"
#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "core/pages/NamedControls.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/untTypes.h"
#include "core/support/untUtil.h"
#include "pages/fn/FNReports.h"
#include "platform/ui/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>

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

TfmFN::TfmFN(QWidget* owner) : TPage(owner, "fmFN", QStringLiteral("Состояние ФН")), FReport(nullptr)
{

    auto* pnlButtons = NewControl<QWidget>(this, "pnlButtons");
    auto* lblDocumentNumber = NewLabel(pnlButtons, QStringLiteral("№ документа:"), "lblDocumentNumber");
    edtDocumentNumber = NewEdit(pnlButtons, "edtDocumentNumber", QStringLiteral("0"));
    edtDocumentNumber->setToolTip(QStringLiteral("DocumentNumber"));
    auto* lblRequestType = NewLabel(pnlButtons, QStringLiteral("Код запроса:"), "lblRequestType");
    edtRequestType = NewEdit(pnlButtons, "edtRequestType", QStringLiteral("0"));
    edtRequestType->setToolTip(QStringLiteral("RequestType"));
    OnKeyPress(edtDocumentNumber, this, &TfmFN::NumberKeyPress);
    OnKeyPress(edtRequestType, this, &TfmFN::NumberKeyPress);

    auto button = [&](const char* name, const QString& caption, void (TfmFN::*handler)(), const QString& hint) {
        return NewButton(pnlButtons, name, caption, this, handler, hint);
    };
    btnFNGetStatus = button("btnFNGetStatus", QStringLiteral("Запрос статуса ФН"), &TfmFN::btnFNGetStatusClick,
                            QStringLiteral("FNGetStatus"));
    btnFNGetSerial = button("btnFNGetSerial", QStringLiteral("Запрос номера ФН"), &TfmFN::btnFNGetSerialClick,
                            QStringLiteral("FNGetSerial"));
    btnFNGetExpirationTime = button("btnFNGetExpirationTime", QStringLiteral("Запрос срока действ. ФН"),
                                    &TfmFN::btnFNGetExpirationTimeClick, QStringLiteral("FNGetExpirationTime"));
    btnFNGetVersion = button("btnFNGetVersion", QStringLiteral("Запрос версии ФН"), &TfmFN::btnFNGetVersionClick,
                             QStringLiteral("FNGetVersion"));
    btnFNGetImplementation = button("btnFNGetImplementation", QStringLiteral("Запрос исполнения ФН"),
                                    &TfmFN::btnFNGetImplementationClick, QStringLiteral("FNGetImplementation"));
    btnFNGetDocumentSize = button("btnFNGetDocumentSize", QStringLiteral("Запрос размера док-та в ФН"),
                                  &TfmFN::btnFNGetDocumentSizeClick, QStringLiteral("FNGetDocumentSize"));
    btnFNGetOSUSupportStatus = button("btnFNGetOSUSupportStatus", QStringLiteral("Запрос статуса поддержки ОСУ"),
                                      &TfmFN::btnFNGetOSUSupportStatusClick, QStringLiteral("FNGetOSUSupportStatus"));
    btnFNGetFreeMemoryResource =
        button("btnFNGetFreeMemoryResource", QStringLiteral("Запр. ресурса своб. памяти ФН"),
               &TfmFN::btnFNGetFreeMemoryResourceClick, QStringLiteral("FNGetFreeMemoryResource"));
    btnFNCountersSync = button("btnFNCountersSync", QStringLiteral("Синхр регистры со счетч. ФН"),
                               &TfmFN::btnFNCountersSyncClick, QStringLiteral("FNCountersSync"));
    btnFNBeginOpenSessioin = button("btnFNBeginOpenSessioin", QStringLiteral("Начать откр. смены в ФН"),
                                    &TfmFN::btnFNBeginOpenSessioinClick, QStringLiteral("FNBeginOpenSession"));
    btnFNOpenSession = button("btnFNOpenSession", QStringLiteral("Открыть смену в ФН"),
                              &TfmFN::btnFNOpenSessionClick, QStringLiteral("FNOpenSession"));
    btnFNBeginCloseSession = button("btnFNBeginCloseSession", QStringLiteral("Начать закр. смены в ФН"),
                                    &TfmFN::btnFNBeginCloseSessionClick, QStringLiteral("FNBeginCloseSession"));
    btnFNCloseSession = button("btnFNCloseSession", QStringLiteral("Закрыть смену в ФН"),
                               &TfmFN::btnFNCloseSessionClick, QStringLiteral("FNCloseSession"));
    btnBeginCalculationStateReport =
        button("btnBeginCalculationStateReport", QStringLiteral("Начать отчет о сост. расчетов"),
               &TfmFN::btnBeginCalculationStateReportClick, QStringLiteral("FNBeginCalculationStateReport"));
    btnBuildCalculationStateReport =
        button("btnBuildCalculationStateReport", QStringLiteral("Сформ. отчет о сост. расчетов"),
               &TfmFN::btnBuildCalculationStateReportClick, QStringLiteral("FNBuildCalculationStateReport"));
    btnFNResetState = button("btnFNResetState", QStringLiteral("Сбросить состояние ФН"),
                             &TfmFN::btnFNResetStateClick, QStringLiteral("FNResetState"));
    btnFNCancelDocument = button("btnFNCancelDocument", QStringLiteral("Отменить документ в ФН"),
                                 &TfmFN::btnFNCancelDocumentClick, QStringLiteral("FNCancelDocument"));
    btnFNGetCurrentSessionParams =
        button("btnFNGetCurrentSessionParams", QStringLiteral("Параметры текущей смены"),
               &TfmFN::btnFNGetCurrentSessionParamsClick, QStringLiteral("FNGetCurrentSessionParams"));
    btnFNBeginCloseFiscalMode = button("btnFNBeginCloseFiscalMode", QStringLiteral("Начать закр. фиск. режима"),
                                       &TfmFN::btnFNBeginCloseFiscalModeClick, QStringLiteral("FNBeginCloseFiscalMode"));
    btnFNCloseFiscalMode = button("btnFNCloseFiscalMode", QStringLiteral("Закрыть фиск. режим"),
                                  &TfmFN::btnFNCloseFiscalModeClick, QStringLiteral("FNCloseFiscalMode"));
    btnFNFindDocument = button("btnFNFindDocument", QStringLiteral("Найти фиск. документ"),
                               &TfmFN::btnFNFindDocumentClick, QStringLiteral("FNFindDocument"));
    btnFNReadFiscalBarcode = button("btnFNReadFiscalBarcode", QStringLiteral("Прочитать QR чека"),
                                    &TfmFN::btnFNReadFiscalBarcodeClick, QStringLiteral("FNReadFiscalBarcode"));
    btnFNUpdateOKPKeys = button("btnFNUpdateOKPKeys", QStringLiteral("Обновление ключей ОКП"),
                                &TfmFN::btnFNUpdateOKPKeysClick, QStringLiteral("Требуется прошивка 13.02.23 и новее"));
    btnSaveAs = button("btnSaveAs", QStringLiteral("Сохранить..."), &TfmFN::btnSaveAsClick, {});

    Memo = NewMemo(this, "Memo", true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    Memo->setFont(font);
    FReport = TMemoReport(Memo);

    // The memo on the left; on the right the edits, then the buttons in two
    // columns, in tab order.
    auto* grid = new QGridLayout(pnlButtons);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(lblDocumentNumber, 0, 0);
    grid->addWidget(edtDocumentNumber, 0, 1);
    grid->addWidget(lblRequestType, 1, 0);
    grid->addWidget(edtRequestType, 1, 1);
    QPushButton* const buttons[] = {
        btnFNGetStatus, btnFNGetSerial, btnFNGetExpirationTime, btnFNGetVersion, btnFNGetImplementation,
        btnFNGetDocumentSize, btnFNGetOSUSupportStatus, btnFNGetFreeMemoryResource, btnFNCountersSync,
        btnFNBeginOpenSessioin, btnFNOpenSession, btnFNBeginCloseSession, btnFNCloseSession,
        btnBeginCalculationStateReport, btnBuildCalculationStateReport, btnFNResetState, btnFNCancelDocument,
        btnFNGetCurrentSessionParams, btnFNBeginCloseFiscalMode, btnFNCloseFiscalMode, btnFNFindDocument,
        btnFNReadFiscalBarcode, btnFNUpdateOKPKeys, btnSaveAs};
    constexpr int rows = 12;
    for (int i = 0; i < int(std::size(buttons)); ++i)
        grid->addWidget(buttons[i], 2 + i % rows, i / rows);
    grid->setRowStretch(2 + rows, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Memo, 1);
    layout->addWidget(pnlButtons);
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
    return uint32_t(Status) >> 2;
}

QString TfmFN::GetUpdateKeysResult()
{
    int32_t code = Driver().UpdateKeysResultCode();
    int32_t status = Driver().UpdateKeysStatus();
    QString result;
    switch (code) {
    case 0: result = Format(QStringLiteral("ОБНОВЛЕНО КЛЮЧЕЙ: %d, ОШИБОК НЕТ"), {GetKeysCount(status)}); break;
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
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    Check(Driver().FNGetSerial());
    FReport.AddLine(GetRes("Номер ФН"), Driver().SerialNumber());
}

void TfmFN::btnFNGetExpirationTimeClick()
{
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetExpirationTime());
    FReport.AddLine(GetRes("Срок действия ФН"), DateTimeToStr(DateTimeToQDateTime(d.Date())));
    FReport.AddLine(GetRes("Кол-во оставшихся отчетов о перерегистрации"), QString::number(d.FreeRegistration()));
    FReport.AddLine(GetRes("Выполнено отчетов о перерегистрации"), QString::number(d.RegistrationNumber()));
}

void TfmFN::btnFNGetVersionClick()
{
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNGetVersion());
    FReport.AddLine(GetRes("Версия ПО ФН"), d.FNSoftVersion());
    int32_t type = d.FNSoftType();
    FReport.AddLine(GetRes("Тип ПО ФН"), Format(QStringLiteral("%.2xh, %s"), {type, FNVersionTypeToStr(type)}));
}

void TfmFN::btnFNGetImplementationClick()
{
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    if (Driver().FNGetImplementation() == 0)
        FReport.AddLine(Translate("Исполнение ФН:"), Driver().FNImplementation());
}

void TfmFN::btnFNGetDocumentSizeClick()
{
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    if (Driver().FNGetOSUSupportStatus() == 0)
        FReport.AddLine(Translate("Статус поддержки ОСУ:"), OSUSupportStatusToStr(Driver().FNOSUSupportStatus()));
}

void TfmFN::btnFNGetFreeMemoryResourceClick()
{
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    Driver().FNCountersSync();
}

void TfmFN::btnFNBeginOpenSessioinClick()
{
    CheckedCall(&TOrvek::FNBeginOpenSession);
}

void TfmFN::btnFNOpenSessionClick()
{
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNBuildCalculationStateReport());
    AddDocumentResult();
    FReport.AddLine(GetRes("Кол-во неподтвержденных документов"), UIntStr(d.DocumentCount()));
    FReport.AddLine(GetRes("Дата первого неподтвержденного документа"), DateTimeText(d.Date(), d.Time()));
}

void TfmFN::btnFNResetStateClick()
{
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    Driver().setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    Check(Driver().FNReadFiscalBarcode());
    Memo->setPlainText(Driver().BarCode());
}

void TfmFN::btnFNUpdateOKPKeysClick()
{
    TEnableButtonsFrame frame(this);
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
