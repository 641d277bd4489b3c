// Fuzz entry for the CashControl listener's stream: the bytes in both code
// pages, cut into chunks at places the bytes choose, through the line
// stream, once whole and once with short lines cut. The text must not depend
// on the cuts and hold no CR; each chunk's count must match its whole text,
// and a cut line hold its first characters and the mark.
#include "pages/receipts/fmuCashControl.h"

#include <QStringList>

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
    constexpr qsizetype MaxLine = 12;
    const QString mark = TLineStream::CutMark(MaxLine);
    auto bytes = std::make_unique<char[]>(size);
    if (size > 0)
        std::memcpy(bytes.get(), data, size);
    const QByteArray input = QByteArray::fromRawData(bytes.get(), qsizetype(size));
    for (const bool cp866 : {false, true}) {
        const QString text = GetLineData(input, cp866);
        if (text.size() != input.size())
            __builtin_trap();
        TLineStream whole(input.size() + 1), cut(MaxLine);
        const QString expected = whole.Add(text).Text;
        const QString expectedCut = cut.Add(text).Text;
        whole.Reset();
        cut.Reset();
        QString joined, joinedCut;
        qsizetype at = 0;
        while (at < input.size()) {
            // The chunk length comes from the byte at the cut.
            const qsizetype length = 1 + qsizetype(std::uint8_t(input[at]) % 7);
            const QString piece = GetLineData(input.mid(at, length), cp866);
            const TLineStream::TChunk chunk = whole.Add(piece);
            const TLineStream::TChunk chunkCut = cut.Add(piece);
            if (chunk.Text.contains(QLatin1Char('\r')) || chunk.Lines != LinesOf(chunk.Text) ||
                chunkCut.Lines != chunk.Lines)
                __builtin_trap();
            joined += chunk.Text;
            joinedCut += chunkCut.Text;
            at += length;
        }
        if (joined != expected || joinedCut != expectedCut)
            __builtin_trap();
        // Line by line: short lines as they are, long ones cut and marked.
        const QStringList lines = joined.split(QLatin1Char('\n'));
        const QStringList linesCut = joinedCut.split(QLatin1Char('\n'));
        if (lines.size() != linesCut.size())
            __builtin_trap();
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (linesCut[i] != (lines[i].size() <= MaxLine ? lines[i] : lines[i].left(MaxLine) + mark))
                __builtin_trap();
    }
    return 0;
}
