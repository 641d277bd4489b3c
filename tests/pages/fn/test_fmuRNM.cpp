// The registration-number page: the RNM of the edits, its input check and the
// factory number read from the register.
#include "pages/fn/fmuRNM.h"

#include "core/support/RNMUtil.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>

class RNMPageTest : public DriverTest {
protected:
    TfmRNM Page;
};

TEST_F(RNMPageTest, GeneratesTheNumber)
{
    struct Case {
        const char* number;
        const char* inn;
        const char* serial;
        const char* rnm;
    } cases[] = {
        {"12345678901", "123456789012", "1", "1234567890038001"},
        {"1", "", "1", "0000000001063461"},
        {"1", "123456789012", "1234567890123456789012345", "0000000001035193"},
        {"", "", "", "0000000000027160"},  // CRC of 42 zeros: 6A18h
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rnm);
        Page.edtNumber->setText(QString::fromLatin1(c.number));
        Page.edtINN->setText(QString::fromLatin1(c.inn));
        Page.edtSerial->setText(QString::fromLatin1(c.serial));
        Page.btnOpenDrawer->click();
        EXPECT_EQ(Page.edtRNM->text(), QString::fromLatin1(c.rnm));
    }
    EXPECT_EQ(CRCCITT16(QByteArray(42, '0')), 0x6A18);
    EXPECT_TRUE(Page.edtRNM->isReadOnly());
}

// Mended: a "." or pasted text reached the checksum as if it were a digit.
TEST_F(RNMPageTest, RefusesWhatIsNoDigit)
{
    Page.edtRNM->setText(QStringLiteral("0000000001045587"));
    struct Case {
        QLineEdit* edit;
        const char* field;
    } cases[] = {
        {Page.edtNumber, "Номер ККТ (макс. 10 симв.)"},
        {Page.edtINN, "ИНН (макс. 12 симв.)"},
        {Page.edtSerial, "Зав. Номер ККТ (макс 20 симв.)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        for (QLineEdit* edit : {Page.edtNumber, Page.edtINN, Page.edtSerial})
            edit->setText(QStringLiteral("1"));
        c.edit->setText(QStringLiteral("1.5"));
        TestDialogs().clear();
        Page.btnOpenDrawer->click();
        EXPECT_EQ(TestDialogs().lastMessage(),
                  QStringLiteral("Поле \"%1\" должно содержать только цифры").arg(QString::fromUtf8(c.field)));
        EXPECT_EQ(Page.edtRNM->text(), QStringLiteral("0000000001045587"));
    }
}

TEST_F(RNMPageTest, ReadsTheFactoryNumber)
{
    Page.btnGetSerial->click();
    EXPECT_EQ(Page.edtSerial->text(), TestRegister().State().Serial);

    Page.edtSerial->setText(QStringLiteral("1"));
    TestRegister().Faults().FailNext(OrvekMethod::ReadSerialNumber, 80);
    Page.btnGetSerial->click();
    EXPECT_EQ(Page.edtSerial->text(), QStringLiteral("1"));
    EXPECT_EQ(Driver().ResultCode(), 80);
    EXPECT_TRUE(Page.btnGetSerial->isEnabled());
}
