// The tag dictionary and the receipt attributes the register keeps with the
// document being built.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterTags.h"

using M = OrvekMethod;

namespace {
const std::vector<FNTag>& Sent()
{
    return TestRegister().Area<RegisterTags>().Sent;
}
} // namespace

TEST_F(DriverTest, TagDescriptionsFromTheDictionary)
{
    Driver().setTagNumber(1226);
    ASSERT_EQ(Driver().FNGetTagDescription(), 0);
    EXPECT_EQ(Driver().TagType(), 7);
    EXPECT_EQ(Driver().TagValueLength(), 12);
    EXPECT_EQ(Driver().TagDescription(), QStringLiteral("ИНН поставщика"));
    Driver().setTagNumber(1223);
    ASSERT_EQ(Driver().FNGetTagDescription(), 0);
    EXPECT_EQ(Driver().TagType(), 8);

    Driver().setTagNumber(9999);
    EXPECT_EQ(Driver().FNGetTagDescription(), OrvekResult::BadParameter);
    EXPECT_EQ(Driver().TagDescription(), QStringLiteral("Данные агента"));  // left as it was
}

TEST_F(DriverTest, ReceiptAttributesGoWithTheDocumentBeingBuilt)
{
    Driver().setCustomerEmail(QStringLiteral("buyer@example.ru"));
    EXPECT_EQ(Driver().FNSendCustomerEmail(), 2);  // no document yet
    ASSERT_EQ(Driver().OpenCheck(), 0);
    EXPECT_EQ(Driver().FNSendCustomerEmail(), 0);
    Driver().setEmailAddress(QString(65, QLatin1Char('a')));
    EXPECT_EQ(Driver().FNSendSenderEmail(), OrvekResult::BadParameter);
    Driver().setEmailAddress(QStringLiteral("shop@example.ru"));
    EXPECT_EQ(Driver().FNSendSenderEmail(), 0);
    Driver().setUserAttributeName(QStringLiteral("Скидка"));
    Driver().setUserAttributeValue(QStringLiteral("10%"));
    EXPECT_EQ(Driver().FNSendUserAttribute(), 0);
    TestRegister().Faults().FailNext(M::FNSendUserAttribute, 50);
    EXPECT_EQ(Driver().FNSendUserAttribute(), 50);

    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[0].Number, 1008);
    EXPECT_EQ(Sent()[0].Text(), QStringLiteral("buyer@example.ru"));
    EXPECT_EQ(Sent()[1].Number, 1117);
    const FNTag& attribute = Sent()[2];
    EXPECT_EQ(attribute.Number, 1084);
    ASSERT_EQ(attribute.Items.size(), 2u);
    EXPECT_EQ(attribute.Items[0].Text(), QStringLiteral("Скидка"));
    EXPECT_EQ(attribute.Value, attribute.Items[0].Tlv() + attribute.Items[1].Tlv());
    EXPECT_TRUE(TestRegister().Area<RegisterFN>().DocumentData);

    // The receipt keeps them.
    Driver().setPrice(10 * 10000);
    Driver().setQuantity(1);
    ASSERT_EQ(Driver().Sale(), 0);
    Driver().setSumm1(10 * 10000);
    ASSERT_EQ(Driver().CloseCheck(), 0);
    EXPECT_EQ(TestRegister().Area<RegisterFN>().Documents.back().Tags.size(), 3u);
}
