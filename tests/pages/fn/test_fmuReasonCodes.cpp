// The reason-code dialog: the mask in its boxes, their captions, the wheel
// and the boxes kept across a restart.
#include "pages/fn/fmuReasonCodes.h"

#include "platform/Registry.h"
#include "platform/ui/Controls.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

class ReasonCodesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(TRegistry::DefaultFileName());
        Dialog = std::make_unique<TfmReasonCodes>();
    }
    QList<int> Ticked() const
    {
        QList<int> ticked;
        for (int i = 0; i < TfmReasonCodes::BoxCount; ++i)
            if (Dialog->chk[std::size_t(i)]->isChecked())
                ticked << i;
        return ticked;
    }
    std::unique_ptr<TfmReasonCodes> Dialog;
};

TEST_F(ReasonCodesTest, BoxesAndCaptions)
{
    EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Коды причин изменения сведений о ККТ"));
    EXPECT_GE(Dialog->width(), 736);
    EXPECT_TRUE(Dialog->btnOk->isDefault());
    EXPECT_EQ(Tag(Dialog->chk[21]), 21);
    EXPECT_EQ(Tag(Dialog->chk[22]), 31);
    auto caption = [](QCheckBox* box) {
        for (QLabel* label : box->parentWidget()->findChildren<QLabel*>())
            if (label->buddy() == box)
                return label->text();
        return QString();
    };
    EXPECT_EQ(caption(Dialog->chk[0]), QStringLiteral("1. Замена фискального накопителя"));
    EXPECT_EQ(caption(Dialog->chk[21]), QStringLiteral("22. Изменение версии ФФД"));
    EXPECT_EQ(caption(Dialog->chk[22]), QStringLiteral("32. Иные причины"));
}

TEST_F(ReasonCodesTest, SetCodeAndGetCode)
{
    Dialog->SetCode(2147483649u);
    EXPECT_EQ(Ticked(), (QList<int>{0, 22}));
    EXPECT_EQ(Dialog->GetCode(), 2147483649u);
    // Bits 22 to 30 have no box.
    Dialog->SetCode(0x7FC00000u);
    EXPECT_TRUE(Ticked().isEmpty());
    EXPECT_EQ(Dialog->GetCode(), 0u);
}

TEST_F(ReasonCodesTest, BoxesSurviveARestart)
{
    Dialog->SetCode((1u << 3) | (1u << 31));
    Dialog.reset();
    Dialog = std::make_unique<TfmReasonCodes>();
    EXPECT_EQ(Dialog->GetCode(), (1u << 3) | (1u << 31));
}

TEST_F(ReasonCodesTest, WheelScrollsTheBox)
{
    Dialog->resize(736, 300);
    Dialog->show();
    QScrollBar* vertical = Dialog->ScrollBox->verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 0);
    auto wheel = [this](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Dialog->ScrollBox->viewport(), &event);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(vertical->value(), 120);
    const int horizontal = Dialog->ScrollBox->horizontalScrollBar()->value();
    wheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(vertical->value(), 120);
    EXPECT_EQ(Dialog->ScrollBox->horizontalScrollBar()->value(),
              std::min(horizontal + 120, Dialog->ScrollBox->horizontalScrollBar()->maximum()));
}
