// The fiscalisation page against the emulated register: what the reports
// write and send, the results read back into the inputs, the registration
// document, the OSU question and the input checks.
#include "pages/fn/fmuFNFiscalization.h"

#include "core/support/RNMUtil.h"
#include "emulator/RegisterFiscalization.h"
#include "core/pages/fmuTabbedPage.h"
#include "lumaqtst/fmuMain.h"
#include "pages/fn/fmuReasonCodes.h"
#include "platform/ui/EditLimit.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using M = OrvekMethod;

namespace {
QString Line(const QString& name, const QString& value, int width = 24)
{
    return QLatin1Char(' ') + name.leftJustified(width) + QStringLiteral(": ") + value;
}

QString Bool(const QString& name, bool value)
{
    return Line(name, value ? QStringLiteral("[да]") : QStringLiteral("[нет]"), 40);
}

const QString Separator = QLatin1Char(' ') + QString(40, QLatin1Char('-'));
const QString ReasonMaskError =
    QStringLiteral("Значение поля \"Коды причин изм. сведений о ККТ (ФФД 1.2)\" должно быть от 0 до 4294967295");
constexpr int FSTable = 18;
} // namespace

class FiscalizationPageTest : public MainPageTest<TfmFNFiscalization> {
protected:
    void TearDown() override
    {
        delete std::exchange(fmReasonCodes, nullptr);
        MainPageTest::TearDown();
    }

    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    QString Panel() const { return Main->edtResult->text(); }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    QVariant Field(int table, int field) { return TestRegister().Tables().Value(table, 1, field); }
    void SetField(int table, int field, const QVariant& value) { TestRegister().Tables().SetValue(table, 1, field, value); }
    // The registration number the register takes for the INN.
    QString RNMFor(const QString& inn)
    {
        return GenerateRNM(QByteArray("1"), inn.toLatin1(), TestRegister().State().Serial.toLatin1());
    }
    // Inputs the register accepts: the INN, its registration number, ОСН.
    void Fill(const QString& inn = QStringLiteral("123456789012"))
    {
        Page->edtINN->setText(inn);
        Page->edtKKTRegistrationNumber->setText(RNMFor(inn));
        if (!Page->chbTax0->isChecked())
            Page->chbTax0->click();
    }
    const FNDocument& LastDocument() { return FN().Documents.back(); }
};

// A zone is written only when picked after the page was shown: showing it
// clears what the defaults and the stored values selected.
TEST_F(FiscalizationPageTest, ShowingThePageClearsTheZone)
{
    // A window whose page is made on its first show, then restored.
    Main.reset();
    Main = std::make_unique<TfmMain>();
    Main->show();
    Main->ListBox->setCurrentRow(1);
    auto* group = qobject_cast<TfmTabbedPage*>(Main->ShownPage());
    ASSERT_NE(group, nullptr);
    group->PageControl->setCurrentIndex(1);
    Page = Main->Pages().PageByClass<TfmFNFiscalization>();
    ASSERT_TRUE(Page->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(Page->cbTimeZone->currentIndex(), -1);
    // Only the user's choice changes the hint: the defaults and the clearing do not.
    const QString initialHint = QStringLiteral("Часовая зона места (адреса) расчетов");
    EXPECT_EQ(Page->cbTimeZone->toolTip(), initialHint);

    // Shown again after a zone was picked and the INN type set from code.
    Page->cbTimeZone->setCurrentIndex(4);
    emit Page->cbTimeZone->activated(4);
    Page->cbINNType->setCurrentIndex(1);
    group->PageControl->setCurrentIndex(0);
    group->PageControl->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(Page->cbTimeZone->currentIndex(), -1);
    EXPECT_EQ(Page->cbTimeZone->toolTip(), TfmFNFiscalization::TimeZoneHint(4));
    EXPECT_EQ(EditLimit(Page->edtINN), 10);

    // A zone set from code leaves the hint as it is.
    Page->cbTimeZone->setCurrentIndex(7);
    EXPECT_EQ(Page->cbTimeZone->toolTip(), TfmFNFiscalization::TimeZoneHint(4));
}

TEST_F(FiscalizationPageTest, RegistrationSendsTheInputsAndShowsTheDocument)
{
    FN().Reset();
    Fill();
    Page->chbWorkMode[2]->click();  // automatic mode
    EXPECT_TRUE(Page->edtAutomatNumber->isEnabled());
    Page->edtAutomatNumber->setText(QStringLiteral("A-17"));
    Page->chbWorkMode[4]->click();
    Page->chkWorkModeEx[1]->click();
    EXPECT_EQ(Page->edtWorkMode->text(), QStringLiteral("20"));
    EXPECT_EQ(Page->edtWorkModeEx->text(), QStringLiteral("2"));
    Page->edtReasonCodeEx->setText(QStringLiteral("2147483649"));
    Page->cbTimeZone->setCurrentIndex(Page->cbTimeZone->findText(QStringLiteral("3-я часовая зона (МСК+1, UTC+4)")));
    emit Page->cbTimeZone->activated(Page->cbTimeZone->currentIndex());
    EXPECT_EQ(Page->cbTimeZone->toolTip(), TfmFNFiscalization::TimeZoneHint(2));

    Page->btnFNFiscalization->click();
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
    const FNDocument& doc = LastDocument();
    EXPECT_EQ(doc.Type, FNDocType::Registration);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral(" Сформировать отчет о регистрации ККТ"), Separator,
                                    Line(QStringLiteral("Номер ФД"), QString::number(doc.Number)),
                                    Line(QStringLiteral("Фискальный признак"), QString::number(doc.FiscalSign))}));
    const FNRegistration& r = FN().Registration;
    EXPECT_EQ(r.INN, QStringLiteral("123456789012"));
    EXPECT_EQ(r.KKTRegistrationNumber, RNMFor(r.INN));
    EXPECT_EQ(r.TaxType, 1);
    EXPECT_EQ(r.WorkMode, 20);
    EXPECT_EQ(r.WorkModeEx, 2);
    EXPECT_EQ(r.ReasonCodeEx, 2147483649u);
    EXPECT_EQ(Field(17, 66).toInt(), 3);
    EXPECT_EQ(Field(24, 1).toString(), QStringLiteral("A-17"));
    ASSERT_NE(FindTag(doc.Tags, RegTag::TimeZone), nullptr);
    EXPECT_EQ(FindTag(doc.Tags, RegTag::TimeZone)->Integer(), 3u);
    ASSERT_NE(FindTag(doc.Tags, RegTag::AutomatNumber), nullptr);
    EXPECT_EQ(FindTag(doc.Tags, RegTag::AutomatNumber)->Text(), QStringLiteral("A-17"));
    EXPECT_TRUE(Page->btnFNFiscalization->isEnabled());
}

// What the registration and re-registration write into the tables, by the
// zone picked, the FFD field 17,1,17 and the model.
TEST_F(FiscalizationPageTest, TableWrites)
{
    struct Case {
        const char* name;
        bool reregistration;
        int zone;   // item index, -1 none
        int ffd;    // 17,1,17
        int model;  // 16: model type 2
        int zoneField;
        bool extended;
        bool mask;
    } cases[] = {
        {"no zone picked", false, -1, 4, 17, 12, true, true},
        {"third zone", false, 2, 4, 17, 3, true, true},
        {"FFD 2: no mask", false, -1, 2, 17, 12, true, false},
        {"model type 2", false, -1, 4, 16, 12, false, false},
        {"re-registration writes no zone", true, 2, 4, 17, 12, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEmulatedDriver();
        if (!c.reregistration)
            FN().Reset();
        TestRegister().ModelParams().Set(32, c.model);
        SetField(17, 17, c.ffd);
        SetField(17, 66, 12);
        SetField(FSTable, 21, 0);
        SetField(FSTable, 22, 0);
        Fill();
        if (!Page->chkWorkModeEx[0]->isChecked())
            Page->chkWorkModeEx[0]->click();
        // A mask that is not read may be anything: it blocks nothing.
        Page->edtReasonCodeEx->setText(c.mask ? QStringLiteral("5") : QStringLiteral("abc"));
        Page->cbTimeZone->setCurrentIndex(c.zone);
        TestDialogs().clear();
        (c.reregistration ? Page->btnFNBuildReregistrationReport : Page->btnFNFiscalization)->click();
        EXPECT_EQ(TestDialogs().lastMessage(), QString());
        EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
        EXPECT_EQ(Field(17, 66).toInt(), c.zoneField);
        EXPECT_EQ(Field(FSTable, 21).toInt(), c.extended ? 1 : 0);
        EXPECT_EQ(Field(FSTable, 22).toInt(), c.mask ? 5 : 0);
    }
}

TEST_F(FiscalizationPageTest, BuildTimeout)
{
    struct Case {
        const char* name;
        int timeout;
        bool goodRNM;
        int seen;
    } cases[] = {
        {"raised for the build", 3000, true, 10000},
        {"raised for a build that fails", 3000, false, 10000},
        {"left alone", 20000, true, 20000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FN().Reset();
        Fill();
        if (!c.goodRNM)
            Page->edtKKTRegistrationNumber->setText(QStringLiteral("0000000001000000"));
        Driver().setTimeout(c.timeout);
        Page->btnFNFiscalization->click();
        EXPECT_EQ(TestRegister().Area<RegisterFiscalization>().BuildTimeout, c.seen);
        EXPECT_EQ(Driver().Timeout(), c.timeout);
        if (!c.goodRNM) {
            EXPECT_EQ(Panel(), QStringLiteral("(9) ФН: Некорректное значение параметров команды"));
            EXPECT_EQ(Lines(), (QStringList{QStringLiteral(" Сформировать отчет о регистрации ККТ"), Separator}));
        }
    }
}

TEST_F(FiscalizationPageTest, INNLengthIsCheckedBeforeAnythingIsSent)
{
    struct Case {
        int type;
        const char* inn;
        const char* message;
    } cases[] = {
        {1, "12345678901", "Длина ИНН должна быть 10 символов"},
        {0, "12345678901", "Длина ИНН должна быть 12 символов"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Page->edtINN->setText(QString::fromLatin1(c.inn));
        // A type restored from the registry: the length of the edit is not cut yet.
        Page->cbINNType->setCurrentIndex(c.type);
        Page->edtTaxType->setText(QStringLiteral("1"));
        TestRegister().ClearJournal();
        TestDialogs().clear();
        for (QPushButton* button : {Page->btnFNFiscalization, Page->btnFNBuildReregistrationReport}) {
            button->click();
            EXPECT_EQ(TestDialogs().lastMessage(), QString::fromUtf8(c.message));
        }
        EXPECT_TRUE(TestRegister().Journal().empty());
    }
}

// The INN type limits what is typed; an INN typed before the type was
// chosen, or read back from the register, stays whole for the length check.
TEST_F(FiscalizationPageTest, TheINNTypeLimitsTypingOnly)
{
    const QString inn = QStringLiteral("500100732259");
    Page->cbINNType->setCurrentIndex(0);
    emit Page->cbINNType->activated(0);
    Page->edtINN->clear();
    QTest::keyClicks(Page->edtINN, inn + QStringLiteral("7"));
    EXPECT_EQ(Page->edtINN->text(), inn);

    Page->cbINNType->setCurrentIndex(1);
    emit Page->cbINNType->activated(1);
    EXPECT_EQ(EditLimit(Page->edtINN), 10);
    EXPECT_EQ(Page->edtINN->text(), inn);
    TestRegister().ClearJournal();
    for (QPushButton* button : {Page->btnFNFiscalization, Page->btnFNBuildReregistrationReport}) {
        button->click();
        EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Длина ИНН должна быть 10 символов"));
    }
    EXPECT_TRUE(TestRegister().Journal().empty());

    Page->edtINN->clear();
    FN().Documents[0].Registration.INN = inn;
    Page->btnFNGetFiscalizationResult->click();
    EXPECT_EQ(Page->edtINN->text(), inn);

    Page->edtINN->clear();
    QTest::keyClicks(Page->edtINN, inn);
    EXPECT_EQ(Page->edtINN->text(), inn.left(10));
}

TEST_F(FiscalizationPageTest, ReregistrationSendsTheReason)
{
    const std::pair<int, int> cases[] = {{0, 1}, {3, 4}};
    for (const auto& [index, code] : cases) {
        SCOPED_TRACE(code);
        Fill();
        Page->cbReasonCode->setCurrentIndex(index);
        Page->btnFNBuildReregistrationReport->click();
        EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
        EXPECT_EQ(LastDocument().Type, FNDocType::Reregistration);
        EXPECT_EQ(LastDocument().Registration.ReasonCode, code);
        EXPECT_EQ(Driver().RegistrationReasonCode(), code);
        EXPECT_EQ(Lines().value(0), QStringLiteral(" Сформировать отчет о перерегистрации"));
        EXPECT_EQ(Lines().value(2), Line(QStringLiteral("Номер ФД"), QString::number(LastDocument().Number)));
    }
}

TEST_F(FiscalizationPageTest, ResultsFillTheInputs)
{
    FNDocument& doc = FN().Documents[0];
    doc.DateTime = QDateTime(QDate(2024, 3, 5), QTime(10, 30, 15));
    doc.FiscalSign = 3000000000u;
    doc.Registration = {QStringLiteral("7701234567"), {}, QStringLiteral(" 0000000001045587 "), 0b100011, 0b10000101,
                        0, 7, (1u << 31) | 1u};
    SetField(FSTable, 12, QStringLiteral("7704211201"));
    SetField(FSTable, 21, 10);

    Page->btnFNGetFiscalizationResult->click();
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
    EXPECT_EQ(Lines(), (QStringList{
                           QStringLiteral(" Запрос итогов фискализации ФН"),
                           Separator,
                           Line(QStringLiteral("ИНН"), QStringLiteral("7701234567")),
                           Line(QStringLiteral("ИНН ОФД"), QStringLiteral("7704211201")),
                           Line(QStringLiteral("Рег. номер ККТ"), QStringLiteral(" 0000000001045587 ")),
                           Line(QStringLiteral("Код сист. налогообложения"), QStringLiteral("35")),
                           Bool(QStringLiteral("  ОСН"), true),
                           Bool(QStringLiteral("  УСН доход"), true),
                           Bool(QStringLiteral("  УСН доход минус расход"), false),
                           Bool(QStringLiteral("  ЕНВД"), false),
                           Bool(QStringLiteral("  ЕСХН"), false),
                           Bool(QStringLiteral("  Патент"), true),
                           Line(QStringLiteral("Режим работы"), QStringLiteral("133")),
                           Bool(QStringLiteral("  Шифрование"), true),
                           Bool(QStringLiteral("  Автономный режим"), false),
                           Bool(QStringLiteral("  Автоматический режим"), true),
                           Bool(QStringLiteral("  Применение в сфере услуг"), false),
                           Bool(QStringLiteral("  Режим БСО"), false),
                           Bool(QStringLiteral("  Применение в Интернет"), false),
                           Bool(QStringLiteral("  ККТ в общественном питании"), false),
                           Bool(QStringLiteral("  Оптовая торговля с организациями и ИП"), true),
                           Line(QStringLiteral("Расширенные признаки работы ККТ"), QStringLiteral("10")),
                           Bool(QStringLiteral("  Продажа подакцизного товара"), false),
                           Bool(QStringLiteral("  Признак проведения азартных игр"), true),
                           Bool(QStringLiteral("  Признак проведения лотереи"), false),
                           Bool(QStringLiteral("  Признак установки принтера в автомате"), true),
                           Bool(QStringLiteral("  Признак торговли маркиров. товарами (1.2)"), false),
                           Bool(QStringLiteral("  Признак ломбардной деятельности (1.2)"), false),
                           Bool(QStringLiteral("  Признак страховой деятельности (1.2)"), false),
                           Bool(QStringLiteral("  ККТ с торговым автоматом (1.2)"), false),
                           Line(QStringLiteral("Дата"), QStringLiteral("05.03.2024")),
                           Line(QStringLiteral("Время"), QStringLiteral("10:30:15")),
                           Line(QStringLiteral("Код причины перерегистрации"), QStringLiteral("7, Неизвестный код")),
                           Line(QStringLiteral("Код причины изменения сведений о ККТ"), QStringLiteral("2147483649")),
                           Bool(QStringLiteral("  Замена фискального накопителя"), true),
                           Bool(QStringLiteral("  Иные причины"), true),
                           Line(QStringLiteral("Номер ФД"), QStringLiteral("1")),
                           Line(QStringLiteral("Фискальный признак"), QStringLiteral("3000000000")),
                       }));
    // The inputs follow the results; the boxes recompute the codes.
    EXPECT_EQ(Page->edtINN->text(), QStringLiteral("7701234567"));
    EXPECT_EQ(Page->edtKKTRegistrationNumber->text(), QStringLiteral("0000000001045587"));
    EXPECT_EQ(Page->edtTaxType->text(), QStringLiteral("35"));
    EXPECT_TRUE(Page->chbTax0->isChecked() && Page->chbTax1->isChecked() && Page->chbTax5->isChecked());
    EXPECT_FALSE(Page->chbTax2->isChecked() || Page->chbTax4->isChecked());
    EXPECT_EQ(Page->edtWorkMode->text(), QStringLiteral("133"));
    EXPECT_TRUE(Page->chbWorkMode[7]->isChecked());
    EXPECT_TRUE(Page->edtAutomatNumber->isEnabled());
    EXPECT_EQ(Page->edtWorkModeEx->text(), QStringLiteral("10"));
    EXPECT_TRUE(Page->chkWorkModeEx[3]->isChecked());

    // By number: the values as reported, no table fallbacks; reason 0 has no text.
    doc.Registration.ReasonCode = 0;
    Page->edtRegistrationNumber->setText(QStringLiteral("1"));
    Page->btnFNGetFiscalizationResultByNumber->click();
    const QStringList lines = Lines();
    EXPECT_EQ(lines.value(0), QStringLiteral(" Запрос итогов фискализации ФН по номеру"));
    EXPECT_EQ(lines.value(3), Line(QStringLiteral("ИНН ОФД"), QString()));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Расширенные признаки работы ККТ"), QStringLiteral("0"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Код причины перерегистрации"), QStringLiteral("0, "))));
    EXPECT_EQ(Page->edtWorkModeEx->text(), QStringLiteral("0"));

    // A registration that is not there.
    Page->edtRegistrationNumber->setText(QStringLiteral("2"));
    Page->btnFNGetFiscalizationResultByNumber->click();
    EXPECT_EQ(Panel(), QStringLiteral("(8) ФН: Нет запрошенных данных"));
    EXPECT_EQ(Lines(), QStringList{QString()});
}

TEST_F(FiscalizationPageTest, RegistrationDocumentAndTag)
{
    Fill();
    Page->cbReasonCode->setCurrentIndex(0);
    Page->btnFNBuildReregistrationReport->click();
    Page->edtRegistrationNumber->setText(QStringLiteral("2"));
    Page->btnReadRegistrationDoc->click();
    const QStringList text = Lines();
    EXPECT_EQ(text.value(0), QStringLiteral("ОТЧЕТ ОБ ИЗМ. ПАРАМЕТРОВ РЕГИСТРАЦИИ"));
    EXPECT_TRUE(text.contains(QStringLiteral("[1018] ИНН: 123456789012")));
    EXPECT_TRUE(text.contains(QStringLiteral("[1101] КОД ПРИЧИНЫ ПЕРЕРЕГ.: 1")));

    Page->edtTagNumber->setText(QStringLiteral("1018"));
    Page->btnReadRegistrationTag->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("FA 03 0C 00 31 32 33 34 35 36 37 38 39 30 31 32"));
    // The FN's first registration, made before the page existed.
    Page->edtRegistrationNumber->setText(QStringLiteral("1"));
    Page->btnReadRegistrationTag->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("FA 03 0A 00 30 31 32 33 34 35 36 37 38 38"));

    // A tag or a registration that is not there empties the memo: no older
    // answer stays shown; the result panel says why.
    for (const auto& [number, tag] : {std::pair{"1", "1036"}, std::pair{"3", "1018"}}) {
        SCOPED_TRACE(number);
        Page->edtRegistrationNumber->setText(QStringLiteral("1"));
        Page->edtTagNumber->setText(QStringLiteral("1018"));
        Page->btnReadRegistrationTag->click();
        ASSERT_FALSE(Page->Memo->toPlainText().isEmpty());
        Page->edtRegistrationNumber->setText(QString::fromLatin1(number));
        Page->edtTagNumber->setText(QString::fromLatin1(tag));
        Page->btnReadRegistrationTag->click();
        EXPECT_EQ(Panel(), QStringLiteral("(8) ФН: Нет запрошенных данных"));
        EXPECT_EQ(Page->Memo->toPlainText(), QString());
    }
    Page->edtRegistrationNumber->setText(QStringLiteral("1"));
    Page->btnReadRegistrationDoc->click();
    ASSERT_FALSE(Page->Memo->toPlainText().isEmpty());
    Page->edtRegistrationNumber->setText(QStringLiteral("3"));
    Page->btnReadRegistrationDoc->click();
    EXPECT_EQ(Panel(), QStringLiteral("(8) ФН: Нет запрошенных данных"));
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    // A failed call whose driver properties still hold the answer before.
    Page->edtRegistrationNumber->setText(QStringLiteral("1"));
    for (QPushButton* button : {Page->btnReadRegistrationDoc, Page->btnReadRegistrationTag}) {
        button->click();
        ASSERT_FALSE(Page->Memo->toPlainText().isEmpty());
        TestRegister().Faults().FailNext(button == Page->btnReadRegistrationDoc ? M::FNGetDocumentAsString
                                                                               : M::FNRequestRegistrationTLV,
                                         80);
        button->click();
        EXPECT_EQ(Page->Memo->toPlainText(), QString());
        EXPECT_TRUE(Panel().startsWith(QStringLiteral("(80)"))) << qPrintable(Panel());
    }
}

TEST_F(FiscalizationPageTest, OSUQuestion)
{
    const QString firmware = QStringLiteral(
        "Текущая прошивка ККТ \r\nне поддерживает следующие параметры: \r\n ККТ в обществ. питании,\r\n Опт. "
        "торговля с организациями и ИП,\r\n ККТ с торговым автоматом.\r\nПродолжить в любом случае?");
    const QString noOSU = QStringLiteral(
        "ФН не поддерживает ОСУ.\r\nСледующие параметры не поддерживаются:\r\n ККТ в обществ. питании,\r\n Опт. "
        "торговля с организациями и ИП,\r\n ККТ с торговым автоматом.\r\nПродолжить в любом случае?");

    // No box that needs OSU: no question, no status query.
    FN().Reset();
    Fill();
    Page->btnFNFiscalization->click();
    EXPECT_EQ(TestRegister().CallCount(M::FNGetOSUSupportStatus), 0);
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));

    // The firmware does not know the command: asked, Cancel ends it.
    Page->chbWorkMode[6]->click();  // "ККТ в обществ. питании*"
    TestRegister().Faults().FailNext(M::FNGetOSUSupportStatus, 55);
    TestDialogs().answerMessage(Dialogs::mrCancel);
    Page->btnFNBuildReregistrationReport->click();
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    const Dialogs::MessageRequest& box = TestDialogs().shown()[0].message;
    EXPECT_EQ(box.text, firmware);
    EXPECT_EQ(box.caption, QStringLiteral("Внимание"));
    EXPECT_EQ(box.buttons, Dialogs::Buttons::OkCancel);
    EXPECT_EQ(box.icon, Dialogs::Icon::Warning);
    EXPECT_EQ(box.defaultButton, Dialogs::mrCancel);
    EXPECT_EQ(TestRegister().CallCount(M::FNBuildReregistrationReport), 0);

    // The FN lacks OSU: asked, OK goes on.
    FN().OSUSupportStatus = 255;
    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->btnFNBuildReregistrationReport->click();
    EXPECT_EQ(TestDialogs().lastMessage(), noOSU);
    EXPECT_EQ(TestRegister().CallCount(M::FNBuildReregistrationReport), 1);
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));

    // An FN with OSU: no question.
    FN().OSUSupportStatus = 1;
    TestDialogs().clear();
    Page->btnFNBeginFiscalization->click();
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(TestRegister().CallCount(M::FNBeginRegistrationReport), 1);
}

TEST_F(FiscalizationPageTest, BeginReportSendsTheReportType)
{
    Page->cbReportTypeInt->setCurrentIndex(2);
    Page->btnFNBeginFiscalization->click();
    EXPECT_EQ(Driver().ReportTypeInt(), 2);
    EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::Reregistration);
    Page->btnFNBeginFiscalization->click();
    EXPECT_EQ(Panel(), QStringLiteral("(2) ФН: Другое состояние ФН"));
}

TEST_F(FiscalizationPageTest, DropDownOfEitherComboWidensTheReportTypes)
{
    QComboBox* types = Page->cbReportTypeInt;
    const int widest = QFontMetrics(types->view()->font()).horizontalAdvance(types->itemText(1)) + 10;
    EXPECT_LT(types->view()->minimumWidth(), widest);
    Page->cbReasonCode->showPopup();
    Page->cbReasonCode->hidePopup();
    EXPECT_EQ(types->view()->minimumWidth(), widest);
}

TEST_F(FiscalizationPageTest, ReasonCodeDialog)
{
    fmReasonCodes = new TfmReasonCodes;
    auto withDialog = [this](const std::function<void(TfmReasonCodes&)>& script) {
        QTimer::singleShot(0, [script] {
            script(*fmReasonCodes);
            if (fmReasonCodes->isVisible())
                fmReasonCodes->close();
        });
        Page->btn1->click();
    };
    Page->edtReasonCodeEx->setText(QStringLiteral("2147483649"));
    withDialog([](TfmReasonCodes& d) {
        int ticked = 0;
        for (QCheckBox* box : d.chk)
            ticked += box->isChecked();
        EXPECT_EQ(ticked, 2);
        EXPECT_TRUE(d.chk[0]->isChecked() && d.chk[22]->isChecked());
        d.chk[1]->click();
        d.btnOk->click();
    });
    EXPECT_EQ(Page->edtReasonCodeEx->text(), QStringLiteral("2147483651"));
    // Closed without OK: the edit stays.
    withDialog([](TfmReasonCodes& d) { d.chk[2]->click(); });
    EXPECT_EQ(Page->edtReasonCodeEx->text(), QStringLiteral("2147483651"));
}

// Faults of the original behaviour, mended.
TEST_F(FiscalizationPageTest, MendedFaults)
{
    // A refused time-zone write shows in the result panel; nothing is built.
    FN().Reset();
    Fill();
    Page->Memo->setPlainText(QStringLiteral("before"));
    Page->cbTimeZone->setCurrentIndex(0);
    TestRegister().Faults().FailNext(M::WriteTable, 51);
    Page->btnFNFiscalization->click();
    EXPECT_EQ(Panel(), QStringLiteral("(51) Некорректные параметры в команде"));
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("before"));
    EXPECT_EQ(TestRegister().CallCount(M::FNBuildRegistrationReport), 0);

    // A failed OSU status query of another code asks the firmware question,
    // not the stale status of the query before.
    Page->chkWorkModeEx[7]->click();
    ASSERT_EQ(Driver().FNGetOSUSupportStatus(), 0);
    TestRegister().Faults().FailNext(M::FNGetOSUSupportStatus, 1);
    TestDialogs().answerMessage(Dialogs::mrCancel);
    Page->btnFNBeginFiscalization->click();
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Текущая прошивка ККТ")));
    EXPECT_EQ(TestRegister().CallCount(M::FNBeginRegistrationReport), 0);
    Page->chkWorkModeEx[7]->click();

    // A reason mask outside 32 bits is refused where it is read: before the
    // report is built, or before the dialog opens.
    fmReasonCodes = new TfmReasonCodes;
    for (const char* text : {"4294967296", "-1", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        Page->edtReasonCodeEx->setText(QString::fromLatin1(text));
        for (QPushButton* button : {Page->btnFNFiscalization, Page->btnFNBuildReregistrationReport, Page->btn1}) {
            TestDialogs().clear();
            button->click();
            EXPECT_EQ(TestDialogs().lastMessage(), ReasonMaskError);
        }
        EXPECT_EQ(TestRegister().CallCount(M::FNBuildRegistrationReport), 0);
        EXPECT_EQ(TestRegister().CallCount(M::FNBuildReregistrationReport), 0);
        EXPECT_FALSE(fmReasonCodes->isVisible());
    }
    Page->edtReasonCodeEx->setText(QStringLiteral("abc"));
    Page->btn1->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"abc\" не является целым числом"));
}

TEST(ReasonCodeToStr, Names)
{
    EXPECT_EQ(ReasonCodeToStr(0), QString());
    EXPECT_EQ(ReasonCodeToStr(1), QStringLiteral("Замена ФН"));
    EXPECT_EQ(ReasonCodeToStr(4), QStringLiteral("Изменение настроек ККТ"));
    EXPECT_EQ(ReasonCodeToStr(5), QStringLiteral("Неизвестный код"));
    EXPECT_EQ(ReasonCodeToStr(-1), QStringLiteral("Неизвестный код"));
}
