// The driver's receipt database file beside other programs that open it.
#include "emulator/ReceiptDatabase.h"
#include "tests/TestSupport.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
const QString Serial = QStringLiteral("9999078900001234");

ReceiptDatabase::FN FNUpTo(int last)
{
    ReceiptDatabase::FN fn;
    fn.Serial = Serial;
    fn.FirstNumber = 1;
    fn.FirstSign = 1;
    fn.LastNumber = last;
    fn.Holds = [](int, std::uint32_t) { return true; };
    return fn;
}

DBDocument Receipt(int number)
{
    DBDocument d;
    d.Number = number;
    d.Session = 1;
    d.Type = 1;
    d.DateTime = QDateTime(QDate(2026, 12, 1), QTime(10, 30));
    d.Total = 10000;
    d.FiscalSign = std::uint32_t(number);
    d.Text = QString(2000, QLatin1Char('x'));
    return d;
}

// Another program's connection to the file, reading while it is open.
class TOtherReader {
public:
    explicit TOtherReader(const QString& file)
    {
        FDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        FDb.setDatabaseName(file);
        EXPECT_TRUE(FDb.open());
        FQuery.emplace(FDb);
        EXPECT_TRUE(FQuery->exec(QStringLiteral("SELECT number FROM documents ORDER BY number")));
        EXPECT_TRUE(FQuery->next());   // reading goes on
    }
    ~TOtherReader()
    {
        FQuery.reset();
        FDb.close();
        FDb = QSqlDatabase();
        QSqlDatabase::removeDatabase(FName);
    }

private:
    const QString FName = QStringLiteral("other-program");
    QSqlDatabase FDb;
    std::optional<QSqlQuery> FQuery;
};
} // namespace

// A program that reads the file while the register adds documents holds the
// log: it grows meanwhile. Once the reader has closed, the next documents
// start the log over and cut the file back, however often that happens.
TEST(ReceiptDatabaseTest, TheLogIsCutBackAfterAnotherProgramRead)
{
    const QString folder = TestTempDir();
    const QString log = ReceiptDatabase::FileName(folder, Serial) + QStringLiteral("-wal");
    int number = 0;
    const auto add = [&] {
        ++number;
        ASSERT_EQ(ReceiptDatabase::Add(folder, FNUpTo(number), {Receipt(number)}), 0);
    };
    add();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        {
            TOtherReader other(ReceiptDatabase::FileName(folder, Serial));
            for (int i = 0; i < 500; ++i)
                add();
            ASSERT_GT(QFileInfo(log).size(), ReceiptDatabase::MaxLogSize);   // held while it reads
        }
        for (int i = 0; i < 2; ++i)
            add();
        EXPECT_LE(QFileInfo(log).size(), ReceiptDatabase::MaxLogSize);
    }
    DBDocument last;
    ASSERT_EQ(ReceiptDatabase::Find(folder, Serial, number, last), 0);
    EXPECT_EQ(last.FiscalSign, std::uint32_t(number));
}
