#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <string>
#include <vector>

#include "chart/AnalysedSample.h"
#include "render/ChartImage.h"
#include "render/ChartRenderer.h"
#include "render/ChartViewCache.h"
#include "render/QPainterCanvas.h"
#include "support/SuiteGuiApplication.h"

// The view's kept images against a whole redraw of what the viewport shows:
// after edits and scrolls the cache must give the picture a fresh renderer
// draws straight onto the screen, at screen ratios 1 and 2 and zooms 1, 4
// and 16 (at most one level off in at most 0.1 % of the pixels).
namespace {

const QSize kViewport(640, 400);

class ViewCacheTest : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }
};

// The page over `page` drawn by a renderer of its own, in one go, onto a
// screen of the viewport's size.
QImage wholeRedraw(const CIDG& idg, const ChartDevice& device, const QRect& page, double zoom, double ratio)
{
    const QRect visible = QRect(QPoint(0, 0), kViewport) & page;
    QImage image(visible.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(page.topLeft() - visible.topLeft());
    painter.scale(zoom, zoom);
    QPainterCanvas canvas(painter);
    ChartRenderer(idg).DrawChart(canvas, device);
    return image;
}

struct Difference {
    long differing = 0;
    int most = 0; // levels
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int most =
                std::max({std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                          std::abs(qBlue(p[x]) - qBlue(q[x]))});
            if (most > 0)
                ++d.differing;
            d.most = std::max(d.most, most);
        }
    }
    return d;
}

TEST_P(ViewCacheTest, KeptImagesAfterEditsAndScrollsAreAWholeRedraw)
{
    const auto [ratio, zoom] = GetParam();
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    CIDG& idg = contents.idg;
    // The primary system's room in its cooling view: points, lines, ε and
    // the result column.
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 0;
    idg.m_rooms.SetRoomCondition(0, 0, kConditionSummer);
    ASSERT_TRUE(idg.PointAtCurrentRoom());
    ASSERT_GT(idg.m_pPoints->size(), 4u);

    const ChartDevice device;
    const QSize size = chart::pageSize(device, false) * zoom;
    // A place among the objects, the viewport filled by the page.
    QRect page(QPoint(0, 0), size);
    page.moveTopLeft(-QPoint(size.width() * 3 / 10, size.height() / 5));
    ASSERT_TRUE(page.contains(QRect(QPoint(-80, -80), kViewport + QSize(160, 160))));
    ChartRenderer renderer(idg);
    chart::ChartViewCache cache(renderer);
    // Where the page lay when the cache drew what it keeps. Qt's raster
    // engine clips a thin line where it leaves the image, to a 64th of a
    // pixel: the same page drawn whole at another place differs by a few
    // levels along such lines. What a scroll keeps is held to that noise.
    std::vector<QRect> drawnAt;
    const auto check = [&](const char* after) {
        const QImage& kept = cache.image(device, kViewport, page, zoom, ratio);
        const QImage whole = wholeRedraw(idg, device, page, zoom, ratio);
        ASSERT_EQ(kept.size(), whole.size()) << after;
        Difference allowed{long(0.001 * kept.width() * kept.height()), 1};
        for (const QRect& earlier : drawnAt) {
            const QRect common =
                (QRect(QPoint(0, 0), kViewport) & page.translated(0, 0)) &
                (QRect(QPoint(0, 0), kViewport).translated(page.topLeft() - earlier.topLeft()));
            if (common.isEmpty())
                continue;
            const QImage before = wholeRedraw(idg, device, earlier, zoom, ratio);
            const QPoint shift = (earlier.topLeft() - page.topLeft()) * ratio;
            const QRect here(common.topLeft() * ratio, common.size() * ratio);
            const Difference noise = compare(whole.copy(here), before.copy(here.translated(shift)));
            allowed.most = std::max(allowed.most, noise.most + 1);
            allowed.differing = std::max(allowed.differing, 3 * noise.differing);
        }
        const Difference d = compare(kept, whole);
        EXPECT_LE(d.most, allowed.most) << after;
        EXPECT_LE(d.differing, allowed.differing) << after;
        drawnAt.push_back(page);
    };
    check("the first drawing");

    // An edit: the supply point moves, and the objects are drawn afresh
    // where the page lies now.
    CStatePoint& moved = *(*idg.m_pPoints)[2];
    moved.m_d += 0.0008f;
    moved.m_h += 2.0f;
    cache.invalidateObjects();
    drawnAt.clear();
    check("an edit");
    const int grids = cache.gridDraws();

    // Scrolls by wheel steps and drags, each way, then one past the viewport.
    for (const QPoint step : {QPoint(0, -40), QPoint(-57, 0), QPoint(23, 31), QPoint(0, 40)}) {
        page.translate(step);
        check("a scroll");
    }
    EXPECT_EQ(cache.gridDraws(), grids) << "a scroll draws only what it uncovers";
    moved.m_h -= 4.0f;
    cache.invalidateObjects();
    page.translate(-7, -9);
    check("an edit and a scroll at once");
}

INSTANTIATE_TEST_SUITE_P(RatiosAndZooms, ViewCacheTest,
                         ::testing::Values(std::pair{1, 1}, std::pair{1, 4}, std::pair{1, 16},
                                           std::pair{2, 1}, std::pair{2, 4}, std::pair{2, 16}),
                         [](const auto& info) {
                             return "ratio" + std::to_string(info.param.first) + "_zoom" +
                                    std::to_string(info.param.second);
                         });

} // namespace
