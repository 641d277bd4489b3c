#include "pages/receipts/fmuTestReceipt.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "platform/ui/FormBuilder.h"

TfmTestReceipt::TfmTestReceipt(QWidget* owner) : TPage(owner, "fmTestReceipt", PageCaption)
{
    TFormBuilder<TfmTestReceipt> page(this, nullptr, true);
    auto inputs = page.Section();
    inputs.Spin(NAMED(seSaleCount), "Количество продаж:", 1, 9999, 3, "Sale");
    inputs.Spin(NAMED(seLineCount), "Количество строк:", 0, 9999, 5, "PrintString");
    inputs.Button({NAMED(btnTestReceipt), "Тестовый чек", &TfmTestReceipt::btnTestReceiptClick, "Sale", TRun::Plain});
    inputs.Space();
    page.Space();
}

void TfmTestReceipt::btnTestReceiptClick()
{
    const TPortRun run(this);
    TDriver& d = Driver();
    const auto whileBusy = [this](const std::function<std::int32_t()>& call) {
        return CallWhileAnswering(OrvekResult::PrinterBusy, call, {}, BusyTries);
    };
    Check(d.LockPort());
    Check(d.GetECRStatus());
    if (d.ECRMode() == 8)
        Check(d.SysAdminCancelCheck());

    const QString sale = GetRes("Продажа");
    for (int i = 1; i <= seSaleCount->value(); ++i) {
        Check(d.WaitForPrinting());
        d.setPrice(100);  // 0.01
        d.setQuantity(0.001);
        d.setDepartment(1);
        d.setTax1(0);
        d.setTax2(0);
        d.setTax3(0);
        d.setTax4(0);
        d.setStringForPrinting(QStringLiteral("%1 № %2").arg(sale).arg(i));
        Check(whileBusy([&d] { return d.Sale(); }));
        d.setUseJournalRibbon(false);
        d.setUseReceiptRibbon(true);
        for (int j = 1; j <= seLineCount->value(); ++j) {
            d.setStringForPrinting(QStringLiteral("%1 № %2, %3 %4").arg(sale).arg(i).arg(GetRes("строка")).arg(j));
            Check(d.PrintString());
        }
    }

    d.setSumm1(0);
    d.setStringForPrinting(QString());
    Check(whileBusy([&d] { return d.CloseCheck(); }));
}
