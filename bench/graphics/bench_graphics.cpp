// Raster rows of a 512 × 10,000 24-bit BMP picture (at most 20 ms for all
// rows) and each black-and-white filter on 2,000 × 2,000 (at most 300 ms).
#include "pages/receipts/fmuPrintImage.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {
// A noisy picture read back from a 24-bit BMP, as a page opens one.
QImage NoisyBmp(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < width * 3; ++x)
            line[x] = random.bounded(2) ? 0 : uchar(random.bounded(256));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return QImage::fromData(bytes, "BMP");
}

void BM_RasterRows(benchmark::State& state)
{
    const QImage picture = NoisyBmp(512, 10000);
    for (auto _ : state)
        for (int row = 0; row < picture.height(); ++row)
            benchmark::DoNotOptimize(GetLineData(picture, row, true, false));
    state.SetItemsProcessed(state.iterations() * picture.height());
}
BENCHMARK(BM_RasterRows)->Unit(benchmark::kMillisecond);

template <void (*Filter)(QImage&, const TFilterProgress&)>
void BM_Filter(benchmark::State& state)
{
    const QImage source = NoisyBmp(2000, 2000);
    for (auto _ : state) {
        QImage picture = source;
        Filter(picture, {});
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Filter<MonochromeImage>)->Name("BM_MonochromeImage")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Filter<MonochromeImage2>)->Name("BM_MonochromeImage2")->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
