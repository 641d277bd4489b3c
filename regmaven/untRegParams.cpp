#include "regmaven/untRegParams.h"

#include "core/support/BinUtils.h"
#include "regmaven/untX5.h"

namespace Regmaven {

bool TestTaxSystem(const TRegParams& Params, TTaxSystemBit Bit) { return TestBit(Params.TaxSystem, Bit); }
void SetTaxSystem(TRegParams& Params, TTaxSystemBit Bit) { SetBit(Params.TaxSystem, Bit); }
bool TestWorkMode(const TRegParams& Params, TWorkModeBit Bit) { return TestBit(Params.WorkMode, Bit); }
void SetWorkMode(TRegParams& Params, TWorkModeBit Bit) { SetBit(Params.WorkMode, Bit); }
void SetAgent(TRegParams& Params, TAgentBit Bit) { SetBit(Params.Agent, Bit); }

namespace {
// WorkModeEx bits the X5 file's flags set.
enum TWorkModeExBit { wmxExcise, wmxGambling, wmxLottery, wmxPrinterInAutomat };
} // namespace

void TRegParams::LoadFromX5(const QString& FileName)
{
    LoadFromX5Lines(LoadX5File(FileName));
}

void TRegParams::LoadFromX5Lines(const QStringList& Lines)
{
    // Read into a copy: a file that fails halfway changes nothing.
    TRegParams p = *this;
    auto flag = [&Lines](const char* Key) { return X5GetBool(Lines, QString::fromUtf8(Key)); };
    auto setIf = [](uint8_t& Mask, int Bit, bool On) {
        if (On)
            Mask |= uint8_t(1u << Bit);
    };
    p.User = X5GetValue(Lines, QStringLiteral("наименование пользователя"));
    p.Address = X5GetValue(Lines, QStringLiteral("Адрес"));
    p.INN = X5GetValue(Lines, QStringLiteral("ИНН пользователя"));
    p.RNM = X5GetValue(Lines, QStringLiteral("рег. номер ККТ"));
    p.TaxSystem = X5TaxSystemMask(X5GetInt(Lines, QStringLiteral("системы налогообложения")));
    p.Agent = 0;
    setIf(p.Agent, agBankPaymentAgent, flag("Признак банковского агента"));
    setIf(p.Agent, agBankPaymentSubagent, flag("Признак банковского субагента"));
    setIf(p.Agent, agPaymentAgent, flag("признак платежного агента"));
    setIf(p.Agent, agPaymentSubagent, flag("Признак платежного субагента"));
    p.WorkMode = 0;
    setIf(p.WorkMode, wmAutonomous, flag("автономный режим"));
    setIf(p.WorkMode, wmBSO, flag("признак АС БСО"));
    setIf(p.WorkMode, wmEncryption, flag("признак шифрования"));
    setIf(p.WorkMode, wmAutomatic, flag("автоматический режим"));
    setIf(p.WorkMode, wmServices, flag("признак услуги"));
    setIf(p.WorkMode, wmInternet, flag("признак расчетов в интернете"));
    p.LotterySign = flag("признак лотереи");
    p.DeliveryTradeSign = flag("признак развозной торговли");
    p.ExciseSign = flag("признак продажи подакцизных товаров");
    p.GameSign = flag("признак проведения игр");
    p.PayTerminalSign = flag("признак платежный терминал");
    p.PrinterInAutomat = flag("признак установки принтера в автомате");
    p.PayPlace = X5GetValue(Lines, QStringLiteral("место расчетов"));
    p.OFDName = X5GetValue(Lines, QStringLiteral("наименование ОФД"));
    p.OFDINN = X5GetValue(Lines, QStringLiteral("ИНН ОФД"));
    p.OFDServer = X5GetValue(Lines, QStringLiteral("Сервер ОФД"));
    p.OFDPort = X5GetInt(Lines, QStringLiteral("Порт"));
    // The extended work modes are the file's, not left unchosen.
    p.WorkModeEx = 0;
    setIf(p.WorkModeEx, wmxExcise, p.ExciseSign);
    setIf(p.WorkModeEx, wmxGambling, p.GameSign);
    setIf(p.WorkModeEx, wmxLottery, p.LotterySign);
    setIf(p.WorkModeEx, wmxPrinterInAutomat, p.PrinterInAutomat);
    *this = p;
}

QStringList TRegParams::X5ReportLines() const
{
    auto bit = [](uint8_t Mask, int Bit) { return X5BoolToStr(TestBit(Mask, Bit)); };
    QStringList lines = {
        QStringLiteral("Отчёт о регистрации"),
        QString(36, u'='),
        QStringLiteral("наименование пользователя: ") + User,
        QStringLiteral("адрес: ") + Address,
        QStringLiteral("ИНН пользователя: ") + INN,
        QStringLiteral("рег. номер ККТ: ") + RNM,
        QStringLiteral("зав. номер ККТ: ") + KKTSerial,
        QStringLiteral("системы налогообложения: ") + X5TaxSystemCode(TaxSystem),
        QStringLiteral("признак лотереи: ") + X5BoolToStr(LotterySign),
        QStringLiteral("признак проведения игр: ") + X5BoolToStr(GameSign),
        QStringLiteral("признак банковского агента: ") + bit(Agent, agBankPaymentAgent),
        QStringLiteral("признак банковского субагента: ") + bit(Agent, agBankPaymentSubagent),
        QStringLiteral("признак платежного агента: ") + bit(Agent, agPaymentAgent),
        QStringLiteral("признак платежного субагента: ") + bit(Agent, agPaymentSubagent),
        QStringLiteral("признак развозной торговли: ") + X5BoolToStr(DeliveryTradeSign),
        QStringLiteral("признак платежный терминал: ") + X5BoolToStr(PayTerminalSign),
        QStringLiteral("признак продажи подакцизных товаров: ") + X5BoolToStr(ExciseSign),
        QStringLiteral("Тип документа: ") + QString::number(DocType),
        QStringLiteral("автономный режим: ") + bit(WorkMode, wmAutonomous),
        QStringLiteral("признак услуги: ") + bit(WorkMode, wmServices),
        QStringLiteral("признак шифрования: ") + bit(WorkMode, wmEncryption),
        QStringLiteral("признак расчетов в интернете: ") + bit(WorkMode, wmInternet),
        QStringLiteral("автоматический режим: ") + bit(WorkMode, wmAutomatic),
        QStringLiteral("номер автомата: ") + AutomatNumber,
        QStringLiteral("ИНН ОФД: ") + OFDINN,
    };
    if (NewFN || !FirstTime)
        lines << QStringLiteral("Код причины перерегистрации: ") + QString::number(ReasonCode);
    lines << QStringLiteral("признак установки принтера в автомате: ") + X5BoolToStr(PrinterInAutomat)
          << QStringLiteral("признак АС БСО: ") + bit(WorkMode, wmBSO)
          << QStringLiteral("место расчетов: ") + PayPlace
          << QStringLiteral("адрес сайта ФНС: ") + TaxOfficeWebAddress
          << QStringLiteral("адрес электронной почты отправителя чека: ") + FixedSenderEmail
          << QStringLiteral("наименование ОФД: ") + OFDName
          << QStringLiteral("версия ККТ: ") + VersionKKT
          << QStringLiteral("версия ФФД ККТ: ") + QString::number(FFD)
          << QStringLiteral("версия ФФД: ") + QString::number(FFD)
          << QStringLiteral("зав. номер ФН: ") + FNSerial
          << QStringLiteral("дата, время: ") + X5DateTimeText(DateTime)
          << QStringLiteral("порядковый номер ФД: ") + QString::number(DocNumber)
          << QStringLiteral("ФП документа: ") + FiscalSign
          << QStringLiteral("кассир: ") + Cashier;
    return lines;
}

void TRegParams::SaveX5Report(const QString& FileName) const
{
    SaveX5File(FileName, X5ReportLines());
}

} // namespace Regmaven
