// One whole set-point table per iteration: the four box texts converted, the volume
// and the twenty percentages computed, the volume text formatted.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "calc/setpoints.h"

namespace {

constexpr std::array<std::array<std::string_view, 4>, 11> kInputs = {{
    {"2.5", "1.2", "3", "0"},
    {"3", "4", "0", "0"},
    {"2", "1.5", "3", "1"},
    {"2", "1.5", "3", "1.5"},
    {"3", "5", "1.5", "0"},
    {"3", "4", "1", "0"},
    {"3", "5", "1", "0"},
    {"4", "0", "0", "0"},
    {"10", "2", "0", "0"},
    {"10", "2", "3", "0"},
    {"10", "2", "0", "0"},
}};

void WholeTable(benchmark::State& state) {
    const int shape = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto dims = calc::ConvertDimensions(kInputs[shape - 1], ".");
        const auto table = calc::ComputeTable(shape, dims);
        auto text = calc::VolumeText(shape, table->volume, ".");
        benchmark::DoNotOptimize(table);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(WholeTable)->DenseRange(1, 11)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
