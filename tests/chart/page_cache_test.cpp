#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>
#include <optional>

#include "ChartFixture.h"
#include "chart/ChartImage.h"
#include "chart/ChartPageCache.h"
#include "chart/QPainterCanvas.h"
#include "chart/WeatherMap.h"
#include "model/Colour.h"
#include "psychro/QorvaDll.h"

#include "support/SuiteGuiApplication.h"

namespace {

class PageCacheTest : public ChartFixture {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    PageCacheTest()
    {
        const int a = addPoint("A", 0.008, 40.0);
        const int b = addPoint("B", 0.012, 55.0);
        addProcessLine("AB", a, b);
        addHhrLine("ε1", a, 8000.0f);
        addText("送风量：1200m^3/h");
        addText("制冷量：5.2kW");
    }

    // The whole page drawn in one go, as before the layers were kept apart.
    QImage drawnInOneGo()
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        QPainterCanvas canvas(painter);
        ChartRenderer(idg).DrawChart(canvas, device);
        return image;
    }

    // The page view, where the result column shows below the chart.
    const QSize size = chart::pageSize(device, true);
    ChartRenderer renderer{idg};
    chart::ChartPageCache cache{renderer};
};

TEST_F(PageCacheTest, LayeredPageIsThePageDrawnInOneGoEvenWhenTheObjectsAreDrawnAgain)
{
    // Drawn by the caller alone and shared out among threads, in strips.
    for (const int threads : {0, 2}) {
        SCOPED_TRACE(threads);
        ChartRenderer own(idg);
        chart::ChartPageCache layered(own, threads);
        layered.setShareAlways(true);
        EXPECT_EQ(layered.page(device, size, 1.0, 1.0), drawnInOneGo());
        // Drawn again over the kept grid: the result column starts afresh.
        layered.invalidateObjects();
        EXPECT_EQ(layered.page(device, size, 1.0, 1.0), drawnInOneGo());
        EXPECT_EQ(layered.gridDraws(), 1);
        EXPECT_EQ(layered.objectDraws(), 2);
    }
}

// A painter that comes unclipped is clipped to its whole image by the canvas
// (Qt then draws thin lines straight into the image): the page has the
// pixels of Qt's general path, taken by a painter clipped to the image less
// its top left pixel, where nothing is drawn.
TEST_F(PageCacheTest, AnUnclippedPainterDrawsWhatTheGeneralPathDraws)
{
    for (const double scale : {1.0, 1.5})
        for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            auto draw = [&](bool notched) {
                QImage image(size * scale, format);
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
                painter.scale(scale, scale);
                if (notched)
                    painter.setClipRegion(QRegion(QRect(QPoint(0, 0), size)) - QRegion(0, 0, 1, 1));
                QPainterCanvas canvas(painter);
                ChartRenderer(idg).DrawChart(canvas, device);
                return image;
            };
            EXPECT_EQ(draw(false), draw(true)) << "scale " << scale << ", format " << format;
        }
}

// A year of hours spread over the chart and past its edges, so its map's
// cells are cut by the chart's clip.
chart::WeatherMap spreadYearMap(chart::WeatherMapStyle style)
{
    WeatherYear year;
    year.path = "/data/spread.epw";
    for (int i = 0; i < 120; ++i) {
        WeatherHour hour;
        hour.month = 1 + i % 12;
        hour.t = static_cast<float>(-12 + (i * 7) % 58);
        hour.x = static_cast<float>(0.001 + 0.0003 * ((i * 11) % 90));
        float RH = 0, tw = 0, pq = 0, pqb = 0, v = 0, rho = 0;
        ptx_all(101325, hour.t, hour.x, &RH, &tw, &hour.h, &hour.td, &pq, &pqb, &v, &rho);
        year.hours.push_back(hour);
    }
    return chart::MakeWeatherMap(year, HourFilter{}, style);
}

// Zoomed in and out, the cache draws the grid anew for each scale but keeps
// the texts' widths and shapes: each page is the page drawn in one go, by
// the caller alone or shared out among threads, with a weather year over
// the grid too (its calls carry the chart's clip).
TEST_F(PageCacheTest, EachZoomGivesThePageDrawnInOneGo)
{
    const chart::WeatherMap density = spreadYearMap(chart::WeatherMapStyle::Density);
    const chart::WeatherMap dots = spreadYearMap(chart::WeatherMapStyle::Dots);
    for (const chart::WeatherMap* weather : {static_cast<const chart::WeatherMap*>(nullptr), &density, &dots})
        for (const int threads : {0, 2}) {
            SCOPED_TRACE(testing::Message() << "threads " << threads << ", weather " << (weather != nullptr));
            device.weather = weather;
            ChartRenderer own(idg);
            chart::ChartPageCache zoomed(own, threads);
            zoomed.setShareAlways(true);
            for (const double scale : {1.0, 1.5, 0.75, 1.0}) {
                const QSize scaled = size * scale;
                QImage inOneGo(scaled, QImage::Format_ARGB32_Premultiplied);
                inOneGo.fill(Qt::white);
                QPainter painter(&inOneGo);
                painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
                painter.scale(scale, scale);
                QPainterCanvas canvas(painter);
                ChartRenderer(idg).DrawChart(canvas, device);
                painter.end();
                EXPECT_EQ(zoomed.page(device, scaled, scale, 1.0), inOneGo) << "scale " << scale;
            }
            EXPECT_EQ(zoomed.gridDraws(), 4);
        }
    device.weather = nullptr;
}

TEST_F(PageCacheTest, AnObjectEditOrAPickRedrawsTheObjectsOnly)
{
    cache.page(device, size, 1.0, 1.0);
    points[1]->m_h = 60.0f;
    points[1]->m_d = 0.013f;
    renderer.m_nPickClass = 0;
    renderer.m_nPickIndex = 0;
    cache.invalidateObjects();
    const QImage edited = cache.page(device, size, 1.0, 1.0);
    EXPECT_EQ(cache.gridDraws(), 1);
    renderer.m_nPickClass = renderer.m_nPickIndex = -1;
    points[1]->m_h = 55.0f;
    points[1]->m_d = 0.012f;
    cache.invalidateObjects();
    EXPECT_NE(edited, cache.page(device, size, 1.0, 1.0));
    EXPECT_EQ(cache.page(device, size, 1.0, 1.0), drawnInOneGo());
    EXPECT_EQ(cache.gridDraws(), 1);
}

struct ObjectEdit {
    const char* what;
    std::function<void(CIDG&, ObjectArray<CStatePoint>&, ChartRenderer&)> edit;
    bool local; // changes a small part of the page only
};

// An edit redraws only where drawing calls changed; the page must be the one
// all objects drawn again over the grid give, at zoom 1 and magnified.
TEST_F(PageCacheTest, AnEditRedrawsOnlyWhereItsCallsChangedWithTheSamePixels)
{
    // Overlapping objects: C sits on the line AB, so moving it uncovers AB.
    addPoint("C", 0.010, 47.5);
    addProcessLine("CB", 2, 1);
    const ObjectEdit edits[] = {
        {"nothing", [](CIDG&, ObjectArray<CStatePoint>&, ChartRenderer&) {}, true},
        {"point moved",
         [](CIDG&, ObjectArray<CStatePoint>& p, ChartRenderer&) { p[2]->m_h += 3.0f, p[2]->m_d += 0.0004f; },
         true},
        {"point renamed", [](CIDG&, ObjectArray<CStatePoint>& p, ChartRenderer&) { p[0]->m_strName += "甲"; },
         true},
        {"pick",
         [](CIDG&, ObjectArray<CStatePoint>&, ChartRenderer& r) { r.m_nPickClass = 1, r.m_nPickIndex = 0; },
         false},
        {"point radius", [](CIDG& m, ObjectArray<CStatePoint>&, ChartRenderer&) { m.m_nPointRadius += 2; },
         false},
        {"point moved back",
         [](CIDG&, ObjectArray<CStatePoint>& p, ChartRenderer&) { p[2]->m_h -= 3.0f, p[2]->m_d -= 0.0004f; },
         true},
    };
    // The edits one after another, at zoom 1 and magnified, by the caller
    // alone and shared out among threads; the whole redraw by the caller.
    for (const int threads : {0, 2})
        for (const double scale : {1.0, 1.5}) {
            const QSize scaled = size * scale;
            ChartRenderer wholeRenderer(idg);
            chart::ChartPageCache whole(wholeRenderer, 0);
            whole.setRedrawOnlyChanges(false);
            ChartRenderer editedRenderer(idg);
            chart::ChartPageCache edited(editedRenderer, threads);
            edited.setShareAlways(true);
            edited.page(device, scaled, scale, 1.0);
            for (const ObjectEdit& e : edits) {
                SCOPED_TRACE(std::string(e.what) + " at " + std::to_string(scale) + ", threads " +
                             std::to_string(threads));
                e.edit(idg, points, editedRenderer);
                wholeRenderer.m_nPickClass = editedRenderer.m_nPickClass;
                wholeRenderer.m_nPickIndex = editedRenderer.m_nPickIndex;
                edited.invalidateObjects();
                whole.invalidateObjects();
                ASSERT_EQ(edited.page(device, scaled, scale, 1.0), whole.page(device, scaled, scale, 1.0));
                const QRect changed = edited.changedRegion().boundingRect();
                if (e.local) {
                    EXPECT_LT(qint64(changed.width()) * changed.height(),
                              qint64(scaled.width()) * scaled.height() / 20);
                }
                EXPECT_EQ(edited.changedRegion().isEmpty(), std::string(e.what) == "nothing");
            }
        }
}

// A crowded page (points on a few spots, long lines through the crowd, ε
// lines across it): moving points one after another moves many names, and
// the page shared out among threads, with the layer under the names drawn
// while the names are placed, is the page one thread draws whole.
TEST_F(PageCacheTest, ACrowdedPageMendedByThreadsIsThePageDrawnWhole)
{
    const int first = static_cast<int>(points.size());
    for (int i = 0; i < 60; ++i)
        addPoint("P" + std::to_string(i), 0.004 + 0.0005 * (i % 12), 25.0 + 2.5 * (i % 9));
    for (int i = 0; i < 40; ++i)
        addProcessLine("L" + std::to_string(i), first + i, first + (i * 13 + 7) % 60);
    for (int i = 0; i < 8; ++i)
        addHhrLine("ε" + std::to_string(i), first + 5 * i, 3000.0f + 2500.0f * static_cast<float>(i));
    ChartRenderer wholeRenderer(idg);
    chart::ChartPageCache whole(wholeRenderer, 0);
    whole.setRedrawOnlyChanges(false);
    ChartRenderer sharedRenderer(idg);
    chart::ChartPageCache shared(sharedRenderer, 3);
    shared.setShareAlways(true);
    QImage before = shared.page(device, size, 1.0, 1.0).copy();
    for (const int moved : {5, 0, 17, 5, 42}) {
        SCOPED_TRACE(moved);
        CStatePoint& point = *points[static_cast<std::size_t>(first + moved)];
        point.m_d += 0.0007f;
        point.m_h += 3.0f;
        shared.invalidateObjects();
        whole.invalidateObjects();
        const QImage& page = shared.page(device, size, 1.0, 1.0);
        ASSERT_EQ(page, whole.page(device, size, 1.0, 1.0));
        // The view repaints only the changed region: every pixel that
        // changed lies in it, and it is less than the repainted bands.
        const QRegion& changed = shared.changedRegion();
        EXPECT_FALSE(changed.isEmpty());
        int outside = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                outside += page.pixel(x, y) != before.pixel(x, y) && !changed.contains(QPoint(x, y));
        EXPECT_EQ(outside, 0);
        before = page.copy();
    }
}

struct GridChange {
    const char* what;
    std::function<void(CIDG&, ChartDevice&, QSize&, double&)> change;
};

TEST_F(PageCacheTest, EveryInputOfTheGridRedrawsIt)
{
    const GridChange changes[] = {
        {"summer pressure", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_fSummerPressure = 90000; }},
        {"winter pressure", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_fWinterPressure = 90000; }},
        {"condition", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_nCurCondition = 2; }},
        {"project name", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_strProjectName = "办公楼"; }},
        {"window", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_fZoom = 2.0f, m.m_nXOffset = 100; }},
        {"spacing",
         [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_drawOptions[kFamilyEnthalpy].m_fStep = 2; }},
        {"label font", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_font1.lfHeight = -16; }},
        {"labels", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_bShowValues = 0; }},
        {"margins", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_nMargin[2] = 20; }},
        {"page view", [](CIDG& m, ChartDevice&, QSize&, double&) { m.m_bChartView = 0; }},
        {"screen", [](CIDG&, ChartDevice& d, QSize&, double&) { d.screenWidth = 1280; }},
        {"scale", [](CIDG&, ChartDevice&, QSize& s, double& z) { s *= 2, z = 2.0; }},
    };
    // The changes add up: each one alone differs from the page before it.
    ChartDevice changedDevice = device;
    QSize changedSize = size;
    double scale = 1.0;
    cache.page(device, size, scale, 1.0);
    int grids = 1;
    for (const GridChange& c : changes) {
        SCOPED_TRACE(c.what);
        c.change(idg, changedDevice, changedSize, scale);
        cache.page(changedDevice, changedSize, scale, 1.0);
        EXPECT_EQ(cache.gridDraws(), ++grids);
        // What belongs to the objects leaves the grid kept.
        idg.m_nPointRadius += 1;
        idg.m_bShowPointLabels = !idg.m_bShowPointLabels;
        points[0]->m_h += 1.0f;
        cache.invalidateObjects();
        cache.page(changedDevice, changedSize, scale, 1.0);
        EXPECT_EQ(cache.gridDraws(), grids);
    }
}

TEST_F(PageCacheTest, PreviewMarkerIsAHollowRingInsideItsRectangleAndOnlyInTheChart)
{
    renderer.LayoutChart(device);
    CStatePoint inside = *points[0];
    RecordingCanvas canvas;
    renderer.DrawPreviewMarker(canvas, inside);
    const CanvasPoint at = renderer.PointPosition(inside);
    const CanvasRect area = renderer.PreviewMarkerRectangle(inside);
    EXPECT_TRUE(area.contains(at.x, at.y));
    int ellipses = 0;
    for (const auto& call : canvas.calls()) {
        if (call.op == RecordingCanvas::Op::Ellipse) {
            EXPECT_FALSE(call.filled) << "the ring is hollow";
            ++ellipses;
            EXPECT_TRUE(area.contains(call.rect.left, call.rect.top));
            EXPECT_TRUE(area.contains(call.rect.right, call.rect.bottom));
            EXPECT_EQ((call.rect.left + call.rect.right) / 2, at.x);
            EXPECT_GT(call.rect.width(), 2 * idg.m_nPointRadius);
        }
    }
    EXPECT_EQ(ellipses, 1);

    CStatePoint outside = inside;
    outside.m_d = 0.2f; // far right of the chart
    canvas.clear();
    renderer.DrawPreviewMarker(canvas, outside);
    for (const auto& call : canvas.calls())
        EXPECT_NE(call.op, RecordingCanvas::Op::Ellipse);
}

// A background of every colour, changing from pixel to pixel, on which a
// blend that is off shows.
QImage patterned(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 53) % 256, (x * y) % 256));
    return image;
}

} // namespace

// A name's halo (a box filled and outlined in one colour with the thinnest
// pen) is laid on as one image kept by its size and colour rather than
// traced: the pixels must be those Qt's own antialiased rectangle gives, on
// any background, in any colour, whole or cut by a piece's clip, as small
// as a pixel.
TEST_F(PageCacheTest, AHaloLaidOnAsAnImageIsTheRectangleQtDraws)
{
    const QImage background = patterned(QSize(120, 80));
    struct Case {
        CanvasRect box;
        std::int32_t colour;
        QRect clip;
    };
    const QRect whole = background.rect();
    const Case cases[] = {
        {{10, 10, 50, 25}, rgbColour(255, 255, 255), whole},
        {{10, 10, 50, 25}, rgbColour(200, 30, 90), whole},
        {{40, 40, 41, 41}, rgbColour(255, 255, 255), whole},           // one pixel
        {{0, 0, 30, 12}, rgbColour(255, 255, 255), whole},             // against the image's edge
        {{10, 10, 50, 25}, rgbColour(255, 255, 255), {30, 0, 60, 20}}, // cut by a clip
        {{70, 50, 119, 79}, rgbColour(12, 120, 250), {0, 60, 100, 20}},
        {{-600, 10, 60, 30}, rgbColour(255, 255, 255), whole}, // wider than a kept halo
    };
    for (const Case& c : cases) {
        QImage ours = background.copy();
        {
            QPainter painter(&ours);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.setClipRect(c.clip);
            QPainterCanvas canvas(painter);
            canvas.setPen({c.colour, 0, kPenSolid});
            canvas.setBrush(c.colour);
            canvas.drawRectangle(c.box);
        }
        QImage qts = background.copy();
        {
            QPainter painter(&qts);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.setClipRect(c.clip);
            const QColor colour = QPainterCanvas::toQColor(c.colour);
            painter.setPen(QPen(colour, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            painter.setBrush(colour);
            painter.drawRect(c.box.left, c.box.top, c.box.width(), c.box.height());
        }
        EXPECT_EQ(ours, qts) << c.box.left << "," << c.box.top << " " << c.box.width() << "×"
                             << c.box.height();
    }
}

// A small filled shape (a marker, an arrowhead) is drawn once onto a clear
// image and kept; laid on again, it must look like Qt's own shape (within
// the rounding of blending twice) in every pen, brush and scale, whole or
// in pieces. One cache serves every case, so shapes that differ in any way
// must not take each other's images.
TEST_F(PageCacheTest, ASmallShapeLaidOnAsItsImageIsTheShapeQtDraws)
{
    const QImage background = patterned(QSize(160, 120));
    struct Case {
        bool ellipse;
        CanvasPen pen;
        std::optional<std::int32_t> brush;
        double scale;
    };
    const std::int32_t red = rgbColour(200, 30, 90);
    const std::int32_t blue = rgbColour(12, 120, 250);
    const Case cases[] = {
        {true, {red, 0, kPenSolid}, red, 1.0},  // a marker
        {true, {red, 0, kPenSolid}, blue, 1.0}, // the same outline, another fill
        {true, {blue, 1, kPenSolid}, red, 1.0},
        {true, {blue, 2, kPenSolid}, std::nullopt, 1.0},
        {true, {red, 0, kPenNull}, blue, 1.0},
        {true, {red, 0, kPenSolid}, red, 1.5},
        {true, {red, 1, kPenSolid}, red, 2.0},
        {false, {0, 0, kPenSolid}, 0, 1.0}, // an arrowhead
        {false, {0, 0, kPenSolid}, red, 1.0},
        {false, {red, 0, kPenNull}, blue, 1.25},
        {false, {blue, 1, kPenSolid}, std::nullopt, 1.5},
    };
    RasterCache kept;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.ellipse ? "ellipse" : "triangle") << ", pen " << c.pen.width << " style "
                     << c.pen.style << ", brush " << c.brush.has_value() << ", scale " << c.scale);
        const CanvasRect rect{20, 30, 31, 41};
        const std::vector<CanvasPoint> triangle{{22, 30}, {45, 37}, {27, 48}};
        auto draw = [&](QPainterCanvas& canvas) {
            canvas.setPen(c.pen);
            if (c.brush)
                canvas.setBrush(*c.brush);
            if (c.ellipse)
                canvas.drawEllipse(rect);
            else
                canvas.drawPolygon(triangle);
        };
        // Ours, in one go and in two pieces cut across the shape.
        QImage whole = background.copy();
        {
            QPainter painter(&whole);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.scale(c.scale, c.scale);
            QPainterCanvas canvas(painter, &kept);
            draw(canvas);
        }
        QImage pieces = background.copy();
        for (const QRect& piece : {QRect(0, 0, 160, 52), QRect(0, 52, 160, 68)}) {
            QPainter painter(&pieces);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.setClipRect(piece);
            painter.scale(c.scale, c.scale);
            QPainterCanvas canvas(painter, &kept);
            draw(canvas);
        }
        EXPECT_EQ(pieces, whole);
        // Qt's own shape.
        QImage qts = background.copy();
        {
            QPainter painter(&qts);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.scale(c.scale, c.scale);
            const QColor pen = QPainterCanvas::toQColor(c.pen.colour);
            painter.setPen(c.pen.style == kPenNull
                               ? QPen(Qt::NoPen)
                               : QPen(pen, c.pen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            painter.setBrush(c.brush ? QBrush(QPainterCanvas::toQColor(*c.brush)) : QBrush());
            if (c.ellipse) {
                painter.drawEllipse(QRectF(rect.left, rect.top, rect.width(), rect.height()));
            } else {
                QPolygon polygon;
                for (const CanvasPoint& p : triangle)
                    polygon << QPoint(p.x, p.y);
                painter.drawPolygon(polygon);
            }
        }
        int most = 0;
        for (int y = 0; y < qts.height(); ++y)
            for (int x = 0; x < qts.width(); ++x) {
                const QRgb a = whole.pixel(x, y);
                const QRgb b = qts.pixel(x, y);
                most = std::max({most, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                 std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(most, 1);
        EXPECT_NE(whole, background);
    }
}

// Whatever the font, size and colour, a text drawn again over any ground is
// Qt's own: its kept glyphs give Qt's pixels, or it is not kept and Qt
// draws it (an underlined text, whose line Qt draws once for the whole
// text, is never kept, and the same font without the line still is).
// Every colour channel blends through tables of its own, so the colours
// differ in every channel.
TEST_F(PageCacheTest, AnyTextDrawnAgainIsQtsOwnOrLeftToQt)
{
    const QImage background = patterned(QSize(240, 70));
    struct Case {
        int height;
        int weight;
        bool italic;
        bool underline;
        std::int32_t colour;
        CanvasPoint at;
        bool kept;
    };
    const Case cases[] = {
        {-9, 400, false, false, rgbColour(0, 0, 0), {4, 4}, true},
        {-12, 700, false, false, rgbColour(255, 255, 255), {4, 20}, true},
        {-16, 400, true, false, rgbColour(128, 128, 128), {4, 30}, true},
        {-30, 700, true, false, rgbColour(7, 201, 99), {4, 20}, true},
        {-12, 400, false, false, rgbColour(250, 3, 160), {200, 55}, true}, // past the image's corner
        {-14, 400, false, true, rgbColour(30, 60, 200), {4, 40}, false},
        {-14, 400, false, false, rgbColour(30, 60, 200), {4, 40}, true}, // the same font, no line
    };
    RasterCache kept;
    RasterCache qts;
    qts.keepsGlyphs = false;
    const std::string text = "P12 送风量 εg/kg WAV";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " colour " << c.colour);
        LogFont font;
        font.lfHeight = c.height;
        font.lfWeight = c.weight;
        font.lfItalic = c.italic;
        font.lfUnderline = c.underline;
        auto draw = [&](RasterCache& cache) {
            QImage image = background.copy();
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            QPainterCanvas canvas(painter, &cache);
            canvas.setFont(font);
            canvas.setTextColour(c.colour);
            canvas.drawText(c.at.x, c.at.y, text, text_align::kLeft | text_align::kTop);
            painter.end();
            return image;
        };
        const QImage expected = draw(qts);
        for (int time = 0; time < 3; ++time)
            EXPECT_EQ(draw(kept), expected) << "time " << time;
        const RasterCache::Entry& entry = kept.entry(font, background.logicalDpiY(), text);
        ASSERT_EQ(entry.glyphs.size(), 1u);
        EXPECT_EQ(entry.glyphs.front().kept, c.kept);
    }
}

// A text drawn again is blended from its glyphs, drawn once by Qt and kept.
// Qt blends each glyph by its coverage, the colour and what the pixel held
// (through its text gamma for some fonts, in plain bytes for others and
// over pixels not opaque), so the page must be pixel for pixel the one Qt's
// own text gives: on white, over a pattern, a half-transparent band and a
// single dark pixel, cut by a rectangle or a region, moved by whole or half
// pixels, in two colours and fonts (Latin and Chinese runs) from one cache.
TEST_F(PageCacheTest, ATextBlendedFromItsKeptGlyphsIsTheTextQtDraws)
{
    // White, with a patterned band along the bottom, a half-transparent
    // band along the top right and one dark pixel.
    QImage background(QSize(220, 120), QImage::Format_ARGB32_Premultiplied);
    background.fill(Qt::white);
    const QImage pattern = patterned(QSize(220, 30));
    {
        QPainter painter(&background);
        painter.drawImage(0, 90, pattern);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(150, 0, 70, 20), QColor(40, 160, 90, 120));
    }
    background.setPixel(31, 62, qRgb(20, 20, 20));
    LogFont small;
    LogFont large;
    large.lfHeight = -22;
    large.lfWeight = 700;
    large.lfItalic = 1;
    const std::int32_t black = rgbColour(0, 0, 0);
    const std::int32_t red = rgbColour(200, 30, 90);
    struct Case {
        const char* text;
        const LogFont* font;
        std::int32_t colour;
        CanvasPoint at;
        QPointF moved;
        std::optional<QRect> clip;
        bool region; // the clip given to the painter before the canvas, as two rectangles
    };
    const Case cases[] = {
        {"P12", &small, black, {10, 10}, {}, std::nullopt, false},
        {"P12", &small, red, {10, 30}, {}, std::nullopt, false}, // the same text, another colour
        {"送风量：1050m^3/h", &small, black, {60, 10}, {}, std::nullopt, false},
        {"送风量：1050m^3/h", &large, black, {20, 40}, {}, std::nullopt, false}, // the dark pixel
        {"εAg|", &large, red, {120, 40}, {3, 5}, std::nullopt, false},
        {"εAg|", &large, red, {120, 40}, {0.5, 0.5}, std::nullopt, false},
        {"P12", &small, black, {150, 85}, {}, std::nullopt, false},            // over the pattern
        {"送风量：1050m^3/h", &large, red, {10, 84}, {}, std::nullopt, false}, // over the pattern
        {"WAV", &large, black, {150, 0}, {}, std::nullopt, false},             // half transparent
        {"P12", &small, black, {10, 10}, {}, QRect(0, 0, 18, 60), false},
        {"送风量：1050m^3/h", &small, black, {60, 10}, {}, QRect(70, 12, 40, 6), true},
        {"送风量：1050m^3/h", &large, red, {10, 84}, {}, QRect(30, 95, 50, 7), false},
        {" ", &small, black, {10, 10}, {}, std::nullopt, false},
    };
    RasterCache kept;
    RasterCache qts;
    qts.keepsGlyphs = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.at.x << "," << c.at.y << " moved "
                                        << c.moved.x() << "," << c.moved.y());
        auto draw = [&](RasterCache& cache) {
            QImage image = background.copy();
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            if (c.clip && c.region)
                painter.setClipRegion(QRegion(*c.clip) + QRegion(c.clip->translated(c.clip->width() + 4, 0)));
            painter.translate(c.moved);
            QPainterCanvas canvas(painter, &cache);
            // A rectangle as a piece of the page is clipped to.
            if (c.clip && !c.region)
                canvas.setClipRect({c.clip->left(), c.clip->top(), c.clip->right(), c.clip->bottom()});
            canvas.setFont(*c.font);
            canvas.setTextColour(c.colour);
            canvas.drawText(c.at.x, c.at.y, c.text, text_align::kLeft | text_align::kTop);
            painter.end();
            return image;
        };
        const QImage expected = draw(qts);
        // Once seen, once to keep the text's glyphs, once blended from them.
        for (int time = 0; time < 3; ++time)
            EXPECT_EQ(draw(kept), expected) << "time " << time;
        if (std::string(c.text) != " ") {
            EXPECT_NE(expected, background);
        }
    }
    // The texts' glyphs were kept, once for each fraction of a pixel
    // whatever the colour, and proved against Qt's drawing of them.
    const int dpi = background.logicalDpiY();
    for (const auto& [font, text, fractions] : {std::tuple{&small, "P12", 1u},
                                                {&small, "送风量：1050m^3/h", 1u},
                                                {&large, "送风量：1050m^3/h", 1u},
                                                {&large, "εAg|", 1u},
                                                {&large, "WAV", 1u}}) {
        const RasterCache::Entry& entry = kept.entry(*font, dpi, text);
        ASSERT_EQ(entry.glyphs.size(), fractions) << text;
        for (const chart::KeptGlyphs& glyphs : entry.glyphs) {
            EXPECT_TRUE(glyphs.kept) << text;
            EXPECT_FALSE(glyphs.glyphs.empty()) << text;
        }
    }
}
