#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
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
