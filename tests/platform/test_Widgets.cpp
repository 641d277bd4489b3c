#include "platform/ui/Controls.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/UpDown.h"
#include "tests/TestSupport.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

TEST(RadioGroup, IndexChoosesOneButtonAndMinusOneNone)
{
    TRadioGroup group("Протокол", {"TCP", "UDP", "COM"});
    QSignalSpy clicked(&group, &TRadioGroup::clicked);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(1);
    EXPECT_TRUE(group.Button(1)->isChecked());
    EXPECT_FALSE(group.Button(0)->isChecked());
    group.Button(2)->click();   // the user
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_FALSE(group.Button(1)->isChecked());
    group.Button(2)->click();   // clicking the chosen one keeps it
    EXPECT_TRUE(group.Button(2)->isChecked());
    group.SetItemIndex(-1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(group.Button(i)->isChecked());
    EXPECT_EQ(clicked.count(), 3);
}

TEST(UpDown, StepsInsideTheRangeShowsInTheEditAndCanBeRefused)
{
    QLineEdit edit;
    TUpDown ud;
    ud.SetRange(1, 3);
    ud.SetAssociate(&edit);
    EXPECT_EQ(edit.text(), "1");
    ud.Click(TUpDown::btNext);
    ud.Click(TUpDown::btNext);
    ud.Click(TUpDown::btNext);
    EXPECT_EQ(ud.Position(), 3);
    EXPECT_EQ(edit.text(), "3");

    edit.setText("2");   // typed by the user
    EXPECT_EQ(ud.Position(), 2);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "1");

    QObject::connect(&ud, &TUpDown::changing, [](bool* allow) { *allow = false; });
    ud.Click(TUpDown::btNext);
    EXPECT_EQ(ud.Position(), 1);
}

TEST(PageControl, OnlyTheUsersTabSwitchIsReported)
{
    TPageControl pc;
    pc.addTab(new QWidget, "A");
    pc.addTab(new QWidget, "B");
    pc.addTab(new QWidget, "C");
    pc.resize(400, 300);
    pc.show();
    QSignalSpy spy(&pc, &TPageControl::userChanged);
    pc.setCurrentIndex(2);
    EXPECT_EQ(spy.count(), 0);
    QTabBar* bar = pc.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(pc.currentIndex(), 0);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 2);
}

TEST(Controls, QtHelperWidgetsAddNoLevel)
{
    QWidget form;
    auto* spin = new QSpinBox(&form);
    auto* tabs = new QTabWidget(&form);
    auto* sheet = new QWidget;
    tabs->addTab(sheet, "x");
    auto* area = new QScrollArea(&form);
    auto* content = new QWidget;
    auto* inArea = new QLineEdit(content);
    area->setWidget(content);

    EXPECT_EQ(ChildControls(&form), (QList<QWidget*>{spin, tabs, area}));
    EXPECT_TRUE(ChildControls(spin).isEmpty());
    EXPECT_EQ(ChildControls(tabs).first(), sheet);   // then the tab bar's own buttons
    EXPECT_EQ(ChildControls(area).first(), inArea);   // then its scroll bars
    SetTag(spin, 1000);
    EXPECT_EQ(Tag(spin), 1000);
    EXPECT_EQ(Tag(tabs), 0);
}

// Qt's own buttons and dialogs speak the program's language.
TEST(QtTranslations, RussianUnlessEnglishIsChosen)
{
    const auto cancelText = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    };
    EXPECT_EQ(InstallQtTranslations("EN"), nullptr);
    EXPECT_EQ(cancelText(), "Cancel");

    QTranslator* russian = InstallQtTranslations("RU");
    ASSERT_NE(russian, nullptr) << "Qt's translations (qt6-translations-l10n, tools/setup) are missing";
    EXPECT_EQ(cancelText(), "Отмена");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(dialog.labelText(QFileDialog::Reject), "Отмена");
    EXPECT_EQ(dialog.labelText(QFileDialog::LookIn), "Перейти к:");
    QCoreApplication::removeTranslator(russian);
    delete russian;
    EXPECT_EQ(cancelText(), "Cancel");
}
