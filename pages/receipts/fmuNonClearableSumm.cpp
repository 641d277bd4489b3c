#include "pages/receipts/fmuNonClearableSumm.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "platform/ui/FormBuilder.h"

#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextCursor>

namespace {
const QString Dashes = QString(25, QLatin1Char('-'));

QString TypeGenitive(int Type)
{
    switch (Type) {
    case 1: return Translate("прихода");
    case 2: return Translate("возврата прихода");
    case 3: return Translate("расхода");
    case 4: return Translate("возврата расхода");
    case 5: return Translate("коррекции");
    default: return {};
    }
}
} // namespace

TfmNonClearableSumm::TfmNonClearableSumm(QWidget* owner) : TPage(owner, "fmNonClearableSumm", PageCaption)
{
    TFormBuilder<TfmNonClearableSumm> page(this);
    page.Combo(NAMED(cbCheckType), Translate("Тип:"),
               {Translate("Приход"), Translate("Возврат прихода"), Translate("Расход"), Translate("Возврат расхода"),
                Translate("Коррекция")}, 0, "CheckType");
    ReportMemo(page.Memo(NAMED(Memo), true));
    using T = TfmNonClearableSumm;
    page.Columns().Buttons(1, {
        {"btnFNGetNonClearableSumm", Translate("Запрос необнуляемых сумм"), &T::btnFNGetNonClearableSummClick,
         "FNGetNonClearableSumm"},
        {"btnFNGetNonClearableSummEx", Translate("Запрос необнуляемых сумм (расш.)"),
         &T::btnFNGetNonClearableSummExClick, "FNGetNonClearableSummEx"},
        {"btnReadAllNonClearableSumm", Translate("Запрос всех необн. сумм (расш.)"),
         &T::btnReadAllNonClearableSummClick, "FNGetNonClearableSummEx"},
    });
}

void TfmNonClearableSumm::AddSumm(const QString& Name, Currency Value)
{
    Memo->appendPlainText(Format(QStringLiteral("%s: %.2f"), {Name, CurrencyToDouble(Value)}));
}

void TfmNonClearableSumm::btnFNGetNonClearableSummClick()
{
    Memo->clear();
    TDriver& d = Driver();
    Check(d.FNGetNonClearableSumm());
    AddSumm(Translate("Приход"), d.Summ1());
    AddSumm(Translate("Возврат прихода"), d.Summ2());
    AddSumm(Translate("Расход"), d.Summ3());
    AddSumm(Translate("Возврат расхода"), d.Summ4());
}

void TfmNonClearableSumm::ReadNonClearableSummEx(int Type)
{
    TDriver& d = Driver();
    d.setCheckType(Type);
    Check(d.FNGetNonClearableSummEx());
    Memo->appendPlainText(Format(QStringLiteral("%s %s:"), {Translate("Необн. суммы"), TypeGenitive(d.CheckType())}));
    const Currency summs[] = {d.Summ1(),  d.Summ2(),  d.Summ3(),  d.Summ4(),  d.Summ5(),  d.Summ6(),
                              d.Summ7(),  d.Summ8(),  d.Summ9(),  d.Summ10(), d.Summ11(), d.Summ12(),
                              d.Summ13(), d.Summ14(), d.Summ15(), d.Summ16()};
    if (Type == 5) {
        const char* const names[] = {"Коррекция прихода         ", "Коррекция возврата прихода",
                                     "Коррекция расхода         ", "Коррекция возврата расхода"};
        for (int i = 0; i < 4; ++i)
            AddSumm(Translate(names[i]), summs[i]);
        return;
    }
    Currency total = 0;
    for (int i = 0; i < 16; ++i) {
        AddSumm(QStringLiteral("Summ%1").arg(i + 1).leftJustified(6), summs[i]);
        total += summs[i];
    }
    Memo->appendPlainText(Dashes);
    AddSumm(QStringLiteral("Total "), total);
}

void TfmNonClearableSumm::btnFNGetNonClearableSummExClick()
{
    Memo->clear();
    ReadNonClearableSummEx(cbCheckType->currentIndex() + 1);
}

void TfmNonClearableSumm::btnReadAllNonClearableSummClick()
{
    Memo->clear();
    {
        // Updates held while the four reports are written, released on every path.
        Memo->setUpdatesEnabled(false);
        const auto release = qScopeGuard([this] { Memo->setUpdatesEnabled(true); });
        for (int type = 1; type <= 4; ++type) {
            ReadNonClearableSummEx(type);
            Memo->appendPlainText(Dashes);
        }
    }
    Memo->moveCursor(QTextCursor::Start);
}
