#include "chart/ChartPageCache.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "chart/ChartRenderer.h"
#include "chart/DisplayList.h"
#include "chart/QPainterCanvas.h"
#include "model/CIDG.h"

namespace chart {

namespace {

// The most calls that may change for the page to be mended in place.
constexpr std::size_t kMostChangedCalls = 16;

bool sameDevice(const ChartDevice& a, const ChartDevice& b)
{
    return a.screenWidth == b.screenWidth && a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight &&
           a.printing == b.printing;
}

void beginPainting(QPainter& painter, double scale)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
}

// The logical page pixels a call may touch at this scale.
QRect pagePixels(const CanvasRect& r, double scale)
{
    const int left = static_cast<int>(std::floor(r.left * scale)) - 1;
    const int top = static_cast<int>(std::floor(r.top * scale)) - 1;
    const int right = static_cast<int>(std::ceil(r.right * scale)) + 1;
    const int bottom = static_cast<int>(std::ceil(r.bottom * scale)) + 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Copies the region's rectangles (logical pixels, `ratio` image pixels each)
// from one image to another of the same size and format.
void copyRows(const QImage& from, QImage& to, const QRegion& region, int ratio)
{
    const QRect image = from.rect();
    const int bytesPerPixel = from.depth() / 8;
    uchar* const bits = to.bits();
    for (const QRect& logical : region) {
        const QRect r = QRect(logical.topLeft() * ratio, logical.size() * ratio) & image;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(bits + y * to.bytesPerLine() + r.left() * bytesPerPixel,
                        from.constScanLine(y) + r.left() * bytesPerPixel,
                        static_cast<std::size_t>(r.width() * bytesPerPixel));
    }
}

} // namespace

ChartPageCache::ChartPageCache(ChartRenderer& renderer) : m_renderer(renderer) {}

ChartPageCache::~ChartPageCache() = default;

const QImage& ChartPageCache::page(const ChartDevice& device, QSize pixels, double scale,
                                   double devicePixelRatio)
{
    PageKey key{gridKey(m_renderer.model(), device, m_renderer.m_nLabelGapX, m_renderer.m_nLabelGapY), pixels,
                scale, devicePixelRatio};
    if (!m_gridKey || *m_gridKey != key) {
        m_grid = QImage(pixels * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
        m_grid.setDevicePixelRatio(devicePixelRatio);
        m_grid.fill(Qt::white);
        QPainter painter(&m_grid);
        beginPainting(painter, scale);
        QPainterCanvas canvas(painter, &m_textLayouts);
        m_renderer.DrawGrid(canvas, device);
        painter.end();
        m_gridKey = std::move(key);
        m_bObjectsValid = false;
        m_objects.reset();
        m_textWidths.clear();
        ++m_nGridDraws;
    } else {
        // Same key, same layout: only one that was thrown away is made again.
        const ChartLayout& layout = m_renderer.layout();
        if (!layout.m_bValid || !sameDevice(layout.m_device, device))
            m_renderer.LayoutChart(device);
        if (!m_renderer.layout().m_bBoundaryValid)
            m_renderer.ComputeSaturationBoundary();
    }
    if (!m_bObjectsValid) {
        auto objects = std::make_unique<DisplayList>(&m_grid, m_textWidths);
        m_renderer.DrawObjects(*objects);
        std::vector<CanvasRect> bounds = objects->callBounds();
        const auto& calls = objects->calls();
        // Only where calls changed.
        // At a fractional pixel ratio the clip would not fall on whole pixels.
        bool partial = m_bRedrawOnlyChanges && m_objects && m_objectScale == scale &&
                       devicePixelRatio == std::floor(devicePixelRatio) &&
                       m_page.format() == m_grid.format() && m_page.size() == m_grid.size();
        QRegion changed;
        if (partial) {
            const auto& before = m_objects->calls();
            for (const auto& call : before)
                partial = partial && !call.clipped;
            for (const auto& call : calls)
                partial = partial && !call.clipped;
            // Walk both lists side by side; a call more or fewer (a name's
            // leader line that comes or goes) is stepped over, so the calls
            // after it still pair up. Each step moves on in one list or both.
            std::size_t i = 0;
            std::size_t j = 0;
            std::size_t differences = 0;
            while (partial && (i < before.size() || j < calls.size())) {
                // Past this many changes the region costs more than a redraw
                // of everything over the grid.
                if (differences > kMostChangedCalls) {
                    partial = false;
                    break;
                }
                if (i < before.size() && j < calls.size() && sameCall(before[i], calls[j])) {
                    ++i;
                    ++j;
                    continue;
                }
                ++differences;
                if (j + 1 < calls.size() && i < before.size() && sameCall(before[i], calls[j + 1])) {
                    changed += pagePixels(bounds[j++], scale);
                } else if (i + 1 < before.size() && j < calls.size() && sameCall(before[i + 1], calls[j])) {
                    changed += pagePixels(m_objectBounds[i++], scale);
                } else {
                    if (i < before.size())
                        changed += pagePixels(m_objectBounds[i++], scale);
                    if (j < calls.size())
                        changed += pagePixels(bounds[j++], scale);
                }
            }
        }
        if (partial) {
            changed &= QRect(QPoint(0, 0), pixels);
            if (!changed.isEmpty()) {
                copyRows(m_grid, m_page, changed, static_cast<int>(devicePixelRatio));
                QPainter painter(&m_page);
                painter.setClipRegion(changed);
                beginPainting(painter, scale);
                QPainterCanvas canvas(painter, &m_textLayouts);
                for (std::size_t i = 0; i < calls.size(); ++i)
                    if (changed.intersects(pagePixels(bounds[i], scale)))
                        replayCall(calls[i], canvas);
                painter.end();
            }
        } else {
            if (m_page.size() == m_grid.size() && m_page.format() == m_grid.format() &&
                m_page.bytesPerLine() == m_grid.bytesPerLine()) {
                std::memcpy(m_page.bits(), m_grid.constBits(),
                            static_cast<std::size_t>(m_grid.sizeInBytes()));
                m_page.setDevicePixelRatio(devicePixelRatio);
            } else {
                m_page = m_grid.copy();
            }
            QPainter painter(&m_page);
            beginPainting(painter, scale);
            QPainterCanvas canvas(painter, &m_textLayouts);
            for (const auto& call : calls)
                replayCall(call, canvas);
            painter.end();
            changed = QRegion(QRect(QPoint(0, 0), pixels));
        }
        m_objects = std::move(objects);
        m_objectBounds = std::move(bounds);
        m_objectScale = scale;
        m_changed = changed;
        m_bObjectsValid = true;
        ++m_nObjectDraws;
    }
    return m_page;
}

void ChartPageCache::clear()
{
    m_gridKey.reset();
    m_grid = QImage();
    m_page = QImage();
    m_bObjectsValid = false;
    m_objects.reset();
    m_objectBounds.clear();
    m_textWidths.clear();
    m_textLayouts.clear();
}

} // namespace chart
