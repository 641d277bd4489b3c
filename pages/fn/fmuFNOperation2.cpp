#include "pages/fn/fmuFNOperation2.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/untUtil.h"
#include "pages/fn/DriverSumms.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

namespace {
// The sums the v2 form sends, in order.
const int SummNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 18, 19, 20};

QString UIntStr(std::int32_t value)
{
    return QString::number(std::uint32_t(value));
}
} // namespace

TfmFNOperation2::TfmFNOperation2(QWidget* owner)
    : TPage(owner, "fmFNOperation2", PageCaption), FReport(nullptr)
{
    using T = TfmFNOperation2;
    // Types and payment sums | VAT sums | buttons over the memo.
    TFormBuilder<T> page(this, nullptr, true);

    auto left = page.Section();
    left.Combo(NAMED(cbCorrectionType), "Тип коррекции:", {"0. Cамостоятельно ", "1. По предписанию"}, 0,
               "CorrectionType");
    left.Combo(NAMED(cbCalculationSign), "Признак расчета:", {"1. Коррекция прихода", "3. Коррекция расхода"}, 0,
               "CalculationSign");
    left.Combo(NAMED(cbTaxType), "Сист. налогообл.:", {"Общая", "УСН доход", "УСН доход - расход", "ЕНВД", "ЕСН", "ПСН"},
               0, "TaxType");
    const char* const captions[21] = {
        nullptr,
        "Сумма расчета:",
        "Сумма по чеку нал:",
        "Сумма по чеку безналичн.:",
        "Сумма по чеку предопл:",
        "Сумма по чеку постопл.:",
        "Сумма по чеку встречн. предост.:",
        "Сумма НДС 22%:",
        "Сумма НДС 10%:",
        "Сумма расч. по ставке 0%:",
        "Сумма расч. по чеку без НДС:",
        "Сумма расч. по расч. ст.22/122:",
        "Сумма расч. по расч. ст.10/110:",
        nullptr, nullptr, nullptr, nullptr,
        "Сумма НДС 5%",
        "Сумма НДС 7%",
        "Сумма  рас. рпл расч. ст. 5/105",
        "Сумма  рас. рпл расч. ст. 7/107",
    };
    auto right = page.Section();
    for (int n : SummNumbers) {
        auto& column = n <= 6 ? left : right;
        const QByteArray name = "edtSumm" + QByteArray::number(n);
        const QByteArray member = "Summ" + QByteArray::number(n);
        edtSumm[std::size_t(n)] =
            column.Edit(name.constData(), QString::fromUtf8(captions[n]), "0", member.constData());
        SetEditLimit(edtSumm[std::size_t(n)], 16);
    }
    right.Check(NAMED(chkAddTaxesEnabled), "Передавать суммы НДС: 5%, 7%, 5/105, 7/107  ", false, "AddTaxesEnabled");
    right.Space();
    SetEditLimit(left.Edit(NAMED(edtDocumentNumber), "Номер док-та основания:", {}, "TagValueStr"), 32);
    left.DateTime(NAMED(dtpDocumentDate), "Дата док-та основания корр.:", "dd.MM.yyyy", "TagValueDateTime")
        ->setDate(QDate::currentDate());
    left.Space();

    auto results = page.Section();
    page.Stretch();
    results.Buttons(4, {
        {NAMED(btnBeginCorrection), "Начать форм. чека коррекции (ФФД 1.05)", &T::btnBeginCorrectionClick,
         "FNBeginCorrectionReceipt"},
        {NAMED(btnBuildCorrection2), "Сформировать чек коррекции v2 (ФФД 1.05)", &T::btnBuildCorrection2Click,
         "FNBuildCorrectionReceipt2"},
        {NAMED(btnBuildCorrectionWithBasis), "Сформировать чек коррекции с основанием (ФФД 1.05)",
         &T::btnBuildCorrectionWithBasisClick, "FNBuildCorrectionReceipt2"},
        {NAMED(btnBuildCorrection), "Сформировать чек коррекции v1 (устаревш.)", &T::btnBuildCorrectionClick,
         "FNBuildCorrectionReceipt"},
    });
    results.Grid()->setRowStretch(0, 0);  // the memo takes the height below the buttons
    FReport = TMemoReport(Memo = ReportMemo(results.Memo(NAMED(Memo), true)));
}

void TfmFNOperation2::AddResult()
{
    TDriver& d = Driver();
    FReport.AddLine(GetRes("Номер чека"), UIntStr(d.ReceiptNumber()));
    FReport.AddLine(GetRes("Номер ФД"), UIntStr(d.DocumentNumber()));
    FReport.AddLine(GetRes("Фискальный признак"), UIntStr(d.FiscalSign()));
}

void TfmFNOperation2::BeginCorrection()
{
    Check(Driver().FNBeginCorrectionReceipt());
}

void TfmFNOperation2::SendTags()
{
    TDriver& d = Driver();
    d.setTagNumber(1179);
    d.setTagType(7);
    d.setTagValueStr(edtDocumentNumber->text());
    Check(d.FNSendTag());
    d.setTagNumber(1178);
    d.setTagType(6);
    d.setTagValueDateTime(QDateToDateTime(dtpDocumentDate->date()));
    Check(d.FNSendTag());
}

void TfmFNOperation2::BuildCorrection2()
{
    TDriver& d = Driver();
    for (int n : SummNumbers)
        SetDriverSumm(n, GetSumm(edtSumm[std::size_t(n)]->text(), QStringLiteral("Summ%1").arg(n)));
    d.setAddTaxesEnabled(chkAddTaxesEnabled->isChecked());
    d.setCorrectionType(cbCorrectionType->currentIndex());
    d.setCalculationSign(cbCalculationSign->currentIndex() == 0 ? 1 : 3);
    std::uint8_t taxType = 0;
    SetBit(taxType, cbTaxType->currentIndex());
    d.setTaxType(taxType);
    Check(d.FNBuildCorrectionReceipt2());
    AddResult();
}

void TfmFNOperation2::btnBeginCorrectionClick()
{
    FReport.Clear();
    BeginCorrection();
}

void TfmFNOperation2::btnBuildCorrection2Click()
{
    FReport.Clear();
    BuildCorrection2();
}

void TfmFNOperation2::btnBuildCorrectionWithBasisClick()
{
    FReport.Clear();
    BeginCorrection();
    SendTags();
    BuildCorrection2();
}

void TfmFNOperation2::btnBuildCorrectionClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    d.setSumm1(GetSumm(edtSumm[1]->text(), QStringLiteral("Summ1")));
    d.setCheckType(cbCalculationSign->currentIndex() == 0 ? 1 : 3);
    Check(d.FNBuildCorrectionReceipt());
    AddResult();
}
