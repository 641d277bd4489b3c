// The FN receipt pages and the FN extra-payment dialog, headless against the
// emulated register: items, the extended closing, correction receipts.
#include "pages/fn/fmuExpayments.h"
#include "pages/fn/fmuFNAgent.h"
#include "pages/fn/fmuFNOperation.h"
#include "pages/fn/fmuFNOperation2.h"

#include "core/support/Format.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "platform/ui/EditLimit.h"
#include "tests/pages/fn/TagPageTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
constexpr Currency Rub = 10000;

QString BadField(const QString& field)
{
    return QStringLiteral("Некорректное значение в поле\r\n\"%1\"").arg(field);
}

// The pages inside the real main window, with the dialog fmExPayments.
template <class TPageClass>
class OperationTest : public TagPageTest<TPageClass> {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        fmExPayments = new TfmExPayments;
        this->Main = std::make_unique<TfmMain>();
        this->Page = this->Main->Pages().template PageByClass<TPageClass>();
        ASSERT_NE(this->Page, nullptr);
        this->Trace().Clear();
    }
    void TearDown() override
    {
        this->Main.reset();
        delete std::exchange(fmExPayments, nullptr);
        SetDecimalSeparator(QChar());
        DriverTest::TearDown();
    }

    static RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    static RegisterReceipt& Receipt() { return TestRegister().Area<RegisterReceipt>(); }
    QStringList Lines() const
    {
        const QString text = this->Page->Memo->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
    // The last value written to a property.
    static QVariant Written(P prop)
    {
        const QList<QVariant> values = TagPageTest<TPageClass>::Writes(prop);
        return values.isEmpty() ? QVariant() : values.last();
    }
    // The FN documents are numbered so that the next receipt is `number`
    // (a session opens before it when none is open).
    static void NextDocumentIs(int number)
    {
        const int before = TestRegister().State().SessionOpen ? 1 : 2;
        while (FN().LastDocumentNumber() + before < number)
            FN().AddDocument(FNDocType::OperatorConfirmation);
    }
};

using FNOperationTest = OperationTest<TfmFNOperation>;
using FNCorrectionTest = OperationTest<TfmFNOperation2>;

// Shows the dialog through the page's button; the script runs inside it and
// must close it.
void WithDialog(QPushButton* button, const std::function<void(TfmExPayments&)>& script)
{
    QTimer::singleShot(0, [script] {
        script(*fmExPayments);
        if (fmExPayments->isVisible())
            fmExPayments->close();
    });
    button->click();
}
} // namespace

TEST_F(FNOperationTest, CloseShowsChangeDocumentAndSign)
{
    SetDecimalSeparator(QLatin1Char(','));
    TestRegister().SetFlag(EcrFlag::PointPosition, true);
    NextDocumentIs(15);
    Page->btnFNOperation->click();
    ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    Page->edtSumm1->setText(QStringLiteral("112,5"));
    Page->btnFNCloseCheckEx->click();
    ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    const FNDocument& doc = FN().Documents.back();
    EXPECT_EQ(doc.Number, 15);
    EXPECT_EQ(Lines(), (QStringList{"Сдача: 12,50", "№ ФД : 15", "ФП   : " + QString::number(doc.FiscalSign)}));
    EXPECT_EQ(Driver().Change(), 125000);

    // Refused: nothing shown, the result panel has the code.
    Page->btnFNOperation->click();
    Page->edtSumm1->setText(QStringLiteral("50"));
    Page->btnFNCloseCheckEx->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::PaymentTooSmall);
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(Receipt().IsOpen());
    EXPECT_TRUE(Panel().startsWith(QStringLiteral("(69)")));
}

TEST_F(FNOperationTest, ReceiptTypesOfItemsAndOpenings)
{
    const struct {
        const char* Type;
        int Item;
        int Open;
    } cases[] = {{"Приход", 1, 0}, {"Возврат прихода", 2, 2}, {"Расход", 3, 1}, {"Возврат расхода", 4, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        Page->cbCheckType->setCurrentText(QString::fromUtf8(c.Type));
        Trace().Clear();
        Page->btnFNOperation->click();
        EXPECT_EQ(Written(P::CheckType), c.Item);
        Page->btnSysAdminCancelCheck->click();
        Trace().Clear();
        Page->btnOpenCheck->click();
        EXPECT_EQ(Written(P::CheckType), c.Open);
        EXPECT_EQ(Receipt().Type(), c.Open);
        Page->btnSysAdminCancelCheck->click();
    }
}

TEST_F(FNOperationTest, ItemSendsItsInputsInOrder)
{
    Page->edtPrice->setText(QStringLiteral("12,34"));
    Page->edtQuantity->setText(QStringLiteral("2"));
    Page->cbTax1->setCurrentIndex(9);
    Page->cbDepartment->setCurrentIndex(3);
    Page->cbMeasureUnit->setCurrentText(QStringLiteral("11. Килограмм"));
    Page->edtName->setText(QStringLiteral("Сыр"));
    Page->btnFNOperation->click();
    ASSERT_EQ(Trace().Calls().size(), 1u);
    QStringList order;
    for (const auto& [prop, value] : Trace().Calls()[0].Written)
        order << QString::fromLatin1(PropInfo(prop).Name.data(), qsizetype(PropInfo(prop).Name.size()));
    EXPECT_EQ(order, (QStringList{"TaxValueEnabled", "Summ1Enabled", "CheckType", "TaxValue", "Tax1", "Summ1",
                                  "PaymentTypeSign", "PaymentItemSign", "ProductAssignedStatus", "Department", "Price",
                                  "Quantity", "StringForPrinting", "MeasureUnit", "DivisionalQuantity", "Numerator",
                                  "Denominator"}));
    ASSERT_EQ(Receipt().Items().size(), 1u);
    const ReceiptItem& item = Receipt().Items()[0];
    EXPECT_EQ(item.Amount, 2468 * 100);
    EXPECT_EQ(item.Department, 3);
    ASSERT_TRUE(item.FN);
    EXPECT_EQ(item.FN->Tax, 10);
    EXPECT_EQ(item.FN->MeasureUnit, 11);
    EXPECT_EQ(item.FN->PaymentTypeSign, 1);
}

TEST_F(FNOperationTest, QuantityTextCheckedBeforeAnyAmount)
{
    Page->edtQuantity->setText(QString(1025, QLatin1Char('1')));
    Page->edtPrice->setText(QStringLiteral("abc"));
    Page->btnFNOperation->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Некорректное значение в поле \"Количество\""));
    EXPECT_TRUE(Trace().Calls().empty());
    EXPECT_EQ(Driver().CheckType(), 1);  // set before the check
}

TEST_F(FNOperationTest, GoodsStatusOnlyForMarkedSubjectsAndFractionSent)
{
    Page->cbPaymentItemSign->setCurrentText(QStringLiteral("31. АТМ"));
    EXPECT_TRUE(Page->cbProductAssignedStatus->isEnabled());
    Page->cbProductAssignedStatus->setCurrentText(QStringLiteral("2. Мерный товар в стадии реализации"));
    Page->btnFNOperation->click();
    EXPECT_EQ(Written(P::PaymentItemSign), 31);
    EXPECT_EQ(Written(P::ProductAssignedStatus), 2);
    EXPECT_EQ(Receipt().Items().back().FN->ProductStatus, 2);

    Page->cbPaymentItemSign->setCurrentText(QStringLiteral("1. Товар"));
    EXPECT_FALSE(Page->cbProductAssignedStatus->isEnabled());
    Page->chkDivisionalQuantity->click();
    EXPECT_FALSE(Page->edtQuantity->isEnabled());
    EXPECT_TRUE(Page->edtNumerator->isEnabled());
    Page->edtQuantity->setText(QStringLiteral("3"));
    Page->edtNumerator->setText(QStringLiteral("1"));
    Page->edtDenominator->setText(QStringLiteral("4"));
    Trace().Clear();
    Page->btnFNOperation->click();
    EXPECT_EQ(Written(P::ProductAssignedStatus), 0);
    EXPECT_EQ(Written(P::Quantity), 3.0);
    EXPECT_TRUE(Written(P::DivisionalQuantity).toBool());
    // A quarter of 100.
    EXPECT_EQ(Receipt().Items().back().Amount, 25 * Rub);
}

TEST_F(FNOperationTest, ItemWithAgentDataRunsTheFourPositionOperations)
{
    auto* agent = Main->Pages().PageByClass<TfmFNAgent>();
    for (QCheckBox* box : agent->findChildren<QCheckBox*>())
        if (box->objectName().startsWith(QStringLiteral("chkUse")))
            box->setChecked(false);
    agent->chkAgent[1]->setChecked(true);
    agent->chkUse1226->setChecked(true);
    agent->edtSupplierINN->setText(QStringLiteral("7700000000"));
    agent->chkUse1225->setChecked(true);
    agent->edt1225->setText(QStringLiteral("Поставщик"));
    Trace().Clear();
    Page->btnFNOperationAgent->click();
    EXPECT_EQ(Calls(), (QStringList{"FNOperation", "FNSendTagOperation", "FNSendTagOperation", "FNBeginSTLVTag",
                                    "FNAddTag", "FNSendSTLVTagOperation"}));
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1222, 1226, 1224}));

    // The tags go into the item of the FN document.
    Page->edtSumm1->setText(QStringLiteral("100"));
    Page->btnFNCloseCheckEx->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    const FNDocument& doc = FN().Documents.back();
    ASSERT_EQ(doc.Tags.size() > 0, true);
    const FNTag& item = doc.Tags[1];  // after 1055
    EXPECT_EQ(item.Number, 1059);
    std::vector<int> numbers = Numbers(item.Items);
    EXPECT_EQ(std::vector<int>(numbers.end() - 3, numbers.end()), (std::vector<int>{1222, 1226, 1224}));
}

TEST_F(FNOperationTest, ItemStaysWithoutAnAgentPage)
{
    TPages pages;
    auto* page = new TfmFNOperation;
    page->SetOwner(&pages);
    page->btnFNOperationAgent->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Cannot find Agent page"));
    EXPECT_EQ(Receipt().Items().size(), 1u);
    // A refused item ends the handler before the look-up.
    TestDialogs().clear();
    TestRegister().Faults().FailNext(M::FNOperation, OrvekResult::BadParameter);
    page->btnFNOperationAgent->click();
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
}

TEST_F(FNOperationTest, WholeReceiptWithExtraSums)
{
    Page->btnFNGetNonClearableSumm->click();
    const Currency before = Driver().Summ1();
    Page->btnOpenCheck->click();
    Page->edtPrice->setText(QStringLiteral("300"));
    Page->btnFNOperation->click();
    Page->edtPrice->setText(QStringLiteral("150"));
    Page->edtQuantity->setText(QStringLiteral("2"));
    Page->btnFNOperation->click();
    Page->btnCheckSubTotal->click();
    EXPECT_EQ(Lines(), QStringList{"Подытог чека: " + Driver().AmountToStr(600 * Rub)});

    WithDialog(Page->btnExPayments, [](TfmExPayments& d) {
        d.Edit(3)->setText(QStringLiteral("100"));
        d.Edit(13)->setText(QStringLiteral("50"));
        d.btnOk->click();
    });
    Page->edtSumm1->setText(QStringLiteral("500"));
    Page->edtSumm2->setText(QStringLiteral("20"));
    Page->edtTaxValues[0]->setText(QStringLiteral("100"));
    Page->edtRoundingSumm->setText(QStringLiteral("0"));
    Page->cbTaxType->setCurrentText(QStringLiteral("ПСН"));
    FN().Registration.TaxType = 1 | 32;  // the register closes only under a registered tax system
    Page->btnFNCloseCheckEx->click();
    ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();

    const FNDocument& doc = FN().Documents.back();
    EXPECT_EQ(doc.Type, FNDocType::Receipt);
    EXPECT_EQ(doc.Summ, 600 * Rub);
    EXPECT_EQ(doc.Payments[1], 430 * Rub);  // 500 less the change 70
    EXPECT_EQ(doc.Payments[3], 100 * Rub);
    EXPECT_EQ(doc.Payments[13], 50 * Rub);
    EXPECT_EQ(doc.TaxSums[1], 100 * Rub);
    EXPECT_EQ(Numbers(doc.Tags), (std::vector<int>{1055, 1059, 1059, 1020, 1031, 1081, 1215, 1216, 1217, 1102}));
    EXPECT_EQ(doc.Tags[0].Integer(), 32u);
    EXPECT_EQ(Driver().Change(), 70 * Rub);

    Page->btnFNGetNonClearableSumm->click();
    EXPECT_EQ(Driver().Summ1(), before + 600 * Rub);
    EXPECT_EQ(Lines().value(0), QStringLiteral("Сумма 1: %1").arg((before + 600 * Rub) / Rub));
    EXPECT_EQ(Lines().size(), 4);
}

TEST_F(FNOperationTest, NonClearableSumsOnlyOnSuccess)
{
    Page->btnFNGetNonClearableSumm->click();
    EXPECT_EQ(Lines().size(), 4);
    TestRegister().Faults().FailNext(M::FNGetNonClearableSumm, OrvekResult::FNBusy);
    Page->btnFNGetNonClearableSumm->click();
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(Panel().startsWith(QStringLiteral("(50)")));
}

TEST_F(FNOperationTest, CorrectionReceiptOpenedAndClosed)
{
    Page->btnOpenCheckCorrectionNDS20->click();
    EXPECT_TRUE(Receipt().IsCorrection());
    EXPECT_TRUE(Receipt().IsVat20());
    EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::CorrectionReceipt);
    Page->btnFNOperation->click();
    Page->edtSumm1->setText(QStringLiteral("100"));
    Page->btnFNCloseCheckEx->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CorrectionReceipt);
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(QStringLiteral("НДС 20%")));
    // No receipt open: the closing is refused.
    Page->btnFNCloseCheckEx->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);
    EXPECT_TRUE(Lines().isEmpty());
}

// The dialog: all or none on OK, the close box keeps the accepted sums and
// shows their texts again.
TEST_F(FNOperationTest, DialogCommitsAllOrNone)
{
    WithDialog(Page->btnExPayments, [](TfmExPayments& d) {
        d.Edit(3)->setText(QStringLiteral("30"));
        d.btnOk->click();
    });
    EXPECT_EQ(fmExPayments->Summ[3], 30 * Rub);

    WithDialog(Page->btnExPayments, [](TfmExPayments& d) {
        d.Edit(3)->setText(QStringLiteral("33"));
        d.Edit(5)->setText(QStringLiteral("abc"));
        d.btnOk->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(TestDialogs().lastMessage(), BadField(QStringLiteral("Summ5")));
        d.close();
    });
    EXPECT_EQ(fmExPayments->Summ[3], 30 * Rub);
    EXPECT_EQ(fmExPayments->Summ[5], 0);
    EXPECT_EQ(fmExPayments->Edit(3)->text(), QStringLiteral("30"));
    EXPECT_EQ(fmExPayments->Edit(5)->text(), QStringLiteral("0"));

    // The next closing sends the sums accepted last.
    Page->btnFNOperation->click();
    Page->edtSumm1->setText(QStringLiteral("70"));
    Trace().Clear();
    Page->btnFNCloseCheckEx->click();
    EXPECT_EQ(Written(P::Summ3), qlonglong(30 * Rub));
    EXPECT_EQ(Written(P::Summ5), qlonglong(0));
    EXPECT_EQ(Driver().ResultCode(), 0);
}

TEST(ExPaymentsDialogTest, BadStoredTextReportedOnceOthersKept)
{
    ResetEmulatedDriver();
    QFile::remove(TRegistry::DefaultFileName());
    {
        TfmExPayments d;
        d.Edit(4)->setText(QStringLiteral("x"));
        d.Edit(6)->setText(QStringLiteral("y"));
        d.Edit(9)->setText(QStringLiteral("9"));
    }  // stored at destruction
    TestDialogs().clear();
    TfmExPayments d;
    EXPECT_EQ(TestDialogs().messages(), QStringList{BadField(QStringLiteral("Summ4"))});
    EXPECT_EQ(d.Summ[4], 0);
    EXPECT_EQ(d.Summ[9], 9 * Rub);
    EXPECT_EQ(d.objectName(), QStringLiteral("fmExPayments"));
    EXPECT_EQ(EditLimit(d.Edit(13)), 16);
}

TEST_F(FNCorrectionTest, CorrectionResultLinesAndTaxSystems)
{
    const struct {
        const char* TaxSystem;
        int TaxType;
    } cases[] = {{"Общая", 1}, {"ЕНВД", 8}, {"ПСН", 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.TaxSystem);
        Page->cbTaxType->setCurrentText(QString::fromUtf8(c.TaxSystem));
        Page->edtSumm[1]->setText(QStringLiteral("150"));
        Page->edtSumm[2]->setText(QStringLiteral("100"));
        Page->edtSumm[3]->setText(QStringLiteral("50"));
        Page->cbCalculationSign->setCurrentIndex(1);
        Trace().Clear();
        Page->btnBuildCorrection2->click();
        ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
        EXPECT_EQ(Written(P::TaxType), c.TaxType);
        EXPECT_EQ(Written(P::CalculationSign), 3);
        const FNDocument& doc = FN().Documents.back();
        EXPECT_EQ(doc.Type, FNDocType::CorrectionReceipt);
        EXPECT_EQ(doc.OperationType, 3);
        EXPECT_EQ(doc.Summ, 150 * Rub);
        EXPECT_EQ(doc.Payments[2], 50 * Rub);
        EXPECT_EQ(Lines(), (QStringList{" Номер чека              : " + QString::number(doc.ReceiptNumber),
                                        " Номер ФД                : " + QString::number(doc.Number),
                                        " Фискальный признак      : " + QString::number(doc.FiscalSign)}));
    }
}

TEST_F(FNCorrectionTest, ReceiptNumberAndSignShownUnsigned)
{
    // The receipt number 12 of the session.
    ASSERT_EQ(Driver().OpenSession(), 0);
    while (FN().ReceiptCount() < 11)
        FN().AddDocument(FNDocType::Receipt);
    Page->edtSumm[1]->setText(QStringLiteral("10"));
    Page->btnBuildCorrection->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Lines().value(0), QStringLiteral(" Номер чека              : 12"));
    EXPECT_EQ(Written(P::CheckType), 1);
    EXPECT_EQ(FN().Documents.back().Payments[1], 10 * Rub);

    // A sign above 2^31 (a negative property value) shows unsigned.
    for (int i = 0; i < 64 && FN().Documents.back().FiscalSign < 0x80000000u; ++i)
        Page->btnBuildCorrection->click();
    const FNDocument& doc = FN().Documents.back();
    ASSERT_GE(doc.FiscalSign, 0x80000000u);
    EXPECT_EQ(Lines().value(1), " Номер ФД                : " + QString::number(doc.Number));
    EXPECT_EQ(Lines().value(2), " Фискальный признак      : " + QString::number(doc.FiscalSign));
}

TEST_F(FNCorrectionTest, BasisTagsGoIntoTheCorrectionDocument)
{
    Page->edtDocumentNumber->setText(QStringLiteral("П-17"));
    Page->dtpDocumentDate->setDate(QDate(2026, 3, 5));
    Page->cbCorrectionType->setCurrentIndex(1);
    Page->btnBuildCorrectionWithBasis->click();
    ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(Calls(), (QStringList{"FNBeginCorrectionReceipt", "FNSendTag", "FNSendTag", "FNBuildCorrectionReceipt2"}));
    const FNDocument& doc = FN().Documents.back();
    std::vector<int> numbers = Numbers(doc.Tags);
    EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.begin() + 5), (std::vector<int>{1173, 1054, 1055, 1179, 1178}));
    EXPECT_EQ(doc.Tags[0].Integer(), 1u);
    EXPECT_EQ(doc.Tags[3].Text(), QStringLiteral("П-17"));
    EXPECT_EQ(doc.Tags[4].Integer(), quint64(QDateTime(QDate(2026, 3, 5), QTime(0, 0), Qt::UTC).toSecsSinceEpoch()));

    // Begun twice: the FN is in another state; the memo stays empty.
    Page->btnBeginCorrection->click();
    Page->btnBuildCorrectionWithBasis->click();
    EXPECT_EQ(Driver().ResultCode(), FNError::OtherState);
    EXPECT_TRUE(Lines().isEmpty());
}
