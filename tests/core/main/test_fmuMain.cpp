#include "core/driver/untDriver.h"
#include "core/main/ComPort.h"
#include "core/main/Lumaq.h"
#include "core/main/PageTable.h"
#include "core/main/fmuAbout.h"
#include "core/main/fmuMain.h"
#include "core/pages/NamedControls.h"
#include "core/settings/ControlStore.h"
#include "core/support/Format.h"
#include "core/settings/LangUtils.h"
#include "pages/receipts/fmuPrintText.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/Registry.h"
#include "platform/ui/Splitter.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QString PasswordValue = "fmMain.pnlMain.pnlInfo.edtPassword";

class MainWindowTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        SetApplicationTitle("Brannic: Driver test");
    }

    static void Store(const std::function<void(TRegistry&)>& write)
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, true));
        write(reg);
    }

    static TfmTabbedPage* Group(TfmMain& w, int row)
    {
        return qobject_cast<TfmTabbedPage*>(w.ListBox->item(row)->data(Qt::UserRole).value<QObject*>());
    }

    static void ClickTab(TfmTabbedPage* group, int index)
    {
        QTabBar* bar = group->PageControl->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
};

// A page whose button calls the driver the way every page handler does.
class TfmCallPage : public TPage {
public:
    TfmCallPage() : TPage(nullptr, "fmCallPage", "Вызов")
    {
        btnBeep = NewButton(this, "btnBeep", "Гудок", this, &TfmCallPage::btnBeepClick);
    }
    void btnBeepClick()
    {
        ++runs;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        struct Leave { int& d; ~Leave() { --d; } } leave{depth};
        TEnableButtonsFrame frame(this);
        if (raise)
            throw EConvertError("bad input");
        Driver().Beep();
    }
    QPushButton* btnBeep;
    int runs = 0, depth = 0, maxDepth = 0;
    bool raise = false;
};
} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheFirstGroupAtDesignSizeCentred)
{
    TfmMain w;
    w.show();
    ASSERT_EQ(w.ListBox->count(), 12);
    EXPECT_EQ(w.ListBox->item(0)->text(), "  01. Состояние");
    EXPECT_EQ(w.ListBox->item(2)->text(), "  03. ФН чеки (ФФД 1.05-1.2)");
    EXPECT_EQ(w.ListBox->item(11)->text(), "  12. Vintrel");
    EXPECT_EQ(w.Pages().Count(), 12 + 69);
    EXPECT_EQ(w.ShownPage(), Group(w, 0));
    EXPECT_TRUE(Group(w, 0)->isVisible());
    EXPECT_FALSE(Group(w, 1)->isVisible());
    EXPECT_EQ(Group(w, 0)->PageControl->currentIndex(), 0);
    EXPECT_EQ(w.size(), QSize(745, 510));
    EXPECT_LE((w.geometry().center() - w.screen()->availableGeometry().center()).manhattanLength(), 4);
    EXPECT_EQ(w.windowTitle(), "Тест Lumaq 1.0.0.1 (64-bit) [Serial: COM1 Baudrate 115200]");
    EXPECT_EQ(ApplicationTitle(), "Тест Lumaq");
    EXPECT_EQ(w.edtPassword->text(), "30");
    EXPECT_TRUE(TestDialogs().shown().empty());
}

TEST_F(MainWindowTest, PageTreeFollowsTheTableWithGroupNamesAndTabCaptions)
{
    TfmMain w;
    int pages = 0;
    for (int g = 0; g < 12; ++g) {
        TfmTabbedPage* group = Group(w, g);
        EXPECT_EQ(group->objectName(), g == 0 ? QString("fmTabbedPage") : QString("fmTabbedPage_%1").arg(g));
        EXPECT_EQ(w.Pages().GetItemIndex(group), g + pages);   // a group, then its pages
        EXPECT_EQ(group->PageControl->count(), int(PageGroups()[g].Pages.size()));
        pages += group->PageControl->count();
    }
    EXPECT_EQ(pages, 69);
    TfmTabbedPage* text = Group(w, 5);
    EXPECT_EQ(text->PageControl->tabText(0), "Текст");
    EXPECT_EQ(text->TabPage(0)->objectName(), "fmPrintText");
    EXPECT_EQ(text->PageControl->tabText(6), "Кодировки");
    EXPECT_EQ(Group(w, 1)->PageControl->tabText(5), "РНМ");
    EXPECT_EQ(w.Pages().PageByClass<TfmPrintText>(), text->TabPage(0));
}

TEST_F(MainWindowTest, SettingsAreWrittenAtExitAndRestoredAtTheNextStart)
{
    QString editName;
    {
        TLumaqForms forms;
        TfmMain& w = forms.Main();
        w.show();
        w.ListBox->setCurrentRow(5);   // as a click in the list
        EXPECT_EQ(w.ShownPage(), Group(w, 5));
        ClickTab(Group(w, 5), 2);
        auto* page = qobject_cast<TPage*>(w.Pages().PageByClass<TfmPrintText>());
        auto* grp = NewGroupBox(page, "grpPrintString", "");
        NewEdit(grp, "edtStringForPrinting", "Строка для печати");
        w.resize(900, 600);
        w.edtPassword->setText("1234");
        EXPECT_EQ(Driver().Password(), 1234);
    }
    EXPECT_FALSE(DriverExists());   // released at exit
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
        EXPECT_EQ(reg.ReadInteger("PageIndex"), 5);
        EXPECT_EQ(reg.ReadInteger("TabIndex"), 2);
        EXPECT_EQ(reg.ReadInteger("MPWidth"), 900);
        EXPECT_EQ(reg.ReadInteger("MPHeigth"), 600);
        EXPECT_TRUE(reg.ValueExists("MPTop"));
        EXPECT_TRUE(reg.ValueExists("MPLeft"));
        EXPECT_EQ(reg.ReadString("fmMain.pnlMain.pnlSite.fmTabbedPage_5.PageControl..fmPrintText.grpPrintString."
                                 "edtStringForPrinting"),
                  "Строка для печати");
        EXPECT_EQ(reg.ReadString(PasswordValue), "1234");
    }
    ResetEmulatedDriver();
    TfmMain w;
    w.show();
    EXPECT_EQ(w.ListBox->currentRow(), 5);
    EXPECT_EQ(w.ShownPage(), Group(w, 5));
    EXPECT_EQ(Group(w, 5)->PageControl->currentIndex(), 2);
    EXPECT_EQ(w.size(), QSize(900, 600));
    EXPECT_LE((w.geometry().center() - w.screen()->availableGeometry().center()).manhattanLength(), 4);   // centred all the same
    EXPECT_EQ(Driver().Password(), 1234);   // the stored password is in force
    EXPECT_EQ(w.edtPassword->text(), "1234");
}

TEST_F(MainWindowTest, StoredSelectionOutOfRangeFallsBackToTheFirst)
{
    struct Case { int page; int tab; int shownRow; int shownTab; };
    for (const Case c : {Case{12, 0, 0, 0}, Case{-1, 0, 0, 0}, Case{5, 7, 5, 0}, Case{5, 6, 5, 6}, Case{5, -1, 5, 0}}) {
        Store([&](TRegistry& reg) {
            reg.WriteInteger("PageIndex", c.page);
            reg.WriteInteger("TabIndex", c.tab);
        });
        TfmMain w;
        EXPECT_EQ(w.ListBox->currentRow(), c.shownRow) << c.page;
        EXPECT_EQ(w.ShownPage(), Group(w, c.shownRow)) << c.page;
        EXPECT_EQ(Group(w, c.shownRow)->PageControl->currentIndex(), c.shownTab) << c.tab;
    }
}

TEST_F(MainWindowTest, ABadStoredValueIsSkippedAndTheStartGoesOn)
{
    Store([](TRegistry& reg) {
        reg.WriteString(PasswordValue, "");       // left empty when the window was closed
        reg.WriteString("PageIndex", "3");        // of another type
        reg.WriteInteger("MPWidth", 800);
    });
    Driver().setPassword(55);
    TfmMain w;
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(Driver().Password(), 55);          // the driver keeps its password
    EXPECT_EQ(w.edtPassword->text(), "55");
    EXPECT_EQ(w.ShownPage(), Group(w, 0));       // a group is shown
    EXPECT_EQ(w.width(), 800);                    // the rest is restored
}

TEST_F(MainWindowTest, PasswordBoxTakesOnlyIntegers)
{
    TfmMain w;
    w.edtPassword->clear();
    TestDialogs().clear();
    QTest::keyClicks(w.edtPassword, "1a2b");
    EXPECT_EQ(w.edtPassword->text(), "12");       // letters are dropped
    EXPECT_EQ(Driver().Password(), 12);
    EXPECT_TRUE(TestDialogs().shown().empty());

    QTest::keyClicks(w.edtPassword, ".");         // the point passes and is refused by the driver box
    EXPECT_EQ(TestDialogs().lastMessage(), "'12.' is not a valid integer value");
    EXPECT_EQ(Driver().Password(), 12);
    w.edtPassword->clear();
    EXPECT_EQ(TestDialogs().lastMessage(), "'' is not a valid integer value");
    EXPECT_EQ(Driver().Password(), 12);

    QEvent focusOut(QEvent::FocusOut);            // leaving the box shows the driver's password
    QApplication::sendEvent(w.edtPassword, &focusOut);
    EXPECT_EQ(w.edtPassword->text(), "12");
}

TEST_F(MainWindowTest, PastesAreCheckedOnEveryRoad)
{
    TfmMain w;
    w.edtPassword->clear();
    TestDialogs().clear();
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QString(1025, '1'));
    QTest::keySequence(w.edtPassword, QKeySequence::Paste);
    EXPECT_EQ(TestDialogs().lastMessage(), "Некорректное значение в поле \"Password\"");
    EXPECT_EQ(w.edtPassword->text(), "");

    clipboard->setText("12a");
    QTest::keyClick(w.edtPassword, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(TestDialogs().lastMessage(), "'12a' is not a valid integer value");
    EXPECT_EQ(w.edtPassword->text(), "");

    clipboard->setText(QString(1020, '0') + "77");   // up to 1024 characters that fit an integer
    std::unique_ptr<QMenu> menu(w.CreatePasswordMenu());
    QAction* paste = menu->findChild<QAction*>("edit-paste");
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(TestDialogs().shown().size(), 2u);
    EXPECT_EQ(Driver().Password(), 0);            // the box holds its first 100 characters
    w.edtPassword->clear();
    clipboard->setText("77");
    QTest::keySequence(w.edtPassword, QKeySequence::Paste);
    EXPECT_EQ(w.edtPassword->text(), "77");
    EXPECT_EQ(Driver().Password(), 77);
}

TEST_F(MainWindowTest, ResultPanelShowsTheCallEvenWhenItFails)
{
    TfmMain w;
    TfmCallPage page;
    TestRegister().Faults().FailNext(OrvekMethod::Beep, 80);
    page.btnBeep->click();
    EXPECT_TRUE(w.edtResult->text().startsWith("(80) ")) << w.edtResult->text().toStdString();
    EXPECT_EQ(w.edtResult->text(), Format("(%d) %s", {80, Driver().ResultCodeDescription()}));
    EXPECT_TRUE(w.edtTime->text().endsWith(" мс"));
    EXPECT_EQ(w.edtOperator->text(), QString::number(Driver().OperatorNumber()));
    EXPECT_EQ(w.edtInput->text(), Driver().ECRInput());

    page.raise = true;   // an exception in the handler: the panel is filled all the same
    w.edtResult->setText("old");
    page.btnBeep->click();
    EXPECT_EQ(TestDialogs().lastMessage(), "bad input");
    EXPECT_EQ(w.edtResult->text(), Format("(%d) %s", {80, Driver().ResultCodeDescription()}));
    EXPECT_TRUE(page.btnBeep->isEnabled());

    TfmMain::TickCountFunction before = TfmMain::SetTickCount([] { return 0xFFFFFFF0u; });
    page.raise = false;
    PageNotifier().DoChange(ctStart);
    TfmMain::SetTickCount([] { return 0x10u; });   // the tick counter wrapped
    PageNotifier().DoChange(ctStop);
    EXPECT_EQ(w.edtTime->text(), "32 мс");
    TfmMain::SetTickCount(before);

    // The driver cannot be had while filling the panel: no message, the panel as far as it got.
    FreeDriver();
    OrvekFactory saved = SetOrvekFactory([]() -> std::unique_ptr<IOrvekComponent> { throw EOleError("нет"); });
    TestDialogs().clear();
    PageNotifier().DoChange(ctStart);
    PageNotifier().DoChange(ctStop);
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(w.edtResult->text(), "");
    SetOrvekFactory(saved);
}

TEST_F(MainWindowTest, WaitingClicksDoNotStartTheSameCallAgainButTimersRun)
{
    TfmMain w;
    TfmCallPage page;
    page.show();
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    // A second click of a double click waits in the queue while the first one runs.
    const QPointF at = page.btnBeep->rect().center();
    QCoreApplication::postEvent(page.btnBeep, new QMouseEvent(QEvent::MouseButtonPress, at, page.btnBeep->mapToGlobal(at),
                                                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(page.btnBeep, new QMouseEvent(QEvent::MouseButtonRelease, at, page.btnBeep->mapToGlobal(at),
                                                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    page.btnBeep->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.runs, 1);
    EXPECT_EQ(page.maxDepth, 1);
    EXPECT_TRUE(timerRan);
}

TEST_F(MainWindowTest, CaptionNamesTheConnection)
{
    TfmMain w;
    const QString def = "Тест Lumaq 1.0.0.1 (64-bit)";
    EXPECT_EQ(w.GetDefCaption(), def);
    struct Case { int type; int baud; QString expected; };
    for (const Case& c : {Case{0, 10, def + " [Serial: COM3 Baudrate 4800]"}, Case{0, 1, def + " [Serial: COM3 Baudrate 4800]"},
                          Case{0, 6, def + " [Serial: COM3 Baudrate 115200]"},
                          Case{1, 2, def + " [DCOM:SERVER COM3 Baudrate 9600]"},
                          Case{6, 2, def + " [TCP: 192.0.2.5: 7778]"}, Case{3, 2, def}}) {
        Driver().setConnectionType(c.type);
        Driver().setComNumber(3);
        Driver().setBaudRate(c.baud);
        Driver().setComputerName("SERVER");
        Driver().setIPAddress("192.0.2.5");
        Driver().setTCPPort(7778);
        w.UpdateCaption();
        EXPECT_EQ(w.windowTitle(), c.expected) << c.type << " " << c.baud;
    }
    EXPECT_EQ(IntToBaudRate(9), 921600);
    EXPECT_EQ(IntToBaudRate(-1), 4800);
}

TEST_F(MainWindowTest, LanguageItemsWriteTheFileAndAskForARestart)
{
    QFile::remove(GetLanguageParamsFileName());
    TfmMain w;
    const QString atStart = GetLanguage();
    EXPECT_EQ(w.miRussian->isChecked(), atStart == "RU");
    w.miEnglish->trigger();
    EXPECT_TRUE(w.miEnglish->isChecked());
    EXPECT_FALSE(w.miRussian->isChecked());
    EXPECT_EQ(ReadLanguage(), "EN");
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].message.text, "Для измения языка необходимо перезапустить приложение");
    EXPECT_EQ(TestDialogs().shown()[0].message.caption, "Внимание");
    EXPECT_EQ(TestDialogs().shown()[0].message.icon, Dialogs::Icon::Information);
    w.miRussian->trigger();
    EXPECT_EQ(ReadLanguage(), "RU");
    EXPECT_TRUE(w.miRussian->isChecked());
    EXPECT_EQ(GetLanguage(), atStart);            // nothing changes until the next start
}

TEST_F(MainWindowTest, PropertiesButtonRefreshesThePasswordBox)
{
    TfmMain w;
    ScriptOrvekDialog([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("edtPassword")->setText("4321");
        return int(QDialog::Accepted);
    });
    w.btnProperties->click();
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);
    EXPECT_EQ(Driver().Password(), 4321);
    EXPECT_EQ(w.edtPassword->text(), "4321");
}

TEST_F(MainWindowTest, ListWidthFollowsTheSplitterAndTheWindow)
{
    TfmMain w;
    w.show();
    EXPECT_FALSE(w.Splitter->MoveTo(250));          // no wider than 200
    EXPECT_EQ(w.ListBox->width(), 165);
    EXPECT_TRUE(w.Splitter->MoveTo(190));
    EXPECT_EQ(w.ListBox->width(), 190);
    w.resize(150, 400);
    EXPECT_EQ(w.ListMaxWidth(), 130);
    EXPECT_EQ(w.ListBox->width(), 130);
    w.resize(20, 400);
    EXPECT_EQ(w.ListMaxWidth(), 14);
    EXPECT_EQ(w.ListBox->width(), 14);
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionTwice)
{
    TfmAbout box;
    EXPECT_EQ(box.windowTitle(), "О программе");
    EXPECT_EQ(box.lblDriverVersion->text(), "1.0.0.1");
    EXPECT_EQ(box.lblTestVersion->text(), "1.0.0.1");
}
