// The GS1 fuzz entry over a seeded corpus and seeded random mutations of it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
int RunEntry(const QByteArray& input)
{
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
}
} // namespace

TEST(gs1_parser_fuzz, SeededCorpusAndMutations)
{
    const QByteArray gs(1, '\x1D');
    const QList<QByteArray> corpus = {
        "", "0", "01", "0104600000000012", "010460000000001221", "01046000000000122" + gs,
        "010460000000001221" "5Qbag!" + gs + "93Zjqw", "04600000000012ABCDEFGABCDwxyz", "RU-401301-AAA0277031",
        "0123456789012345678", "00123456789012345678" "17251231" + gs + "91EE06" "8005123" + gs + "92",
        "24", "240", "8005", "70031234567890123", "\xd0\xb0\xd0\xb4" "0460000000000021SER",
        "21" + QByteArray(200, 'A'),
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(RunEntry(seed), 0);

    std::mt19937 random(20261211);
    const char alphabet[] = "0123456789\x1D-AZaz\xd0\xff";
    for (int round = 0; round < 20000; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = input.isEmpty() ? 0 : qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0: input.insert(at, c); break;
            case 1: if (at < input.size()) input[at] = c; break;
            default: input.truncate(at); break;
            }
        }
        ASSERT_EQ(RunEntry(input), 0) << input.toHex().constData();
    }
}
