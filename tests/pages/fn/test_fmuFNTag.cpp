// The OFD tag page: the type list and the inputs it enables, what the page
// writes into the driver for each type, and the driver's tag descriptions.
#include "pages/fn/fmuFNTag.h"

#include "core/support/CodePage.h"
#include "tests/pages/fn/TagPageTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>

using M = OrvekMethod;

namespace {
class FNTagTest : public TagPageTest<TfmFNTag> {
protected:
    void SelectType(int code)
    {
        Page->cbTagType->setCurrentIndex(Page->cbTagType->findData(code));
    }
    // The value inputs enabled now, by name.
    QStringList Enabled() const
    {
        QStringList names;
        for (QWidget* w : {static_cast<QWidget*>(Page->edtTagValueInt), static_cast<QWidget*>(Page->edtTagValueBin),
                           static_cast<QWidget*>(Page->edtTagVAlueFVLN), static_cast<QWidget*>(Page->edtTagValueLength),
                           static_cast<QWidget*>(Page->dtPickerDate), static_cast<QWidget*>(Page->dtPickerTime),
                           static_cast<QWidget*>(Page->edtTagValueStr)})
            if (w->isEnabled())
                names << w->objectName();
        return names;
    }
};
} // namespace

TEST_F(FNTagTest, TypeListAndTheInputsEachTypeEnables)
{
    QStringList texts;
    for (int i = 0; i < Page->cbTagType->count(); ++i)
        texts << QString::number(Page->cbTagType->itemData(i).toInt()) + QLatin1Char('|') + Page->cbTagType->itemText(i);
    EXPECT_EQ(texts, (QStringList{"0|0. Тип Byte", "1|1. Тип Uint16", "2|2. Тип UInt32", "3|3. Тип VLN",
                                  "11|11. Тип FVLN", "5|5. Тип \"битовое поле\"", "6|6. Тип UnixTime\"",
                                  "7|7. Тип \"строка\"\"", "8|8. Тип STLV", "9|9. Тип ByteArray"}));
    const struct {
        int Code;
        QStringList Inputs;
    } cases[] = {
        {0, {"edtTagValueInt"}},
        {2, {"edtTagValueInt"}},
        {3, {"edtTagValueBin", "edtTagValueLength"}},
        {5, {"edtTagValueBin", "edtTagValueLength"}},
        {11, {"edtTagVAlueFVLN", "edtTagValueLength"}},
        {6, {"dtPickerDate", "dtPickerTime"}},
        {7, {"edtTagValueStr"}},
        {8, {}},
        {9, {}},
    };
    for (const auto& c : cases) {
        SelectType(c.Code);
        EXPECT_EQ(Enabled(), c.Inputs) << c.Code;
    }
    // A disabled edit has the button-face colour, an enabled one the window colour.
    SelectType(7);
    EXPECT_EQ(Page->edtTagValueInt->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(Page->edtTagValueStr->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

TEST_F(FNTagTest, WhatEachTypeWritesAndSends)
{
    OpenReceipt();
    Page->edtTagNumber->setText(QStringLiteral("1293"));
    SelectType(3);
    Page->edtTagValueBin->setText(QStringLiteral("300"));
    Page->edtTagValueLength->setText(QStringLiteral("2"));
    Page->btnSendTag->click();
    EXPECT_EQ(Calls(), QStringList{"FNSendTag"});
    ASSERT_EQ(Writes(OrvekProp::TagValueBin).size(), 1);
    EXPECT_EQ(WideToAnsi(Writes(OrvekProp::TagValueBin)[0].toString()), QByteArray::fromHex("2C01"));
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].Value, QByteArray::fromHex("2C01"));
    for (const char* length : {"0", "9"}) {
        Trace().Clear();
        Page->edtTagValueLength->setText(QLatin1String(length));
        Page->btnSendTag->click();
        EXPECT_EQ(Writes(OrvekProp::TagValueBin), QList<QVariant>{QVariant(QString())}) << length;
    }

    for (int type : {8, 9}) {
        Trace().Clear();
        SelectType(type);
        Page->btnSendTag->click();
        EXPECT_EQ(Trace().Lines(), QStringList{QStringLiteral("FNSendTag(TagNumber=1293, TagType=%1)").arg(type)});
    }

    // An integer bound to the item.
    Trace().Clear();
    Page->edtTagNumber->setText(QStringLiteral("1212"));
    SelectType(0);
    Page->edtTagValueInt->setText(QStringLiteral("255"));
    Page->btnSendTagOperation->click();
    EXPECT_EQ(Trace().Lines(), QStringList{"FNSendTagOperation(TagNumber=1212, TagType=0, TagValueInt=255)"});
    EXPECT_TRUE(Sent().back().Operation);

    // Date and time of the pickers, milliseconds cleared.
    SelectType(6);
    Page->edtTagNumber->setText(QStringLiteral("1273"));
    Page->dtPickerDate->setDate(QDate(2024, 3, 1));
    Page->dtPickerTime->setTime(QTime(10, 30, 15, 500));
    Page->btnSendTag->click();
    const QDateTime utc(QDate(2024, 3, 1), QTime(10, 30, 15), Qt::UTC);
    EXPECT_EQ(Sent().back().Integer(), quint64(utc.toSecsSinceEpoch()));
}

// A value its type (or the binary length) cannot hold is refused with the
// range, never sent wrapped; the edges of each range are sent.
TEST_F(FNTagTest, ValuesOutsideTheTypesRangeAreRefusedWithTheRange)
{
    OpenReceipt();
    Page->edtTagNumber->setText(QStringLiteral("1212"));
    const struct {
        int Type;
        const char* Value;
        const char* Length;
        const char* Refusal;  // null: sent
    } cases[] = {
        {0, "-5", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 255"},
        {0, "256", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 255"},
        {0, "4294967297", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 255"},
        {0, "255", "", nullptr},
        {1, "65536", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 65535"},
        {1, "65535", "", nullptr},
        {2, "4294967296", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 4294967295"},
        {2, "99999999999999999999", "", "Значение поля \"Значение (целое)\" должно быть от 0 до 4294967295"},
        {2, "4294967295", "", nullptr},
        {3, "300", "1", "Значение поля \"Значение (двоичное)\" должно быть от 0 до 255"},
        {3, "-1", "2", "Значение поля \"Значение (двоичное)\" должно быть от 0 до 65535"},
        {3, "65535", "2", nullptr},
        {5, "-1", "8", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Value) + " as " + std::to_string(c.Type));
        TestDialogs().clear();
        Trace().Clear();
        SelectType(c.Type);
        (c.Type <= 2 ? Page->edtTagValueInt : Page->edtTagValueBin)->setText(QLatin1String(c.Value));
        Page->edtTagValueLength->setText(QLatin1String(c.Length));
        Page->btnSendTag->click();
        if (c.Refusal) {
            EXPECT_EQ(TestDialogs().lastMessage(), QString::fromUtf8(c.Refusal));
            EXPECT_TRUE(Calls().isEmpty());
        } else {
            EXPECT_TRUE(TestDialogs().messages().isEmpty());
            EXPECT_EQ(Calls(), QStringList{"FNSendTag"});
        }
    }
    ASSERT_EQ(Sent().size(), 5u);
    EXPECT_EQ(Sent()[2].Value, QByteArray::fromHex("FFFFFFFF"));
    EXPECT_EQ(Sent()[4].Value, QByteArray::fromHex("FFFFFFFFFFFFFFFF"));
}

TEST_F(FNTagTest, SendResultsAreLeftToThePanel)
{
    // No document being built: the register refuses, the page shows it.
    Page->btnSendTag->click();
    EXPECT_EQ(Panel(), QStringLiteral("(2) ФН: Другое состояние ФН"));
    OpenReceipt(false);
    Page->btnSendTagOperation->click();
    EXPECT_EQ(Panel(), QStringLiteral("(2) ФН: Другое состояние ФН"));
    TestRegister().Faults().FailNext(M::FNSendTag, 80);
    Page->btnSendTag->click();
    EXPECT_EQ(Panel(), QStringLiteral("(80) Идет печать предыдущей команды"));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FNTagTest, DescriptionFillsTypeLengthAndText)
{
    Page->edtTagNumber->setText(QStringLiteral("1008"));
    SelectType(0);
    Page->btnGetTagDescription->click();
    EXPECT_EQ(Page->cbTagType->currentData().toInt(), 7);
    EXPECT_EQ(Page->edtTagValueLength->text(), QStringLiteral("64"));
    EXPECT_EQ(Page->edtTagDescription->text(), QStringLiteral("Телефон или электронный адрес покупателя"));
    EXPECT_EQ(Enabled(), QStringList{"edtTagValueStr"});
    EXPECT_TRUE(Page->lblTagTypeCode->text().isEmpty());

    // A type no item carries: no selection, the code beside the list, inputs as they were.
    Page->edtTagNumber->setText(QStringLiteral("1023"));
    Page->btnGetTagDescription->click();
    EXPECT_EQ(Page->cbTagType->currentIndex(), -1);
    EXPECT_TRUE(Page->lblTagTypeCode->text().contains(QLatin1String("4")));
    EXPECT_EQ(Enabled(), QStringList{"edtTagValueStr"});
    EXPECT_EQ(Page->GetTagType(), 4);
    SelectType(11);
    EXPECT_TRUE(Page->lblTagTypeCode->text().isEmpty());

    // An unknown tag: the error in the panel, the inputs unchanged; a bad number sends nothing.
    Page->edtTagNumber->setText(QStringLiteral("9999"));
    Page->btnGetTagDescription->click();
    EXPECT_EQ(Panel(), QStringLiteral("(51) Некорректные параметры в команде"));
    EXPECT_EQ(Page->edtTagDescription->text(), QStringLiteral("Количество предмета расчета"));
    Trace().Clear();
    Page->edtTagNumber->setText(QStringLiteral("12a"));
    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->btnGetTagDescription->click();
    EXPECT_EQ(Calls(), QStringList{});
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"12a\" не является целым числом"));
}
