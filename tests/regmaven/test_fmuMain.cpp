#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "tests/regmaven/WizardTestSupport.h"
#include "emulator/RegisterFN.h"
#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuCheckStatus.h"
#include "regmaven/fmuConnectDevice.h"
#include "regmaven/fmuFFD.h"
#include "regmaven/fmuFinalMessage.h"
#include "regmaven/fmuFiscalizationBefore.h"
#include "regmaven/fmuINN.h"
#include "regmaven/fmuKKTParamsX5.h"
#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuRegParamsX5.h"
#include "regmaven/fmuSearchDevice.h"
#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/fmuWiFiParams.h"
#include "regmaven/fmuWorkMode.h"
#include "core/support/RNMUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Regmaven;

namespace {

// A page of the test's own, put at the end of the list.
class TestPage : public TParamPage {
public:
    TestPage() : TParamPage("fmTestPage", "Тестовая страница") {}
    void Next() override
    {
        ++Nexts;
        if (!Error.isEmpty())
            throw Exception(Error);
        Controller().NextPageClass = Target;
    }
    void CloseEvent() override { ++Closes; }
    QString Error;
    TParamPageClass Target;
    int Nexts = 0;
    int Closes = 0;
};

class UnlistedPage : public TParamPage {
public:
    UnlistedPage() : TParamPage("fmUnlistedPage", "") {}
};

TestPage* AddTestPage(TfmMain& form)
{
    auto* page = new TestPage;
    page->SetOwner(&form.Pages());
    page->setParent(form.pnlSite);
    page->hide();
    static_cast<QGridLayout*>(form.pnlSite->layout())->addWidget(page, 0, 0);
    return page;
}

void ShowTestPage(TfmMain& form, TestPage* page)
{
    form.ShowPage(page->Index());
    Controller().CurrentPage = page;
}

QListWidget& WorkTypes(TfmMain& form)
{
    return *form.Pages().PageByClass<TfmSelectWorkType>()->listBox;
}

} // namespace

TEST_F(WizardTest, CaptionShowsVersionAndX5Mode)
{
    EXPECT_EQ(Form().windowTitle(), "Regmaven " LUMAQ_VERSION " (64-bit)");
    EXPECT_FALSE(Controller().X5Mode);
    EXPECT_EQ(Form(true).windowTitle(), "Regmaven " LUMAQ_VERSION " (64-bit) [X5]");
    EXPECT_TRUE(Controller().X5Mode);
}

TEST_F(WizardTest, PagesInTheirOrderWithCaptions)
{
    const QStringList captions = {
        "Подключите устройство", "Поиск устройств", "Выберите тип работы", "Выберите тип работы",
        "Введите заводской номер", "Настройки ОФД", "Настройки места установки ККТ",
        "Тип налогообложения и режим работы ККТ", "Введите ИНН и РНМ ККТ", "Регистрация ККТ",
        "Печать чека о фискализации", "Выберите тип подключения к ОФД", "Параметры Ethernet",
        "Настройки подключения RNDIS", "Настройки подключения WiFi", "Проверка связи по RNDIS",
        "Проверка отправки данных в ОФД", "Завершение", "Выберите тип подключения к ККТ",
        "Параметры подключения по TCP", "Проверка связи по Ethernet", "Закрытие архива ФН", "Версия ФФД",
        "Закрытие архива ФН", "Сохранить параметры ФР (X5)", "Открыть файл с парметрами (X5)",
        "Проверка состояния", "Параметры регистрации (X5)", "Отчет о текущем состоянии расчетов",
        "Проверка состояния", "Проверка состояния"};
    TfmMain& form = Form();
    ASSERT_EQ(form.Pages().Count(), 31);
    for (int i = 0; i < 31; ++i) {
        EXPECT_EQ(form.Pages().GetItem(i)->Caption(), captions[i]) << i;
        EXPECT_EQ(form.Pages().GetItem(i)->Index(), i);
    }
    // PageByClass finds the first page of a class or of a derived one.
    EXPECT_EQ(form.Pages().PageByClass<TfmCheckStatus>()->Index(), 26);
    EXPECT_EQ(form.Pages().PageByClass<TFmCheckStatusBeforeRegistration>()->Index(), 29);
    EXPECT_EQ(form.Pages().PageByClass(TParamPageClass()), nullptr);
    EXPECT_EQ(form.btnHome->toolTip(), QStringLiteral("Вернуться в начало"));
    EXPECT_EQ(form.btnMenu->toolTip(), QStringLiteral("Настройки драйвера"));
}

TEST_F(WizardTest, ConnectionRoadToTheWorkTypes)
{
    TfmMain& form = Form();
    EXPECT_EQ(Title(), "Подключите устройство");
    EXPECT_FALSE(form.btnPrev->isEnabled());
    EXPECT_TRUE(form.btnNext->isEnabled());
    EXPECT_EQ(Next(), "Выберите тип подключения к ККТ");
    EXPECT_TRUE(form.btnPrev->isEnabled());
    EXPECT_EQ(Next(), "Поиск устройств");
    FinishSearch();
    Page<TfmSearchDevice>().lvDevices->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(Next(), "Выберите тип работы");
    // The register has the OFD link table (model parameter 73 is 19): six work types.
    EXPECT_EQ(WorkTypes(form).count(), 6);
    EXPECT_EQ(WorkTypes(form).item(5)->text(), QStringLiteral("Настройка связи с ОФД"));
    EXPECT_EQ(WorkTypes(form).currentRow(), 0);
    EXPECT_TRUE(Controller().RegParams.OFDEnabled);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::ReadModelParamValue), 1);
    EXPECT_EQ(Component().ConnectedRegister(), nullptr); // disconnected after the show
    EXPECT_EQ(form.Pages().PageByClass<TfmSelectWorkType>()->lblDevice->text(),
              QStringLiteral("Эмулятор ККТ, зав. номер 0000000000012345"));
    // Back leads to the connect page whichever road was taken.
    EXPECT_EQ(Prev(), "Подключите устройство");
    EXPECT_FALSE(form.btnPrev->isEnabled());
}

TEST_F(WizardTest, WorkTypesWithoutTheOFDTable)
{
    TestRegister().ModelParams().Set(73, 0);
    TfmMain& form = Form();
    Controller().RegParams.OFDEnabled = true;
    form.ShowPage(2);
    EXPECT_EQ(WorkTypes(form).count(), 5);
    EXPECT_FALSE(Controller().RegParams.OFDEnabled);
}

TEST_F(WizardTest, WorkTypeShowClearsTheDataEntry)
{
    TfmMain& form = Form();
    TRegParams& p = Controller().RegParams;
    p.INN = "7707083893";
    p.OFDServer = "ofd";
    p.OFDPort = 7777;
    p.TaxSystem = 1;
    p.FFD = 2;
    p.ReasonCode = 1;
    p.FNSerial = "9999";
    p.DocNumber = 5;
    p.FirstTime = true;
    Controller().KKTName = "Эмулятор ККТ";
    Controller().KKTSN = "0000000000012345";
    form.ShowPage(2);
    EXPECT_TRUE(p.INN.isEmpty());
    EXPECT_TRUE(p.OFDServer.isEmpty());
    EXPECT_EQ(p.OFDPort, 0);
    EXPECT_EQ(p.TaxSystem, 255);
    EXPECT_EQ(p.Agent, 255);
    EXPECT_EQ(p.WorkMode, 255);
    EXPECT_EQ(p.WorkModeEx, 255);
    EXPECT_EQ(p.FFD, 255);
    EXPECT_EQ(p.ReasonCode, 255);
    // What the sequence fills keeps its value.
    EXPECT_EQ(p.FNSerial, "9999");
    EXPECT_EQ(p.DocNumber, 5);
    EXPECT_TRUE(p.FirstTime);
    EXPECT_EQ(form.Pages().PageByClass<TfmSelectWorkType>()->lblDevice->text(),
              QStringLiteral("Эмулятор ККТ, зав. номер 0000000000012345"));
}

TEST_F(WizardTest, ClearRegParamsResetsTheDataEntryOnly)
{
    TRegParams& p = Controller().RegParams;
    p = {true, true, true, "7707083893", "0000000001045587", "ООО Ромашка", "Иванов", "Москва", 1, 2, 3, 4, "A-1",
         2, 4, "nalog.ru", "a@b.ru", "Магазин", "ОФД", "ofd.ru", "7704211201", "ofd.example", 7777, "500100732259",
         "X5-1", 2, true, "9999000011112222", "0000000000012345", QDateTime(QDate(2024, 1, 15), QTime(10, 30)), 7,
         "123456", "001", true, true, true, true, true, 0x80000001u, "km.example", 2001};
    TRegParams expected = p;
    expected.INN = expected.RNM = expected.User = expected.Cashier = expected.Address = "";
    expected.TaxSystem = expected.Agent = expected.WorkMode = expected.WorkModeEx = 255;
    expected.AutomatNumber = "";
    expected.ReasonCode = expected.FFD = 255;
    expected.TaxOfficeURL = expected.SenderEmail = expected.PayPlace = "";
    expected.OFDName = expected.OFDUrl = expected.OFDINN = expected.OFDServer = "";
    expected.OFDPort = 0;
    expected.CashierINN = "";
    Controller().ClearRegParams();
    EXPECT_TRUE(p == expected);
}

TEST_F(WizardTest, WorkTypeShowFailureIsShownAndThePageStays)
{
    TestRegister().Faults().FailNext(OrvekMethod::ReadModelParamValue, 17);
    TfmMain& form = Form();
    form.ShowPage(2);
    EXPECT_EQ(Title(), "Выберите тип работы");
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Ошибка 17, "));
    EXPECT_EQ(WorkTypes(form).count(), 5);
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
}

namespace {

// Scripted dialogs that note the window's title and visible pages when a message shows.
class WindowAtMessage : public Dialogs::ScriptedDialogs {
public:
    explicit WindowAtMessage(TfmMain& form) : FForm(form) {}
    Dialogs::Result Message(const Dialogs::MessageRequest& request) override
    {
        Title = FForm.pnlTop->text();
        Visible.clear();
        for (TParamPage* page : FForm.Pages())
            if (page->isVisible())
                Visible << page->objectName();
        return ScriptedDialogs::Message(request);
    }
    QString Title;
    QStringList Visible;

private:
    TfmMain& FForm;
};

} // namespace

TEST_F(WizardTest, PageFailingToOpenIsShownAloneUnderItsTitle)
{
    TfmMain& form = Form();
    auto dialogs = std::make_unique<WindowAtMessage>(form);
    WindowAtMessage& seen = *dialogs;
    auto saved = Dialogs::Install(std::move(dialogs));
    TestRegister().Faults().FailNext(OrvekMethod::ReadModelParamValue, 17);
    form.ShowPage(2);
    auto used = Dialogs::Install(std::move(saved));   // keeps what it saw
    ASSERT_EQ(seen.shown().size(), 1u);
    EXPECT_TRUE(seen.shown()[0].message.text.startsWith("Ошибка 17, "));
    EXPECT_EQ(seen.Title, "Выберите тип работы");
    EXPECT_EQ(seen.Visible, QStringList{"fmSelectWorkType"});
}

TEST_F(WizardTest, RegistrationRoadAndBackAgain)
{
    TfmMain& form = Form();
    ReachWorkTypes();
    WorkTypes(form).setCurrentRow(0);
    const QStringList road = {"Проверка состояния", "Введите заводской номер", "Выберите тип работы", "Версия ФФД",
                              "Настройки ОФД", "Настройки места установки ККТ", "Введите ИНН и РНМ ККТ",
                              "Тип налогообложения и режим работы ККТ", "Регистрация ККТ",
                              "Печать чека о фискализации", "Завершение"};
    // The data pages get what they require.
    const auto fill = [&] {
        if (auto* inn = form.Pages().PageByClass<TfmINN>(); Current() == inn) {
            inn->edtINN->setText("7707083893");
            inn->edtRNM->setText(GenerateRNM(QStringLiteral("0000000001"), "7707083893", TestRegister().State().Serial));
        }
        if (auto* mode = form.Pages().PageByClass<TfmWorkMode>(); Current() == mode)
            mode->chkTax0->setChecked(true);
        // Each pass registers the register with a new FN.
        if (Current() == form.Pages().PageByClass<TfmFiscalizationBefore>())
            TestRegister().Area<RegisterFN>().Reset();
    };
    const qsizetype confirmation = road.indexOf("Регистрация ККТ");
    for (const QString& caption : road.mid(0, confirmation + 1)) {
        fill();
        EXPECT_EQ(Next(), caption);
    }
    // "< Назад" retraces the road taken.
    for (qsizetype i = confirmation - 1; i >= 0; --i)
        EXPECT_EQ(Prev(), road[i]);
    EXPECT_EQ(Prev(), "Выберите тип работы");
    EXPECT_EQ(Current(), form.Pages().PageByClass<TfmSelectWorkType>());
    for (const QString& caption : road) {
        fill();
        EXPECT_EQ(Next(), caption);
    }
    EXPECT_TRUE(Controller().RegParams.FirstTime);
    EXPECT_EQ(form.Pages().PageByClass<TfmFinalMessage>()->lblMessage->text(),
              QStringLiteral("Все шаги выполнены. \r\nНажмите \"Далее\" для возврата в начало"));
    // Back from the final page shows the result, which has no way back.
    EXPECT_EQ(Prev(), "Печать чека о фискализации");
    EXPECT_EQ(Prev(), "Печать чека о фискализации");
    // The final page starts over at the connect page.
    EXPECT_EQ(Next(), "Завершение");
    EXPECT_EQ(Next(), "Подключите устройство");
    EXPECT_FALSE(form.btnPrev->isEnabled());
    EXPECT_EQ(Current()->Index(), 0);
}

TEST_F(WizardTest, OtherWorkTypeRoads)
{
    struct Road {
        int item;
        bool x5;
        QStringList captions;
    };
    const std::vector<Road> roads = {
        {1, false, {"Проверка состояния", "Выберите тип работы", "Версия ФФД"}},
        {2, false, {"Проверка состояния", "Выберите тип работы"}},
        {1, true, {"Сохранить параметры ФР (X5)", "Открыть файл с парметрами (X5)", "Параметры регистрации (X5)", "Регистрация ККТ"}},
        {3, false, {"Отчет о текущем состоянии расчетов", "Выберите тип работы"}},
        {4, false, {"Проверка состояния", "Закрытие архива ФН", "Закрытие архива ФН", "Выберите тип работы"}},
        {5, false, {"Настройки ОФД", "Выберите тип подключения к ОФД", "Параметры Ethernet", "Проверка связи по Ethernet",
                    "Проверка отправки данных в ОФД", "Завершение", "Подключите устройство"}},
    };
    for (const Road& road : roads) {
        // The OFD has taken the documents of the roads before.
        RegisterFN& fn = TestRegister().Area<RegisterFN>();
        fn.Confirm(fn.LastDocumentNumber());
        TfmMain& form = Form(road.x5);
        if (road.x5) {
            // The KKT parameters file is saved, the registration parameters file opened.
            TestDialogs().answerFile(TestTempDir() + "/kkt.txt");
            const QString rnm = GenerateRNM("0000000001", "7707083893", TestRegister().State().Serial);
            TestDialogs().answerFile(WriteTestFile(
                "params.txt",
                X5ParamsLines({}, "рег. номер ККТ", rnm).join("\r\n").toUtf8().prepend("\xEF\xBB\xBF")));
            form.Pages().PageByClass<TfmRegParamsX5>()->edtCashierName->setText("Петров");
            form.Pages().PageByClass<TfmRegParamsX5>()->edtCashierPosition->setText("Кассир");
        }
        form.ShowPage(2);
        Controller().CurrentPage = form.Pages().GetItem(2);
        WorkTypes(form).setCurrentRow(road.item);
        for (const QString& caption : road.captions) {
            if (auto* cashier = form.Pages().PageByClass<TfmBeforeCloseFN>(); Current() == cashier)
                cashier->edtCashier->setText(QStringLiteral("Кассир"));
            EXPECT_EQ(Next(), caption) << road.item;
        }
        EXPECT_EQ(Controller().IsOFDSettingMode, road.item == 5);
        if (road.item == 1 || road.item == 2) {
            EXPECT_FALSE(Controller().RegParams.FirstTime);
            EXPECT_EQ(Controller().RegParams.NewFN, road.item == 2);
        }
    }
}

TEST_F(WizardTest, NextThatRaisesOrNamesNoPageStays)
{
    TfmMain& form = Form();
    TestPage* page = AddTestPage(form);
    page->PrevPage = form.Pages().GetItem(5);
    ShowTestPage(form, page);

    page->Error = "Введите значение \"ИНН\"!";
    EXPECT_EQ(Next(), "Тестовая страница");
    EXPECT_EQ(TestDialogs().lastMessage(), page->Error);
    EXPECT_EQ(Next(), "Тестовая страница");
    EXPECT_EQ(page->Nexts, 2);

    // Naming nothing stays too, also after an earlier Next had named a page.
    page->Error.clear();
    Controller().NextPageClass = ClassOf<TfmSearchDevice>();
    EXPECT_EQ(Next(), "Тестовая страница");
    EXPECT_EQ(Current(), page);
    // Naming its own class: the page stays and is not its own previous page.
    page->Target = ClassOf<TestPage>();
    EXPECT_EQ(Next(), "Тестовая страница");
    EXPECT_EQ(page->PrevPage, form.Pages().GetItem(5));
    // A class that no listed page has leads to the connect page.
    page->Target = ClassOf<UnlistedPage>();
    EXPECT_EQ(Next(), "Подключите устройство");
    EXPECT_EQ(Current()->PrevPage, page);
}

TEST_F(WizardTest, WiFiPageLeadsToTheOFDQueueAndHomeReturns)
{
    TfmMain& form = Form();
    form.ShowPage(14);
    Controller().CurrentPage = form.Pages().GetItem(14);
    EXPECT_EQ(Title(), "Настройки подключения WiFi");
    form.Pages().PageByClass<TfmWiFiParams>()->edtWiFiSSID->setText("Зал");
    EXPECT_EQ(Next(), "Проверка отправки данных в ОФД");
    EXPECT_EQ(Current()->PrevPage, form.Pages().GetItem(14));
    EXPECT_EQ(Next(), "Завершение");

    form.btnHome->click();
    EXPECT_EQ(Title(), "Подключите устройство");
    EXPECT_EQ(Current()->Index(), 0);
    EXPECT_FALSE(form.btnPrev->isEnabled());
}

TEST_F(WizardTest, ControllerForwardsToTheWindow)
{
    TfmMain& form = Form();
    Controller().Next();
    EXPECT_EQ(Title(), "Выберите тип подключения к ККТ");
    Controller().EnableNext(false);
    EXPECT_FALSE(form.btnNext->isEnabled());
    Controller().Next(); // a disabled button is not pressed
    EXPECT_EQ(Title(), "Выберите тип подключения к ККТ");
    Controller().EnableNext(true);
    Controller().EnableSettings(false);
    EXPECT_FALSE(form.btnMenu->isEnabled());
    Controller().Prev();
    EXPECT_EQ(Title(), "Подключите устройство");
    EXPECT_TRUE(form.btnMenu->isEnabled()); // ShowPage enables every button
    EXPECT_EQ(Controller().FindPageByClass<TfmOFDParams>(), form.Pages().GetItem(5));
    Controller().EnableHome(false);
    Controller().Home(); // runs also with the button disabled
    EXPECT_EQ(Title(), "Подключите устройство");
}

TEST_F(WizardTest, DoubleClickOnAWorkTypeMovesOn)
{
    TfmMain& form = Form();
    form.ShowPage(2);
    Controller().CurrentPage = form.Pages().GetItem(2);
    QListWidget& list = WorkTypes(form);
    list.setCurrentRow(3);
    emit list.itemDoubleClicked(list.item(3));
    EXPECT_EQ(Title(), "Отчет о текущем состоянии расчетов");
}

TEST_F(WizardTest, NoWorkTypeSelectedStays)
{
    TfmMain& form = Form();
    ReachWorkTypes();
    WorkTypes(form).setCurrentRow(-1);
    EXPECT_EQ(Next(), "Выберите тип работы");
    EXPECT_EQ(Current(), form.Pages().PageByClass<TfmSelectWorkType>());
    EXPECT_EQ(Current()->PrevPage, form.Pages().GetItem(0));
}

TEST_F(WizardTest, RestoringTheWindowKeepsThePage)
{
    TfmMain& form = Form();
    ReachWorkTypes();
    WorkTypes(form).setCurrentRow(3);
    const int reads = TestRegister().CallCount(OrvekMethod::ReadModelParamValue);
    form.showMinimized();
    form.showNormal();
    EXPECT_EQ(Title(), "Выберите тип работы");
    EXPECT_EQ(WorkTypes(form).currentRow(), 3);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::ReadModelParamValue), reads);
}

TEST_F(WizardTest, EnterPressesNextOrTheFocusedButton)
{
    TfmMain& form = Form();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(Title(), "Выберите тип подключения к ККТ");
    QTest::keyClick(&form, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Title(), "Поиск устройств");
    form.btnPrev->setFocus();
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(Title(), "Выберите тип подключения к ККТ");
}

// Enter in an open drop-down picks the item; the key that closes the popup
// does not go on to "Далее >".
TEST_F(WizardTest, EnterInAnOpenDropDownOnlyPicksTheItem)
{
    TfmMain& form = Form();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* page = form.Pages().PageByClass<TfmFFD>();
    form.ShowPage(page->Index());
    Controller().CurrentPage = page;
    Controller().RegParams.FirstTime = true;
    QComboBox* combo = page->cbbFFD;
    combo->setCurrentIndex(0);
    combo->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        combo->showPopup();
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup->windowHandle(), combo->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
        const int chosen = 1 - combo->currentIndex();
        QTest::keyClick(popup->windowHandle(), key);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(combo->currentIndex(), chosen);
        EXPECT_EQ(Title(), "Версия ФФД");
    }
    // Enter with the popup closed goes on.
    QTest::keyClick(form.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(Title(), "Настройки ОФД");
}

TEST_F(WizardTest, ClosingReachesEveryPageAndFreesTheDriver)
{
    TfmMain& form = Form();
    TestPage* page = AddTestPage(form);
    Regmaven::CreateDriver();
    form.close();
    EXPECT_EQ(page->Closes, 1);
    FForm.reset();
    EXPECT_FALSE(Regmaven::DriverExists());
    EXPECT_EQ(MainForm(), nullptr);
}

TEST_F(WizardTest, SettingsButtonShowsTheDriverProperties)
{
    TfmMain& form = Form();
    bool shown = false;
    ScriptOrvekDialog([&](QDialog&) {
        shown = true;
        return int(QDialog::Rejected);
    });
    form.btnMenu->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
}
