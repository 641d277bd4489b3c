// The presenter, IBM status and receipt database pages, driven headless
// against the emulated register and the driver's database.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/ReceiptDatabase.h"
#include "emulator/RegisterFN.h"
#include "pages/service/fmuDB.h"
#include "pages/service/fmuDBSession.h"
#include "pages/service/fmuIBMPrinter.h"
#include "pages/service/fmuPresenter.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

class PeripheralPagesTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QDir(ReceiptDatabase::DefaultFolder()).removeRecursively();
        Driver().GetShortECRStatus();
        TfmDBSession::EventInterval = 0;   // "Прервать" heard after every document
    }

    static void Click(QWidget* page, const char* name)
    {
        auto* button = page->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static QStringList Lines(QPlainTextEdit* memo) { return memo->toPlainText().split(QLatin1Char('\n')); }
    static QString Serial() { return TestRegister().Area<RegisterFN>().Serial; }

    static RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    // Documents of one session in the FN's database file; the FN holds them
    // (with its fiscal signs).
    static void Seed(std::vector<DBDocument> documents)
    {
        for (DBDocument& d : documents) {
            while (FN().LastDocumentNumber() < d.Number)
                FN().AddDocument(FNDocType::Receipt);
            d.FiscalSign = FN().Find(d.Number)->FiscalSign;
        }
        ASSERT_EQ(ReceiptDatabase::Add({}, ReceiptDatabase::Of(FN()), documents), 0);
    }
    static void CloseReceipt(Currency total)
    {
        TDriver& d = Driver();
        d.setPrice(total);
        d.setQuantity(1);
        d.setDepartment(1);
        ASSERT_EQ(d.Sale(), 0);
        d.setSumm1(total);
        ASSERT_EQ(d.CloseCheck(), 0) << d.ResultCodeDescription().toStdString();
    }
    static std::int32_t FindDocument(int number)
    {
        Driver().setDocumentNumber(number);
        return Driver().DBFindDocument();
    }
    static DBDocument Document(int number, int session, int type, Currency total)
    {
        DBDocument d;
        d.Number = number;
        d.Session = session;
        d.Type = type;
        d.DateTime = QDateTime(QDate(2026, 12, 1), QTime(10, 30, 5));
        d.Total = total;
        d.FiscalSign = 1234567890u;
        d.Text = QStringLiteral("КАССОВЫЙ ЧЕК %1\r\nИТОГ").arg(number);
        return d;
    }
};

TEST(IBMStatusFormat, LinesFollowTheStatusRecord)
{
    EXPECT_EQ(TfmIBMPrinter::AddLine("30", "Номер оператора"), "30         Номер оператора");
    EXPECT_EQ(TfmIBMPrinter::GetStatusByteText(1, 0x81), "Байт состояния 1: 129 = 0x81h");

    TIBMStatus s;
    s.StatusBytes = {0x81, 0, 0, 0, 0, 0, 0, 0x07};
    s.Flags = 1;
    const QStringList lines = TfmIBMPrinter::IBMStatusLines(s, true);
    const QString dashes(37, '-');
    EXPECT_TRUE(lines.contains("1.0 [x] Command complete"));
    EXPECT_TRUE(lines.contains("1.1 [ ] Cash receipt right home position"));
    EXPECT_TRUE(lines.contains("1.7 [x] Command reject"));
    EXPECT_TRUE(lines.contains("Флаги: 1"));
    EXPECT_TRUE(lines.contains("[x] Сериализована"));
    EXPECT_TRUE(lines.contains("[ ] 24 часа кончились"));
    EXPECT_TRUE(lines.contains("8.0 [x] Fiscal offline mode"));
    EXPECT_TRUE(lines.contains("8.2 [x] Fiscal offline mode"));
    EXPECT_TRUE(lines.contains("8.3 [ ] Reserved"));
    EXPECT_EQ(lines.last(), dashes);
    // Byte 4: the header alone; byte 6: the header and the line count text.
    const int four = int(lines.lastIndexOf("Байт состояния 4: 0 = 0x0h"));
    EXPECT_EQ(lines[four + 1], dashes);
    const int six = int(lines.lastIndexOf("Байт состояния 6: 0 = 0x0h"));
    EXPECT_EQ(lines[six + 1], "    Contains the current line count");
    EXPECT_EQ(lines[six + 2], dashes);
    EXPECT_EQ(lines.count(dashes), 2 + 8 + 1);

    const QStringList brief = TfmIBMPrinter::IBMStatusLines(s, false);
    EXPECT_EQ(brief[0], "Номер оператора: 0");
    EXPECT_TRUE(brief.contains("[x] Буфер печати пуст"));
}

TEST_F(PeripheralPagesTest, IBMPageShowsTheRegistersState)
{
    TfmIBMPrinter page;
    Click(&page, "btnGetIBMStatus");
    QStringList lines = Lines(page.Memo);
    EXPECT_EQ(lines[0], "30         Номер оператора");
    EXPECT_TRUE(lines.contains("1.6 [ ] Cash receipt print error"));
    TestRegister().SetFlag(EcrFlag::ReceiptRibbonIsPresent, false);
    Click(&page, "btnGetShortIBMStatus");
    lines = Lines(page.Memo);
    EXPECT_EQ(lines[0], "Номер оператора: 30");
    EXPECT_TRUE(lines.contains("1.6 [x] Cash receipt print error"));

    TestRegister().Faults().FailNext(M::GetIBMStatus, 80);
    Click(&page, "btnGetIBMStatus");
    EXPECT_EQ(page.Memo->toPlainText(), "");
    Click(&page, "btnClear");
    EXPECT_EQ(page.Memo->toPlainText(), "");
}

TEST_F(PeripheralPagesTest, PresenterTakesACutReceiptAndOutputsIt)
{
    TestRegister().ModelParams().Set(17, true);
    TestRegister().ModelParams().Set(35, true);
    TfmPresenter page;
    auto state = [&] {
        Click(&page, "btnGetECRStatus");
        return Lines(page.Memo);
    };
    ASSERT_EQ(Driver().CutCheck(), 0);
    EXPECT_EQ(state(), QStringList({"Бумага на входе в накопитель [да]", "Бумага на выходе из накопителя [нет]"}));
    Click(&page, "btnOutputReceipt2");
    EXPECT_EQ(state(), QStringList({"Бумага на входе в накопитель [нет]", "Бумага на выходе из накопителя [да]"}));
    Click(&page, "btnOutputReceipt0");   // nothing left inside
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoReceiptInPresenter);

    ASSERT_EQ(Driver().CutCheck(), 0);
    Click(&page, "btnCloseScreen");
    Click(&page, "btnOutputReceipt0");
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::ShutterClosed);
    Click(&page, "btnOpenScreen");
    Click(&page, "btnOutputReceipt0");
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(state(), QStringList({"Бумага на входе в накопитель [нет]", "Бумага на выходе из накопителя [нет]"}));

    TestRegister().ModelParams().Set(17, false);
    Click(&page, "btnOpenScreen");
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::CommandNotSupported);
}

TEST_F(PeripheralPagesTest, ClosedReceiptsReachTheDatabaseAndAreFound)
{
    TDriver& d = Driver();
    d.setPrice(150 * Rub);
    d.setQuantity(1);
    d.setDepartment(1);
    ASSERT_EQ(d.Sale(), 0);
    d.setSumm1(150 * Rub);
    ASSERT_EQ(d.CloseCheck(), 0);
    const FNDocument& last = TestRegister().Area<RegisterFN>().Documents.back();

    TfmDB page;
    page.edtDocumentNumber->setText(QString::number(last.Number));
    Click(&page, "btnDBFindDocument");
    ASSERT_EQ(d.ResultCode(), 0) << d.ResultCodeDescription().toStdString();
    EXPECT_EQ(page.edtFiscalSign->text(), QString::number(last.FiscalSign));
    EXPECT_EQ(page.edtSumm->text(), "150");
    EXPECT_EQ(page.edtSessionNumber->text(), QString::number(last.SessionNumber));
    EXPECT_TRUE(page.Memo->toPlainText().contains("ИТОГ"));

    TestRegister().Paper().Clear();
    Click(&page, "btnDBFindDocumentDBPrintDocument");
    EXPECT_EQ(d.ResultCode(), 0);
    EXPECT_FALSE(TestRegister().Paper().Texts().isEmpty());
    EXPECT_EQ(page.Memo->toPlainText(), "");   // printing shows sign and date only

    page.edtDocumentNumber->setText("9999");
    Click(&page, "btnDBFindDocument");
    EXPECT_EQ(d.ResultCode(), ReceiptDatabase::NotFound);
    EXPECT_EQ(page.edtFiscalSign->text(), "");

    TestRegister().ClearJournal();
    page.edtDocumentNumber->setText("1x");
    Click(&page, "btnDBFindDocument");
    EXPECT_EQ(TestRegister().CallCount(M::DBFindDocument), 0);   // the conversion error first
    EXPECT_TRUE(page.findChild<QPushButton*>("btnDBFindDocument")->isEnabled());
}

TEST_F(PeripheralPagesTest, DocumentSumIsTheCurrencyText)
{
    const struct {
        Currency Total;
        const char* Text;
    } cases[] = {{150 * Rub, "150"}, {150 * Rub + 5000, "150.5"}, {1 * Rub + 2345, "1.2345"}, {0, "0"}};
    std::vector<DBDocument> documents;
    for (int i = 0; i < int(std::size(cases)); ++i)
        documents.push_back(Document(i + 1, 1, 1, cases[i].Total));
    Seed(documents);
    TfmDB page;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].Text);
        page.edtDocumentNumber->setText(QString::number(i + 1));
        Click(&page, "btnDBFindDocument");
        ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
        EXPECT_EQ(page.edtSumm->text(), cases[i].Text);
    }
}

TEST_F(PeripheralPagesTest, DatabaseErrorsNeverOverwriteAFile)
{
    DBDocument d;
    const QString folder = TestTempDir() + "/db";
    EXPECT_EQ(ReceiptDatabase::Find(folder, Serial(), 1, d), ReceiptDatabase::NoDatabase);   // no folder
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(ReceiptDatabase::Find(folder, Serial(), 1, d), ReceiptDatabase::NoDatabase);   // unknown FN
    QFile bad(ReceiptDatabase::FileName(folder, Serial()));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a database");
    bad.close();
    EXPECT_EQ(ReceiptDatabase::Find(folder, Serial(), 1, d), ReceiptDatabase::DatabaseError);
    EXPECT_NE(ReceiptDatabase::Add(folder, ReceiptDatabase::Of(FN()), {Document(1, 1, 1, Rub)}), 0);
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), "not a database");
}

// The database holds the FN's documents only: an FN started afresh numbers
// from 1 again, and the documents of its earlier life are gone from the
// database at once, before and after it makes documents of its own.
TEST_F(PeripheralPagesTest, DatabaseHoldsTheDocumentsOfTheFNOnly)
{
    for (int i = 0; i < 3; ++i)
        CloseReceipt((10 + i) * Rub);
    const int last = FN().LastDocumentNumber();
    const int session = FN().Documents.back().SessionNumber;
    ASSERT_EQ(FindDocument(last), 0);
    const QString earlierSign = Driver().FiscalSignAsString();

    // The FN started afresh: only its registration report (1).
    FNRegistration data = FN().Documents.front().Registration;
    FN().Reset();
    ASSERT_EQ(FN().Fiscalise(data), 0);
    ASSERT_EQ(FN().LastDocumentNumber(), 1);
    for (int number = 1; number <= last; ++number)
        EXPECT_EQ(FindDocument(number), ReceiptDatabase::NotFound) << number;

    CloseReceipt(99 * Rub);
    const int fresh = FN().LastDocumentNumber();
    ASSERT_LT(fresh, last);
    ASSERT_EQ(FindDocument(fresh), 0);
    EXPECT_EQ(Driver().Summ1(), 99 * Rub);
    EXPECT_EQ(Driver().FiscalSignAsString(), QString::number(FN().Documents.back().FiscalSign));
    EXPECT_EQ(FindDocument(last), ReceiptDatabase::NotFound);
    // The earlier session's documents are the FN's own now, or none.
    Driver().setSessionNumber(session);
    ASSERT_EQ(Driver().DBQueryDocumentsInSession(), 0);
    while (Driver().DBGetNextDocument() == 0) {
        EXPECT_NE(Driver().FiscalSignAsString(), earlierSign);
        const FNDocument* held = FN().Find(Driver().DocumentNumber());
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(Driver().FiscalSignAsString(), QString::number(held->FiscalSign));
    }

    // Rows past the FN's last document, as a database of an earlier run leaves them.
    Seed({Document(fresh + 1, 1, 1, Rub)});
    FN().Documents.pop_back();
    EXPECT_EQ(FindDocument(fresh + 1), ReceiptDatabase::NotFound);
    EXPECT_EQ(FindDocument(fresh), 0);
}

// A database that cannot keep a closed document: the receipt is closed on
// the register, and the closing call answers the database's error; the file
// stays as it was.
TEST_F(PeripheralPagesTest, DocumentNotKeptIsTheClosingCallsError)
{
    enum Kind { Corrupt, FolderInPlace, NoFolder };
    const struct {
        Kind What;
        std::int32_t Code;
    } cases[] = {{Corrupt, ReceiptDatabase::DatabaseError}, {FolderInPlace, ReceiptDatabase::DatabaseError},
                 {NoFolder, ReceiptDatabase::NoDatabase}};
    ASSERT_EQ(Driver().OpenSession(), 0);   // its report kept; the receipts make one document each
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.What));
        const QString folder = TestTempDir() + "/db";
        const QString file = ReceiptDatabase::FileName(folder, Serial());
        QFile corrupt(file);
        if (c.What == Corrupt) {
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
            corrupt.write("not a database");
            corrupt.close();
        }
        if (c.What == FolderInPlace) {
            ASSERT_TRUE(QDir().mkpath(file));
        }
        Driver().setDBFilePath(folder);
        const int before = FN().LastDocumentNumber();
        TDriver& d = Driver();
        d.setPrice(5 * Rub);
        d.setQuantity(1);
        d.setDepartment(1);
        ASSERT_EQ(d.Sale(), 0);
        d.setSumm1(5 * Rub);
        EXPECT_EQ(d.CloseCheck(), c.Code);
        EXPECT_EQ(d.ResultCodeDescription(), OrvekResultDescription(c.Code));
        EXPECT_EQ(FN().LastDocumentNumber(), before + 1);   // closed on the register
        ASSERT_EQ(d.GetECRStatus(), 0);
        EXPECT_NE(d.ECRMode(), 8);
        if (c.What == Corrupt) {
            ASSERT_TRUE(corrupt.open(QIODevice::ReadOnly));
            EXPECT_EQ(corrupt.readAll(), "not a database");
        }
    }
}

TEST_F(PeripheralPagesTest, SessionTotalsListTheReceiptsOnly)
{
    Seed({Document(12, 5, 1, 150 * Rub), Document(13, 5, 2, 10 * Rub), Document(14, 5, 5, 0),
          Document(15, 5, 3, Rub), Document(16, 5, 4, Rub), Document(20, 6, 5, 0)});
    TfmDBSession page;
    page.edtSessionNumber->setText("5");
    Click(&page, "btn1");
    const QStringList lines = Lines(page.Memo);
    ASSERT_EQ(lines.size(), 4 * 4);
    EXPECT_EQ(lines[0], "СМЕНА 5/ФД 12");
    EXPECT_EQ(lines[1], "01.12.2026 10:30:05  КАССОВЫЙ ЧЕК/ПРИХОД");
    EXPECT_EQ(lines[2], "ИТОГ =150.00");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[5], "01.12.2026 10:30:05  КАССОВЫЙ ЧЕК/РАСХОД");
    EXPECT_EQ(lines[9], "01.12.2026 10:30:05  КАССОВЫЙ ЧЕК/ВОЗВРАТ ПРИХОДА");
    EXPECT_EQ(lines[13], "01.12.2026 10:30:05  КАССОВЫЙ ЧЕК/ВОЗВРАТ РАСХОДА");
    EXPECT_TRUE(TestDialogs().shown().empty());

    page.edtSessionNumber->setText("6");   // type 5 only: an empty list, no message
    Click(&page, "btn1");
    EXPECT_EQ(page.Memo->toPlainText(), "");
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(TestRegister().CallCount(M::ClearResult), 2);
}

TEST_F(PeripheralPagesTest, ControlTapePrintsEachDocumentAndFinishes)
{
    Seed({Document(12, 5, 1, Rub), Document(13, 5, 2, Rub)});
    TfmDBSession page;
    page.edtSessionNumber->setText("5");
    TestRegister().ClearJournal();
    Click(&page, "btnDBPrintKL");
    EXPECT_EQ(TestRegister().CallCount(M::DBPrintNextDocument), 3);   // two, then -41
    EXPECT_EQ(TestRegister().CallCount(M::FeedDocument), 2);
    EXPECT_EQ(Driver().StringQuantity(), 2);
    EXPECT_EQ(TestRegister().CallCount(M::ClearResult), 1);
    EXPECT_EQ(TestRegister().CallCount(M::FinishDocument), 1);
    EXPECT_TRUE(TestRegister().Paper().Texts().contains("КАССОВЫЙ ЧЕК 13"));

    // An empty session: the message and no FinishDocument.
    TestRegister().ClearJournal();
    page.edtSessionNumber->setText("7");
    Click(&page, "btnDBPrintKL");
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].message.text, "Нет найденных документов");
    EXPECT_EQ(TestRegister().CallCount(M::FinishDocument), 0);

    // A real error on the first read is the result panel's, not "no documents".
    TestDialogs().clear();
    page.edtSessionNumber->setText("5");
    TestRegister().Faults().FailNext(M::DBPrintNextDocument, 107);
    Click(&page, "btnDBPrintKL");
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(Driver().ResultCode(), 107);

    // "Прервать" after one document: the loop stops, FinishDocument still runs.
    TestRegister().ClearJournal();
    QTimer::singleShot(0, page.btnStopPrintKL, &QPushButton::click);
    Click(&page, "btnDBPrintKL");
    EXPECT_EQ(TestRegister().CallCount(M::DBPrintNextDocument), 1);
    EXPECT_EQ(TestRegister().CallCount(M::FinishDocument), 1);
    EXPECT_FALSE(page.btnStopPrintKL->isEnabled());
}
} // namespace
