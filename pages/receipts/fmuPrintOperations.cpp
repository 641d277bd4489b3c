#include "pages/receipts/fmuPrintOperations.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmPrintOperations::TfmPrintOperations(QWidget* owner) : TPage(owner, "fmPrintOperations", PageCaption)
{
    using T = TfmPrintOperations;
    TFormBuilder<TfmPrintOperations> page(this, nullptr, true);
    auto left = page.Section();

    auto feed = left.Section();
    feed.Check(NAMED(chbUseReceiptRibbon2), "Чековая лента", true, "UseReceiptRibbon");
    feed.Check(NAMED(chbUseJournalRibbon2), "Контрольная лента", true, "UseJournalRibbon");
    feed.Check(NAMED(chkUseSlipDocument), "Подкладной документ", false, "UseSlipDocument");
    feed.Spin(NAMED(seStringQuantity), "Количество строк:", 1, 255, 15, "StringQuantity");
    feed.Buttons(2, {
        {NAMED(btnFeedDocument), "Продвинуть документ", &T::btnFeedDocumentClick, "FeedDocument"},
        {NAMED(btnContinuePrint), "Продолжить печать", &T::btnContinuePrintClick, "ContinuePrint"},
    });

    auto test = left.Section();
    test.Spin(NAMED(sePeriod), "Период прогона в минутах:", 0, 99, 1, "RunningPeriod");
    test.Buttons(2, {
        {NAMED(btnStartTechTest), "Начать", &T::btnStartTechTestClick, "Test"},
        {NAMED(btnStopTechTest), "Прервать", &T::btnStopTechTestClick, "InterruptTest"},
    });
    left.Space();

    auto right = page.Section();
    auto cut = right.Section();
    cut.Combo(NAMED(cbCutType), "Тип отрезки:", {"полная", "неполная"}, 0, "CutType");
    cut.Button({NAMED(btnCutCheck), "Отрезать чек", &T::btnCutCheckClick, "CutCheck"});

    auto journal = right.Section();
    journal.Combo(NAMED(cbJrnOperationType), "Тип операции:", {"Печать", "Очистка"}, 0, "OperationType");
    journal.Button({NAMED(btnJournalOperation), "Операция с контрольной лентой", &T::btnJournalOperationClick,
                    "JournalOperation"});
    right.Space();
    page.Space();
}

void TfmPrintOperations::btnFeedDocumentClick()
{
    Driver().setUseReceiptRibbon(chbUseReceiptRibbon2->isChecked());
    Driver().setUseJournalRibbon(chbUseJournalRibbon2->isChecked());
    Driver().setUseSlipDocument(chkUseSlipDocument->isChecked());
    Driver().setStringQuantity(seStringQuantity->value());
    Driver().FeedDocument();
}

void TfmPrintOperations::btnContinuePrintClick()
{
    Driver().ContinuePrint();
}

void TfmPrintOperations::btnStartTechTestClick()
{
    Driver().setRunningPeriod(sePeriod->value());
    Driver().Test();
}

void TfmPrintOperations::btnStopTechTestClick()
{
    Driver().InterruptTest();
}

void TfmPrintOperations::btnCutCheckClick()
{
    Driver().setCutType(cbCutType->currentIndex() == 1);
    Driver().CutCheck();
}

void TfmPrintOperations::btnJournalOperationClick()
{
    Driver().setOperationType(cbJrnOperationType->currentIndex());
    Driver().JournalOperation();
}
