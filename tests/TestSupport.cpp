#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <memory>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <random>

namespace {
Dialogs::ScriptedDialogs* g_dialogs = nullptr;
}

void InstallTestDialogs()
{
    auto dialogs = std::make_unique<Dialogs::ScriptedDialogs>();
    g_dialogs = dialogs.get();
    Dialogs::Install(std::move(dialogs));
}

Dialogs::ScriptedDialogs& TestDialogs()
{
    if (!g_dialogs)
        InstallTestDialogs();
    return *g_dialogs;
}

QString TestTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

QString WriteTestFile(const QString& name, const QByteArray& bytes)
{
    const QString fileName = TestTempDir() + QLatin1Char('/') + name;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << fileName.toStdString();
    return fileName;
}

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(list[i], os);
    }
    *os << '}';
}

TFullDisk::TFullDisk(long long bytes)
{
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);   // the write fails instead of ending the program
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    FOldLimit = (long long)limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

TFullDisk::~TFullDisk()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(FOldLimit);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, FOldHandler);
}

namespace {
constexpr unsigned OverrideCaps = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH;

bool Capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
} // namespace

TPermissionsApply::TPermissionsApply()
{
    __user_cap_data_struct data[2] = {};
    if (!Capabilities(data, false) || !(data[0].effective & OverrideCaps))
        return;
    FOldEffective[0] = data[0].effective;
    FOldEffective[1] = data[1].effective;
    data[0].effective &= ~OverrideCaps;
    FDropped = Capabilities(data, true);
}

TPermissionsApply::~TPermissionsApply()
{
    __user_cap_data_struct data[2] = {};
    if (!FDropped || !Capabilities(data, false))
        return;
    data[0].effective = FOldEffective[0];
    data[1].effective = FOldEffective[1];
    Capabilities(data, true);
}

QByteArray FileBytes(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile f(fileName);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() && f.flush();
}

void FuzzSeededCorpus(TFuzzEntry entry, const QList<QByteArray>& corpus, const QByteArray& alphabet, int rounds)
{
    auto run = [entry](const QByteArray& input) {
        return entry(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(run(seed), 0) << seed.toHex().constData();
    std::mt19937 random(20261211);
    for (int round = 0; round < rounds; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = input.isEmpty() ? 0 : qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = alphabet[qsizetype(random() % std::uint32_t(alphabet.size()))];
            switch (random() % 3) {
            case 0: input.insert(at, c); break;
            case 1: if (at < input.size()) input[at] = c; break;
            default: input.truncate(at); break;
            }
        }
        ASSERT_EQ(run(input), 0) << input.toHex().constData();
    }
}
