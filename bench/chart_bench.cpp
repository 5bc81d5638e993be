#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "render/ChartImage.h"
#include "render/ChartViewCache.h"
#include "render/QPainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "render/ChartRenderer.h"
#include "render/WeatherMap.h"
#include "climate/WeatherFile.h"

// A full redraw of the chart at zoom 1 for a 1920-pixel screen with 200 or
// 2 000 objects (per 200: 100 state points, 60 process lines, 20 ε lines,
// 20 result texts): into the view's image, and through the recording canvas
// to time the geometry alone. The QGuiApplication is created before any
// benchmark runs, as in the program, whose drawing always follows Qt's own
// code; the last case draws the geometry right after a painting call into Qt.
namespace {

std::string numbered(const char* prefix, int number)
{
    std::string name = prefix;
    name += std::to_string(number);
    return name;
}

struct BusyChart {
    CIDG idg;
    ObjectArray<CStatePoint> points;
    ObjectArray<CGuoChengXian> processLines;
    ObjectArray<CReShiBiXian> hhrLines;
    ObjectArray<CCommentString> texts;
    ObjectArray<CComfortArea> comfortAreas;

    // objects: a multiple of 200.
    explicit BusyChart(int objects)
    {
        const int scale = objects / 200;
        const int pointCount = 100 * scale;
        for (int i = 0; i < pointCount; ++i) {
            auto point = std::make_unique<CStatePoint>();
            point->m_strName = numbered("P", i);
            point->m_nKind = CStatePoint::kIndependent;
            point->m_t = static_cast<float>(10 + (i * 7) % 25);
            point->m_RH = static_cast<float>(0.3 + 0.05 * (i % 12));
            point->m_bKnownT = point->m_bKnownRH = 1;
            point->m_nId = i;
            points.push_back(std::move(point));
        }
        for (int i = 0; i < 60 * scale; ++i) {
            auto line = std::make_unique<CGuoChengXian>();
            line->m_strName = numbered("L", i);
            line->m_nStart = i;
            line->m_nEnd = (i * 13 + 7) % pointCount;
            line->m_nId = i;
            processLines.push_back(std::move(line));
        }
        for (int i = 0; i < 20 * scale; ++i) {
            auto line = std::make_unique<CReShiBiXian>();
            line->m_strName = numbered("ε", i);
            line->m_nPoint1 = i * 5;
            line->m_fRatio = static_cast<float>(2000 + 1500 * (i % 20));
            line->m_nId = i;
            hhrLines.push_back(std::move(line));
        }
        for (int i = 0; i < 20 * scale; ++i) {
            auto text = std::make_unique<CCommentString>();
            text->m_strText = numbered("送风量：", 1000 + i * 50);
            text->m_strText += "m^3/h";
            text->m_nKind = 1;
            text->m_nId = i;
            texts.push_back(std::move(text));
        }
        // Completed as the document leaves them, so they are drawn where they lie.
        for (auto& point : points)
            idg.CalcStatePoint(*point);
        idg.m_pPoints = &points;
        idg.m_pProcessLines = &processLines;
        idg.m_pHhrLines = &hhrLines;
        idg.m_pTexts = &texts;
        idg.m_pComfortAreas = &comfortAreas;
    }
};

// The chart drawn by a renderer into a white image, as an export or the
// view's renderer draws it (layouts: the texts' shapes kept, or none).
void drawIntoImage(QImage& image, ChartRenderer& renderer, const ChartDevice& device, RasterCache* layouts)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, layouts);
    renderer.DrawChart(canvas, device);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}

// A full redraw as the view makes one when its page image is drawn anew (a
// zoom of the view, a resize): grid and objects painted into a fresh image
// by the view's renderer, which keeps what it drew last (the grid's calls)
// and the texts' shapes from one drawing to the next.
void BM_FullRedrawIntoImage(benchmark::State& state)
{
    BusyChart chart(static_cast<int>(state.range(0)));
    const ChartDevice device;
    QImage image(chart::pageSize(device, false), QImage::Format_RGB32);
    ChartRenderer renderer(chart.idg);
    RasterCache layouts;
    for (auto _ : state)
        drawIntoImage(image, renderer, device, &layouts);
}
BENCHMARK(BM_FullRedrawIntoImage)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

// The first drawing of a new renderer, as each export and the printer make
// it: everything traced, measured and shaped afresh.
void BM_FirstRedrawIntoImage(benchmark::State& state)
{
    BusyChart chart(static_cast<int>(state.range(0)));
    const ChartDevice device;
    QImage image(chart::pageSize(device, false), QImage::Format_RGB32);
    for (auto _ : state) {
        ChartRenderer renderer(chart.idg);
        drawIntoImage(image, renderer, device, nullptr);
    }
}
BENCHMARK(BM_FirstRedrawIntoImage)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_ChartGeometry(benchmark::State& state)
{
    BusyChart chart(static_cast<int>(state.range(0)));
    const ChartDevice device;
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.clear();
        ChartRenderer(chart.idg).DrawChart(canvas, device);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
    state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(BM_ChartGeometry)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

// The geometry right after Qt has filled a small image: the state our
// drawing finds after any painting by Qt.
void BM_ChartGeometryAfterQtPainting(benchmark::State& state)
{
    BusyChart chart(static_cast<int>(state.range(0)));
    const ChartDevice device;
    RecordingCanvas canvas;
    QImage scratch(64, 64, QImage::Format_RGB32);
    for (auto _ : state) {
        scratch.fill(Qt::white);
        canvas.clear();
        ChartRenderer(chart.idg).DrawChart(canvas, device);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
}
BENCHMARK(BM_ChartGeometryAfterQtPainting)->Arg(200)->Unit(benchmark::kMillisecond);

// The view's cache on a viewport of 1280 × 800 logical pixels at a screen
// ratio of 1 or 2 (2560 × 1600 device pixels) and a zoom of 1, 4 or 16,
// scrolled to the middle of the zoomed page.
const QSize kViewport(1280, 800);

struct ViewPage {
    BusyChart chart;
    const ChartDevice device;
    ChartRenderer renderer{chart.idg};
    chart::ChartViewCache cache{renderer};
    const double ratio;
    const double zoom;
    QRect page;
    QImage screen;

    ViewPage(int objects, double ratio, double zoom) : chart(objects), ratio(ratio), zoom(zoom)
    {
        const QSize size = chart::pageSize(device, false) * zoom;
        page = QRect(QPoint(0, 0), size);
        if (zoom > 1)
            page.moveTopLeft(-QPoint(size.width() / 2, size.height() / 3));
        screen = QImage(kViewport * ratio, QImage::Format_ARGB32_Premultiplied);
        screen.setDevicePixelRatio(ratio);
        paint();
    }
    // A paint of the view: the kept image laid onto the screen.
    void paint()
    {
        const QImage& shown = cache.image(device, kViewport, page, zoom, ratio);
        QPainter painter(&screen);
        painter.drawImage(cache.visible().topLeft(), shown);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
};

// One point moved (a dialog's OK, an undo): the objects of the viewport
// drawn again over its kept grid, and the view painted.
void BM_ViewEdit(benchmark::State& state)
{
    ViewPage view(static_cast<int>(state.range(2)), double(state.range(0)), double(state.range(1)));
    CStatePoint& moved = *view.chart.points[5];
    const CStatePoint original = moved;
    int step = 0;
    for (auto _ : state) {
        moved.m_d = original.m_d + 0.0005f * static_cast<float>(step % 2);
        moved.m_h = original.m_h + 2.0f * static_cast<float>(step % 2);
        ++step;
        view.cache.invalidateObjects();
        view.paint();
    }
    state.counters["grid_draws"] = view.cache.gridDraws();
}
BENCHMARK(BM_ViewEdit)
    ->ArgNames({"ratio", "zoom", "objects"})
    ->ArgsProduct({{1, 2}, {1, 4, 16}, {200}})
    ->Args({1, 1, 2000})
    ->Args({2, 1, 2000})
    ->Unit(benchmark::kMillisecond);

// A scroll by a wheel step (40 logical pixels down, then back up): the kept
// images shifted and the strip uncovered drawn.
void BM_ViewScroll(benchmark::State& state)
{
    ViewPage view(200, double(state.range(0)), double(state.range(1)));
    int step = 0;
    for (auto _ : state) {
        view.page.translate(0, step++ % 2 == 0 ? -40 : 40);
        view.paint();
    }
    state.counters["grid_draws"] = view.cache.gridDraws();
    state.counters["strips"] = view.cache.stripDraws();
}
BENCHMARK(BM_ViewScroll)
    ->ArgNames({"ratio", "zoom"})
    ->ArgsProduct({{1, 2}, {1, 4, 16}})
    ->Unit(benchmark::kMillisecond);

// The 200-object page with the Bologna year drawn over its grid as the
// density map (the map made once, as the document makes it when the year or
// its filter changes), beside BM_FullRedrawIntoImage/200 without it: the
// view's renderer and texts kept from one drawing to the next as there.
void BM_FullRedrawWithWeatherYear(benchmark::State& state)
{
    BusyChart chart(200);
    WeatherYear year;
    std::string error;
    if (!ReadWeatherFile(QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw",
                         year, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const chart::WeatherMap map = chart::MakeWeatherMap(year, HourFilter{}, chart::WeatherMapStyle::Density);
    ChartDevice device;
    device.weather = &map;
    QImage image(chart::pageSize(device, false), QImage::Format_RGB32);
    ChartRenderer renderer(chart.idg);
    RasterCache layouts;
    for (auto _ : state)
        drawIntoImage(image, renderer, device, &layouts);
    state.counters["cells"] = static_cast<double>(map.density.cells.size());
}
BENCHMARK(BM_FullRedrawWithWeatherYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
