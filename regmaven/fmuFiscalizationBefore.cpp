#include "regmaven/fmuFiscalizationBefore.h"

#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untRegReport.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationInfo);
DEFINE_PAGE_CLASS(TfmFiscalizationBefore);

namespace {

constexpr int AutomaticModeBit = 0x04;
constexpr int FFD12 = 4;
// FNLifeState bits.
constexpr int FNConfigured = 0x01;
constexpr int FNFiscalMode = 0x02;
constexpr int FNFiscalModeClosed = 0x04;

// The report type: 0 registration, 1 re-registration with a new FN, 2 re-registration.
int ReportType(const TRegParams& p)
{
    return p.FirstTime ? 0 : p.NewFN ? 1 : 2;
}

// The table values written before the FN document opens, in their order.
// A register without the OFD link table (OFDEnabled false) gets none there.
std::vector<TTableValue> RegistrationValues(const TRegParams& p, bool New)
{
    std::vector<TTableValue> values;
    if (p.TimeZone > 0)
        values.push_back({17, 66, p.TimeZone, QStringLiteral("Часовая зона")});
    if (New)
        values.push_back({10, 32, 1, QStringLiteral("Признак записи реквизитов")});
    for (const TTableValue& value : FFDVersionValues(p.FFD, New))
        values.push_back(value);
    const std::pair<QString, const char*> texts[] = {
        {p.User, "Наименование организации"}, {p.Cashier, "Имя оператора"}, {p.Address, "Адрес расчетов"},
        {p.OFDName, "Имя ОФД"},               {p.OFDUrl, "URL ОФД"},         {p.OFDINN, "ИНН ОФД"},
        {p.TaxOfficeURL, "URL налог. органа"}, {p.PayPlace, "Место расчетов"}, {p.SenderEmail, "E-mail отправителя"}};
    int field = 7;
    for (const auto& [text, name] : texts)
        values.push_back({18, field++, text, QString::fromUtf8(name)});
    const bool automatic = p.WorkMode & AutomaticModeBit;
    const QString workModeEx = QStringLiteral("Расширенные режимы работы");
    const QString automat = QStringLiteral("Номер автомата");
    if (New) {
        values.push_back({13, 21, int(p.WorkModeEx), workModeEx});
        if (automatic)
            values.push_back({16, 1, p.AutomatNumber, automat});
    } else {
        if (p.FFD == 2)
            values.push_back({18, 16, int(p.Agent), QStringLiteral("Признак агента")});
        values.push_back({18, 21, int(p.WorkModeEx), workModeEx});
        if (automatic)
            values.push_back({24, 1, p.AutomatNumber, automat});
    }
    if (p.OFDEnabled) {
        values.push_back({19, 1, p.OFDServer, QStringLiteral("Сервер ОФД")});
        values.push_back({19, 2, p.OFDPort, QStringLiteral("Порт сервера ОФД")});
        if (p.FFD == FFD12) {
            values.push_back({19, 5, p.ServerKM, QStringLiteral("Сервер КМ")});
            values.push_back({19, 6, p.PortKM, QStringLiteral("Порт сервера КМ")});
        }
    }
    return values;
}

// The extended reason codes, written inside the open document of a re-registration.
bool WritesReasonCodes(const TRegParams& p)
{
    return !p.FirstTime && p.FFD >= 3;
}

TTableValue ReasonCodesValue(const TRegParams& p, bool New)
{
    return {New ? 13 : 18, 22, int(p.ReasonCodesEx), QStringLiteral("Коды причин изменения сведений о ККТ")};
}

// The FN's phase allows this kind of registration; raises the reason otherwise.
void CheckFNPhase(const TRegParams& p)
{
    TOrvek& d = Driver();
    Check(d.FNGetStatus());
    const int life = d.FNLifeState();
    const bool fiscal = life & FNFiscalMode;
    if (life & FNFiscalModeClosed)
        throw Exception(QStringLiteral("Архив ФН закрыт: регистрация с этим ФН невозможна.\r\nУстановите новый ФН"));
    if (p.FirstTime && fiscal)
        throw Exception(QStringLiteral("ФН уже зарегистрирован: регистрация новой ККТ невозможна.\r\n"
                                       "Выберите перерегистрацию ККТ"));
    if (!p.FirstTime && !p.NewFN && !fiscal)
        throw Exception(QStringLiteral("ФН не зарегистрирован: перерегистрация невозможна.\r\n"
                                       "Выберите \"Регистрация новой ККТ\""));
    if (!fiscal && !(life & FNConfigured))
        throw Exception(QStringLiteral("ФН не готов к регистрации (состояние фазы жизни %1)").arg(life));
    if (d.FNSessionState() != 0)
        throw Exception(QStringLiteral("Смена открыта: регистрация невозможна.\r\nЗакройте смену"));
}

// Inside the open FN document: tags, reason codes, the registration
// properties and the build call.
void BuildDocument(const TRegParams& p, bool New)
{
    BeginRegistrationReport();
    if (!p.CashierINN.isEmpty())
        SendTagStr(1203, p.CashierINN);
    if (p.FFD == 2 && p.Agent != 0 && New)
        SendTagByte(1057, p.Agent);
    if (WritesReasonCodes(p)) {
        const TTableValue codes = ReasonCodesValue(p, New);
        WriteFieldInt(codes.Table, codes.Field, codes.Value.toInt());
    }
    TOrvek& d = Driver();
    d.setINN(p.INN);
    d.setKKTRegistrationNumber(p.RNM);
    d.setTaxType(p.TaxSystem);
    d.setWorkMode(p.WorkMode);
    d.setRegistrationReasonCode(p.NewFN ? 1 : p.ReasonCode);
    d.WaitForPrinting();
    if (p.FirstTime)
        BuildRegistrationReport();
    else if (!p.NewFN || New)
        BuildReregistrationReport();
    else
        BuildRegistrationReport();
}

} // namespace

void Fiscalize(const TRegParams& p)
{
    Driver().setTimeout(10000);
    const bool New = IsNewModel();
    // Everything that can be checked is, before the first write.
    CheckFNPhase(p);
    const std::vector<TTableValue> values = RegistrationValues(p, New);
    for (const TTableValue& value : values)
        CheckTableValue(value);
    if (WritesReasonCodes(p))
        CheckTableValue(ReasonCodesValue(p, New));
    for (const TTableValue& value : values)
        WriteTableValue(value);
    Driver().setReportTypeInt(ReportType(p));
    try {
        BuildDocument(p, New);
    } catch (...) {
        Driver().FNCancelDocument();
        throw;
    }
}

TfmFiscalizationBefore::TfmFiscalizationBefore() : TParamPage("fmFiscalizationBefore", QStringLiteral("Регистрация ККТ"))
{
    TFormBuilder<TfmFiscalizationBefore> b(this);
    b.Label(NAMED(lbl1), {});
    b.Memo(NAMED(Memo), true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TfmFiscalizationBefore::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    TRegParams& p = Controller().RegParams;
    lbl1->setText(p.FirstTime ? QStringLiteral("Будет произведена регистрация ККТ со следующими параметрами:")
                              : QStringLiteral("Будет произведена перерегистрация ККТ со следующими параметрами:"));
    Check(Driver().ReadSerialNumber());
    p.KKTSerial = Driver().SerialNumber();
    Check(Driver().FNGetSerial());
    p.FNSerial = Driver().SerialNumber();
    FSlip.FWidth = 80;
    FSlip.FWidth2 = 24;
    FSlip.FRightAligned = false;
    FSlip.Clear();
    BuildReport(FSlip, p, false);
    Memo->setPlainText(FSlip.Lines().join(u'\n'));
}

void TfmFiscalizationBefore::Next()
{
    {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        Fiscalize(Controller().RegParams);
    }
    Controller().NextPageClass = ClassOf<TfmFiscalizationInfo>();
}

} // namespace Regmaven
