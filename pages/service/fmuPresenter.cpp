#include "pages/service/fmuPresenter.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/settings/ResStrings.h"
#include "core/support/untTypes.h"
#include "platform/ui/FormBuilder.h"

TfmPresenter::TfmPresenter(QWidget* owner) : TPage(owner, "fmPresenter", PageCaption)
{
    TFormBuilder<TfmPresenter> page(this, nullptr, true);
    using T = TfmPresenter;
    page.Buttons(6, {
        {"btnOutputReceipt0", "Выдать чек", &T::btnOutputReceipt0Click, "OutputReceipt"},
        {"btnOutputReceipt1", "Фиксировать чек", &T::btnOutputReceipt1Click, "OutputReceipt"},
        {"btnOutputReceipt2", "Выдать чек с фиксацией", &T::btnOutputReceipt2Click, "OutputReceipt"},
        {"btnOpenScreen", "Открыть заслонку", &T::btnOpenScreenClick, "OpenScreen"},
        {"btnCloseScreen", "Закрыть заслонку", &T::btnCloseScreenClick, "CloseScreen"},
        {"btnGetECRStatus", "Получить состояние", &T::btnGetECRStatusClick, "GetECRStatus"},
    });
    ReportMemo(page.Memo(NAMED(Memo), true));
}

void TfmPresenter::OutputReceipt(int Type)
{
    Driver().setReceiptOutputType(Type);
    Driver().OutputReceipt();
}

void TfmPresenter::btnOutputReceipt0Click() { OutputReceipt(0); }
void TfmPresenter::btnOutputReceipt1Click() { OutputReceipt(1); }
void TfmPresenter::btnOutputReceipt2Click() { OutputReceipt(2); }
void TfmPresenter::btnOpenScreenClick() { Driver().OpenScreen(); }
void TfmPresenter::btnCloseScreenClick() { Driver().CloseScreen(); }

void TfmPresenter::btnGetECRStatusClick()
{
    Memo->clear();
    TDriver& d = Driver();
    if (d.GetECRStatus() != 0)
        return;
    Memo->appendPlainText(GetRes("Бумага на входе в накопитель") + QLatin1Char(' ') + BoolToYesNo(d.PresenterIn()));
    Memo->appendPlainText(GetRes("Бумага на выходе из накопителя") + QLatin1Char(' ') + BoolToYesNo(d.PresenterOut()));
}
