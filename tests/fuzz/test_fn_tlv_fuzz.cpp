// The emulated FN's TLV parser fuzz entry over a seeded corpus.
#include "tests/fuzz/FuzzRounds.h"

TEST(fn_tlv_fuzz, SeededCorpusAndMutations)
{
    RunFuzzRounds({QByteArray(), QByteArray::fromHex("F0030300614062"), QByteArray::fromHex("A8040000"),
                   QByteArray::fromHex("F0030300614062A8040000"), QByteArray::fromHex("F003"),
                   QByteArray::fromHex("0000000001"), QByteArray::fromHex("FFFFFFFF00")},
                  QByteArray::fromHex("000102030405F0FFA804"));
}
