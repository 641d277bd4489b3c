// The registration report, the registration sequence and its result page on
// the emulated register.
#include "core/binding/BusyRetry.h"
#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFiscalization.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterTags.h"
#include "regmaven/fmuFiscalizationBefore.h"
#include "regmaven/fmuFiscalizationInfo.h"
#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuWorkMode.h"
#include "regmaven/untRegReport.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

using namespace Regmaven;

namespace {

const QString INN = QStringLiteral("7707083893");

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

// What the data pages collect for a registration of the test register.
TRegParams Registration()
{
    TRegParams p;
    p.FirstTime = true;
    p.INN = INN;
    p.RNM = GenerateRNM(QStringLiteral("0000000001"), INN, TestRegister().State().Serial);
    p.User = QStringLiteral("ООО Ромашка");
    p.Cashier = QStringLiteral("Иванов");
    p.Address = QStringLiteral("Москва");
    p.PayPlace = QStringLiteral("Магазин");
    p.SenderEmail = QStringLiteral("a@b.ru");
    p.TaxOfficeURL = QStringLiteral("www.nalog.gov.ru");
    p.OFDName = QStringLiteral("ОФД");
    p.OFDUrl = QStringLiteral("ofd.ru");
    p.OFDINN = QStringLiteral("7704211201");
    p.OFDServer = QStringLiteral("ofd.example");
    p.OFDPort = 7777;
    p.OFDEnabled = true;
    p.TaxSystem = 1;
    p.FFD = 2;
    p.ReasonCode = 3;
    return p;
}

QString LastBuildCall()
{
    const auto journal = TestRegister().Journal();
    for (auto it = journal.rbegin(); it != journal.rend(); ++it)
        if (*it == OrvekMethod::FNBuildRegistrationReport || *it == OrvekMethod::FNBuildReregistrationReport)
            return QString::fromLatin1(MethodName(*it).data(), qsizetype(MethodName(*it).size()));
    return {};
}

// The message Fiscalize raises; empty when it raises none.
QString FiscalizeMessage(const TRegParams& p)
{
    try {
        Fiscalize(p);
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

// A fresh bench and driver object between the cases of a table.
void FreshRegister()
{
    Regmaven::FreeDriver();
    ResetEmulatedDriver();
}

// A bench of one register of the generation, with a blank FN.
void OnlyRegister(bool newer)
{
    Regmaven::FreeDriver();
    Bench().Clear();
    RegisterConfig config;
    config.TypeTwo = newer;
    config.BlankFN = true;
    Bench().Add(config);
}

// Every value of every device table.
std::vector<std::vector<std::vector<QVariant>>> AllTables()
{
    const RegisterTables& t = TestRegister().Tables();
    std::vector<std::vector<std::vector<QVariant>>> values;
    for (int n = 1; n <= t.Count(); ++n)
        values.push_back(t.Find(n)->Values);
    return values;
}

} // namespace

TEST(SlipTest, LinesAtTheWidth)
{
    struct Case {
        const char* what;
        bool rightAligned;
        std::function<void(TSlip&)> add;
        QStringList lines;
    };
    const std::vector<Case> cases = {
        {"right-aligned pair", true, [](TSlip& s) { s.AddPair("ИНН:", "7707083893"); }, {"ИНН:      7707083893"}},
        {"pair too long: one blank, wrapped", true, [](TSlip& s) { s.AddPair("Адрес:", "ул. Ленина, 10-25"); },
         {"Адрес: ул. Ленина, 1", "0-25"}},
        {"pair after the name column", false, [](TSlip& s) { s.AddPair("ИНН", "7707083893"); },
         {"ИНН     : 7707083893"}},
        {"name wider than the column", false, [](TSlip& s) { s.AddPair2("Пользователь", "ООО Ромашка и партнеры"); },
         {"Пользователь: ООО Ромашка и партнеры"}},
        {"centred heading", false, [](TSlip& s) { s.AddStr("ОТЧЕТ", true); }, {"       ОТЧЕТ"}},
        {"centred text wider than the line", false, [](TSlip& s) { s.AddStr("ОТЧЕТ О РЕГИСТРАЦИИ ККТ", true); },
         {"ОТЧЕТ О РЕГИСТРАЦИИ ККТ"}},
        {"empty text adds no line", false, [](TSlip& s) { s.AddStr(""); }, {}},
        {"long text cut at the width", false, [](TSlip& s) { s.AddStr(QString(45, u'x')); },
         {QString(20, u'x'), QString(20, u'x'), QString(5, u'x')}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSlip slip(20);
        slip.FWidth2 = 8;
        slip.FRightAligned = c.rightAligned;
        c.add(slip);
        EXPECT_EQ(slip.Lines(), c.lines);
        slip.Clear();
        EXPECT_TRUE(slip.Lines().isEmpty());
    }
}

TEST(SlipTest, WidthBelowOneKeepsTheTextWhole)
{
    TSlip slip(0);
    slip.AddStr("РНМ ККТ: 0000000001045587");
    slip.FRightAligned = true;
    slip.AddPair("ЗН:", "123");
    EXPECT_EQ(slip.Lines(), (QStringList{"РНМ ККТ: 0000000001045587", "ЗН: 123"}));
}

TEST(RegistrationReportTest, FullReportOfAReRegistration)
{
    TRegParams p;
    p.FirstTime = false;
    p.NewFN = false;
    p.DateTime = QDateTime(QDate(2024, 1, 15), QTime(10, 30, 5));
    p.DocNumber = 7;
    p.FiscalSign = "1234567890";
    p.RNM = "0000000001045587";
    p.KKTSerial = "0000000000012345";
    p.FNSerial = "9960000000012345";
    p.User = "ООО Ромашка и партнеры, Москва";
    p.INN = "7707083893";
    p.Cashier = "Иванов";
    p.Address = "Москва";
    p.PayPlace = "Магазин";
    p.SenderEmail = "a@b.ru";
    p.TaxOfficeURL = "www.nalog.gov.ru";
    p.FFD = 3;
    p.ReasonCode = 3;
    p.ReasonCodesEx = 0x80000001u;
    p.OFDName = "ОФД";
    p.OFDINN = "7704211201";
    p.OFDServer = "ofd.example";
    p.OFDPort = 7777;
    p.TaxSystem = 0x03;
    p.WorkMode = 0x04;
    p.AutomatNumber = "A-17";
    p.WorkModeEx = 0x10;
    p.Agent = 0;
    TSlip slip(32);
    slip.FRightAligned = true;
    BuildReport(slip, p, true);
    const QStringList expected = {
        "      ОТЧЕТ О РЕГИСТРАЦИИ",
        "Дата, Время: 15.01.2024 10:30:05",
        "Номер ФД:                      7",
        "ФПД:                  1234567890",
        "РНМ ККТ:        0000000001045587",
        "ЗН ККТ:         0000000000012345",
        "ЗН ФН:          9960000000012345",
        "Пользователь: ООО Ромашка и парт",
        "неры, Москва",
        "ИНН пользователя:     7707083893",
        "Кассир:                   Иванов",
        "Адрес расчета:            Москва",
        "Место расчета:           Магазин",
        "E-mail отправит.:         a@b.ru",
        "Сайт налог. органа: www.nalog.go",
        "v.ru",
        "Версия ФФД:              ФФД 1.1",
        "Причина перерегистр.: Изменение ",
        "реквизитов",
        "Расширенные коды причин изменени",
        "я сведений о ККТ:",
        "  0 [Замена фискального накопите",
        "ля]",
        "  31 [Иные причины]",
        "Имя ОФД:                     ОФД",
        "ИНН ОФД:              7704211201",
        "Сервер ОФД:          ofd.example",
        "Порт ОФД:                   7777",
        "Системы налогообложения",
        " [ОСН]",
        " [УСН доход]",
        "Режим работы",
        " [Автоматический режим]",
        " Номер автомата             A-17",
        " [Торговля маркированными товара",
        "ми]",
        "Признак агента",
        " Нет",
    };
    EXPECT_EQ(slip.Lines(), expected);
}

TEST(RegistrationReportTest, PartsThatDependOnTheKindAndTheData)
{
    TRegParams p;
    p.FirstTime = true;
    p.FFD = 4;
    p.ReasonCodesEx = 1;
    p.CashierINN = "500100732259";
    p.OFDUrl = "ofd.ru";
    p.ServerKM = "km.example";
    p.PortKM = 2001;
    p.Agent = 0x41;
    TSlip slip;
    slip.FWidth = 80;
    slip.FWidth2 = 24;
    BuildReport(slip, p, false);
    const QStringList& lines = slip.Lines();
    EXPECT_FALSE(lines.contains("ОТЧЕТ О РЕГИСТРАЦИИ"));
    // A registration names no reason.
    EXPECT_FALSE(lines.join('\n').contains("Причин"));
    // The names keep their colon, then the column's ": ".
    for (const char* line : {"ИНН кассира:            : 500100732259", "Сайт ОФД:               : ofd.ru",
                             "Сервер КМ:              : km.example", "Порт КМ:                : 2001",
                             " [Банк. плат. агент]", " [Агент]"})
        EXPECT_TRUE(lines.contains(line)) << line;
    EXPECT_FALSE(lines.contains(" Нет"));
    // A re-registration with a new FN names no reason code, only the extended ones.
    p.FirstTime = false;
    p.NewFN = true;
    slip.Clear();
    BuildReport(slip, p, false);
    EXPECT_FALSE(slip.Lines().join('\n').contains("Причина перерегистр."));
    EXPECT_TRUE(slip.Lines().contains("  0 [Замена фискального накопителя]"));
}

// Pauses are recorded, not waited.
class RegistrationSequenceTest : public RegistrationPageTest {
protected:
    void SetUp() override
    {
        RegistrationPageTest::SetUp();
        FSavedPause = SetPause([this](int ms) { FPauses.push_back(ms); });
    }
    void TearDown() override
    {
        SetPause(FSavedPause);
        RegistrationPageTest::TearDown();
    }
    std::vector<int> FPauses;
    TPause FSavedPause;
};

TEST_F(RegistrationSequenceTest, ReportTypeAndBuildCallOfEachKind)
{
    struct Case {
        const char* what;
        bool firstTime, newFN, newModel, blankFN;
        int reportType;
        QString build;
        int reason;  // in the FN's document
    } cases[] = {
        {"registration", true, false, false, true, 0, "FNBuildRegistrationReport", 0},
        {"re-registration", false, false, false, false, 2, "FNBuildReregistrationReport", 3},
        {"new FN, new model", false, true, true, true, 1, "FNBuildReregistrationReport", 1},
        {"new FN, older model", false, true, false, true, 1, "FNBuildRegistrationReport", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshRegister();
        if (c.blankFN)
            FN().Reset();
        TestRegister().ModelParams().Set(28, c.newModel);
        const int before = FN().LastDocumentNumber();
        TRegParams p = Registration();
        p.FirstTime = c.firstTime;
        p.NewFN = c.newFN;
        p.TimeZone = 6;
        EXPECT_EQ(FiscalizeMessage(p), "");
        EXPECT_EQ(TestRegister().Tables().Value(17, 1, 66).toInt(), 6);
        EXPECT_EQ(Regmaven::Driver().ReportTypeInt(), c.reportType);
        EXPECT_EQ(LastBuildCall(), c.build);
        EXPECT_EQ(Regmaven::Driver().Timeout(), 10000);
        // The FN made the report with the data written.
        EXPECT_EQ(FN().LastDocumentNumber(), before + 1);
        EXPECT_EQ(FN().Registration.INN, INN);
        EXPECT_EQ(TestRegister().Tables().Value(18, 1, 7).toString(), p.User);
        EXPECT_EQ(TestRegister().Tables().Value(18, 1, 15).toString(), p.SenderEmail);
        EXPECT_EQ(TestRegister().Tables().Value(19, 1, 1).toString(), p.OFDServer);
        EXPECT_EQ(TestRegister().Tables().Value(10, 1, 32).toInt(), c.newModel ? 1 : 0);
        EXPECT_EQ(FN().Find(before + 1)->Registration.ReasonCode, c.reason);
    }
}

TEST_F(RegistrationSequenceTest, BusyBeginIsReissuedWithPausesWithinABound)
{
    const TBusyRetry policy = SetRetryPolicy({200, 5});
    FN().Reset();
    for (int code : {80, 75, 80})
        TestRegister().Faults().FailNext(OrvekMethod::FNBeginRegistrationReport, code);
    EXPECT_EQ(FiscalizeMessage(Registration()), "");
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 4);
    EXPECT_EQ(FPauses, (std::vector<int>{200, 200, 200}));
    EXPECT_TRUE(FN().FiscalMode());

    // Busy beyond the bound: the last code is the error and the document is cancelled.
    FN().Reset();
    TestRegister().ClearJournal();
    TestRegister().Faults().FailNext(OrvekMethod::FNBeginRegistrationReport, 80, 100);
    EXPECT_TRUE(FiscalizeMessage(Registration()).startsWith("Ошибка 80, "));
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 5);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNCancelDocument), 1);
    EXPECT_FALSE(FN().FiscalMode());
    TestRegister().Faults().Clear();
    SetRetryPolicy(policy);
}

TEST_F(RegistrationSequenceTest, VendingMachineNumberOfEachGeneration)
{
    // The newer generation keeps the number in its table 16, the older one in
    // table 24; the older one's network switch (table 16 field 1) stays. The
    // FN's registration document carries the number given.
    for (bool newer : {true, false}) {
        SCOPED_TRACE(newer ? "newer generation" : "older generation");
        OnlyRegister(newer);
        RegisterTables& t = TestRegister().Tables();
        const QVariant before16 = t.Value(16, 1, 1), before24 = t.Value(24, 1, 1);
        TRegParams p = Registration();
        p.OFDEnabled = TestRegister().ModelParams().Find(73)->Value.toInt() > 0;
        EXPECT_EQ(p.OFDEnabled, !newer);
        p.WorkMode = 4;  // automatic mode
        p.AutomatNumber = QStringLiteral("77");
        EXPECT_EQ(FiscalizeMessage(p), "");
        EXPECT_TRUE(FN().FiscalMode());
        EXPECT_EQ(ReadTableStr(newer ? 16 : 24, 1, 1), "77");
        const std::vector<FNTag> tags = RegistrationDocumentTags(FN(), FN().Documents.back());
        const FNTag* automat = FindTag(tags, RegTag::AutomatNumber);
        ASSERT_NE(automat, nullptr);
        EXPECT_EQ(automat->Text(), "77");
        if (newer) {
            EXPECT_EQ(t.Value(24, 1, 1), before24);
        } else {
            EXPECT_EQ(t.Value(16, 1, 1), before16);
            EXPECT_EQ(t.Value(16, 1, 1).toInt(), 0);
        }
    }
}

TEST_F(RegistrationSequenceTest, BusyWaitShowsItselfAndTheCloseBoxStopsIt)
{
    const TBusyRetry policy = SetRetryPolicy({200, 150});
    FN().Reset();
    Controller().RegParams = Registration();
    auto& page = Show<TfmFiscalizationBefore>();
    TestRegister().Faults().FailNext(OrvekMethod::FNBeginRegistrationReport, 80, 100);
    struct Seen {
        QString status;
        bool visible, waitCursor, nextEnabled, prevEnabled;
        QPoint next;  // where "Далее >" is
    };
    std::vector<Seen> seen;
    auto nextAt = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return FForm->btnNext->mapTo(FForm.get(), QPoint());
    };
    const QPoint nextBefore = nextAt();
    // The third pause: the user closes the window.
    SetPause([&](int) {
        seen.push_back({FForm->lblWait->text(), FForm->lblWait->isVisible(),
                        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor,
                        FForm->btnNext->isEnabled(), FForm->btnPrev->isEnabled(), nextAt()});
        if (seen.size() == 3)
            FForm->close();
    });
    FForm->btnNext->click();
    ASSERT_EQ(seen.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].status, QString("ФН занят, ожидание: попытка %1 из 150. Закройте окно, чтобы прервать").arg(i + 2));
        EXPECT_TRUE(seen[i].visible);
        EXPECT_TRUE(seen[i].waitCursor);
        EXPECT_FALSE(seen[i].nextEnabled);
        EXPECT_FALSE(seen[i].prevEnabled);
        // The status line takes its place without moving the buttons.
        EXPECT_EQ(seen[i].next, nextBefore);
    }
    // Stopped at that pause: no further call, the document cancelled as after a failed step.
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 3);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNCancelDocument), 1);
    EXPECT_EQ(TestDialogs().lastMessage(), "Операция отменена пользователем");
    EXPECT_EQ(Current(), &page);
    EXPECT_TRUE(FForm->isVisible());
    EXPECT_FALSE(FForm->lblWait->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(FForm->btnNext->isEnabled());
    EXPECT_FALSE(FN().FiscalMode());
    // The next close closes.
    TestRegister().Faults().Clear();
    FForm->close();
    EXPECT_FALSE(FForm->isVisible());
    SetRetryPolicy(policy);
}

// Checked before the first write: a refused registration writes nothing,
// also not the time zone chosen on the last page.
TEST_F(RegistrationSequenceTest, RefusedRegistrationsLeaveTheRegisterAsItWas)
{
    struct Case {
        const char* what;
        bool firstTime, blankFN;
        int automatSize;  // the characters table 24 keeps of the number; 0: as it is
        QString message;
    } cases[] = {
        {"registered FN on \"Регистрация новой ККТ\"", true, false, 0,
         "ФН уже зарегистрирован: регистрация новой ККТ невозможна.\r\nВыберите перерегистрацию ККТ"},
        {"re-registration of an FN not registered", false, true, 0,
         "ФН не зарегистрирован: перерегистрация невозможна.\r\nВыберите \"Регистрация новой ККТ\""},
        {"a vending-machine number longer than the register keeps", true, true, 8,
         "Значение \"Номер автомата\" не может быть записано в ККТ: длиннее 8 символов"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshRegister();
        if (c.blankFN)
            FN().Reset();
        if (c.automatSize)
            TestRegister().Tables().Find(24)->Fields[0].Size = c.automatSize;
        Controller().RegParams = Registration();
        Controller().RegParams.FirstTime = c.firstTime;
        const auto tables = AllTables();
        TestRegister().ClearJournal();
        auto& mode = Show<TfmWorkMode>();
        mode.chkTax0->setChecked(true);
        mode.chkWorkMode2->click();
        mode.edtAutomatNumber->setText("A-0000001");
        mode.cbTimeZone->setCurrentIndex(5);
        ASSERT_EQ(NextMessage(mode), "");
        auto& page = Show<TfmFiscalizationBefore>();
        EXPECT_EQ(NextMessage(page), c.message);
        EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
        EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 0);
        EXPECT_EQ(AllTables(), tables);
        EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::None);
    }
}

// A register without the OFD link table (model parameter 73 is 0) registers
// in FFD 1.2: nothing is read from that table or written to it.
TEST_F(RegistrationSequenceTest, NoOFDLinkTableInFFD12)
{
    OnlyRegister(true);
    TRegParams& p = Controller().RegParams;
    p = Registration();
    p.OFDEnabled = false;
    p.FFD = 4;
    auto& ofd = Show<TfmOFDParams>();
    EXPECT_TRUE(TestDialogs().messages().isEmpty()) << TestDialogs().lastMessage().toStdString();
    EXPECT_FALSE(ofd.edtServerKM->isEnabled());
    EXPECT_FALSE(ofd.edtPortKM->isEnabled());
    const std::vector<QVariant> ofdTable = TestRegister().Tables().Find(19)->Values[0];
    p.ServerKM = QStringLiteral("km.example");
    p.PortKM = 2001;
    EXPECT_EQ(FiscalizeMessage(p), "");
    EXPECT_TRUE(FN().FiscalMode());
    EXPECT_EQ(TestRegister().Tables().Find(19)->Values[0], ofdTable);
}

// The close box and Alt+F4 reach the program as the window system's close
// request, queued like the user's input: it ends the wait at its pause.
TEST_F(RegistrationSequenceTest, WindowSystemCloseRequestEndsTheWaitAtItsPause)
{
    const TBusyRetry policy = SetRetryPolicy({20, 150});
    FN().Reset();
    Controller().RegParams = Registration();
    Show<TfmFiscalizationBefore>();
    FForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
    TestRegister().Faults().FailNext(OrvekMethod::FNBeginRegistrationReport, 80, 100);
    SetPause(nullptr);  // the programs' own pause
    int pauses = 0;
    TPause pause;
    pause = SetPause([&](int ms) {
        if (++pauses == 1)
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                FForm->windowHandle());
        pause(ms);
    });
    FForm->btnNext->click();
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 1);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNCancelDocument), 1);
    EXPECT_EQ(TestDialogs().lastMessage(), "Операция отменена пользователем");
    EXPECT_FALSE(FN().FiscalMode());
    EXPECT_TRUE(FForm->isVisible());
    SetPause(pause);
    SetRetryPolicy(policy);
}

TEST_F(RegistrationSequenceTest, FailuresCancelTheOpenDocumentOnly)
{
    // A build the FN refuses (a registration number of another INN).
    FN().Reset();
    TRegParams p = Registration();
    p.RNM = GenerateRNM(QStringLiteral("0000000001"), QStringLiteral("500100732259"), TestRegister().State().Serial);
    const QString message = FiscalizeMessage(p);
    EXPECT_TRUE(message.startsWith("Ошибка ")) << message.toStdString();
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNCancelDocument), 1);
    EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::None);
    EXPECT_TRUE(FN().Documents.empty());

    // A table write that fails comes before the document: nothing to cancel.
    TestRegister().ClearJournal();
    TestRegister().Faults().FailWhen(OrvekMethod::WriteTable, OrvekProp::FieldNumber, 9, 51);
    EXPECT_TRUE(FiscalizeMessage(Registration()).startsWith("Ошибка 51, "));
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 0);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNCancelDocument), 0);
    // The fields before the failing one stay written.
    EXPECT_EQ(TestRegister().Tables().Value(18, 1, 8).toString(), QStringLiteral("Иванов"));
}

TEST_F(RegistrationSequenceTest, TagsAndReasonCodesSent)
{
    struct Case {
        const char* what;
        QString cashierINN;
        int ffd, agent;
        bool newModel;
        std::vector<int> tags;
    } cases[] = {
        {"cashier INN, agent on a new model", "500100732259", 2, 5, true, {1203, 1057}},
        {"no cashier INN", "", 2, 5, true, {1057}},
        {"agent on an older model", "", 2, 5, false, {}},
        {"FFD 1.2 sends no agent", "500100732259", 4, 5, true, {1203}},
        {"no agent", "", 2, 0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshRegister();
        FN().Reset();
        TestRegister().ModelParams().Set(28, c.newModel);
        TRegParams p = Registration();
        p.CashierINN = c.cashierINN;
        p.FFD = c.ffd;
        p.Agent = uint8_t(c.agent);
        EXPECT_EQ(FiscalizeMessage(p), "");
        std::vector<int> sent;
        for (const FNTag& tag : TestRegister().Area<RegisterTags>().Sent)
            sent.push_back(tag.Number);
        EXPECT_EQ(sent, c.tags);
        for (const FNTag& tag : TestRegister().Area<RegisterTags>().Sent) {
            if (tag.Number == 1203) {
                EXPECT_EQ(tag.Text(), c.cashierINN);
            }
            if (tag.Number == 1057) {
                EXPECT_EQ(tag.Integer(), quint64(c.agent));
            }
        }
    }
    // A re-registration in FFD 1.1 puts the extended reason codes into the document.
    FreshRegister();
    TRegParams p = Registration();
    p.FirstTime = false;
    p.FFD = 3;
    p.ReasonCodesEx = 0x80000005u;
    EXPECT_EQ(FiscalizeMessage(p), "");
    EXPECT_EQ(FN().Registration.ReasonCodeEx, 0x80000005u);
}

TEST_F(RegistrationSequenceTest, ConfirmationShowsWhatWillBeRegistered)
{
    Controller().RegParams = Registration();
    auto& page = Show<TfmFiscalizationBefore>();
    EXPECT_EQ(page.lbl1->text(), "Будет произведена регистрация ККТ со следующими параметрами:");
    const QStringList lines = page.Memo->toPlainText().split('\n');
    EXPECT_EQ(lines.value(0), "РНМ ККТ:                : " + Controller().RegParams.RNM);
    EXPECT_TRUE(lines.contains("ЗН ККТ:                 : " + TestRegister().State().Serial));
    EXPECT_TRUE(lines.contains("ЗН ФН:                  : " + FN().Serial));
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
}

TEST_F(RegistrationSequenceTest, ResultPageShowsPrintsAndSavesTheRegistration)
{
    FN().Reset();
    Controller().RegParams = Registration();
    auto& before = Show<TfmFiscalizationBefore>();
    EXPECT_EQ(NextMessage(before), "");
    EXPECT_TRUE(WentTo<TfmFiscalizationInfo>());

    auto& page = Show<TfmFiscalizationInfo>();
    EXPECT_EQ(page.lbl1->text(), "Произведена фискализация ККТ со следующими параметрами:");
    const FNDocument& doc = FN().Documents.back();
    const QStringList lines = page.Memo->toPlainText().split('\n');
    // Font 1 of the register: 576 dots of 12 give 48 characters.
    EXPECT_EQ(lines.value(0), QString(14, u' ') + "ОТЧЕТ О РЕГИСТРАЦИИ");
    EXPECT_EQ(lines.value(2), "Номер ФД:" + QString(48 - 9 - QString::number(doc.Number).size(), u' ') +
                                  QString::number(doc.Number));
    EXPECT_TRUE(lines.contains("ИНН пользователя:" + QString(48 - 17 - 10, u' ') + INN));
    EXPECT_EQ(Controller().RegParams.FiscalSign, QString::number(doc.FiscalSign));
    EXPECT_EQ(Controller().RegParams.DocType, 1);
    EXPECT_EQ(Controller().RegParams.VersionKKT, "001");
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);

    // Printed line by line; a line the register refuses once is printed on the next try.
    TestRegister().Paper().Clear();
    TestRegister().Faults().FailOnCall(OrvekMethod::PrintString, 3, 80);
    page.btnPrintReceipt->click();
    EXPECT_EQ(FPauses, std::vector<int>{50});
    EXPECT_EQ(TestRegister().Paper().Texts(), lines);
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Cut).size(), 1u);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());

    // Saved as text lines in code page 1251.
    const QString file = TestTempDir() + "/Fiscalization.txt";
    TestDialogs().answerFile(file);
    page.btnSave->click();
    EXPECT_EQ(FileBytes(file), WideToAnsi(lines.join("\r\n") + "\r\n"));
    EXPECT_EQ(NextMessage(page), "");
}

TEST_F(RegistrationSequenceTest, PrintWidthFallsBackAndRefusedLinesAreReported)
{
    TestRegister().Area<RegisterPrinter>().Fonts[0].CharWidth = 0;
    Controller().RegParams = Registration();
    Controller().RegParams.FirstTime = false;
    auto& page = Show<TfmFiscalizationInfo>();
    EXPECT_EQ(page.lbl1->text(), "Произведена перерегистрация ККТ со следующими параметрами:");
    EXPECT_EQ(page.Memo->toPlainText().split('\n').value(0), QString(10, u' ') + "ОТЧЕТ О РЕГИСТРАЦИИ");

    TestRegister().Area<RegisterPrinter>().Fonts[0].CharWidth = 12;
    TestRegister().Paper().Clear();
    FPauses.clear();
    for (int call = 2; call <= 6; ++call)
        TestRegister().Faults().FailOnCall(OrvekMethod::PrintString, call, 80);
    page.btnPrintReceipt->click();
    // The second line was refused five times; the rest printed, fed and cut.
    const QStringList lines = page.Memo->toPlainText().split('\n');
    EXPECT_EQ(TestRegister().Paper().Texts(), QStringList(lines.mid(0, 1)) + lines.mid(2));
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Cut).size(), 1u);
    EXPECT_EQ(FPauses, std::vector<int>(5, 50));
    // The code and its own text, though later lines printed.
    EXPECT_EQ(TestDialogs().lastMessage(),
              "Не напечатаны строки чека: 2\r\nОшибка 80, Идет печать предыдущей команды");
}
