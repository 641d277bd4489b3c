// The discovery datagram fuzz entry over a seeded corpus and seeded random
// mutations of it.
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

TEST(tcp_discovery_fuzz, SeededCorpusAndMutations)
{
    const QList<QByteArray> corpus = {
        "", ";", ";;", "SN", "SN:", "SN:1;IP:127.0.0.1;port:7778", "SN:1; IP:127.0.0.1; port:7778",
        "port:7778;IP:127.0.0.1;SN:1", "SN:1;IP:1.2.3.4", "SN:1;IP:1.2.3.4;port:99999", "sn:1;IP:1.2.3.4;port:1",
        "SN=\xff\x00\x01;IP=10.0.0.1;port=1", "SN:" + QByteArray(300, 'A') + ";IP:1.1.1.1;port:65535",
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(RunEntry(seed), 0);

    std::mt19937 random(20261211);
    const char alphabet[] = "0123456789;:= .SNIPportx\x00\xff";
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
