// Decoding the two window records, as every load of a window does.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_description.h"
#include "shell/record/record.h"
#include "troubleshooting_window/form2_description.h"

#include <benchmark/benchmark.h>

namespace {

void decode(benchmark::State& state, std::span<const std::uint8_t> record) {
    for (auto _ : state) {
        auto window = shell::record::decodeRecord(record);
        if (!window) {
            state.SkipWithError(window.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(window);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}

void BM_DecodeForm1(benchmark::State& state) {
    decode(state, embedded::form1_record());
}
void BM_DecodeForm2(benchmark::State& state) {
    decode(state, embedded::form2_record());
}

// For comparison: building the description in C++, which is what the
// program did before it held records.
void BM_BuildForm1Description(benchmark::State& state) {
    for (auto _ : state) {
        auto window = main_window::form1Description();
        benchmark::DoNotOptimize(window);
    }
}

void BM_EncodeForm1(benchmark::State& state) {
    const auto window = main_window::form1Description();
    for (auto _ : state) {
        auto record = shell::record::encodeRecord(window);
        benchmark::DoNotOptimize(record);
    }
}

void BM_EncodeForm2(benchmark::State& state) {
    const auto window = troubleshooting_window::form2Description();
    for (auto _ : state) {
        auto record = shell::record::encodeRecord(window);
        benchmark::DoNotOptimize(record);
    }
}

} // namespace

BENCHMARK(BM_DecodeForm1)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodeForm2)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildForm1Description)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EncodeForm1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_EncodeForm2)->Repetitions(3)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
