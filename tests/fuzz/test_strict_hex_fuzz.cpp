// The strict hex reader's fuzz entry over a seeded corpus.
#include "tests/fuzz/FuzzRounds.h"

TEST(strict_hex_fuzz, SeededCorpusAndMutations)
{
    RunFuzzRounds({"", "01", "01 02", "0A\r\nff\t00 ", "0102", "0", "G1", "01 02 03 04 05 ", "\xd0\xa4\xd0\xa4 01"},
                  QByteArray("0123456789abcdefABCDEFgG \r\n\t,\xd0\xa4"));
}
