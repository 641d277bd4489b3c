// X5 file mode: the readers of registration parameters files, the files the
// wizard writes (read back byte for byte) and the X5 pages.
#include "core/support/CodePage.h"
#include "emulator/RegisterFN.h"
#include "core/support/RNMUtil.h"
#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuCloseFN.h"
#include "regmaven/fmuFiscalizationBefore.h"
#include "regmaven/fmuFiscalizationInfo.h"
#include "regmaven/fmuKKTParamsX5.h"
#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuOpenRegParamsX5.h"
#include "regmaven/fmuRegParamsX5.h"
#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untX5.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringEncoder>
#include <QToolButton>
#include <functional>
#include <optional>

using namespace Regmaven;

namespace {

// The lines as the files are written: code page 1251, CR LF after each.
QByteArray Cp1251Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += WideToAnsi(line) + "\r\n";
    return bytes;
}

} // namespace

TEST(X5Readers, ValuesIntegersAndFlags)
{
    struct Case {
        QString Line, Value;
        std::optional<int> Int;
        bool Flag;
    };
    for (const Case& c : {
             Case{"порт: 7777", "7777", 7777, false},
             Case{"ПОРТ:1", "1", 1, true},                 // capitals, no blank
             Case{"Порт:  1 ", " 1 ", 1, true},            // one blank goes, the rest stays
             Case{"Порт: 0", "0", 0, false},
             Case{"Порт: -5", "-5", -5, false},
             Case{"Порт: 7a", "7a", {}, false},
             Case{"Порт:", "", {}, false},
             Case{"Порт: a:b", "a:b", {}, false},
         }) {
        SCOPED_TRACE(c.Line.toStdString());
        const QStringList lines = {"Порты: 1", "Сервер ОФД: x", c.Line, "Порт: 99"};
        EXPECT_EQ(X5GetValue(lines, "Порт"), c.Value);
        EXPECT_EQ(X5GetBool(lines, "Порт"), c.Flag);
        if (c.Int)
            EXPECT_EQ(X5GetInt(lines, "Порт"), *c.Int);
        else
            EXPECT_EQ(MessageOf([&] { X5GetInt(lines, "Порт"); }),
                      "Некорректное значение атрибута файла\"Порт\": " + c.Value.trimmed());
    }
    EXPECT_EQ(MessageOf([] { X5GetValue({"Порты: 1", " Порт: 1"}, "Порт"); }), "Не найден атрибут файла: Порт");
    EXPECT_EQ(X5TaxSystemMask(0), 1);
    EXPECT_EQ(X5TaxSystemMask(5), 32);
    for (int code : {-1, 6})
        EXPECT_EQ(MessageOf([code] { X5TaxSystemMask(code); }),
                  "Некорректная система налогообложения: " + QString::number(code));
    EXPECT_EQ(X5TaxSystemCode(0b101000), "3");
    EXPECT_EQ(X5TaxSystemCode(0b11000000), "");
}

TEST(X5Readers, FileNames)
{
    const QDateTime date(QDate(2024, 3, 5), QTime(23, 59, 59));
    EXPECT_EQ(X5FileName(x5KKTParams, "0012345678", date, "12"), "20240305_04_12_0012345678.txt");
    EXPECT_EQ(X5FileName(x5Registration, "7", date, ""), "20240305_01__7.txt");
    // A factory code never leads into another folder.
    EXPECT_EQ(X5FileName(x5CloseFN, "0012345678", date, "../../etc/x\\y"), "20240305_03_....etcxy_0012345678.txt");
}

TEST(X5Readers, LoadsEveryKeyInEveryEncoding)
{
    const QString text = X5ParamsLines().join("\r\n") + "\r\n";
    QStringEncoder utf16(QStringConverter::Utf16LE);
    for (const QByteArray& bytes : {WideToAnsi(text), "\xEF\xBB\xBF" + text.toUtf8(), "\xFF\xFE" + QByteArray(utf16.encode(text))}) {
        TRegParams p;
        p.WorkModeEx = 255;
        p.LoadFromX5(WriteTestFile("params.txt", bytes));
        EXPECT_EQ(p.User, "ООО \"Ромашка\"");
        EXPECT_EQ(p.Address, "г. Москва, ул. Тестовая, 1");
        EXPECT_EQ(p.INN, "7707083893");
        EXPECT_EQ(p.RNM, "0000000001012345");
        EXPECT_EQ(p.TaxSystem, 4);
        EXPECT_EQ(p.Agent, 0b0110);
        EXPECT_EQ(p.WorkMode, 0b011001);
        EXPECT_TRUE(p.LotterySign);
        EXPECT_TRUE(p.DeliveryTradeSign);
        EXPECT_TRUE(p.ExciseSign);
        EXPECT_FALSE(p.GameSign);
        EXPECT_FALSE(p.PayTerminalSign);
        EXPECT_TRUE(p.PrinterInAutomat);
        // Excise, lottery and the printer in the automat: bits 0, 2 and 3.
        EXPECT_EQ(p.WorkModeEx, 0b1101);
        EXPECT_EQ(p.PayPlace, "Магазин 5");
        EXPECT_EQ(p.OFDName, "ОФД Тест");
        EXPECT_EQ(p.OFDINN, "7704211201");
        EXPECT_EQ(p.OFDServer, "ofd.example.ru");
        EXPECT_EQ(p.OFDPort, 7777);
    }
}

TEST(X5Readers, BadFilesLoadNothing)
{
    struct Case {
        QStringList Lines;
        QString Message;
    };
    for (const Case& c : {
             Case{X5ParamsLines("Порт"), "Не найден атрибут файла: Порт"},
             Case{X5ParamsLines("наименование пользователя"), "Не найден атрибут файла: наименование пользователя"},
             Case{X5ParamsLines({}, "системы налогообложения", "6"), "Некорректная система налогообложения: 6"},
             Case{X5ParamsLines({}, "Порт", "77x7"), "Некорректное значение атрибута файла\"Порт\": 77x7"},
             Case{{}, "Не найден атрибут файла: наименование пользователя"},
         }) {
        SCOPED_TRACE(c.Message.toStdString());
        TRegParams p;
        p.User = "before";
        p.TaxSystem = 255;
        p.Agent = 255;
        const TRegParams before = p;
        EXPECT_EQ(MessageOf([&] { p.LoadFromX5Lines(c.Lines); }), c.Message);
        EXPECT_EQ(p, before);
    }
}

TEST(X5Files, CloseReportByteForByte)
{
    TX5CloseFNRec r;
    r.UserName = "ИП Иванов";
    r.Address = "Тверь";
    r.PayPlace = "Киоск";
    r.INN = "500100732259";
    r.RNM = "0000000001012345";
    r.KKTSerial = "0012345678";
    r.FFD = 2;
    r.SessionNumber = 14;
    r.Cashier = "Кассир Петров";
    r.FNSerial = "9960000000012345";
    r.DateTime = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3));
    r.DocNumber = 321;
    r.FiscalSign = "1234567890";
    const QString file = TestTempDir() + "/close.txt";
    r.SaveToFile(file);
    const QByteArray bytes = FileBytes(file);
    EXPECT_TRUE(bytes.startsWith("\xCE\xF2\xF7\xB8\xF2 \xEE \xE7\xE0\xEA\xF0\xFB\xF2\xE8\xE8 \xE0\xF0\xF5\xE8\xE2\xE0\r\n"));
    EXPECT_EQ(bytes, Cp1251Lines({
                         "Отчёт о закрытии архива", QString(37, '='), "Тип документа: 3",
                         "наименование пользователя: ИП Иванов", "адрес: Тверь", "место расчетов: Киоск",
                         "ИНН пользователя: 500100732259", "рег. номер ККТ: 0000000001012345",
                         "зав. номер ККТ: 0012345678", "версия ФФД: 2", "номер смены: 14", "кассир: Кассир Петров",
                         "ИНН кассира: ", "зав. номер ФН: 9960000000012345", "дата, время: 05.03.2024 09:07:03",
                         "порядковый номер ФД: 321", "ФП документа: 1234567890",
                     }));
    // A value never breaks its line.
    r.Address = "Тверь\r\nул. Новая";
    r.SaveToFile(file);
    EXPECT_EQ(AnsiToWide(FileBytes(file)).split("\r\n").value(4), "адрес: Тверь  ул. Новая");
}

TEST(X5Files, RegistrationReportByteForByte)
{
    TRegParams p;
    p.LoadFromX5Lines(X5ParamsLines());
    p.FirstTime = true;
    p.KKTSerial = "0012345678";
    p.AutomatNumber = "A-1";
    p.DocType = 1;
    p.VersionKKT = "001";
    p.FFD = 2;
    p.FNSerial = "9960000000012345";
    p.DateTime = QDateTime(QDate(2024, 12, 31), QTime(18, 0, 0));
    p.DocNumber = 1;
    p.FiscalSign = "2785301146";
    p.Cashier = "Старший кассир Петров";
    p.ReasonCode = 3;
    QStringList expected = {
        "Отчёт о регистрации", QString(36, '='), "наименование пользователя: ООО \"Ромашка\"",
        "адрес: г. Москва, ул. Тестовая, 1", "ИНН пользователя: 7707083893", "рег. номер ККТ: 0000000001012345",
        "зав. номер ККТ: 0012345678", "системы налогообложения: 2", "признак лотереи: 1", "признак проведения игр: 0",
        "признак банковского агента: 0", "признак банковского субагента: 1", "признак платежного агента: 1",
        "признак платежного субагента: 0", "признак развозной торговли: 1", "признак платежный терминал: 0",
        "признак продажи подакцизных товаров: 1", "Тип документа: 1", "автономный режим: 0", "признак услуги: 1",
        "признак шифрования: 1", "признак расчетов в интернете: 0", "автоматический режим: 0", "номер автомата: A-1",
        "ИНН ОФД: 7704211201", "признак установки принтера в автомате: 1", "признак АС БСО: 1",
        "место расчетов: Магазин 5", "адрес сайта ФНС: " + TaxOfficeWebAddress,
        "адрес электронной почты отправителя чека: " + FixedSenderEmail, "наименование ОФД: ОФД Тест",
        "версия ККТ: 001", "версия ФФД ККТ: 2", "версия ФФД: 2", "зав. номер ФН: 9960000000012345",
        "дата, время: 31.12.2024 18:00:00", "порядковый номер ФД: 1", "ФП документа: 2785301146",
        "кассир: Старший кассир Петров",
    };
    const QString file = TestTempDir() + "/reg.txt";
    p.SaveX5Report(file);
    EXPECT_EQ(FileBytes(file), Cp1251Lines(expected));

    // A re-registration names its reason after the OFD's INN.
    p.FirstTime = false;
    p.DocType = 2;
    expected[17] = "Тип документа: 2";
    expected.insert(25, "Код причины перерегистрации: 3");
    p.SaveX5Report(file);
    EXPECT_EQ(FileBytes(file), Cp1251Lines(expected));
}

class X5PageTest : public RegistrationPageTest {};

TEST_F(X5PageTest, KKTParamsFileFromTheRegister)
{
    auto& page = Show<TfmKKTParamsX5>();
    page.edtFactoryCode->setText("12/3");
    page.edtAutomatNumber->setText("77");
    page.cbbModelFN->setCurrentIndex(1);
    // A register that does not answer: no file is offered.
    TestRegister().Faults().FailNext(OrvekMethod::FNGetSerial, 2);
    EXPECT_TRUE(NextMessage(page).startsWith("Ошибка 2, "));
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);

    const QString file = TestTempDir() + "/kkt.txt";
    TestDialogs().answerFile(file);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmOpenRegParamsX5>());
    const auto& shown = TestDialogs().shown().back();
    EXPECT_TRUE(shown.file.save);
    EXPECT_EQ(shown.file.fileName,
              QDate::currentDate().toString("yyyyMMdd") + "_04_123_" + TestRegister().State().Serial + ".txt");
    const QString fnSerial = TestRegister().Area<RegisterFN>().Serial;
    EXPECT_EQ(FileBytes(file),
              Cp1251Lines({"Параметры ФР", QString(36, '='), "Код завода: 12/3",
                           "зав. номер ККТ: " + TestRegister().State().Serial, "Модель ККТ: Эмулятор ККТ",
                           "зав. номер ФН: " + fnSerial,
                           "Модель ФН: ФН Шифровальное (криптографическое) средство защиты фискальных данных "
                           "фискальный накопитель ФН-1.05",
                           "Версия модели: 17", "Номер автомата: 77", "Производитель: Korvel"}));
    EXPECT_EQ(Controller().RegParams.AutomatNumber, "77");
    EXPECT_EQ(Controller().RegParams.X5FactoryCode, "12/3");
}

TEST_F(X5PageTest, CancelledDialogsStayOnThePageSilently)
{
    Form(true);
    auto& kkt = Show<TfmKKTParamsX5>();
    TestDialogs().clear();
    Next();
    EXPECT_EQ(Current(), &kkt);
    EXPECT_NE(kkt.PrevPage, &kkt);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());

    auto& open = Show<TfmOpenRegParamsX5>();
    const TRegParams before = Controller().RegParams;
    Next();
    EXPECT_EQ(Current(), &open);
    EXPECT_NE(open.PrevPage, &open);
    EXPECT_EQ(Controller().RegParams, before);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
}

TEST_F(X5PageTest, FileDialogsOfferEveryFile)
{
    const QString text = QStringLiteral("*.txt (*.txt);;Все файлы (*)");
    const QString xml = QStringLiteral("*.xml (*.xml);;Все файлы (*)");
    struct Case {
        const char* Dialog;
        std::function<void()> Open;
        QString Filter;
    };
    for (const Case& c : {
             Case{"X5 parameters save", [&] { NextMessage(Show<TfmKKTParamsX5>()); }, text},
             Case{"X5 parameters open", [&] { NextMessage(Show<TfmOpenRegParamsX5>()); }, text},
             Case{"fiscalisation text", [&] { Page<TfmFiscalizationInfo>().btnSave->click(); }, text},
             Case{"OFD template open", [&] { Show<TfmOFDParams>().btnOpenFile->click(); }, xml},
             Case{"OFD template save", [&] { Show<TfmOFDParams>().btnSaveFile->click(); }, xml},
         }) {
        SCOPED_TRACE(c.Dialog);
        TestDialogs().clear();
        c.Open();
        ASSERT_FALSE(TestDialogs().shown().empty());
        EXPECT_EQ(TestDialogs().shown().back().file.filter, c.Filter);
    }
}

namespace {

// An X5 parameters file whose registration number fits the test register, with value for key.
QString X5ParamsFile(const QString& key = {}, const QString& value = {})
{
    const QString rnmKey = QStringLiteral("рег. номер ККТ");
    QStringList lines = X5ParamsLines({}, key, value);
    if (key != rnmKey)
        for (QString& line : lines)
            if (line.startsWith(rnmKey + ":"))
                line = rnmKey + ": " + GenerateRNM("0000000001", "7707083893", TestRegister().State().Serial);
    return WriteTestFile("params.txt", WideToAnsi(lines.join("\r\n")));
}

} // namespace

TEST_F(X5PageTest, OpenLoadsTheFileAndTheRegistersSerials)
{
    auto& page = Show<TfmOpenRegParamsX5>();
    TestDialogs().answerFile(X5ParamsFile());
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmRegParamsX5>());
    const TRegParams& p = Controller().RegParams;
    EXPECT_EQ(p.OFDServer, "ofd.example.ru");
    EXPECT_EQ(p.KKTSerial, TestRegister().State().Serial);
    EXPECT_EQ(p.FNSerial, TestRegister().Area<RegisterFN>().Serial);

    TestDialogs().answerFile(WriteTestFile("bad.txt", WideToAnsi(X5ParamsLines("Порт").join("\r\n"))));
    EXPECT_EQ(NextMessage(page), "Не найден атрибут файла: Порт");
    EXPECT_FALSE(Controller().NextPageClass);
}

TEST_F(X5PageTest, FileNumbersAreCheckedAsTypedOnesBeforeAnythingIsWritten)
{
    auto& page = Show<TfmOpenRegParamsX5>();
    const TRegParams before = Controller().RegParams;
    struct Case {
        QString key, value, message;
    } cases[] = {
        {"ИНН пользователя", "ООО", "Некорректный ИНН пользователя в файле параметров: \"ООО\""},
        {"ИНН пользователя", "7707083890", "Некорректный ИНН пользователя в файле параметров: \"7707083890\""},
        {"ИНН пользователя", "77070838", "Некорректный ИНН пользователя в файле параметров: \"77070838\""},
        {"ИНН ОФД", "7704211200", "Некорректный ИНН ОФД в файле параметров: \"7704211200\""},
        {"рег. номер ККТ", " ", "Не указан РНМ в файле параметров"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TestDialogs().answerFile(X5ParamsFile(c.key, c.value));
        EXPECT_EQ(NextMessage(page), c.message);
        EXPECT_FALSE(Controller().NextPageClass);
        EXPECT_EQ(Controller().RegParams, before);
    }
    // A registration number of another register: asked, Cancel the default.
    TestDialogs().clear();
    TestDialogs().answerFile(X5ParamsFile("рег. номер ККТ", "0000000001012345"));
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_FALSE(Controller().NextPageClass);
    EXPECT_EQ(Controller().RegParams, before);
    ASSERT_EQ(TestDialogs().messages().size(), 1);
    EXPECT_EQ(TestDialogs().lastMessage(), "Некорректный РНМ для данной ККТ в файле параметров: \"0000000001012345\""
                                           "\r\nВсе равно продолжить?");
    EXPECT_EQ(TestDialogs().shown().back().message.defaultButton, Dialogs::mrCancel);
    TestDialogs().answerFile(X5ParamsFile("рег. номер ККТ", "0000000001012345"));
    TestDialogs().answerMessage(Dialogs::mrOk);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmRegParamsX5>());
    EXPECT_EQ(Controller().RegParams.RNM, "0000000001012345");
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
}

TEST_F(X5PageTest, RegistrationParametersChecksAndReason)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = false;
    p.NewFN = false;
    auto& page = Show<TfmRegParamsX5>();
    EXPECT_TRUE(page.cbbReasonCode->isVisible());
    EXPECT_EQ(page.edtFNSSite->text(), TaxOfficeWebAddress);
    struct Case {
        QString Name, Position, INN, Message;
    };
    for (const Case& c : {Case{"", "Кассир", "", "Введите ФИО кассира!"},
                          Case{"Петров", "", "", "Введите должность кассира!"},
                          Case{"Петров", "Кассир", "7707083894", "Некорректный ИНН кассира!"}}) {
        page.edtCashierName->setText(c.Name);
        page.edtCashierPosition->setText(c.Position);
        page.edtCashierINN->setText(c.INN);
        EXPECT_EQ(NextMessage(page), c.Message);
        EXPECT_EQ(p.Cashier, "");
    }
    page.edtCashierINN->setText("7707083893");
    page.cbbFFD->setCurrentIndex(2);
    page.cbbReasonCode->setCurrentIndex(1);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(p.Cashier, "Кассир Петров");
    EXPECT_EQ(p.CashierINN, "7707083893");
    EXPECT_EQ(p.FFD, 2);
    EXPECT_EQ(p.ReasonCode, 3);

    p.NewFN = true;
    Show<TfmRegParamsX5>();
    EXPECT_FALSE(page.cbbReasonCode->isVisible());
    EXPECT_FALSE(CaptionOf(page.cbbReasonCode)->isVisible());
    page.Next();
    EXPECT_EQ(p.ReasonCode, 1);
}

TEST_F(X5PageTest, RegistrationResultSavedAsX5Report)
{
    TestRegister().Area<RegisterFN>().Reset();
    TRegParams& p = Controller().RegParams;
    p.LoadFromX5Lines(X5ParamsLines());
    p.RNM = GenerateRNM("0000000001", p.INN, TestRegister().State().Serial);
    p.FirstTime = true;
    p.OFDEnabled = true;
    p.FFD = 2;
    p.Cashier = "Кассир Петров";
    p.X5FactoryCode = "12";
    Form(true);
    EXPECT_EQ(NextMessage(Show<TfmFiscalizationBefore>()), "");
    auto& page = Show<TfmFiscalizationInfo>();
    ASSERT_TRUE(page.btnSaveX5->isVisible());

    const FNDocument& doc = TestRegister().Area<RegisterFN>().Documents.back();
    const QString file = TestTempDir() + "/reg.txt";
    TestDialogs().answerFile(file);
    page.btnSaveX5->click();
    EXPECT_EQ(TestDialogs().shown().back().file.fileName,
              doc.DateTime.toString("yyyyMMdd") + "_01_12_" + TestRegister().State().Serial + ".txt");
    const QStringList lines = AnsiToWide(FileBytes(file)).split("\r\n");
    EXPECT_EQ(lines.size(), 40);  // 39 lines (no reason in a first registration), each ended
    EXPECT_TRUE(lines.contains("Тип документа: 1"));
    EXPECT_TRUE(lines.contains("порядковый номер ФД: " + QString::number(doc.Number)));
    EXPECT_TRUE(lines.contains("дата, время: " + doc.DateTime.toString("dd.MM.yyyy hh:mm:ss")));
    EXPECT_TRUE(lines.contains("рег. номер ККТ: " + p.RNM));
    EXPECT_TRUE(lines.contains("признак лотереи: 1"));

    // Outside X5 mode the button is not offered.
    Controller().X5Mode = false;
    Show<TfmFiscalizationInfo>();
    EXPECT_FALSE(page.btnSaveX5->isVisible());
}

TEST_F(X5PageTest, FNCloseReportFromTheRegister)
{
    Form(true);
    auto& page = Show<TfmCloseFN>();
    ASSERT_TRUE(page.btnSaveX5->isVisible());
    EXPECT_TRUE(page.edtX5FactoryCode->isVisible());
    const FNDocument& doc = TestRegister().Area<RegisterFN>().Documents.back();
    EXPECT_EQ(doc.Type, FNDocType::CloseFN);
    page.edtX5FactoryCode->setText("7");
    const QString file = TestTempDir() + "/close.txt";
    TestDialogs().answerFile(file);
    page.btnSaveX5->click();
    const QString serial = TestRegister().Tables().Value(18, 1, 1).toString().trimmed();
    EXPECT_EQ(TestDialogs().shown().back().file.fileName,
              doc.DateTime.toString("yyyyMMdd") + "_03_7_" + serial + ".txt");
    const QStringList lines = AnsiToWide(FileBytes(file)).split("\r\n");
    EXPECT_EQ(lines.value(8), "зав. номер ККТ: " + serial);
    EXPECT_EQ(lines.value(12), "ИНН кассира: ");
    EXPECT_EQ(lines.value(14), "дата, время: " + doc.DateTime.toString("dd.MM.yyyy hh:mm:ss"));
    EXPECT_EQ(lines.value(15), "порядковый номер ФД: " + QString::number(doc.Number));
    EXPECT_EQ(lines.value(16), "ФП документа: " + QString::number(doc.FiscalSign));

    // A failed close offers nothing.
    TestRegister().Faults().FailNext(OrvekMethod::FNCloseFiscalMode, 2);
    Show<TfmCloseFN>();
    EXPECT_TRUE(page.lblStatus->text().startsWith("Ошибка при закрытии архива ФН: 2, "));
    EXPECT_FALSE(page.btnSaveX5->isVisible());
}

TEST_F(X5PageTest, RegistrationAndCloseRoadsWriteTheirFiles)
{
    TfmMain& form = Form(true);
    EXPECT_TRUE(form.windowTitle().endsWith(" [X5]"));
    RegisterFN& fn = TestRegister().Area<RegisterFN>();
    fn.Reset();
    const QString serial = TestRegister().State().Serial;
    const QString folder = TestTempDir();
    TestDialogs().answerFile(folder + "/kkt.txt");
    TestDialogs().answerFile(WriteTestFile(
        "params.txt", WideToAnsi(X5ParamsLines({}, "рег. номер ККТ", GenerateRNM("0000000001", "7707083893", serial))
                                     .join("\r\n"))));
    auto& reg = Page<TfmRegParamsX5>();
    reg.edtCashierName->setText("Петров");
    reg.edtCashierPosition->setText("Кассир");
    reg.cbbFFD->setCurrentIndex(2);
    Page<TfmKKTParamsX5>().edtFactoryCode->setText("12");

    ReachWorkTypes();
    Page<TfmSelectWorkType>().listBox->setCurrentRow(0);
    for (const QString caption : {"Проверка состояния", "Введите заводской номер", "Сохранить параметры ФР (X5)",
                                  "Открыть файл с парметрами (X5)", "Параметры регистрации (X5)", "Регистрация ККТ",
                                  "Печать чека о фискализации"})
        EXPECT_EQ(Next(), caption);
    EXPECT_TRUE(FileBytes(folder + "/kkt.txt").startsWith(WideToAnsi("Параметры ФР\r\n")));
    const FNDocument& registration = fn.Documents.back();
    EXPECT_EQ(registration.Type, FNDocType::Registration);
    // The extended work modes the file's flags give reached the register.
    EXPECT_EQ(TestRegister().Tables().Value(18, 1, 21).toInt(), 0b1101);
    TestDialogs().answerFile(folder + "/reg.txt");
    Page<TfmFiscalizationInfo>().btnSaveX5->click();
    EXPECT_TRUE(AnsiToWide(FileBytes(folder + "/reg.txt"))
                    .contains("\r\nпорядковый номер ФД: " + QString::number(registration.Number) + "\r\n"));
    EXPECT_EQ(Next(), "Завершение");
    EXPECT_EQ(Next(), "Подключите устройство");

    // The FN archive close, once the OFD has the registration.
    fn.Confirm(fn.LastDocumentNumber());
    ReachWorkTypes();
    Page<TfmSelectWorkType>().listBox->setCurrentRow(4);
    EXPECT_EQ(Next(), "Проверка состояния");
    EXPECT_EQ(Next(), "Закрытие архива ФН");
    Page<TfmBeforeCloseFN>().edtCashier->setText("Кассир Петров");
    EXPECT_EQ(Next(), "Закрытие архива ФН");
    auto& close = Page<TfmCloseFN>();
    ASSERT_TRUE(close.btnSaveX5->isVisible());
    close.edtX5FactoryCode->setText("12");
    TestDialogs().answerFile(folder + "/close.txt");
    close.btnSaveX5->click();
    EXPECT_TRUE(AnsiToWide(FileBytes(folder + "/close.txt"))
                    .contains("\r\nпорядковый номер ФД: " + QString::number(fn.Documents.back().Number) + "\r\n"));
    EXPECT_EQ(fn.Documents.back().Type, FNDocType::CloseFN);
    EXPECT_EQ(Next(), "Выберите тип работы");
}
