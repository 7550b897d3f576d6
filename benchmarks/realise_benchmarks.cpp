// Realising the main window as widgets: from its embedded record (decoded
// each time, as a load does) beside from the in-memory description, in one
// run so the ratio is measured on the same machine state.

#include "embedded/form1_record.h"
#include "main_window/form1_description.h"
#include "shell/qt/application.h"
#include "shell/qt/window_builder.h"
#include "shell/record/record.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

namespace {

QObject* context() {
    static QObject object;
    return &object;
}

void realise(const shell::model::WindowDescription& description) {
    std::unique_ptr<QWidget> window(shell::qt::buildWindow(description, context(), {}));
    benchmark::DoNotOptimize(window.get());
}

void BM_RealiseForm1FromRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto decoded = shell::record::decodeRecord(embedded::form1_record());
        if (!decoded) {
            state.SkipWithError(decoded.error().message.c_str());
            return;
        }
        realise(*decoded);
    }
}

void BM_RealiseForm1FromDescription(benchmark::State& state) {
    const shell::model::WindowDescription description = main_window::form1Description();
    for (auto _ : state)
        realise(description);
}

// Both builds in each iteration, in turns, timed apart: the ratio of their
// sums is measured over the same moments, which drift on a shared machine
// cannot bend the way it bends two runs made one after the other. The record
// turn's decoding is also timed on its own: there it runs after a build has
// filled the caches, as a load does, unlike BM_DecodeForm1's warm loop.
void BM_RealiseForm1RecordOverDescription(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const shell::model::WindowDescription description = main_window::form1Description();
    Clock::duration fromRecord{};
    Clock::duration fromDescription{};
    Clock::duration decoding{};
    bool recordFirst = true;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            const auto start = Clock::now();
            if ((turn == 0) == recordFirst) {
                auto decoded = shell::record::decodeRecord(embedded::form1_record());
                decoding += Clock::now() - start;
                if (!decoded) {
                    state.SkipWithError(decoded.error().message.c_str());
                    return;
                }
                realise(*decoded);
                fromRecord += Clock::now() - start;
            } else {
                realise(description);
                fromDescription += Clock::now() - start;
            }
        }
        recordFirst = !recordFirst;
    }
    using Seconds = std::chrono::duration<double>;
    state.counters["record_over_description"] = Seconds(fromRecord) / Seconds(fromDescription);
    state.counters["decoding_share_in_place"] = 100 * Seconds(decoding) / Seconds(fromRecord);
}

// Their repetitions interleave (see main), so drift on a shared machine
// falls on both alike.
BENCHMARK(BM_RealiseForm1FromDescription)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RealiseForm1FromRecord)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RealiseForm1RecordOverDescription)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static char name[] = "lansu_realise_benchmarks";
    static char* qtArgv[] = {name, nullptr};
    int qtArgc = 1;
    QApplication application(qtArgc, qtArgv);
    shell::qt::configureApplication();
    // Interleaving comes first, so a flag on the command line still wins.
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
