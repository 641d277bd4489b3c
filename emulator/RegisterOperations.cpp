#include "emulator/RegisterOperations.h"

#include "emulator/RegisterReceipt.h"

namespace {
const char* const Kinds[] = {"продаж", "покупок", "возвратов продаж", "возвратов покупок"};

// The kind of an item method (ReceiptType), -1 for other methods.
int ItemKind(OrvekMethod method)
{
    switch (method) {
    case OrvekMethod::Sale: return ReceiptType::Sale;
    case OrvekMethod::Buy: return ReceiptType::Buy;
    case OrvekMethod::ReturnSale: return ReceiptType::ReturnSale;
    case OrvekMethod::ReturnBuy: return ReceiptType::ReturnBuy;
    default: return -1;
    }
}
} // namespace

QString RegisterOperations::Name(int number)
{
    using namespace OperationReg;
    if (number < 0 || number >= Count)
        return {};
    if (number < Storno)
        return QStringLiteral("Количество %1 в %2 отдел за смену")
            .arg(QString::fromUtf8(Kinds[number / 16]))
            .arg(number % 16 + 1);
    if (number >= Receipts && number < Receipts + 4)
        return QStringLiteral("Количество чеков %1 за смену").arg(QString::fromUtf8(Kinds[number - Receipts]));
    switch (number) {
    case Storno: return QStringLiteral("Количество сторно за смену");
    case Discounts: return QStringLiteral("Количество скидок за смену");
    case Charges: return QStringLiteral("Количество надбавок за смену");
    case StornoDiscounts: return QStringLiteral("Количество сторно скидок за смену");
    case StornoCharges: return QStringLiteral("Количество сторно надбавок за смену");
    case Cancelled: return QStringLiteral("Количество аннулированных чеков за смену");
    case CashIn: return QStringLiteral("Количество внесений за смену");
    case CashOut: return QStringLiteral("Количество выплат за смену");
    case SessionsOpened: return QStringLiteral("Количество открытых смен");
    case ZReports: return QStringLiteral("Количество отчетов с гашением");
    case XReports: return QStringLiteral("Количество отчетов без гашения");
    }
    return QStringLiteral("Резерв");
}

void RegisterOperations::Advance(OrvekMethod method, const OrvekPropertyStore& props)
{
    using namespace OperationReg;
    using M = OrvekMethod;
    if (int kind = ItemKind(method); kind >= 0) {
        int department = props.Int(OrvekProp::Department);
        if (department >= 1 && department <= 16)
            Add(Items + kind * 16 + department - 1);
        return;
    }
    switch (method) {
    case M::Storno: Add(Storno); break;
    case M::Discount: Add(Discounts); break;
    case M::Charge: Add(Charges); break;
    case M::StornoDiscount: Add(StornoDiscounts); break;
    case M::StornoCharge: Add(StornoCharges); break;
    case M::CloseCheck:
    case M::CloseCheckEx:
    case M::CloseCheckWithKPK:
    case M::CloseCheckBel:
        if (const auto& receipt = FRegister.Area<RegisterReceipt>().LastReceipt())
            Add(Receipts + receipt->Type);
        break;
    case M::CancelCheck:
    case M::SysAdminCancelCheck: Add(Cancelled); break;
    case M::CashIncome: Add(CashIn); break;
    case M::CashOutcome: Add(CashOut); break;
    case M::OpenSession: Add(SessionsOpened); break;
    case M::PrintReportWithCleaning:
        std::fill(FCounts.begin(), FCounts.begin() + SessionCount, 0);
        Add(ZReports);
        break;
    case M::PrintReportWithoutCleaning: Add(XReports); break;
    default: break;
    }
}
