#include "regmaven/fmuFiscalizationBefore.h"

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

// The report type: 0 registration, 1 re-registration with a new FN, 2 re-registration.
int ReportType(const TRegParams& p)
{
    return p.FirstTime ? 0 : p.NewFN ? 1 : 2;
}

// The table writes before the FN document opens.
void WriteRegistrationTables(const TRegParams& p, bool New)
{
    if (New)
        WriteTableInt(10, 1, 32, 1);
    WriteFFDVersion(p.FFD);
    const QString texts[] = {p.User,   p.Cashier,      p.Address,  p.OFDName,    p.OFDUrl,
                             p.OFDINN, p.TaxOfficeURL, p.PayPlace, p.SenderEmail};
    int field = 7;
    for (const QString& text : texts)
        WriteTableStr(18, 1, field++, text);
    const bool automatic = p.WorkMode & AutomaticModeBit;
    if (New) {
        WriteTableInt(13, 1, 21, p.WorkModeEx);
        if (automatic)
            WriteTableStr(16, 1, 1, p.AutomatNumber);
    } else {
        if (p.FFD == 2)
            WriteTableInt(18, 1, 16, p.Agent);
        WriteTableInt(18, 1, 21, p.WorkModeEx);
        if (automatic)
            WriteTableStr(24, 1, 1, p.AutomatNumber);
    }
    if (p.OFDEnabled) {
        WriteTableStr(19, 1, 1, p.OFDServer);
        WriteTableInt(19, 1, 2, p.OFDPort);
    }
    if (p.FFD == 4) {
        WriteTableStr(19, 1, 5, p.ServerKM);
        WriteTableInt(19, 1, 6, p.PortKM);
    }
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
    if (!p.FirstTime && p.FFD >= 3)
        WriteFieldInt(New ? 13 : 18, 22, int(p.ReasonCodesEx));
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
    WriteRegistrationTables(p, New);
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
