#pragma once
// Runs a fuzz entry over a seeded corpus and seeded random mutations of it
// (what libFuzzer does with clang, kept short and repeatable for ctest).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

inline int RunFuzzEntry(const QByteArray& input)
{
    // A copy on the heap, so a read past the input shows under the sanitizers.
    const QByteArray copy(input.constData(), input.size());
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(copy.constData()), std::size_t(copy.size()));
}

inline void RunFuzzRounds(const QList<QByteArray>& corpus, const QByteArray& alphabet, int rounds = 20000)
{
    for (const QByteArray& seed : corpus)
        ASSERT_EQ(RunFuzzEntry(seed), 0) << seed.toHex().constData();
    std::mt19937 random(20261211);
    for (int round = 0; round < rounds; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = random() % 4 == 0 ? char(random()) : alphabet[qsizetype(random() % std::uint32_t(alphabet.size()))];
            switch (random() % 3) {
            case 0: input.insert(at, c); break;
            case 1: if (at < input.size()) input[at] = c; break;
            default: input.truncate(at); break;
            }
        }
        ASSERT_EQ(RunFuzzEntry(input), 0) << input.toHex().constData();
    }
}
