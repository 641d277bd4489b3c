// A register that keeps its state in a folder: what one program did is
// found by the next, a killed program loses nothing it was answered, a state
// that cannot be read is moved aside and reported, and the bench file
// describes a register only when it is first made.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "core/binding/OrvekCodes.h"
#include "core/support/RNMUtil.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterPortLock.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterServiceKeys.h"
#include "emulator/RegisterStore.h"
#include "platform/FileWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace {
constexpr Currency Rub = 10000;
constexpr char ChildFolder[] = "ORVEK_TEST_STATE_FOLDER";

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

// The bench holds one register that keeps its state in the folder.
void UseFolder(const QString& folder, bool blankFN = false)
{
    FreeDriver();
    Bench().Clear();
    RegisterConfig config;
    config.StateFolder = folder;
    config.BlankFN = blankFN;
    Bench().Add(config);
}

// Table 1, row 1, field 1: the register's number in the shop.
void WriteShopNumber(int number)
{
    TDriver& d = Driver();
    d.setPassword(30);
    d.setTableNumber(1);
    d.setRowNumber(1);
    d.setFieldNumber(1);
    d.setValueOfFieldInteger(number);
    d.setValueOfFieldString(QString::number(number));
    ASSERT_EQ(d.WriteTable(), 0);
}

void WriteStateFile(const QString& fileName, const QByteArray& bytes)
{
    QFile f(fileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

std::int32_t Sell(Currency price)
{
    TDriver& d = Driver();
    d.setPassword(30);
    d.setPrice(price);
    d.setQuantity(1);
    d.setDepartment(1);
    d.setStringForPrinting(QStringLiteral("Булка"));
    if (std::int32_t code = d.Sale())
        return code;
    d.setSumm1(price);
    d.setStringForPrinting(QString());
    return d.CloseCheck();
}

// What the child does on a blank FN: registers it, closes receipts, writes a
// table field and the serial number, adds a ware and a service password.
void ChangeTheRegister()
{
    TDriver& d = Driver();
    d.setPassword(30);
    d.setINN(QStringLiteral("7701234567"));
    d.setKKTRegistrationNumber(
        GenerateRNM(QByteArray("42"), QByteArray("7701234567"), TestRegister().State().Serial.toLatin1()));
    d.setTaxType(1);
    d.setWorkMode(0);
    ASSERT_EQ(d.FNBuildRegistrationReport(), 0);
    WriteShopNumber(77);
    {
        auto lock = TestRegister().Lock();
        TestRegister().State().Serial = QStringLiteral("0000000000");
    }
    d.setSerialNumber(QStringLiteral("0012345678"));
    ASSERT_EQ(d.SetSerialNumber(), 0);
    for (int i = 1; i <= 3; ++i)
        ASSERT_EQ(Sell(i * 100 * Rub), 0);
}

// Runs this program again with the test of `name` alone, keeping its state in `folder`.
std::unique_ptr<QProcess> StartChild(const char* name, const QString& folder)
{
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildFolder), folder);
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=RegisterStoreChild.%1").arg(QLatin1String(name))});
    return child;
}
} // namespace

class RegisterStoreTest : public DriverTest {
protected:
    QTemporaryDir FDir;
    QString Folder() const { return FDir.path() + QStringLiteral("/kkt"); }
};

// The child's part: changes the register, says so, then waits to be killed.
TEST(RegisterStoreChild, ChangesAndWaits)
{
    const QString folder = qEnvironmentVariable(ChildFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs as a child of RegisterStoreTest";
    ResetEmulatedDriver();
    UseFolder(folder, true);
    ChangeTheRegister();
    std::fputs("done\n", stdout);
    std::fflush(stdout);
    // The parent kills the process now; it never waits longer than this.
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    in.readLine();
}

TEST_F(RegisterStoreTest, AKilledProgramsWorkIsFoundByTheNext)
{
    auto child = StartChild("ChangesAndWaits", Folder());
    ASSERT_TRUE(child->waitForStarted(10000));
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    while (!out.contains("done") && timer.elapsed() < 60000 && child->state() == QProcess::Running)
        if (child->waitForReadyRead(1000))
            out += child->readAllStandardOutput();
    ASSERT_TRUE(out.contains("done")) << out.toStdString();
    child->kill();   // SIGKILL right after the last receipt was answered
    ASSERT_TRUE(child->waitForFinished(10000));

    UseFolder(Folder(), true);
    // The FN registered by the child, not the blank one of the description.
    EXPECT_TRUE(FN().FiscalMode());
    EXPECT_EQ(FN().Registration.INN, QStringLiteral("7701234567"));
    ASSERT_EQ(FN().Documents.size(), 5u);   // registration, session open, 3 receipts
    EXPECT_EQ(FN().Documents.back().Summ, 300 * Rub);
    Driver().setTableNumber(1);
    Driver().setRowNumber(1);
    Driver().setFieldNumber(1);
    ASSERT_EQ(Driver().ReadTable(), 0);
    EXPECT_EQ(Driver().ValueOfFieldInteger(), 77);
    ASSERT_EQ(Driver().ReadSerialNumber(), 0);
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("0012345678"));
    // And the register goes on from there.
    ASSERT_EQ(Sell(50 * Rub), 0);
    EXPECT_EQ(FN().LastDocumentNumber(), 6);
}

TEST_F(RegisterStoreTest, EveryAreaComesBackAsItWasKept)
{
    // A register driven through many operations, kept in its journal.
    UseFolder(Folder(), true);
    ChangeTheRegister();
    {
        auto lock = TestRegister().Lock();
        TestRegister().Area<RegisterServiceKeys>().AuthKey = QByteArray(16, 'k');
        TestRegister().Area<RegisterPrinter>().UserFont = FontMetrics{9, 17};
        TestRegister().Area<RegisterCounters>().PutWare(7, Ware{12 * Rub, 2, {1, 0, 0, 0}, QStringLiteral("Чай"), {}});
    }
    Driver().setPassword(30);
    Driver().setSumm1(5 * Rub);
    ASSERT_EQ(Driver().CashIncome(), 0);
    Driver().setPrice(10 * Rub);
    Driver().setQuantity(2);
    Driver().setStringForPrinting(QStringLiteral("Открытый чек"));
    ASSERT_EQ(Driver().Sale(), 0);   // a receipt left open
    const QByteArray kept = RegisterStore::StateOf(TestRegister());

    // Read back from the journal...
    RegisterConfig config;
    config.StateFolder = Folder();
    EmulatedRegister fromJournal(config);
    EXPECT_EQ(RegisterStore::StateOf(fromJournal), kept);
    EXPECT_TRUE(fromJournal.Area<RegisterReceipt>().IsOpen());
    EXPECT_EQ(fromJournal.Area<RegisterServiceKeys>().AuthKey, QByteArray(16, 'k'));

    // ...and from a snapshot alone: a new folder, held, takes the register as it is.
    config.StateFolder = FDir.path() + QStringLiteral("/copy");
    {
        auto hold = RegisterPortLock::Take(config.StateFolder);
        ASSERT_TRUE(RegisterStore(config.StateFolder).Take(fromJournal).isEmpty());
    }
    EmulatedRegister fromSnapshot(config);
    EXPECT_EQ(RegisterStore::StateOf(fromSnapshot), kept);
    EXPECT_EQ(fromSnapshot.Area<RegisterFN>().Documents.size(), FN().Documents.size());
    EXPECT_EQ(fromSnapshot.Paper().Texts(), TestRegister().Paper().Texts());
}

TEST_F(RegisterStoreTest, AHalfWrittenRecordIsDroppedAndTheRestKept)
{
    UseFolder(Folder());
    ASSERT_EQ(Sell(10 * Rub), 0);
    const int documents = FN().LastDocumentNumber();
    FreeDriver();
    Bench().Clear();
    QFile journal(Folder() + QStringLiteral("/journal.bin"));
    const qint64 size = journal.size();
    ASSERT_TRUE(journal.open(QIODevice::Append));
    journal.write(QByteArray("\x40\x00\x00\x00\x01\x02", 6));   // a record cut short
    journal.close();

    UseFolder(Folder());
    EXPECT_EQ(FN().LastDocumentNumber(), documents);
    EXPECT_EQ(journal.size(), size + 6);   // a program that does not hold the register writes nothing
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(journal.size(), size);   // the holder: the next record follows the last whole one
    ASSERT_EQ(Sell(20 * Rub), 0);
    UseFolder(Folder());
    EXPECT_EQ(FN().LastDocumentNumber(), documents + 1);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
}

TEST_F(RegisterStoreTest, AStateThatCannotBeReadIsKeptAsideAndReported)
{
    // A kept state changed: the snapshot's last byte but two, or its count
    // of documents (its last 8 bytes) set past the index, checksums redone
    // (without the journal, which would count them again).
    const auto flip = [](QByteArray& bytes, const QString&) {
        bytes[bytes.size() - 3] = char(bytes[bytes.size() - 3] ^ 0x20);
    };
    const auto overcount = [](QByteArray& bytes, const QString& folder) {
        QFile::remove(folder + QStringLiteral("/journal.bin"));
        const quint64 count = (quint64(1) << 60) + 1;   // the index's offset of the last one wraps
        std::memcpy(bytes.data() + bytes.size() - 8, &count, 8);
        const quint32 payloadSum = RegisterStore::Checksum(QByteArrayView(bytes).sliced(48));
        std::memcpy(bytes.data() + 40, &payloadSum, 4);
        const quint32 headerSum = RegisterStore::Checksum(QByteArrayView(bytes).first(44));
        std::memcpy(bytes.data() + 44, &headerSum, 4);
    };
    struct Case {
        const char* Name;
        QByteArray Bytes;
        std::function<void(QByteArray&, const QString&)> Change;
    } cases[] = {
        {"garbage", QByteArray("not a register state"), {}},
        {"flipped", QByteArray(), flip},
        {"overcounted", QByteArray(), overcount},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString folder = FDir.path() + QLatin1Char('/') + QLatin1String(c.Name);
        if (c.Change) {
            UseFolder(folder);
            ASSERT_EQ(Sell(10 * Rub), 0);
            Bench().Clear();
            QFile f(folder + QStringLiteral("/state.bin"));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            c.Bytes = f.readAll();
            c.Change(c.Bytes, folder);
        }
        QDir().mkpath(folder);
        WriteStateFile(folder + QStringLiteral("/state.bin"), c.Bytes);
        TestDialogs().clear();
        UseFolder(folder, true);
        // The register starts from its description (a blank FN)...
        EXPECT_FALSE(FN().FiscalMode());
        EXPECT_TRUE(FN().Documents.empty());
        // ...the bad state stays where it is until the register is held...
        EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.bad")}, QDir::Files).isEmpty());
        ASSERT_EQ(Driver().GetShortECRStatus(), 0);
        // ...then it is kept as it was...
        const QStringList aside = QDir(folder).entryList({QStringLiteral("state.bin.*.bad")}, QDir::Files);
        ASSERT_EQ(aside.size(), 1);
        QFile f(folder + QLatin1Char('/') + aside[0]);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.Bytes);
        // ...and the user is told once, from the event loop.
        EXPECT_TRUE(TestDialogs().messages().isEmpty());
        QCoreApplication::processEvents();
        ASSERT_EQ(TestDialogs().messages().size(), 1);
        EXPECT_TRUE(TestDialogs().lastMessage().contains(aside[0]));
        // The new state is kept again.
        EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/state.bin")));
    }
}

TEST_F(RegisterStoreTest, TheBenchFileDescribesARegisterOnlyWhenItIsFirstMade)
{
    const QString bench = WriteTestFile(QStringLiteral("store-bench.txt"), "[register]\nfn = blank\nclock = -90\n");
    Bench().Load(bench);
    EXPECT_TRUE(Bench().Register(0)->Config().StateFolder.startsWith(
        qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/orvek/bench/store-bench-")));
    EXPECT_TRUE(Bench().Register(0)->Config().StateFolder.endsWith(QStringLiteral("/1")));
    EXPECT_FALSE(FN().FiscalMode());
    Driver().setINN(QStringLiteral("7701234567"));
    Driver().setKKTRegistrationNumber(
        GenerateRNM(QByteArray("42"), QByteArray("7701234567"), TestRegister().State().Serial.toLatin1()));
    Driver().setTaxType(1);
    Driver().setWorkMode(0);
    ASSERT_EQ(Driver().FNBuildRegistrationReport(), 0);
    FreeDriver();

    // The next run, with the file changed: the kept FN and clock hold.
    WriteTestFile(QStringLiteral("store-bench.txt"), "[register]\nfn = blank\nclock = 500\n");
    Bench().Load(bench);
    EXPECT_TRUE(FN().FiscalMode());
    EXPECT_EQ(TestRegister().State().ClockOffsetMs, -90000);
    // Another bench file is another register.
    Bench().Load(WriteTestFile(QStringLiteral("store-bench-2.txt"), "[register]\nfn = blank\n"));
    EXPECT_FALSE(FN().FiscalMode());
}

TEST_F(RegisterStoreTest, AConnectSeesWhatAnotherProgramKeptMeanwhile)
{
    UseFolder(Folder());
    ASSERT_EQ(Sell(10 * Rub), 0);
    // The other program's copy of the register, made now.
    RegisterConfig config;
    config.StateFolder = Folder();
    auto other = std::make_shared<EmulatedRegister>(config);
    ASSERT_EQ(Sell(20 * Rub), 0);
    WriteShopNumber(77);
    FreeDriver();
    EXPECT_NE(other->Area<RegisterFN>().LastDocumentNumber(), FN().LastDocumentNumber());

    auto hold = RegisterPortLock::Take(Folder());
    ASSERT_TRUE(other->Refresh().isEmpty());   // what a driver object does when it connects
    EXPECT_EQ(RegisterStore::StateOf(*other), RegisterStore::StateOf(TestRegister()));
    EXPECT_EQ(other->Tables().Value(1, 1, 1).toInt(), 77);
}

namespace {
// What the driver answers for a document: its search result and its TLV.
QString DocumentAnswer(int number)
{
    TDriver& d = Driver();
    d.setDocumentNumber(number);
    if (std::int32_t code = d.FNFindDocument())
        return QStringLiteral("error %1").arg(code);
    QString answer = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                         .arg(d.DocumentType())
                         .arg(d.OFDTicketReceived())
                         .arg(QString::number(d.Date(), 'f', 6), QString::number(d.Time(), 'f', 6))
                         .arg(d.FiscalSignAsString())
                         .arg(d.OperationType())
                         .arg(qlonglong(d.Summ1()));
    if (std::int32_t code = d.FNRequestFiscalDocumentTLV())
        return answer + QStringLiteral(" TLV error %1").arg(code);
    for (int i = 0; i < 10000 && d.FNReadFiscalDocumentTLV() == 0; ++i)
        answer += QLatin1Char(' ') + d.TLVDataHex();
    return answer;
}
} // namespace

// More documents than the FN holds in memory: the older ones are read back
// from the folder exactly as they were answered, through a snapshot and
// after a reload, and the memory holds no more than the window.
TEST_F(RegisterStoreTest, OldDocumentsAreReadBackFromTheFolder)
{
    UseFolder(Folder());
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);   // held: Persist keeps
    const int count = int(FNDocumentList::Window) * 2 + 100;   // the journal outgrows its bound: a snapshot
    const int first = FN().LastDocumentNumber() + 1;
    const int old[] = {first, first + 1, first + 777, first + int(FNDocumentList::Window) + 3};
    std::map<int, QString> answered;
    for (int i = 0; i < count; ++i) {
        FNDocument& doc = FN().AddDocument(FNDocType::Receipt);
        doc.OperationType = 1 + i % 4;
        doc.Summ = (i + 1) * Rub;
        doc.Payments[1] = doc.Summ;
        FNTag tag;
        tag.Number = 1192;
        tag.Type = OrvekTagType::String;
        tag.Value = QByteArray(500, char('a' + i % 26));
        doc.Tags.push_back(tag);
        TestRegister().Persist();
        if (std::find(std::begin(old), std::end(old), doc.Number) != std::end(old))
            answered[doc.Number] = DocumentAnswer(doc.Number);
        ASSERT_LE(FN().Documents.Held(), FNDocumentList::Window);
    }
    ASSERT_EQ(answered.size(), std::size(old));
    // A snapshot does not copy them: they stay where they were written.
    EXPECT_LT(QFile(QDir(Folder()).filePath("state.bin")).size(), 1 << 20);
    EXPECT_GT(QFile(QDir(Folder()).filePath("documents.bin")).size(), 2 << 20);
    for (const auto& [number, answer] : answered)
        EXPECT_EQ(DocumentAnswer(number), answer) << number;

    UseFolder(Folder());
    ASSERT_EQ(FN().LastDocumentNumber(), first + count - 1);
    EXPECT_LE(FN().Documents.Held(), FNDocumentList::Window);
    for (const auto& [number, answer] : answered)
        EXPECT_EQ(DocumentAnswer(number), answer) << number;
    // The OFD's tickets reach the documents read back.
    FN().Confirm(first + 1);
    TestRegister().Persist();
    UseFolder(Folder());
    Driver().setDocumentNumber(first);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_TRUE(Driver().OFDTicketReceived());
    Driver().setDocumentNumber(first + 777);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_FALSE(Driver().OFDTicketReceived());
}

namespace {
bool IsRegular(const QString& fileName)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(fileName).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QStringList Aside(const QString& folder, const QString& name = QStringLiteral("*"))
{
    return QDir(folder).entryList({name + QStringLiteral(".*.bad")}, QDir::AllEntries | QDir::System);
}

// The notices the user was shown since the last call.
QStringList TakeNotices()
{
    QCoreApplication::processEvents();
    QStringList notices = TestDialogs().messages();
    TestDialogs().clear();
    return notices;
}

// A register kept in the folder with a few receipts, not held by anyone.
void KeepSomeReceipts(const QString& folder, int receipts)
{
    UseFolder(folder);
    for (int i = 1; i <= receipts; ++i)
        ASSERT_EQ(Sell(i * Rub), 0);
    FreeDriver();
    Bench().Clear();
    TakeNotices();
}
} // namespace

// Damage of any kind is set aside byte for byte by the program that holds
// the register, reported once, and never hangs it: a damaged journal loses
// only what came after the damage, anything else starts the register afresh.
TEST_F(RegisterStoreTest, DamageIsSetAsideAndReportedOnce)
{
    const auto flip = [](QByteArray& b, qsizetype at) { b[at] = char(b[at] ^ 0x10); };
    struct Case {
        const char* Name;
        const char* File;        // the damaged file
        std::function<void(const QString& file)> Damage;
        bool JournalOnly;        // the documents before the damage stay
    } cases[] = {
        {"flipped mid-journal", "journal.bin", [&](const QString& f) {
             QByteArray b = FileBytes(f);
             flip(b, b.size() / 2);
             WriteStateFile(f, b);
         }, true},
        {"flipped journal header", "journal.bin", [&](const QString& f) {
             QByteArray b = FileBytes(f);
             flip(b, 30);
             WriteStateFile(f, b);
         }, true},
        {"zeroed journal", "journal.bin", [](const QString& f) { WriteStateFile(f, QByteArray(FileBytes(f).size(), '\0')); }, true},
        {"emptied journal", "journal.bin", [](const QString& f) { WriteStateFile(f, QByteArray()); }, true},
        {"another register's journal", "journal.bin", [this](const QString& f) {
             KeepSomeReceipts(FDir.path() + QStringLiteral("/other"), 1);
             QFile::remove(f);
             QFile::copy(FDir.path() + QStringLiteral("/other/journal.bin"), f);
         }, true},
        {"flipped snapshot", "state.bin", [&](const QString& f) {
             QByteArray b = FileBytes(f);
             flip(b, b.size() - 3);
             WriteStateFile(f, b);
         }, false},
        {"snapshot as a FIFO", "state.bin", [](const QString& f) {
             QFile::remove(f);
             ASSERT_EQ(::mkfifo(QFile::encodeName(f).constData(), 0600), 0);
         }, false},
        {"journal as a FIFO", "journal.bin", [](const QString& f) {
             QFile::remove(f);
             ASSERT_EQ(::mkfifo(QFile::encodeName(f).constData(), 0600), 0);
         }, true},
        {"snapshot linked to a device", "state.bin", [](const QString& f) {
             QFile::remove(f);
             ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), f));
         }, false},
        {"snapshot as a folder", "state.bin", [](const QString& f) {
             QFile::remove(f);
             ASSERT_TRUE(QDir().mkpath(f));
         }, false},
        {"index of another register", "documents.idx", [this](const QString& f) {
             KeepSomeReceipts(FDir.path() + QStringLiteral("/other2"), 1);
             QFile::remove(f);
             QFile::copy(FDir.path() + QStringLiteral("/other2/documents.idx"), f);
         }, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString folder = FDir.path() + QStringLiteral("/case%1").arg(++n);
        KeepSomeReceipts(folder, 4);
        const QString file = folder + QLatin1Char('/') + QLatin1String(c.File);
        c.Damage(file);
        TakeNotices();
        const QFileInfo before(file);
        const bool regular = IsRegular(file);
        const QByteArray damaged = regular ? FileBytes(file) : QByteArray();   // a FIFO would block

        UseFolder(folder);
        EXPECT_TRUE(Aside(folder).isEmpty());   // not held yet: nothing written
        ASSERT_EQ(Driver().GetShortECRStatus(), 0);
        const QStringList notices = TakeNotices();
        ASSERT_EQ(notices.size(), 1) << notices.join('\n').toStdString();
        const QStringList aside = Aside(folder, QLatin1String(c.File));
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(notices[0].contains(aside[0])) << notices[0].toStdString();
        const QFileInfo kept(folder + QLatin1Char('/') + aside[0]);
        if (before.isSymLink())
            EXPECT_TRUE(kept.isSymLink());
        else if (before.isDir())
            EXPECT_TRUE(kept.isDir());
        else if (regular)
            EXPECT_EQ(FileBytes(kept.filePath()), damaged);
        else
            EXPECT_FALSE(IsRegular(kept.filePath()));
        if (c.JournalOnly) {
            EXPECT_TRUE(notices[0].contains(QStringLiteral("после документа ФН № %1").arg(FN().LastDocumentNumber())));
            EXPECT_GE(FN().LastDocumentNumber(), 1);   // what the snapshot holds
        } else {
            EXPECT_TRUE(notices[0].contains(QStringLiteral("заново"))) << notices[0].toStdString();
        }
        // The register goes on, kept again.
        const int last = FN().LastDocumentNumber();
        ASSERT_EQ(Sell(7 * Rub), 0);
        UseFolder(folder);
        ASSERT_EQ(Driver().GetShortECRStatus(), 0);
        EXPECT_GT(FN().LastDocumentNumber(), last);
        EXPECT_EQ(FN().Documents.back().Summ, 7 * Rub);
        EXPECT_TRUE(TakeNotices().isEmpty());
        FreeDriver();
        Bench().Clear();
    }
}

// A kept state that is there but cannot be read is not taken for a fresh
// register: the register cannot be reached, nothing is written, and once
// the state reads again everything is there.
TEST_F(RegisterStoreTest, AStateThatCannotBeReadIsNeitherFreshNorWrittenOver)
{
    KeepSomeReceipts(Folder(), 3);
    const QString state = Folder() + QStringLiteral("/state.bin");
    const QString hidden = FDir.path() + QStringLiteral("/state.bin");
    ASSERT_TRUE(QFile::rename(state, hidden));
    // A path that cannot be opened, even by root: through a regular file.
    ASSERT_TRUE(QFile::link(FDir.path() + QStringLiteral("/state.bin/x"), state));

    UseFolder(Folder());
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::FileError);
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(QStringLiteral("не читается")));
    EXPECT_EQ(Sell(5 * Rub), OrvekResult::FileError);
    const QStringList notices = TakeNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("не читается")));
    EXPECT_TRUE(Aside(Folder()).isEmpty());
    EXPECT_TRUE(QFileInfo(state).isSymLink());

    QFile::remove(state);
    ASSERT_TRUE(QFile::rename(hidden, state));
    ASSERT_EQ(Sell(6 * Rub), 0);
    EXPECT_EQ(FN().Documents.back().Summ, 6 * Rub);
    EXPECT_EQ(FN().Documents[FN().Documents.size() - 2].Summ, 3 * Rub);
}

// Writes that fail now and then (a full disk): a command whose change was not
// kept answers an error saying why, later ones retry, and the next start
// holds every receipt that was answered with success.
TEST_F(RegisterStoreTest, NothingAnsweredIsLostWhenWritesFail)
{
    UseFolder(Folder());
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    std::map<int, Currency> answered;   // FN number -> total
    int failures = 0;
    int writes = 0;
    const TWriteFault before = SetWriteFault([&writes] { 
        ++writes;
        return writes == 9 || writes == 23 || writes == 31 || (writes > 60 && writes < 80) ? ENOSPC : 0;
    });
    for (int i = 1; i <= 40; ++i) {
        const std::int32_t code = Sell(i * Rub);
        if (code == 0) {
            answered[FN().LastDocumentNumber()] = i * Rub;
        } else {
            ASSERT_EQ(code, OrvekResult::FileError) << i << " " << Driver().ResultCodeDescription().toStdString();
            EXPECT_TRUE(Driver().ResultCodeDescription().contains(QStringLiteral("нет места на диске")))
                << Driver().ResultCodeDescription().toStdString();
            ++failures;
            if (TestRegister().Mode() == 8)
                Driver().CancelCheck();   // a receipt left open by a failed close
        }
    }
    SetWriteFault(before);
    ASSERT_EQ(Sell(100 * Rub), 0);
    answered[FN().LastDocumentNumber()] = 100 * Rub;
    EXPECT_GT(failures, 0);
    ASSERT_GT(answered.size(), 10u);
    const QStringList notices = TakeNotices();
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_TRUE(notices[0].contains(QStringLiteral("нет места на диске")));
    EXPECT_FALSE(notices.join(' ').contains(QStringLiteral("Unknown")));

    UseFolder(Folder());
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    for (const auto& [number, total] : answered) {
        const FNDocument* doc = FN().Find(number);
        ASSERT_NE(doc, nullptr) << number;
        EXPECT_EQ(doc->Summ, total) << number;
    }
    EXPECT_TRUE(Aside(Folder()).isEmpty());
}

// The child's part: sells until killed, printing each FN number answered.
TEST(RegisterStoreChild, SellsUntilKilled)
{
    const QString folder = qEnvironmentVariable(ChildFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs as a child of RegisterStoreTest";
    ResetEmulatedDriver();
    UseFolder(folder);
    if (Driver().GetShortECRStatus() == 0 && Driver().ECRMode() == 8)
        Driver().CancelCheck();   // a receipt a killed seller left open
    QElapsedTimer timer;
    timer.start();
    const int sales = qEnvironmentVariableIsSet("ORVEK_TEST_SALES") ? qEnvironmentVariableIntValue("ORVEK_TEST_SALES")
                                                                     : 100000;
    for (int i = 0; i < sales && timer.elapsed() < 60000; ++i) {
        if (const std::int32_t code = Sell(Rub); code != 0) {
            std::printf("refused %d %s\n", code, qPrintable(Driver().ResultCodeDescription()));
            break;
        }
        std::printf("sold %d\n", FN().LastDocumentNumber());
        std::fflush(stdout);
    }
}

// One program sells while another starts, is refused and ends, again and
// again; then the first is killed. The next start holds every receipt the
// first was answered, and nothing was taken for damage.
TEST_F(RegisterStoreTest, ASecondProgramNeverDamagesTheFirstOnesState)
{
    KeepSomeReceipts(Folder(), 1);
    auto child = StartChild("SellsUntilKilled", Folder());
    ASSERT_TRUE(child->waitForStarted(10000));
    QByteArray out;
    const auto lastSold = [&out] {
        const qsizetype at = out.lastIndexOf("sold ");
        const qsizetype end = at < 0 ? -1 : out.indexOf('\n', at);
        return end < 0 ? 0 : out.mid(at + 5, end - at - 5).toInt();
    };
    QElapsedTimer timer;
    timer.start();
    while (!out.contains("sold ") && timer.elapsed() < 30000 && child->state() == QProcess::Running)
        if (child->waitForReadyRead(1000))
            out += child->readAllStandardOutput();
    for (int starts = 0; starts < 40 && timer.elapsed() < 60000 && child->state() == QProcess::Running; ++starts) {
        child->waitForReadyRead(50);
        out += child->readAllStandardOutput();
        UseFolder(Folder());   // the other program starts...
        EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::PortUnavailable);   // ...is refused...
        FreeDriver();
        Bench().Clear();   // ...and ends
    }
    child->waitForReadyRead(1000);
    out += child->readAllStandardOutput();
    ASSERT_EQ(child->state(), QProcess::Running) << out.right(200).toStdString();
    child->kill();
    ASSERT_TRUE(child->waitForFinished(10000));
    out += child->readAllStandardOutput();
    const int sold = lastSold();
    ASSERT_GT(sold, 2);

    UseFolder(Folder());
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_GE(FN().LastDocumentNumber(), sold);
    for (qsizetype at = out.indexOf("sold "); at >= 0; at = out.indexOf("sold ", at + 1)) {
        const int number = out.mid(at + 5, out.indexOf('\n', at) - at - 5).toInt();
        if (number > 0)
            ASSERT_NE(FN().Find(number), nullptr) << number;
    }
    EXPECT_TRUE(Aside(Folder()).isEmpty());
    EXPECT_TRUE(TakeNotices().isEmpty());
}

// A program that ends while its driver object still holds the register
// lets go of it cleanly (the driver is freed after everything else).
TEST_F(RegisterStoreTest, AProgramEndingWhileConnectedEndsCleanly)
{
    qputenv("ORVEK_TEST_SALES", "2");
    auto child = StartChild("SellsUntilKilled", Folder());
    qunsetenv("ORVEK_TEST_SALES");
    ASSERT_TRUE(child->waitForFinished(60000));
    EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child->exitCode(), 0);
    EXPECT_EQ(child->readAllStandardOutput().count("sold "), 2);
}

// Only the latest states moved aside are kept.
TEST_F(RegisterStoreTest, OnlyTheLatestStatesSetAsideAreKept)
{
    for (int i = 0; i < RegisterStore::BadKept + 3; ++i) {
        KeepSomeReceipts(Folder(), 1);
        WriteStateFile(Folder() + QStringLiteral("/state.bin"), QByteArray("garbage"));
        UseFolder(Folder());
        ASSERT_EQ(Driver().GetShortECRStatus(), 0);
        FreeDriver();
        Bench().Clear();
    }
    EXPECT_EQ(Aside(Folder(), QStringLiteral("state.bin")).size(), RegisterStore::BadKept);
}
