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
#include <memory>

namespace {

QObject* context() {
    static QObject object;
    return &object;
}

void realise(const shell::WindowDescription& description) {
    std::unique_ptr<QWidget> window(qtshell::buildWindow(description, context(), {}));
    benchmark::DoNotOptimize(window.get());
}

void BM_RealiseForm1FromRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto decoded = shell::decodeRecord(embedded::form1_record());
        if (!decoded) {
            state.SkipWithError(decoded.error().message.c_str());
            return;
        }
        realise(*decoded);
    }
}

void BM_RealiseForm1FromDescription(benchmark::State& state) {
    const shell::WindowDescription description = main_window::form1Description();
    for (auto _ : state)
        realise(description);
}

// Interleaved, so drift on a shared machine falls on both alike.
BENCHMARK(BM_RealiseForm1FromDescription)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RealiseForm1FromRecord)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static char name[] = "lansu_realise_benchmarks";
    static char* qtArgv[] = {name, nullptr};
    int qtArgc = 1;
    QApplication application(qtArgc, qtArgv);
    qtshell::configureApplication(runtime::ProjectDescriptor{});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
