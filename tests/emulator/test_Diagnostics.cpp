// Dumps of the register's memory areas, Ping without the network, raw
// commands the register does not know, code-page references in printed text.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterDump.h"

using M = OrvekMethod;

namespace {
class DiagnosticsTest : public DriverTest {
protected:
    RegisterDump& Dump() { return TestRegister().Area<RegisterDump>(); }
    // Every block of a dump of the code, joined.
    QByteArray ReadAll(int code)
    {
        TDriver& d = Driver();
        d.setDeviceCode(code);
        EXPECT_EQ(d.DampRequest(), 0);
        const int blocks = d.DataBlockNumber();
        QByteArray all;
        for (int i = 0; i < blocks; ++i) {
            EXPECT_EQ(d.GetData(), 0);
            EXPECT_EQ(d.DataBlockNumber(), i);
            all += WideToAnsi(d.DataBlock());
        }
        return all;
    }
};
} // namespace

TEST_F(DiagnosticsTest, EveryAreaReadsWholeInBlocksTheSameEachTime)
{
    struct Case {
        int Code;
        qint64 Size;
    } cases[] = {{0, 0}, {3, 256}, {4, 8 << 10}, {134, 512 << 10}};
    for (const Case& c : cases) {
        const QByteArray first = ReadAll(c.Code);
        EXPECT_EQ(first.size(), c.Size) << c.Code;
        EXPECT_EQ(first, RegisterDump::MadeContent(c.Code, 0, int(c.Size))) << c.Code;
        // Past the end the stream is over.
        EXPECT_EQ(Driver().GetData(), OrvekResult::WrongMode) << c.Code;
        EXPECT_EQ(ReadAll(c.Code), first) << c.Code;
    }
    Driver().setDeviceCode(8);
    ASSERT_EQ(Driver().DampRequest(), 0);
    EXPECT_EQ(Driver().DataBlockNumber(), (16 << 20) / RegisterDump::BlockSize);
    EXPECT_EQ(Driver().DeviceCodeDescription(), QStringLiteral("Образ файловой системы"));
    // Areas differ from each other.
    EXPECT_NE(RegisterDump::MadeContent(1, 0, 64), RegisterDump::MadeContent(2, 0, 64));
}

TEST_F(DiagnosticsTest, StreamNeedsARequestAndEndsOnInterrupt)
{
    EXPECT_EQ(Driver().GetData(), OrvekResult::WrongMode);
    Driver().setDeviceCode(11);
    EXPECT_EQ(Driver().DampRequest(), OrvekResult::BadParameter);
    EXPECT_EQ(Driver().GetData(), OrvekResult::WrongMode);

    Dump().SetImage(5, QByteArray(300, 'x'));
    Driver().setDeviceCode(5);
    ASSERT_EQ(Driver().DampRequest(), 0);
    EXPECT_EQ(Driver().DataBlockNumber(), 3);
    ASSERT_EQ(Driver().GetData(), 0);
    ASSERT_EQ(Driver().InterruptDataStream(), 0);
    EXPECT_EQ(Driver().GetData(), OrvekResult::WrongMode);
    // A new request starts at the first block; the last block is short.
    ASSERT_EQ(Driver().DampRequest(), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Driver().GetData(), 0);
    EXPECT_EQ(WideToAnsi(Driver().DataBlock()), QByteArray(300 - 256, 'x'));

    TestRegister().Faults().FailNext(M::GetData, OrvekResult::NoLink);
    ASSERT_EQ(Driver().DampRequest(), 0);
    EXPECT_EQ(Driver().GetData(), OrvekResult::NoLink);
}

TEST_F(DiagnosticsTest, BenchNamedImageFileIsTheArea)
{
    const QByteArray image = QByteArray("\x00\x98\xFF", 3).repeated(100);
    const QString file = WriteTestFile(QStringLiteral("image.bin"), image);
    const QString bench = WriteTestFile(QStringLiteral("bench.txt"),
                                        QStringLiteral("[register]\ndump.9 = %1\ndump.10 = %1.missing\n"
                                                       "ping = 192.168.1.50 12\n")
                                            .arg(file)
                                            .toUtf8());
    Bench().Load(bench);
    EXPECT_EQ(ReadAll(9), image);
    Driver().setDeviceCode(10);
    EXPECT_EQ(Driver().DampRequest(), OrvekResult::FileError);

    struct Case {
        const char* Url;
        int Result;
        int Time;
    } cases[] = {{"192.168.1.50", 0, 12}, {"http://192.168.1.50:8080/x", 0, 12}, {"10.1.1.1", 1, 4000}};
    for (const Case& c : cases) {
        Driver().setURL(QString::fromLatin1(c.Url));
        ASSERT_EQ(Driver().Ping(), 0) << c.Url;
        EXPECT_EQ(Driver().PingResult(), c.Result) << c.Url;
        EXPECT_EQ(Driver().PingTime(), c.Time) << c.Url;
    }
}

TEST_F(DiagnosticsTest, PingAnswersOnLoopbackOnly)
{
    struct Case {
        const char* Url;
        int Code;
        int Result;
    } cases[] = {
        {"127.0.0.1", 0, 0}, {"localhost", 0, 0}, {"::1", 0, 0},           {"http://127.0.0.5:80/", 0, 0},
        {"example.org", 0, 1}, {"8.8.8.8", 0, 1}, {"", OrvekResult::BadParameter, 1},
    };
    for (const Case& c : cases) {
        Driver().setPingResult(-7);
        Driver().setURL(QString::fromLatin1(c.Url));
        ASSERT_EQ(Driver().Ping(), c.Code) << c.Url;
        if (c.Code == 0) {
            EXPECT_EQ(Driver().PingResult(), c.Result) << c.Url;
            EXPECT_LT(Driver().PingTime(), c.Result ? 5000 : 1000) << c.Url;
        }
    }
}

TEST_F(DiagnosticsTest, UnknownRawCommandsAnswer55KnownOnesDoNot)
{
    struct Case {
        const char* Hex;
        int Code;
    } cases[] = {{"13 1E 00 00 00", 0}, {"FC", 0}, {"F7", OrvekResult::CommandNotSupported},
                 {"E4", OrvekResult::CommandNotSupported}};
    for (const Case& c : cases) {
        Driver().setBinaryConversion(1);
        Driver().setTransferBytes(QString::fromLatin1(c.Hex));
        EXPECT_EQ(Driver().ExchangeBytes(), c.Code) << c.Hex;
    }
}

TEST_F(DiagnosticsTest, CodePageReferencesPrintAsTheirCharacters)
{
    struct Case {
        const char* Text;
        QString Printed;
    } cases[] = {
        {"&#192;&#193;x", QStringLiteral("АБx")},
        {"a&#65;b", QStringLiteral("aAb")},
        {"&#256;&#1;&#x41;", QStringLiteral("&#256;\x01&#x41;")},
        {"&#;&#12", QStringLiteral("&#;&#12")},
    };
    ASSERT_EQ(Driver().Connect(), 0);
    for (const Case& c : cases) {
        TestRegister().Paper().Clear();
        Driver().setFontType(1);
        Driver().setStringForPrinting(QString::fromLatin1(c.Text));
        ASSERT_EQ(Driver().PrintStringWithFont(), 0);
        EXPECT_EQ(TestRegister().Paper().Texts(), QStringList{c.Printed}) << c.Text;
    }
}
