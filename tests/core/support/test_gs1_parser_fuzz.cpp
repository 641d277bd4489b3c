// The GS1 fuzz entry over a seeded corpus and seeded random mutations of it.
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

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
    FuzzSeededCorpus(&LLVMFuzzerTestOneInput, corpus, QByteArray("0123456789\x1D-AZaz\xd0\xff"), 20000);
}
