#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>

#include "climate/WeatherFile.h"
#include "gui/analysis/AnnualFreshAirDialog.h"
#include "project/CQORVADoc.h"

// 分析 → 全年新风能耗 on the sample project and the Bologna year, shown on
// the offscreen platform: one step of the effectiveness, with the year
// computed again, the tables filled and the chart painted, for one room (0)
// and for every room of the system (1).
namespace {

void BM_EffectivenessStep(benchmark::State& state)
{
    CQORVADoc document;
    if (!document.OnOpenDocument(QORVA_SOURCE_DIR "/examples/office.id")) {
        state.SkipWithError("the sample project cannot be opened");
        return;
    }
    WeatherYear year;
    std::string error;
    if (!ReadWeatherFile(QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw",
                         year, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    CAnnualFreshAirDlg dialog(document, &year);
    dialog.m_recovery->setCurrentIndex(1);
    if (state.range(0) == 1)
        dialog.m_room->setCurrentIndex(0);
    dialog.resize(1200, 900);
    dialog.show();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        dialog.m_effectiveness->setValue(step++ % 2 ? 0.7 : 0.65);
        dialog.m_chartView->viewport()->repaint();
    }
}
BENCHMARK(BM_EffectivenessStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
