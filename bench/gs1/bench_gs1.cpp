// GetGTIN over marking codes of 31, 44 and 85 characters; the items per
// second are codes per second (at least 5 million on one core).
#include "core/support/gs1_parser.h"

#include <benchmark/benchmark.h>

namespace {
const QString GS = QString(QChar(0x1D));
const QString G = QStringLiteral("04600000000012");

QString Code(int length)
{
    switch (length) {
    case 31: return "01" + G + "21" + "5Qbag!" + GS + "93" + "Zjqw";
    case 44: return "01" + G + "21" + "5Qbag!ABCDEFG" + GS + "91" + "EE06" + GS + "92" + "sig";
    default: return "01" + G + "21" + "5Qbag!ABCDEFG" + GS + "91" + "EE06" + GS + "92" + QString(44, QLatin1Char('s'));
    }
}

void BM_GetGTIN(benchmark::State& state)
{
    const QString code = Code(int(state.range(0)));
    if (code.size() != state.range(0) || GetGTIN(code) != G)
        state.SkipWithError("bad sample code");
    for (auto _ : state)
        benchmark::DoNotOptimize(GetGTIN(code));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetGTIN)->Arg(31)->Arg(44)->Arg(85);
} // namespace

BENCHMARK_MAIN();
