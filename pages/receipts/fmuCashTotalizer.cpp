#include "pages/receipts/fmuCashTotalizer.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/support/Format.h"
#include "platform/ui/FormBuilder.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {
// Sorted, for the binary search.
constexpr int CountRegisters[] = {4228, 4229, 4230, 4243, 4256, 4269, 4282, 4283, 4285, 4287, 4289, 4291, 4292, 4293,
                                  4306, 4319, 4332, 4345, 4346, 4348, 4350, 4352, 4354, 4355, 4357, 4359, 4361};
} // namespace

TfmCashTotalizer::TfmCashTotalizer(QWidget* owner)
    : TPage(owner, "fmCashTotalizer", PageCaption), FReader(nullptr, nullptr, nullptr)
{
    TFormBuilder<TfmCashTotalizer> page(this);
    ReportMemo(page.Memo(NAMED(Memo), true));
    using T = TfmCashTotalizer;
    page.Columns().Buttons(1, {
        {"btnReadAll", "Прочитать денежные регистры", &T::btnReadAllClick, "GetCashReg", TRun::Plain},
        {"btnReadExCashReg", "Прочитать расширенные регистры (К)", &T::btnReadExCashRegClick, "GetCashRegEx",
         TRun::Plain},
        {"btnReadFNCounters", "Синхронизировать регистры с счетчиками ФН", &T::btnReadFNCountersClick,
         "FNCountersSync"},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });
    FReader = TRegisterReader(this, Memo, btnStop);
}

bool TfmCashTotalizer::IsCountRegister(int Number)
{
    return std::binary_search(std::begin(CountRegisters), std::end(CountRegisters), Number);
}

void TfmCashTotalizer::btnStopClick()
{
    FReader.Stop();
}

void TfmCashTotalizer::btnReadAllClick()
{
    TDriver& d = Driver();
    FReader.Run(QStringLiteral(" ДЕНЕЖНЫЕ РЕГИСТРЫ:"), 0, 255, [&](int i) {
        d.setRegisterNumber(i);
        if (d.GetCashReg() != 0)
            TRegisterReader::AbortWithError();
        Memo->appendPlainText(
            Format(QStringLiteral(" %3d.%-56s : %s"), {i, d.NameCashReg(), d.AmountToStr(d.ContentsOfCashRegister())}));
        return true;
    });
}

void TfmCashTotalizer::btnReadExCashRegClick()
{
    TDriver& d = Driver();
    FReader.Run(QStringLiteral(" ДЕНЕЖНЫЕ РЕГИСТРЫ (К):"), 4096, 4522, [&](int i) {
        d.setRegisterNumber(i);
        if (d.GetCashRegEx() != 0)
            TRegisterReader::AbortWithError();
        const Currency content = d.ContentsOfCashRegister();
        const QString value = IsCountRegister(i) ? QString::number(std::llround(CurrencyToDouble(content)))
                                                 : d.AmountToStr(content);
        Memo->appendPlainText(Format(QStringLiteral(" %3d.%-56s : %s"), {i, d.NameCashRegEx(), value}));
        return true;
    });
}

void TfmCashTotalizer::btnReadFNCountersClick()
{
    Check(Driver().FNCountersSync());
}
