// The scanned-text fuzz entry over a seeded corpus and seeded random
// mutations of it.
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(serial_scan_fuzz, SeededCorpusAndMutations)
{
    const QList<QByteArray> corpus = {
        "", ";", ";;", "\"", "\"\"", "0012345678", "a;b;0012345678;c", "\"a;b\";\"c\"\"d\";\"0012\"",
        "a b\tc\r\n", QByteArray("a;\0;b", 5), "\xd0\x9a\xd0\x9a\xd0\xa2;1;2", QByteArray(300, ';'),
    };
    const char alphabet[] = "0123456789;\" \t\r\nabAB\x00\xff\xd0\x9a";
    FuzzSeededCorpus(&LLVMFuzzerTestOneInput, corpus, QByteArray(alphabet, sizeof alphabet - 1), 20000);
}
