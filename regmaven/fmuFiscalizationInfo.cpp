#include "regmaven/fmuFiscalizationInfo.h"

#include "core/binding/BusyRetry.h"
#include "core/support/FileUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untRegReport.h"
#include "regmaven/untX5.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFinalMessage);
DEFINE_PAGE_CLASS(TfmFiscalizationInfo);

namespace {

// Characters per line when the register reports no usable width.
constexpr int DefaultPrintWidth = 40;

// Characters per printed line of font 1.
int PrintWidth()
{
    TOrvek& d = Driver();
    d.setFontType(1);
    Check(d.GetFontMetrics());
    if (d.CharWidth() == 0)
        return DefaultPrintWidth;
    const int width = d.PrintWidth() / d.CharWidth();
    return width < 1 ? DefaultPrintWidth : width;
}

} // namespace

TfmFiscalizationInfo::TfmFiscalizationInfo()
    : TParamPage("fmFiscalizationInfo", QStringLiteral("Печать чека о фискализации"))
{
    TFormBuilder<TfmFiscalizationInfo> b(this);
    b.Label(NAMED(lbl1), {});
    b.Memo(NAMED(Memo), true);
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    b.Label("lblRegisterOFD", QStringLiteral("Необходимо зарегистрировать ККТ в личном кабинете ОФД"));
    auto buttons = b.Columns();
    buttons.Button({NAMED(btnPrintReceipt), QStringLiteral("Распечатать чек для регистрации в ЛК ОФД"),
                    &TfmFiscalizationInfo::btnPrintReceiptClick, "PrintString"});
    buttons.Button({NAMED(btnSave), QStringLiteral("Сохранить..."), &TfmFiscalizationInfo::btnSaveClick});
    buttons.Button({NAMED(btnSaveX5), QStringLiteral("Сохранить в формате X5..."), &TfmFiscalizationInfo::btnSaveX5Click});
    buttons.Space();
    btnSaveX5->hide();
    b.Label("lblContinue", QStringLiteral("Для продолжения нажмите \"Далее\""));
}

void TfmFiscalizationInfo::ReadResult()
{
    TOrvek& d = Driver();
    TRegParams& p = Controller().RegParams;
    Check(d.WaitForPrinting());
    Check(d.FNGetSerial());
    p.FNSerial = d.SerialNumber();
    Check(d.FNGetFiscalizationResult());
    p.DateTime = DateTimeToQDateTime(d.Date() + d.Time());
    p.INN = d.INN().trimmed();
    p.RNM = d.KKTRegistrationNumber().trimmed();
    p.TaxSystem = uint8_t(d.TaxType());
    p.WorkMode = uint8_t(d.WorkMode());
    p.ReasonCode = d.RegistrationReasonCode();
    p.DocNumber = d.DocumentNumber();
    p.FiscalSign = d.FiscalSignAsString();
    p.KKTSerial = ReadTableStr(18, 1, 1).trimmed();
    p.Cashier = ReadTableStr(18, 1, 8).trimmed();
    p.User = ReadTableStr(18, 1, 7).trimmed();
    p.Address = ReadTableStr(18, 1, 9).trimmed();
    p.OFDName = ReadTableStr(18, 1, 10).trimmed();
    p.OFDUrl = ReadTableStr(18, 1, 11).trimmed();
    p.OFDINN = ReadTableStr(18, 1, 12).trimmed();
    p.VersionKKT = QStringLiteral("001");
    p.DocType = p.FirstTime ? 1 : 2;
}

void TfmFiscalizationInfo::FormShow()
{
    // The registration made its document: the road back would make another.
    Controller().EnablePrev(false);
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    ReadResult();
    const TRegParams& p = Controller().RegParams;
    FSlip.Clear();
    FSlip.FWidth = PrintWidth();
    FSlip.FRightAligned = true;
    lbl1->setText(p.FirstTime ? QStringLiteral("Произведена фискализация ККТ со следующими параметрами:")
                              : QStringLiteral("Произведена перерегистрация ККТ со следующими параметрами:"));
    BuildReport(FSlip, p, true);
    Memo->setPlainText(FSlip.Lines().join(u'\n'));
    btnSaveX5->setVisible(Controller().X5Mode);
}

void TfmFiscalizationInfo::btnPrintReceiptClick()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    TOrvek& d = Driver();
    // Lines the register still refuses after the last try: their numbers, and
    // the last refusal's code with its own text.
    QStringList refused;
    int lastCode = 0;
    QString lastError;
    const QStringList lines = Memo->toPlainText().split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        d.setStringForPrinting(lines[i]);
        const int32_t code = CallWhileBusy({50, 5}, [&d] { return d.PrintString(); });
        if (code != 0) {
            refused << QString::number(i + 1);
            lastCode = code;
            lastError = d.ResultCodeDescription();
        }
    }
    d.setStringQuantity(8);
    Check(d.FeedDocument());
    Check(d.WaitForPrinting());
    d.setCutType(true);
    d.setModelParamNumber(35);
    Check(d.ReadModelParamValue());
    if (d.ModelParamValue().toBool())
        d.CutCheck();
    if (!refused.isEmpty())
        throw Exception(QStringLiteral("Не напечатаны строки чека: %1\r\nОшибка %2, %3")
                            .arg(refused.join(QStringLiteral(", ")), QString::number(lastCode), lastError));
}

void TfmFiscalizationInfo::btnSaveClick()
{
    const QString filter = QStringLiteral("*.txt (*.txt);;") + Dialogs::AllFilesFilter();
    const QString file =
        Dialogs::SaveFileName(QStringLiteral("Сохранить"), filter, QStringLiteral("Fiscalization"), QStringLiteral("txt"));
    if (!file.isEmpty())
        SaveTextFile(file, Memo->toPlainText());
}

void TfmFiscalizationInfo::btnSaveX5Click()
{
    const TRegParams& p = Controller().RegParams;
    const QString file = Dialogs::SaveFileName(QStringLiteral("Сохранить"), X5FileFilter(),
                                               X5FileName(p.DocType, p.KKTSerial, p.DateTime, p.X5FactoryCode),
                                               QStringLiteral("txt"));
    if (!file.isEmpty())
        p.SaveX5Report(file);
}

void TfmFiscalizationInfo::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
