#include "platform/ui/NamedControls.h"
#include "core/pages/fmuTabbedPage.h"
#include "core/settings/ControlStore.h"
#include "platform/Exceptions.h"
#include "platform/Registry.h"
#include "platform/ui/Controls.h"
#include "platform/ui/UpDown.h"
#include "tests/TestSupport.h"

#include <QIntValidator>
#include <QScrollArea>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

namespace {
const QString& Key = LumaqParamKey;   // a reference: no copy made before the other file sets it

// One of every stored control class, directly on a form.
struct AllControls : QObject {
    QWidget form;
    QLineEdit* edt = NewEdit(&form, "edtText", "design");
    QPlainTextEdit* mem = NewMemo(&form, "memText");
    QSpinBox* se = NewSpinEdit(&form, "seCount", 0, 0, 5);
    QComboBox* cb = NewComboBox(&form, "cbKind", {"a", "b", "c", "d", "e"});
    QCheckBox* chb = NewCheckBox(&form, "chbFlag", "Флаг");
    QRadioButton* rb = NewRadioButton(&form, "rbOne", "Один");
    TRadioGroup* rg = NewRadioGroup(&form, "rgMode", "Режим", {"x", "y", "z"});
    QDateTimeEdit* dtp = NewControl<QDateTimeEdit>(&form, "dtpDate");
    TUpDown* ud = NewControl<TUpDown>(&form, "udNumber");
    AllControls()
    {
        form.setObjectName("fmAll");
        ud->SetRange(0, 1000);
    }
};

class ControlStore : public ::testing::Test {
protected:
    QString file = TestTempDir() + "/registry.json";

    void Save(QWidget* form)
    {
        TRegistry reg(file);
        ASSERT_TRUE(reg.OpenKey(Key, true));
        SaveControlParams(form->objectName(), form, reg);
    }
    void Load(QWidget* form)
    {
        TRegistry reg(file);
        ASSERT_TRUE(reg.OpenKey(Key, false));
        LoadControlParams(form->objectName(), form, reg);
    }
    QStringList Names()
    {
        TRegistry reg(file);
        reg.OpenKey(Key, false);
        return reg.GetValueNames();
    }
    TRegistry Open()
    {
        return TRegistry(file);
    }
};
} // namespace

TEST_F(ControlStore, ValueNamesFollowTheControlPathThroughGroupsAndTabSheets)
{
    QWidget fmMain;
    fmMain.setObjectName("fmMain");
    auto* pnlMain = NewControl<QWidget>(&fmMain, "pnlMain");
    auto* pnlSite = NewControl<QWidget>(pnlMain, "pnlSite");
    auto* group = new TfmTabbedPage(pnlSite);
    group->setObjectName("fmTabbedPage_5");
    auto* page = new TPage;
    page->setObjectName("fmPrintText");
    auto* grp = NewGroupBox(page, "grpPrintString", "Строка");
    NewEdit(grp, "edtStringForPrinting", "Строка для печати");
    NewSpinEdit(page, "seLineCount", 1, 100, 3);
    auto* area = NewControl<QScrollArea>(page, "ScrollBox");
    auto* content = new QWidget;
    NewCheckBox(content, "chbBit0", "0");
    area->setWidget(content);
    group->AddPage(page);

    Save(&fmMain);
    const QString pagePath = "fmMain.pnlMain.pnlSite.fmTabbedPage_5.PageControl..fmPrintText";
    EXPECT_EQ(Names(), (QStringList{pagePath + ".grpPrintString.edtStringForPrinting", pagePath + ".ScrollBox.chbBit0",
                                    pagePath + ".seLineCount"}));
}

TEST_F(ControlStore, EveryControlClassComesBack)
{
    AllControls design;
    design.edt->setText(QString::fromUtf8("текст"));
    design.mem->setPlainText("line 1\nline 2");
    design.se->setValue(-123456);
    design.cb->setCurrentIndex(3);
    design.chb->setChecked(true);
    design.rb->setChecked(true);
    design.rg->SetItemIndex(2);
    design.dtp->setDateTime(QDateTime(QDate(2024, 1, 15), QTime(12, 0)));
    design.ud->SetPosition(777);
    Save(&design.form);

    AllControls restored;
    Load(&restored.form);
    EXPECT_EQ(restored.edt->text(), QString::fromUtf8("текст"));
    EXPECT_EQ(restored.mem->toPlainText(), "line 1\nline 2");
    EXPECT_EQ(restored.se->value(), -123456);
    EXPECT_EQ(restored.cb->currentIndex(), 3);
    EXPECT_TRUE(restored.chb->isChecked());
    EXPECT_TRUE(restored.rb->isChecked());
    EXPECT_EQ(restored.rg->ItemIndex(), 2);
    EXPECT_EQ(restored.dtp->dateTime(), QDateTime(QDate(2024, 1, 15), QTime(12, 0)));
    EXPECT_EQ(restored.ud->Position(), 777);

    // The date-time is 8 bytes: a little-endian double of days from 30.12.1899.
    TRegistry reg(file);
    reg.OpenKey(Key, false);
    EXPECT_EQ(reg.GetDataType("fmAll.dtpDate"), rdBinary);
    const QByteArray bytes = reg.ReadBinaryData("fmAll.dtpDate");
    ASSERT_EQ(bytes.size(), 8);
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double days;
    std::memcpy(&days, &bits, sizeof days);
    EXPECT_EQ(days, 45306.5);
    EXPECT_EQ(reg.GetDataType("fmAll.chbFlag"), rdInteger);
    EXPECT_EQ(reg.ReadInteger("fmAll.chbFlag"), 1);
    EXPECT_EQ(reg.GetDataType("fmAll.edtText"), rdString);
    EXPECT_EQ(reg.ReadString("fmAll.memText"), "line 1\r\nline 2");
}

TEST_F(ControlStore, LongTextsAreCutAndReadOnlyEditsAreLeftAlone)
{
    AllControls design;
    design.edt->setMaxLength(32767);
    design.edt->setText(QString(5000, 'a'));
    design.mem->setPlainText(QString(5000, 'b'));
    auto* edtResult = NewEdit(&design.form, "edtResult", "result");
    edtResult->setReadOnly(true);
    Save(&design.form);
    EXPECT_FALSE(Names().contains("fmAll.edtResult"));
    {
        TRegistry reg(file);
        reg.OpenKey(Key, false);
        EXPECT_EQ(reg.ReadString("fmAll.edtText").size(), 4096);
        EXPECT_EQ(reg.ReadString("fmAll.memText"), QString(4096, 'b'));
        reg.WriteString("fmAll.edtResult", "stored");
    }
    Load(&design.form);
    EXPECT_EQ(edtResult->text(), "result");

    // A memo's lines end in CR LF, which count towards the 4096 characters.
    struct Case { QString text; QString restored; };
    const Case cases[] = {
        {QString("x\n").repeated(2100), QString("x\n").repeated(1365) + "x"},
        {"abc" + QString("\nd").repeated(2000), "abc" + QString("\nd").repeated(1364)},   // cut between CR and LF
    };
    for (const Case& c : cases) {
        design.mem->setPlainText(c.text);
        Save(&design.form);
        AllControls restored;
        Load(&restored.form);
        EXPECT_EQ(restored.mem->toPlainText(), c.restored);
    }
}

TEST_F(ControlStore, ComboIndexOutOfRangeRestoresTheFirstItem)
{
    struct Case { int stored; int items; int expected; };
    for (const Case c : {Case{7, 5, 0}, Case{-1, 5, 0}, Case{4, 5, 4}, Case{0, 0, -1}}) {
        {
            TRegistry reg(file);
            reg.OpenKey(Key, true);
            reg.WriteInteger("fmCombo.cbKind", c.stored);
        }
        QWidget form;
        form.setObjectName("fmCombo");
        QStringList items;
        for (int i = 0; i < c.items; ++i)
            items << QString::number(i);
        auto* cb = NewComboBox(&form, "cbKind", items, c.items ? 2 : -1);
        Load(&form);
        EXPECT_EQ(cb->currentIndex(), c.expected) << "stored " << c.stored << ", items " << c.items;
    }
}

TEST_F(ControlStore, Tag1000KeepsTheControlAndEverythingInsideAtDesignValues)
{
    auto build = [](QWidget& form) {
        form.setObjectName("fmTag");
        auto* grp = NewGroupBox(&form, "grpSkipped", "");
        SetTag(grp, 1000);
        auto* inner = NewEdit(grp, "edtInner", "design");
        auto* single = NewEdit(&form, "edtSkipped", "design");
        SetTag(single, 1000);
        return std::make_pair(inner, single);
    };
    QWidget design;
    auto [inner, single] = build(design);
    inner->setText("changed");
    single->setText("changed");
    Save(&design);
    EXPECT_TRUE(Names().isEmpty());
    {
        TRegistry reg(file);
        reg.OpenKey(Key, true);
        reg.WriteString("fmTag.grpSkipped.edtInner", "stored");
        reg.WriteString("fmTag.edtSkipped", "stored");
    }
    QWidget next;
    auto [inner2, single2] = build(next);
    Load(&next);
    EXPECT_EQ(inner2->text(), "design");
    EXPECT_EQ(single2->text(), "design");
}

namespace {
struct Handlers : QObject {
    int clicks = 0;
    int changes = 0;
    void chbFlagClick() { ++clicks; }
    void edtTextChange() { ++changes; }
};
} // namespace

TEST_F(ControlStore, RestoringRunsTheChangeHandlersAsAUserChangeWould)
{
    AllControls design;
    design.chb->setChecked(true);
    design.edt->setText("stored");
    Save(&design.form);

    AllControls restored;
    Handlers h;
    OnClick(restored.chb, &h, &Handlers::chbFlagClick);
    OnChange(restored.edt, &h, &Handlers::edtTextChange);
    Load(&restored.form);
    EXPECT_EQ(h.clicks, 1);
    EXPECT_EQ(h.changes, 1);
    Load(&restored.form);   // same state again: the check box handler does not run
    EXPECT_EQ(h.clicks, 1);
}

TEST_F(ControlStore, UnnamedSiblingsShareOneNameAndARadioGroupsIndexDecides)
{
    QWidget design;
    design.setObjectName("fmSiblings");
    auto* first = NewEdit(&design, "", "first");
    auto* last = NewEdit(&design, "", "last");
    auto* rg = NewRadioGroup(&design, "rgMode", "", {"x", "y", "z"}, 0);
    Save(&design);
    EXPECT_TRUE(Names().contains("fmSiblings."));
    EXPECT_TRUE(Names().contains("fmSiblings.rgMode."));   // the group's own buttons

    first->setText("-");
    last->setText("-");
    rg->SetItemIndex(1);
    Load(&design);
    EXPECT_EQ(first->text(), "last");
    EXPECT_EQ(last->text(), "last");
    EXPECT_EQ(rg->ItemIndex(), 0);
    EXPECT_TRUE(rg->Button(0)->isChecked());
    EXPECT_FALSE(rg->Button(2)->isChecked());
}

TEST_F(ControlStore, AValueThatDoesNotFitIsSkippedAndTheRestRestored)
{
    AllControls design;
    design.edt->setText("kept");
    design.se->setValue(42);
    design.chb->setChecked(true);
    Save(&design.form);
    {
        TRegistry reg(file);
        reg.OpenKey(Key, true);
        reg.WriteString("fmAll.cbKind", "3");     // wrong type
        reg.WriteInteger("fmAll.edtText", 1);      // wrong type
        reg.WriteBinaryData("fmAll.dtpDate", "1234");   // not 8 bytes
    }
    AllControls restored;
    restored.cb->setCurrentIndex(1);
    const QDateTime designDate = restored.dtp->dateTime();
    Load(&restored.form);
    EXPECT_EQ(restored.cb->currentIndex(), 1);
    EXPECT_EQ(restored.edt->text(), "design");
    EXPECT_EQ(restored.dtp->dateTime(), designDate);
    EXPECT_EQ(restored.se->value(), 42);
    EXPECT_TRUE(restored.chb->isChecked());
}

TEST_F(ControlStore, AValueTheControlRefusesIsSkipped)
{
    QWidget design;
    design.setObjectName("fmRefuse");
    auto* edtPassword = NewEdit(&design, "edtPassword", "30");
    auto* edtNumber = NewEdit(&design, "edtNumber", "1");
    auto* chb = NewCheckBox(&design, "chbFlag", "");
    {
        TRegistry reg(file);
        reg.OpenKey(Key, true);
        reg.WriteString("fmRefuse.edtPassword", "");   // the validator does not accept it
        reg.WriteString("fmRefuse.edtNumber", "x");    // the handler raises
        reg.WriteInteger("fmRefuse.chbFlag", 1);
    }
    edtPassword->setValidator(new QIntValidator(edtPassword));
    int handled = 0;
    QObject::connect(edtNumber, &QLineEdit::textChanged, Guarded([&](const QString& text) {
        ++handled;
        if (text == "x")
            throw EConvertError("'x' is not a valid integer value");
    }));
    Load(&design);
    EXPECT_EQ(edtPassword->text(), "30");
    EXPECT_EQ(edtNumber->text(), "1");
    EXPECT_EQ(handled, 1);   // the way back runs no handler
    EXPECT_TRUE(chb->isChecked());
    EXPECT_TRUE(TestDialogs().messages().isEmpty());   // a refused value is skipped silently
}

TEST_F(ControlStore, AHandlerFailingForAnotherReasonKeepsTheStoredValueAndSaysSo)
{
    QWidget design;
    design.setObjectName("fmFail");
    auto* edtPassword = NewEdit(&design, "edtPassword", "");
    {
        TRegistry reg(file);
        reg.OpenKey(Key, true);
        reg.WriteString("fmFail.edtPassword", "1234");
    }
    QObject::connect(edtPassword, &QLineEdit::textChanged,
                     Guarded([](const QString&) { throw EOleError("Ошибка создания объекта драйвера: no component"); }));
    Load(&design);
    EXPECT_EQ(edtPassword->text(), "1234");   // saved back at exit, not lost
    EXPECT_EQ(TestDialogs().lastMessage(), "Ошибка создания объекта драйвера: no component");
}

TEST_F(ControlStore, FormParamsUseTheProgramsKeyUnderTheFormName)
{
    AllControls design;
    design.edt->setText("saved");
    SaveFormParams(&design.form);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Brannic\\Tests\\Lumaq\\A4\\Param", false));
    EXPECT_EQ(reg.ReadString("fmAll.edtText"), "saved");
    AllControls restored;
    LoadFormParams(&restored.form);
    EXPECT_EQ(restored.edt->text(), "saved");
}
