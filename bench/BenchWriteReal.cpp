// How fast real numbers reach the DXF text: the general 15-digit form of
// typical mapped coordinates, and whole groups through the writer.
#include <benchmark/benchmark.h>

#include <vector>

#include "dxf/DxfWriter.h"
#include "dxf/NumberFormat.h"

namespace {

std::vector<long double> Values() {
    std::vector<long double> values;
    for (int i = 0; i < 4096; ++i) {
        values.push_back(i * 12.5L - 3000);  // rounded coordinates
        values.push_back(i / 3.0L + 0.1L);  // fifteen significant digits
        values.push_back((i + 1) * 1E-5L);  // small, scientific
    }
    return values;
}

void BM_FormatReal(benchmark::State& state) {
    const auto values = Values();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvik::FormatReal(values[i]));
        i = (i + 1) % values.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatReal);

void BM_WriteReal(benchmark::State& state) {
    const auto values = Values();
    orvik::DxfWriter w;
    std::size_t i = 0;
    for (auto _ : state) {
        w.WriteReal(10, values[i]);
        i = (i + 1) % values.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(w.Text().size()));
}
BENCHMARK(BM_WriteReal);

}  // namespace

BENCHMARK_MAIN();
