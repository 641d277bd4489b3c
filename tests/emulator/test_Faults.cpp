// Faults on demand and the bench file.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "platform/Exceptions.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterOFD.h"

#include <QFile>
#include <cstdlib>
#include <memory>

using M = OrvekMethod;

namespace {
QString WriteBench(const QByteArray& bytes)
{
    static int n = 0;
    QString name = TestTempDir() + QStringLiteral("/bench%1.txt").arg(++n);
    WriteBytes(name, bytes);
    return name;
}

QString WriteBench(const QString& text)
{
    return WriteBench(text.toUtf8());
}

std::vector<std::int32_t> Calls(int count, std::int32_t (TOrvek::*method)())
{
    std::vector<std::int32_t> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back((Driver().*method)());
    return codes;
}
} // namespace

class FaultTest : public DriverTest {};

namespace {
// Message boxes that ask for the bench while they are up, as a box's event
// loop running a timer that uses the bench does.
class BenchAskingDialogs : public Dialogs::ScriptedDialogs {
public:
    Dialogs::Result Message(const Dialogs::MessageRequest& request) override
    {
        AskedDuringBox = &Bench();
        RegistersDuringBox = int(AskedDuringBox->Registers().size());
        return ScriptedDialogs::Message(request);
    }
    OrvekBench* AskedDuringBox = nullptr;
    int RegistersDuringBox = 0;
};
} // namespace

// The first use of the bench, in a process of its own: a refused bench file
// is told once the bench exists, and a request while the box is up gets the
// built bench.
TEST(BenchStartDeathTest, BadBenchFileIsToldOnceTheBenchIsBuilt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString bad = WriteBench(QByteArray::fromHex("fffe000102035b72656769737465725d"));
    EXPECT_EXIT(
        {
            qputenv("ORVEK_BENCH", bad.toLocal8Bit());
            auto owned = std::make_unique<BenchAskingDialogs>();
            BenchAskingDialogs* dialogs = owned.get();
            Dialogs::Install(std::move(owned));
            OrvekBench& bench = Bench();
            Bench();
            const bool told = dialogs->messages().size() == 1
                && dialogs->lastMessage().startsWith(QStringLiteral("Файл стенда %1").arg(bad));
            const bool built = dialogs->AskedDuringBox == &bench && dialogs->RegistersDuringBox == 1
                && bench.Register(0)->Config().ComNumber == 1;
            std::exit(told && built ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FaultTest, ScriptedCodesReplaceTheMethodsWork)
{
    RegisterFaults& f = TestRegister().Faults();
    f.FailNext(M::PrintString, 80, 3);
    EXPECT_EQ(Calls(5, &TOrvek::PrintString), (std::vector<std::int32_t>{80, 80, 80, 0, 0}));
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 2);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Ошибок нет"));

    f.FailOnCall(M::PrintString, 3, 75);
    EXPECT_EQ(Calls(4, &TOrvek::PrintString), (std::vector<std::int32_t>{0, 0, 75, 0}));
    EXPECT_EQ(Driver().ResultCode(), 0);

    // Faults of one method leave the others alone; a queue of faults runs in order.
    f.FailNext(M::FNCloseCheckEx, 50, 1);
    f.FailNext(M::FNCloseCheckEx, 80, 1);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().FNCloseCheckEx(), 50);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("ФН занят обработкой предыдущей команды"));
    EXPECT_EQ(Driver().FNCloseCheckEx(), 80);
    EXPECT_EQ(Driver().FNCloseCheckEx(), OrvekResult::WrongMode);  // the method itself: no receipt open

    f.FailAny(-7, 2);
    EXPECT_EQ(Driver().Beep(), -7);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Неизвестная ошибка"));
    EXPECT_EQ(Driver().GetECRStatus(), -7);
    EXPECT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_TRUE(f.Empty());
}

TEST_F(FaultTest, LostLinkDropsTheConnection)
{
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    TestRegister().Faults().FailNext(M::PrintString, OrvekResult::NoLink);
    EXPECT_EQ(Driver().PrintString(), OrvekResult::NoLink);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Нет связи"));
    EXPECT_TRUE(Driver().ECROutput().isEmpty());
    EXPECT_FALSE(Driver().Connected());
    EXPECT_EQ(Driver().PrintString(), 0);  // connects again
    EXPECT_TRUE(Driver().Connected());
}

TEST_F(FaultTest, CallJournalCountsWhatReachedTheRegister)
{
    TestRegister().ClearJournal();
    Driver().GetECRStatus();
    Driver().PrintString();
    Driver().PrintString();
    EXPECT_EQ(TestRegister().CallCount(M::PrintString), 2);
    EXPECT_EQ(TestRegister().Journal(), (std::vector<OrvekMethod>{M::GetECRStatus, M::PrintString, M::PrintString}));
}

TEST_F(FaultTest, BenchFileDescribesRegistersAndFaults)
{
    QString name = WriteBench(QStringLiteral(
        "# two registers\n"
        "[register]\n"
        "name = Касса 1\n"
        "com = 2\n"
        "baud = 9600\n"
        "tcp = none\n"
        "model = 16\n"
        "type2 = 1\n"
        "serial = 0000000000000042\n"
        "firmware = C.3   # old firmware\n"
        "build = 12000\n"
        "date = 2021-04-23\n"
        "param.73 = 0\n"
        "param.35 = false\n"
        "fault = GetECRStatus 80 x2\n"
        "fault = PrintString -1 @2\n"
        "\n"
        "[register]\n"
        "com = 0\n"
        "tcp = localhost:7801\n"
        "clock = -90\n"
        "fn = blank\n"
        "ofd = up\n"));
    Bench().Load(name);
    ASSERT_EQ(Bench().Registers().size(), 2u);
    EXPECT_EQ(Bench().SerialPorts(), std::vector<int>{2});
    EXPECT_EQ(Bench().Register(1)->Config().Name, QStringLiteral("ККТ 2"));
    // The second register's clock runs 90 s behind; its FN is new; its OFD takes documents.
    EmulatedRegister& second = *Bench().Register(1);
    EXPECT_EQ(second.State().ClockOffsetMs, -90000);
    EXPECT_FALSE(second.Area<RegisterFN>().FiscalMode());
    EXPECT_TRUE(second.Area<RegisterFN>().Documents.empty());
    EXPECT_TRUE(second.Area<RegisterOFD>().LinkUp);
    EXPECT_TRUE(Bench().Register(0)->Area<RegisterFN>().FiscalMode());
    EXPECT_FALSE(Bench().Register(0)->Area<RegisterOFD>().LinkUp);

    Driver().setComNumber(2);
    Driver().setBaudRate(2);
    EXPECT_EQ(Calls(3, &TOrvek::GetECRStatus), (std::vector<std::int32_t>{80, 80, 0}));
    EXPECT_EQ(Driver().ECRSoftVersion(), QStringLiteral("C.3"));
    EXPECT_EQ(Driver().ECRBuild(), 12000);
    EXPECT_EQ(DateTimeToQDateTime(Driver().ECRSoftDate()).date(), QDate(2021, 4, 23));
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("0000000000000042"));
    EXPECT_EQ(Calls(2, &TOrvek::PrintString), (std::vector<std::int32_t>{0, -1}));
    Driver().setModelParamNumber(73);
    ASSERT_EQ(Driver().ReadModelParamValue(), 0);
    EXPECT_EQ(Driver().ModelParamValue(), QVariant(0));
    Driver().setModelParamNumber(28);
    ASSERT_EQ(Driver().ReadModelParamValue(), 0);
    EXPECT_EQ(Driver().ModelParamValue(), QVariant(true));  // cash core of the newer generation
    Driver().setModelParamNumber(32);
    ASSERT_EQ(Driver().ReadModelParamValue(), 0);
    EXPECT_EQ(Driver().ModelParamValue(), QVariant(16));

    Driver().setConnectionType(6);
    Driver().setIPAddress(QStringLiteral("127.0.0.1"));
    Driver().setTCPPort(7801);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    Driver().setTCPPort(7778);  // the default register is gone
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::NoLink);
}

TEST_F(FaultTest, BadBenchFilesAreRefusedWithTheirLine)
{
    struct Case {
        const char* Text;
        const char* Error;
    } cases[] = {
        {"com = 1\n", "строка 1"},
        {"[register]\nspeed = 9600\n", "строка 2: неизвестный ключ speed"},
        {"[register]\ncom = x\n", "строка 2"},
        {"[register]\ntcp = 127.0.0.1\n", "строка 2"},
        {"[register]\ndate = 23.04.2021\n", "строка 2"},
        {"[register]\n\nfault = NoSuchMethod 80\n", "строка 3: неизвестный метод NoSuchMethod"},
        {"[register]\nfault = PrintString busy\n", "строка 2"},
        {"[register]\ncom = 1\n[register]\ncom = 1\ntcp = none\n", "COM1 занят двумя ККТ"},
        {"[register]\nbaud = 12345\n", "строка 2: скорости 12345 нет у драйвера (2400, 4800, 9600, 19200, 38400, "
                                        "57600, 115200, 230400, 460800, 921600)"},
        {"[register]\nfault = PrintString 4294967296\n", "строка 2: код 4294967296 не помещается в 32 бита"},
        {"[register]\nfault = PrintString 80 x99999999999\n", "строка 2: неверное число вызовов"},
        {"", "в нём нет ни одной ККТ"},
        {"# a comment\n\n", "в нём нет ни одной ККТ"},
        {"[register]\nname = \xFF\n", "строка 2: строка не в UTF-8"},
        {"[register]\nfn = empty\n", "строка 2: для fn нужно blank или fiscal"},
        {"[register]\nclock = 1y\n", "строка 2: неверное число"},   // the bytes as they are
    };
    auto errorOf = [](const QByteArray& text) {
        try {
            Bench().Load(WriteBench(text));
        } catch (const Exception& e) {
            return e.Message();
        }
        return QString();
    };
    for (const Case& c : cases) {
        const QString error = errorOf(c.Text);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.Error))) << c.Text << ": " << error.toStdString();
    }
    // What the bench builds is bounded, and so is the file.
    QByteArray many;
    for (int i = 0; i <= OrvekBench::MaxRegisters; ++i)
        many += "[register]\ncom = 0\ntcp = none\n";
    EXPECT_TRUE(errorOf(many).contains(QStringLiteral("строка %1: больше 256 ККТ").arg(3 * OrvekBench::MaxRegisters + 1)));
    QByteArray params = "[register]\n";
    for (int i = 1; i <= OrvekBench::MaxModelParams + 1; ++i)
        params += "param." + QByteArray::number(i) + " = 1\n";
    EXPECT_TRUE(errorOf(params).contains("больше 256 параметров модели у одной ККТ"));
    QByteArray faults = "[register]\n";
    for (int i = 0; i <= OrvekBench::MaxFaults; ++i)
        faults += "fault = PrintString 80\n";
    EXPECT_TRUE(errorOf(faults).contains("больше 256 сбоев у одной ККТ"));
    EXPECT_TRUE(errorOf("[register]\n" + QByteArray(OrvekBench::MaxFileSize, '#')).contains("больше 1048576 байт"));
    // The bench stays as it was.
    ASSERT_EQ(Bench().Registers().size(), 1u);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
}

// A value is taken up to the width of the field the register keeps it in;
// a longer one is refused with its line, and the message stays short.
TEST_F(FaultTest, BenchValuesLongerThanTheirFieldAreRefused)
{
    const struct {
        const char* Key;
        int Width;
        QString RegisterConfig::*Field;
    } cases[] = {
        {"serial", 20, &RegisterConfig::Serial},
        {"firmware", 8, &RegisterConfig::SoftVersion},
        {"fnversion", 16, &RegisterConfig::FNSoftVersion},
        {"name", 64, &RegisterConfig::Name},
        {"description", 64, &RegisterConfig::Description},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        const QByteArray key(c.Key);
        const QByteArray longest(c.Width, '7');
        const auto configs = OrvekBench::Parse("[register]\n" + key + " = " + longest + "\n", "bench.txt");
        EXPECT_EQ(configs.front().*c.Field, QString::fromLatin1(longest));
        try {
            OrvekBench::Parse("# bench\n[register]\n" + key + " = " + longest + "7\n", "bench.txt");
            ADD_FAILURE() << "taken";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Файл стенда bench.txt, строка 3: значение %1 длиннее %2 знаков")
                                       .arg(QLatin1String(c.Key), QString::number(c.Width)));
        }
    }
    // A megabyte in a value, a dump's file name or a key.
    for (const QByteArray& line : {"serial = " + QByteArray(1000000, '1'), "dump.8 = /" + QByteArray(5000, 'd'),
                                   "tcp = " + QByteArray(300, 'h') + ":7790", QByteArray(1000000, 'k') + " = 1"}) {
        SCOPED_TRACE(line.left(12).toStdString());
        try {
            OrvekBench::Parse("[register]\n" + line + "\n", "bench.txt");
            ADD_FAILURE() << "taken";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Файл стенда bench.txt, строка 2: "))) << e.Message().left(200).toStdString();
            EXPECT_LT(e.Message().size(), 200);
        }
    }
}

TEST_F(FaultTest, ResetReadsTheBenchFileNamedByTheEnvironment)
{
    QString good = WriteBench(QStringLiteral("[register]\nname = Из файла\ncom = 5\n"));
    qputenv("ORVEK_BENCH", good.toLocal8Bit());
    Bench().Reset();
    EXPECT_EQ(Bench().Register(0)->Config().Name, QStringLiteral("Из файла"));
    EXPECT_TRUE(Bench().LoadError().isEmpty());

    const QString bad = WriteBench(QStringLiteral("[register]\nbaud = 12345\n"));
    qputenv("ORVEK_BENCH", bad.toLocal8Bit());
    Bench().Reset();
    EXPECT_EQ(Bench().Register(0)->Config().ComNumber, 1);  // the default bench
    EXPECT_FALSE(Bench().LoadError().isEmpty());
    ASSERT_EQ(TestDialogs().messages().size(), 1);   // the user sees why
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Файл стенда %1, строка 2: скорости 12345 нет").arg(bad)));
    EXPECT_TRUE(TestDialogs().lastMessage().endsWith(
        QStringLiteral("Работает стенд по умолчанию: одна ККТ на COM1 (115200) и TCP 127.0.0.1:7778.")));
    qunsetenv("ORVEK_BENCH");
    Bench().Reset();
    EXPECT_TRUE(Bench().LoadError().isEmpty());
}
