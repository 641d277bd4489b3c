// The page "Минимизация ЭФ": the mask of table 17, row 1, field 28.
#include "pages/service/fmuMinimizeEF.h"

#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using M = OrvekMethod;

namespace {
class MinimizeEFTest : public PageTest<TfmMinimizeEF> {
protected:
    QVariant Mask() { return TestRegister().Tables().Value(17, 1, 28); }
    void SetMask(int value) { TestRegister().Tables().SetValue(17, 1, 28, value); }
    QStringList Checked() const
    {
        QStringList names;
        for (QCheckBox* box : Page->findChildren<QCheckBox*>())
            if (box->isChecked())
                names << box->objectName();
        return names;
    }
};
} // namespace

TEST_F(MinimizeEFTest, CaptionsAndTags)
{
    EXPECT_EQ(Page->chkBit0->text(), QStringLiteral("Не формировать тег 1048  \"Наименование пользователя\""));
    EXPECT_EQ(Page->chkBit5->text(),
              QStringLiteral("Не формировать автоматически тег 1212 \"Признак предмета расчета\" (только для ФФД 1.05)"));
    EXPECT_EQ(Page->chkBit12->text(), QStringLiteral("Формировать тег 1200 \"Сумма НДС за предмет расчета\""));
    EXPECT_EQ(Page->chkBit11->property("tag"), QVariant(11));
}

TEST_F(MinimizeEFTest, ReadSetsTheBoxesWithoutTheirHandler)
{
    SetMask(4097);
    QSignalSpy toggled(Page->chkBit0, &QCheckBox::toggled);
    Page->btnReadValue->click();
    EXPECT_EQ(Checked(), (QStringList{"chkBit0", "chkBit12"}));
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("4097"));
    EXPECT_EQ(toggled.count(), 0);
    // A box the user clicks shows the value to be written.
    Page->chkBit1->click();
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("4099"));
}

TEST_F(MinimizeEFTest, WriteKeepsTheBitsWithoutABox)
{
    SetMask(64 | 1);
    Page->btnReadValue->click();
    Page->chkBit0->click();
    Page->chkBit1->click();
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("66"));
    Page->btnWriteValue->click();
    EXPECT_EQ(Mask(), QVariant(66));

    // Before any read, the write reads the field first.
    TfmMinimizeEF fresh;
    SetMask(1 << 20 | 1 << 3);
    fresh.chkBit2->click();
    fresh.btnWriteValue->click();
    EXPECT_EQ(Mask(), QVariant(1 << 20 | 1 << 2));
    EXPECT_EQ(fresh.edtValue->text(), QString::number(1 << 20 | 1 << 2));
}

TEST_F(MinimizeEFTest, FailedReadWritesNothing)
{
    SetMask(64);
    Page->chkBit2->click();
    TestRegister().Faults().FailNext(M::ReadTable, -1);
    Page->btnWriteValue->click();
    EXPECT_EQ(TestRegister().CallCount(M::WriteTable), 0);
    EXPECT_EQ(Mask(), QVariant(64));
    TestRegister().Faults().FailNext(M::ReadTable, 93);
    Page->btnReadValue->click();
    EXPECT_EQ(Checked(), QStringList{"chkBit2"});
    Page->btnWriteValue->click();
    EXPECT_EQ(Mask(), QVariant(64 | 4));
}
