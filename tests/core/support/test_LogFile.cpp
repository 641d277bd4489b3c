#include "core/support/CodePage.h"
#include "core/support/LogFile.h"
#include "core/support/untLogger.h"
#include "platform/Exceptions.h"
#include "platform/Notices.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QByteArray content(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& data)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QList<QByteArray> lines(const QString& name)
{
    QList<QByteArray> result = content(name).split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

// The global log pointed at a fresh folder; off again afterwards.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override { FDir = TestTempDir() + "/logs"; }
    void TearDown() override
    {
        GlobalLogger().SetEnabled(false);
        GlobalLogger().SetFileName({});
        GlobalLogger().SetMaxFileSize(0);
        GlobalLogger().SetMaxFileCount(0);
    }
    QString Enable()
    {
        const QString name = FDir + "/test.log";
        GlobalLogger().SetFileName(name);
        GlobalLogger().SetEnabled(true);
        return name;
    }
    QString FDir;
};

} // namespace

TEST_F(LogFileTest, DisabledCreatesNothing)
{
    TLogger logger("Search");
    GlobalLogger().SetFileName(FDir + "/test.log");
    GlobalLogger().Info("line");
    logger.Debug("debug");
    logger.WriteTxData("\x01\x02");
    EXPECT_FALSE(QDir(FDir).exists());
    // Enabled but without a name: nothing either.
    GlobalLogger().SetFileName({});
    GlobalLogger().SetEnabled(true);
    GlobalLogger().Info("line");
    EXPECT_FALSE(QDir(FDir).exists());
}

TEST_F(LogFileTest, LinesHaveHeaderLevelAndCrLf)
{
    const QString name = Enable();
    GlobalLogger().Trace("t");
    GlobalLogger().Info("Поиск ✓");
    GlobalLogger().Error("e");
    GlobalLogger().Debug("d");
    GlobalLogger().Error("failed", Exception("no port"));
    const QList<QByteArray> all = lines(name);
    ASSERT_EQ(all.size(), 5);
    const QRegularExpression header(R"(^\[\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\.\d{3}\] \[\d{8,}\] (.*)\r$)");
    const QStringList expected = {"[TRACE] t", "[ INFO] Поиск ?", "[ERROR] e", "[DEBUG] d", "[ERROR] failed no port"};
    for (int i = 0; i < all.size(); ++i) {
        const auto match = header.match(QString::fromLatin1(all[i]));
        ASSERT_TRUE(match.hasMatch()) << all[i].toStdString();
        EXPECT_EQ(match.captured(1), QString::fromLatin1(WideToAnsi(expected[i])));
    }
    EXPECT_TRUE(all[1].endsWith("[ INFO] \xCF\xEE\xE8\xF1\xEA ?\r"));
    // Appends to an existing file after a reopen.
    GlobalLogger().SetEnabled(false);
    GlobalLogger().SetEnabled(true);
    GlobalLogger().Info("again");
    EXPECT_EQ(lines(name).size(), 6);
}

TEST_F(LogFileTest, LoggerPrefixesSeparatorAndHexLines)
{
    const QString name = Enable();
    TLogger logger("COM3");
    logger.Info("open");
    logger.Error("read", Exception("timeout"));
    logger.Error("plain");
    logger.WriteMethodName("Connect");
    logger.WriteMethodValue("BaudRate", 115200);
    logger.WriteSeparator();
    QByteArray data;
    for (int i = 0; i < 41; ++i)
        data.append(char(i));
    logger.WriteTxData(data);
    logger.WriteRxData({});
    QStringList texts;
    for (const QByteArray& line : lines(name))
        texts << QString::fromLatin1(line.mid(line.indexOf("] [") + 13).chopped(1));
    const QStringList expected = {
        "[ INFO] COM3 open",
        "[ERROR] COM3 read (timeout)",
        "[ERROR] COM3 plain",
        "[DEBUG] COM3 Connect",
        "[DEBUG] COM3 BaudRate: 115200",
        "[ INFO] COM3 " + QString(60, u'-'),
        "[DEBUG] COM3 -> 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13",
        "[DEBUG] COM3 -> 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 20 21 22 23 24 25 26 27",
        "[DEBUG] COM3 -> 28",
        "[DEBUG] COM3 <- ",
    };
    EXPECT_EQ(texts, expected);
}

TEST_F(LogFileTest, RollsOverBySizeAndCount)
{
    const QString name = Enable();
    GlobalLogger().SetMaxFileSize(1);
    GlobalLogger().SetMaxFileCount(3);
    GlobalLogger().Write("first\r\n"); // creates the folder
    for (int k = 1; k <= 3; ++k)
        writeFile(name + "." + QString::number(k) + ".log", "old" + QByteArray::number(k));
    writeFile(name + ".3", "stale");

    const QString big(1048576, u'x');
    GlobalLogger().Write(big); // now over 1 MiB: completed, then rolled over
    GlobalLogger().Info("next");

    EXPECT_EQ(content(name + ".1.log").size(), 7 + 1048576);
    EXPECT_TRUE(content(name + ".1.log").startsWith("first\r\n"));
    EXPECT_EQ(content(name + ".2.log"), "old1");
    EXPECT_EQ(content(name + ".3.log"), "old2");
    EXPECT_FALSE(QFile::exists(name + ".4.log"));
    EXPECT_FALSE(QFile::exists(name + ".3"));
    ASSERT_EQ(lines(name).size(), 1);
    EXPECT_TRUE(lines(name)[0].endsWith("[ INFO] next\r"));
}

TEST_F(LogFileTest, WithoutCountTheFileGrows)
{
    const QString name = Enable();
    GlobalLogger().SetMaxFileSize(1);
    GlobalLogger().Write(QString(1048577, u'x'));
    GlobalLogger().Write("y");
    EXPECT_EQ(content(name).size(), 1048578);
    EXPECT_FALSE(QFile::exists(name + ".1.log"));
}

TEST_F(LogFileTest, LargeLimitsDoNotOverflow)
{
    // 4096 MiB does not fit 32 bits; the file must not count as over the limit.
    const QString name = Enable();
    GlobalLogger().SetMaxFileSize(4096);
    GlobalLogger().SetMaxFileCount(2);
    GlobalLogger().Write("small");
    EXPECT_EQ(content(name), "small");
    EXPECT_FALSE(QFile::exists(name + ".1.log"));
}

// A notice about the programs' files reaches the log when logging is on.
TEST_F(LogFileTest, NoticesAreLoggedWhenLoggingIsOn)
{
    const QString name = Enable();
    Notify("Файл настроек повреждён");
    GlobalLogger().SetEnabled(false);
    Notify("not logged");
    ASSERT_EQ(lines(name).size(), 1);
    EXPECT_TRUE(lines(name)[0].endsWith("[ERROR] " + WideToAnsi("Файл настроек повреждён") + "\r"));
    EXPECT_EQ(TestDialogs().messages(), (QStringList{"Файл настроек повреждён", "not logged"}));
}
