// Cost of one measurement frame in the measurement dialog, as WM_NEW_TRAME runs it: the reply
// step (decode), the display rules, the graph point, the ESC views and the refresh of every
// widget, on a shown dialog (offscreen). The dialog first polls the in-process simulated
// meter until it shows a measurement; then the worker stops and the benchmark hands the same
// measurement reply to the dialog again and again.
#include "app/DesktopApp.h"
#include "link/JBusLink.h"
#include "measurement/CMeasureDlg.h"
#include "measurement/graph/CGraphWnd.h"
#include "shell/DialogModes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <iostream>

namespace {

ks::gui::CMeasureDlg* g_dialog = nullptr;
ks::JBusRequest g_measurement;

void BM_MeasurementFrameInDialog(benchmark::State& state) {
    for (auto _ : state) {
        ks::JBusRequest r = g_measurement;
        benchmark::DoNotOptimize(g_dialog->handleFrame(r));
    }
}
BENCHMARK(BM_MeasurementFrameInDialog)->Unit(benchmark::kMicrosecond);

// The same with the flow graph painted at once, as the screen gets it.
void BM_MeasurementFrameInDialogWithPaint(benchmark::State& state) {
    for (auto _ : state) {
        ks::JBusRequest r = g_measurement;
        benchmark::DoNotOptimize(g_dialog->handleFrame(r));
        g_dialog->graph()->repaint();
    }
}
BENCHMARK(BM_MeasurementFrameInDialogWithPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("CALYPTRON_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    ks::gui::CDesktopApp desktop;
    desktop.flowApp().startUp({});
    std::string error;
    if (!desktop.startDemoMeter(error, 2)) {
        std::cerr << "simulated meter: " << error << "\n";
        return 1;
    }
    ks::gui::CMeasureDlg dialog(ks::dialogmode::kDialogue, desktop.link());
    dialog.show();
    QElapsedTimer t;
    t.start();
    while (dialog.session().measurementCount() < 2 && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (dialog.session().measurementCount() < 2) {
        std::cerr << "the dialog never showed a measurement\n";
        return 1;
    }
    dialog.stopCyclicReading();
    g_measurement = desktop.link().getRequest();
    g_dialog = &dialog;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
