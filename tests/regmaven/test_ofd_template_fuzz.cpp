// The OFD template fuzz entry over a seeded corpus and seeded random mutations of it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(ofd_template_fuzz, SeededCorpusAndMutations)
{
    const QList<QByteArray> corpus = {
        "",
        "<OFDParams/>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<OFDParams>\n  <OFDServer>a</OFDServer>\n  "
        "<OFDPort>1</OFDPort>\n  <SenderEmail/>\n</OFDParams>\n",
        "<OFDParams><X><OFDName>n</OFDName></X><OFDName>\xd0\x98</OFDName></OFDParams>",
        "<Other/>",
        "<OFDParams><OFDServer><![CDATA[<x>]]></OFDServer><PortKM>&amp;&#65;</PortKM></OFDParams>",
    };
    auto run = [](const QByteArray& input) {
        return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                      std::size_t(input.size()));
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(run(seed), 0);

    std::mt19937 random(20261211);
    const char alphabet[] = "<>/=\"'&;! ?OFDParamsx\n\xd0\xff";
    for (int round = 0; round < 5000; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0: input.insert(at, c); break;
            case 1: if (at < input.size()) input[at] = c; break;
            default: if (at < input.size()) input.remove(at, 1); break;
            }
        }
        EXPECT_EQ(run(input), 0);
    }
}
