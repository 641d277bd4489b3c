// The discovery datagram fuzz entry over a seeded corpus and seeded random
// mutations of it.
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(tcp_discovery_fuzz, SeededCorpusAndMutations)
{
    const QList<QByteArray> corpus = {
        "", ";", ";;", "SN", "SN:", "SN:1;IP:127.0.0.1;port:7778", "SN:1; IP:127.0.0.1; port:7778",
        "port:7778;IP:127.0.0.1;SN:1", "SN:1;IP:1.2.3.4", "SN:1;IP:1.2.3.4;port:99999", "sn:1;IP:1.2.3.4;port:1",
        QByteArray("SN=\xff") + '\0' + "\x01;IP=10.0.0.1;port=1", "SN:" + QByteArray(300, 'A') + ";IP:1.1.1.1;port:65535",
    };
    const char alphabet[] = "0123456789;:= .SNIPportx\x00\xff";
    FuzzSeededCorpus(&LLVMFuzzerTestOneInput, corpus, QByteArray(alphabet, sizeof alphabet - 1), 20000);
}
