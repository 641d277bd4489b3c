// The agent page: the agent sign, agent and supplier data in position and
// document mode, the phone lists, and the operations the FN operations page calls.
#include "pages/fn/fmuFNAgent.h"

#include "tests/pages/fn/TagPageTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using M = OrvekMethod;

namespace {
class FNAgentTest : public TagPageTest<TfmFNAgent> {
protected:
    void TickOnly(std::initializer_list<QCheckBox*> boxes)
    {
        for (QCheckBox* box : Page->findChildren<QCheckBox*>())
            if (box->objectName().startsWith(QStringLiteral("chkUse")))
                box->setChecked(false);
        for (QCheckBox* box : boxes)
            box->setChecked(true);
    }
};
} // namespace

TEST_F(FNAgentTest, AgentSignByMode)
{
    OpenReceipt();
    Page->chkAgent[0]->setChecked(true);
    Page->chkAgent[6]->setChecked(true);
    EXPECT_EQ(Page->GetAgentSign(), 65);
    Page->btnSendAgentSign->click();
    EXPECT_EQ(Trace().Lines(), QStringList{"FNSendTagOperation(TagNumber=1222, TagType=0, TagValueInt=65)"});

    Page->rbDocument->click();
    Page->btnSendAgentSign->click();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0].Number, 1222);
    EXPECT_TRUE(Sent()[0].Operation);
    EXPECT_EQ(Sent()[0].Value, QByteArray(1, '\x41'));
    EXPECT_EQ(Sent()[1].Number, 1057);
    EXPECT_FALSE(Sent()[1].Operation);
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
}

TEST_F(FNAgentTest, AgentDataCompositeInSendingOrderUnderItsOwnNumber)
{
    OpenReceipt();
    const struct {
        QLineEdit* Edit;
        const char* Text;
    } values[] = {{Page->edt1075, "+71111111111, +72222222222"}, {Page->edt1044, "Оплата"},
                  {Page->edt1073, "+73333333333"}, {Page->edt1074, "+74444444444"}, {Page->edt1026, "Оператор"},
                  {Page->edt1005, "Адрес"}, {Page->edt1016, "7700000000"}};
    for (const auto& v : values)
        v.Edit->setText(QString::fromUtf8(v.Text));
    Page->btnSendAgentData->click();

    ASSERT_EQ(Sent().size(), 1u);
    const FNTag& agent = Sent()[0];
    EXPECT_EQ(agent.Number, 1223);
    EXPECT_TRUE(agent.Operation);
    EXPECT_EQ(Numbers(agent.Items), (std::vector<int>{1075, 1075, 1044, 1073, 1074, 1026, 1005, 1016}));
    EXPECT_EQ(agent.Items[0].Text(), QStringLiteral("+71111111111"));
    EXPECT_EQ(agent.Items[1].Text(), QStringLiteral("+72222222222"));
    EXPECT_EQ(agent.Items[7].Text(), QStringLiteral("7700000000"));
    // The composite goes with its own number, not the last tag added.
    EXPECT_EQ(Writes(OrvekProp::TagNumber).last(), QVariant(1223));
    EXPECT_EQ(Calls().last(), QStringLiteral("FNSendSTLVTagOperation"));
}

TEST_F(FNAgentTest, SupplierDataAndINNInPositionMode)
{
    OpenReceipt();
    Page->edt1171->setText(QStringLiteral("+75555555555"));
    Page->edt1225->setText(QStringLiteral("ООО Поставщик"));
    Page->edtSupplierINN->setText(QStringLiteral("7800000000"));
    Page->btnSendSupplierData->click();
    Page->btnSendSupplierINN->click();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0].Number, 1224);
    EXPECT_EQ(Numbers(Sent()[0].Items), (std::vector<int>{1171, 1225}));
    EXPECT_EQ(Sent()[0].Items[1].Text(), QStringLiteral("ООО Поставщик"));
    EXPECT_EQ(Sent()[1].Number, 1226);
    EXPECT_TRUE(Sent()[1].Operation);
    EXPECT_EQ(Sent()[1].Text(), QStringLiteral("7800000000"));
}

TEST_F(FNAgentTest, PhoneListsSplitOnCommasOnly)
{
    const struct {
        const char* Text;
        QStringList Parts;
    } cases[] = {
        {"+71111111111, +72222222222", {"+71111111111", "+72222222222"}},
        {"+7 912 3456789", {"+7 912 3456789"}},
        {"\"+7 (912) 345, доб. 6\" ,+73333333333", {"+7 (912) 345, доб. 6", "+73333333333"}},
        {" , +74444444444,, ", {"+74444444444"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TfmFNAgent::SplitPhones(QString::fromUtf8(c.Text)), c.Parts) << c.Text;

    // Through the page: one tag per part, in order.
    OpenReceipt();
    Page->rbDocument->click();
    TickOnly({Page->chkUse1075});
    Page->edt1075->setText(QStringLiteral("+7 912 3456789"));
    Page->btnSendAgentData->click();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].Text(), QStringLiteral("+7 912 3456789"));
}

TEST_F(FNAgentTest, NothingSentWithoutTickedBoxes)
{
    OpenReceipt();
    TickOnly({});
    Page->btnSendAgentData->click();
    Page->btnSendSupplierData->click();
    // As the FN operations page calls them after an item.
    Page->SendAgentDataPosition();
    Page->SendSupplierDataPosition();
    Page->SendSupplierINN();
    Page->rbDocument->click();
    Page->btnSendAgentData->click();
    Page->btnSendSupplierData->click();
    EXPECT_EQ(Calls(), QStringList{});
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(TestRegister().Area<RegisterTags>().Composite);
}

TEST_F(FNAgentTest, DocumentModeSendsSingleTagsAndOnlyTheSupplierPhones)
{
    OpenReceipt(false);
    Page->rbDocument->click();
    EXPECT_FALSE(Page->edt1225->isEnabled());
    EXPECT_FALSE(Page->chkUse1225->isEnabled());
    EXPECT_FALSE(Page->edtSupplierINN->isEnabled());
    EXPECT_FALSE(Page->btnSendSupplierINN->isEnabled());
    Page->edt1171->setText(QStringLiteral("+71111111111,+72222222222"));
    Page->edt1225->setText(QStringLiteral("ООО Поставщик"));
    Page->btnSendSupplierData->click();
    EXPECT_FALSE(Page->btnSendSupplierINN->isEnabled());  // still off after the frame
    EXPECT_EQ(Calls(), (QStringList{"FNSendTag", "FNSendTag"}));
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1171, 1171}));

    TickOnly({Page->chkUse1044, Page->chkUse1016});
    Page->edt1044->setText(QStringLiteral("Оплата"));
    Page->btnSendAgentData->click();
    EXPECT_EQ(Numbers(Sent()), (std::vector<int>{1171, 1171, 1044, 1016}));

    Page->rbPosition->click();
    EXPECT_TRUE(Page->btnSendSupplierINN->isEnabled());
    EXPECT_TRUE(Page->edt1225->isEnabled());
}

TEST_F(FNAgentTest, RefusalsEndTheHandlerAndShowInThePanel)
{
    // No item yet: the register refuses item tags.
    OpenReceipt(false);
    Page->btnSendAgentSign->click();
    EXPECT_EQ(Panel(), QStringLiteral("(2) ФН: Другое состояние ФН"));
    // A refused part of the list: nothing more is added and nothing is sent.
    OpenReceipt();
    Page->edt1075->setText(QStringLiteral("+71111111111, +72222222222"));
    TestRegister().Faults().FailOnCall(M::FNAddTag, 2, 9);
    Page->btnSendAgentData->click();
    EXPECT_EQ(Calls(), (QStringList{"FNBeginSTLVTag", "FNAddTag", "FNAddTag"}));
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(Page->btnSendAgentData->isEnabled());
}
