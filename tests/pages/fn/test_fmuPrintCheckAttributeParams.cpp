// The requisite-printing page: the mask of table 17, row 1, field 12 as
// 19 check boxes.
#include "pages/fn/fmuPrintCheckAttributeParams.h"

#include "tests/pages/fn/TagPageTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>

using M = OrvekMethod;

namespace {
class PrintCheckAttributeParamsTest : public TagPageTest<TfmPrintCheckAttributeParams> {
protected:
    static QVariant Mask() { return TestRegister().Tables().Value(17, 1, 12); }
    QList<int> Ticked() const
    {
        QList<int> bits;
        for (std::size_t bit = 0; bit < Page->chkBits.size(); ++bit)
            if (Page->chkBits[bit]->isChecked())
                bits << int(bit);
        return bits;
    }
};
} // namespace

TEST_F(PrintCheckAttributeParamsTest, BoxesCaptionsAndHints)
{
    EXPECT_EQ(Page->chkBits[10]->text(), QStringLiteral(" (1222, 1223, 1005, 1016, 1026, 1044, 1073, 1074, 1075) Не печатать "
                                                        "признак и данные агента по предмету расчета"));
    EXPECT_EQ(Page->chkBits[18]->property("tag").toInt(), 18);
    EXPECT_EQ(Page->chkBits[2]->toolTip(), QStringLiteral("Обязательно. Можно отключить, если печатается в шапке в таблице 4"));
    EXPECT_EQ(Page->chkBits[15]->toolTip(), QStringLiteral("Не обязателен. Требуется подписка на 2 квартал 2022 года"));
    EXPECT_TRUE(Page->edtValue->isReadOnly());
}

TEST_F(PrintCheckAttributeParamsTest, ReadTicksTheBitsWithoutClickHandlersThenBoxesRecompute)
{
    Page->chkBits[7]->setChecked(true);
    TestRegister().Tables().SetValue(17, 1, 12, 5);
    QSignalSpy changes(Page->edtValue, &QLineEdit::textChanged);
    Page->btnRead->click();
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("5"));
    EXPECT_EQ(Ticked(), (QList<int>{0, 2}));
    EXPECT_EQ(changes.count(), 1);  // set once; no box's handler ran

    Page->chkBits[18]->click();
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("262149"));
    Page->btnWrite->click();
    EXPECT_EQ(Mask(), QVariant(262149));
    EXPECT_EQ(Writes(OrvekProp::TableNumber).last(), QVariant(17));
}

TEST_F(PrintCheckAttributeParamsTest, AFailedReadChangesNothing)
{
    Page->chkBits[3]->click();
    TestRegister().Faults().FailNext(M::ReadTable, 93);
    Page->btnRead->click();
    EXPECT_EQ(Panel(), QStringLiteral("(93) Таблица, ряд или поле не определены"));
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("8"));
    EXPECT_EQ(Ticked(), QList<int>{3});
}
