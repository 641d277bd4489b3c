// Fuzz entry for the CashControl listener's stream: the bytes in both code
// pages, cut into chunks at places the bytes choose, through the line
// stream. The text must not depend on the cuts, hold no CR, and each
// chunk's count must match its text.
#include "pages/receipts/fmuCashControl.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {
int LinesOf(const QString& text)
{
    const int breaks = int(text.count(QLatin1Char('\n')));
    return breaks + (text.isEmpty() || text.endsWith(QLatin1Char('\n')) ? 0 : 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto bytes = std::make_unique<char[]>(size);
    if (size > 0)
        std::memcpy(bytes.get(), data, size);
    const QByteArray input = QByteArray::fromRawData(bytes.get(), qsizetype(size));
    for (const bool cp866 : {false, true}) {
        const QString text = GetLineData(input, cp866);
        if (text.size() != input.size())
            __builtin_trap();
        TLineStream whole;
        const QString expected = whole.Add(text).Text;
        TLineStream stream;
        QString joined;
        qsizetype at = 0;
        while (at < input.size()) {
            // The chunk length comes from the byte at the cut.
            const qsizetype length = 1 + qsizetype(std::uint8_t(input[at]) % 7);
            const TLineStream::TChunk chunk = stream.Add(GetLineData(input.mid(at, length), cp866));
            if (chunk.Text.contains(QLatin1Char('\r')) || chunk.Lines != LinesOf(chunk.Text))
                __builtin_trap();
            joined += chunk.Text;
            at += length;
        }
        if (joined != expected)
            __builtin_trap();
    }
    return 0;
}
