// The receipt-attributes page: e-mails, the user attribute, correction data,
// the composite requisites and the cashless payment data, against the
// emulated FN; the scroll box's wheel step.
#include "pages/fn/fmuFNCheckAttributes.h"

#include "core/support/Format.h"
#include "emulator/RegisterModel.h"
#include "tests/pages/fn/TagPageTestSupport.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

using M = OrvekMethod;

namespace {
class FNCheckAttributesTest : public TagPageTest<TfmFNCheckAttributes> {
protected:
    // The texts of a composite's tags.
    static QStringList Texts(const FNTag& composite)
    {
        QStringList texts;
        for (const FNTag& t : composite.Items)
            texts << t.Text();
        return texts;
    }
};
} // namespace

TEST_F(FNCheckAttributesTest, EmailsAndUserAttribute)
{
    EXPECT_EQ(Page->edtCustomerEmail->text(), QStringLiteral("+71234567890"));
    OpenReceipt(false);
    Page->btnSendCustomerEmail->click();
    Page->edtSenderEmail->setText(QStringLiteral("shop@example.ru"));
    Page->btnSendSenderEmail->click();
    Page->edtUserAttributeName->setText(QStringLiteral("Скидка"));
    Page->edtUserAttributeValue->setText(QStringLiteral("10%"));
    Page->btnSendUserAttribute->click();
    EXPECT_EQ(Trace().Lines(), (QStringList{"FNSendCustomerEmail(CustomerEmail=+71234567890)",
                                            "FNSendSenderEmail(EmailAddress=shop@example.ru)",
                                            "FNSendUserAttribute(UserAttributeName=Скидка, UserAttributeValue=10%)"}));
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1008, 1117, 1084}));
    EXPECT_EQ(Texts(Sent()[2]), (QStringList{"Скидка", "10%"}));

    Page->edtSenderEmail->clear();
    Page->btnSendSenderEmail->click();
    EXPECT_EQ(Panel(), QStringLiteral("(51) Некорректные параметры в команде"));
}

TEST_F(FNCheckAttributesTest, CorrectionDataByType)
{
    EXPECT_FALSE(Page->edtPrescriptionNumber->isEnabled());
    Page->cbCorrectionType->setCurrentIndex(1);
    EXPECT_TRUE(Page->edtPrescriptionNumber->isEnabled());
    OpenReceipt(false);
    Page->edtPrescriptionNumber->setText(QStringLiteral("П-15"));
    Page->dtpCorrectionDate->setDate(QDate(2024, 3, 1));
    Page->btnSendCorrectionData->click();
    ASSERT_EQ(Numbers(Sent()), (std::vector<int>{1173, 1179, 1178}));
    EXPECT_EQ(Sent()[0].Value, QByteArray(1, '\x01'));
    EXPECT_EQ(Sent()[1].Text(), QStringLiteral("П-15"));
    EXPECT_EQ(Sent()[2].Integer(), quint64(QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch()));

    Page->cbCorrectionType->setCurrentIndex(0);
    EXPECT_EQ(Page->cbCorrectionType->currentText(), QStringLiteral("0. Cамостоятельно "));
    EXPECT_FALSE(Page->edtPrescriptionNumber->isEnabled());
    Page->btnSendCorrectionData->click();
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1173, 1179, 1178, 1173, 1178}));
}

TEST_F(FNCheckAttributesTest, CustomerCompositeInOrder)
{
    OpenReceipt(false);
    EXPECT_EQ(Page->cbCustomerDocumentType->count(), 14);
    EXPECT_GE(Page->cbCustomerDocumentType->view()->minimumWidth(), 1600);
    Page->edtCustomer->setText(QStringLiteral("Иванов И.И."));
    Page->edtCustomerINN->setText(QStringLiteral("7700000000"));
    Page->dtpBirthday->setDate(QDate(1980, 5, 7));
    Page->cbCustomerDocumentType->setCurrentIndex(5);
    Page->edtDocumentData->setText(QStringLiteral("4510 123456"));
    Page->edtCustomerAddress->setText(QStringLiteral("Москва"));
    Page->btnSendCustomerInfo->click();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].Number, 1256);
    EXPECT_EQ(Numbers(Sent()[0].Items), (std::vector<int>{1227, 1228, 1243, 1244, 1245, 1246, 1254}));
    EXPECT_EQ(Texts(Sent()[0]), (QStringList{"Иванов И.И.", "7700000000", "07.05.1980", "643", "31",
                                             "4510 123456", "Москва"}));

    Page->chk1227->setChecked(false);
    Page->chk1243->setChecked(false);
    Page->btnSendCustomerInfo->click();
    EXPECT_EQ(Numbers(Sent()[1].Items), (std::vector<int>{1228, 1244, 1245, 1246, 1254}));
}

TEST_F(FNCheckAttributesTest, OperationRequisiteValuesUnderTheirOwnBoxes)
{
    OpenReceipt(false);
    Page->edtOperationID->setText(QStringLiteral("12"));
    Page->edtOperationData->setText(QStringLiteral("Данные"));
    Page->dtpOperationDate->setDate(QDate(2024, 3, 1));
    Page->dtpOperationTime->setTime(QTime(10, 30, 15));
    const struct {
        bool Id, Data, DateTime;
        std::vector<int> Tags;
    } cases[] = {
        {true, true, true, {1271, 1272, 1273}},
        {true, false, false, {1271}},
        {false, true, false, {1272}},
        {false, false, true, {1273}},
    };
    for (const auto& c : cases) {
        Page->chkOperationID->setChecked(c.Id);
        Page->chkOperationData->setChecked(c.Data);
        Page->chkOperationDateTime->setChecked(c.DateTime);
        Page->btnSendOperationRequisite->click();
        ASSERT_EQ(Sent().back().Number, 1270);
        EXPECT_EQ(Numbers(Sent().back().Items), c.Tags);
    }
    EXPECT_EQ(Sent()[0].Items[0].Value, QByteArray(1, '\x0C'));
    EXPECT_EQ(Sent()[0].Items[2].Integer(),
              quint64(QDateTime(QDate(2024, 3, 1), QTime(10, 30, 15), Qt::UTC).toSecsSinceEpoch()));
    // With no box ticked the composite stays empty, and the register refuses it.
    Page->chkOperationDateTime->setChecked(false);
    Page->btnSendOperationRequisite->click();
    EXPECT_EQ(Panel(), QStringLiteral("(9) ФН: Некорректное значение параметров команды"));
    EXPECT_EQ(Sent().size(), 4u);
}

TEST_F(FNCheckAttributesTest, IndustryRequisiteOfReceiptAndItem)
{
    OpenReceipt();
    Page->edtBasisNumber->setText(QStringLiteral("N-1"));
    Page->edtRequisiteValue->setText(QStringLiteral("Значение"));
    Page->dtpBasisDate->setDate(QDate(2023, 12, 4));
    Page->btnSendCheckRequisite->click();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].Number, 1261);
    EXPECT_FALSE(Sent()[0].Operation);
    EXPECT_EQ(Texts(Sent()[0]), (QStringList{"001", "04.12.2023", "N-1", "Значение"}));

    // Without the cash core: single item tags; with it: composite 1260.
    Page->chk1263->setChecked(false);
    Page->btnSendItemRequisite->click();
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1261, 1262, 1264, 1265}));
    EXPECT_TRUE(Sent().back().Operation);
    TestRegister().ModelParams().Set(28, true);
    Page->btnSendItemRequisite->click();
    EXPECT_EQ(Sent().back().Number, 1260);
    EXPECT_TRUE(Sent().back().Operation);
    EXPECT_EQ(Numbers(Sent().back().Items), (std::vector<int>{1262, 1264, 1265}));
}

TEST_F(FNCheckAttributesTest, CashlessAmountInKopecksHalfToEven)
{
    OpenReceipt(false);
    SetDecimalSeparator(QLatin1Char(','));
    Page->edtCashlessMethod->setText(QStringLiteral("2"));
    Page->edtCashlessIds->setText(QStringLiteral("RRN 123"));
    Page->edtCashlessDet->setText(QStringLiteral("Доп"));
    const struct {
        const char* Amount;
        const char* Vln;
    } cases[] = {{"12,345", "1234"}, {"12.35", "1235"}, {"0,125", "12"}};
    for (const auto& c : cases) {
        Trace().Clear();
        Page->edtCashlessAmount->setText(QLatin1String(c.Amount));
        Page->btnSendCashless->click();
        EXPECT_EQ(Writes(OrvekProp::TagValueVLN), QList<QVariant>{QString::fromLatin1(c.Vln)}) << c.Amount;
        EXPECT_EQ(Sent().back().Items[0].Integer(), QString::fromLatin1(c.Vln).toULongLong());
    }
    const FNTag& cashless = Sent().back();
    EXPECT_EQ(cashless.Number, 1235);
    EXPECT_EQ(Numbers(cashless.Items), (std::vector<int>{1082, 1236, 1237, 1238}));
    EXPECT_EQ(cashless.Items[1].Value, QByteArray(1, '\x02'));
    EXPECT_EQ(DecimalSeparator(), QLatin1Char(','));

    Page->chCashlessDet->setChecked(false);
    Page->btnSendCashless->click();
    EXPECT_EQ(Numbers(Sent().back().Items), (std::vector<int>{1082, 1236, 1237}));
    SetDecimalSeparator(QLatin1Char('.'));
}

TEST_F(FNCheckAttributesTest, CashlessStopsWhenTheAmountIsRefusedOrBad)
{
    OpenReceipt(false);
    SetDecimalSeparator(QLatin1Char(','));
    Page->edtCashlessAmount->setText(QStringLiteral("10"));
    TestRegister().Faults().FailNext(M::FNAddTag, 9);
    Page->btnSendCashless->click();
    EXPECT_EQ(Calls(), (QStringList{"FNBeginSTLVTag", "FNAddTag"}));
    EXPECT_EQ(Panel(), QStringLiteral("(9) ФН: Некорректное значение параметров команды"));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(DecimalSeparator(), QLatin1Char(','));

    Trace().Clear();
    Page->edtCashlessAmount->setText(QStringLiteral("12x"));
    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->btnSendCashless->click();
    EXPECT_EQ(Calls(), QStringList{});
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"12x\" не является числом"));
    EXPECT_EQ(DecimalSeparator(), QLatin1Char(','));
    SetDecimalSeparator(QLatin1Char('.'));
}

TEST_F(FNCheckAttributesTest, WheelMovesATenthOfTheDeltaWithinRange)
{
    TfmFNCheckAttributes page;
    page.resize(600, 200);
    page.show();
    QScrollBar* bar = page.ScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 30);
    auto wheel = [&page](int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(page.ScrollBox->viewport(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(wheel(-120));
    EXPECT_EQ(bar->value(), 12);
    wheel(240);
    EXPECT_EQ(bar->value(), 0);
    wheel(-120 * 1000);
    EXPECT_EQ(bar->value(), bar->maximum());
}
