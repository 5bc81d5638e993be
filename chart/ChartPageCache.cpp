#include "chart/ChartPageCache.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>

#include "chart/ChartRenderer.h"
#include "chart/DisplayList.h"
#include "chart/ObjectGeometry.h"
#include "chart/QPainterCanvas.h"
#include "model/CIDG.h"

namespace chart {

namespace {

// A run of at most this many calls that came or went is stepped over.
constexpr std::size_t kResyncCalls = 8;
// The page is mended in tiles of this many logical pixels; when more than
// this share of them changed, all objects are drawn again over the grid.
constexpr int kTile = 32;
constexpr int kMostChangedTilesPercent = 40;
// The tiles are drawn again in bands of this many rows, bridging gaps of up
// to this many tiles along a band.
constexpr int kBandRows = 8;
constexpr int kBridgedTiles = 4;

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

bool sameImage(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && a.format() == b.format() && a.bytesPerLine() == b.bytesPerLine();
}

// Makes `to` a copy of `from` (same size and format), reusing its memory.
void copyImage(const QImage& from, QImage& to, double devicePixelRatio)
{
    if (sameImage(from, to)) {
        std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
        to.setDevicePixelRatio(devicePixelRatio);
    } else {
        to = from.copy();
    }
}

// Whether a call may touch a rectangle of logical page pixels: a line where
// it passes, anything else where its bounds lie.
bool reaches(const RecordingCanvas::Call& call, const CanvasRect& bounds, const QRect& rect, double scale)
{
    if (!pagePixels(bounds, scale).intersects(rect))
        return false;
    if (call.op != RecordingCanvas::Op::Line || call.points.size() != 2)
        return true;
    const int reach = std::max(0, std::min(call.points[0].x, call.points[1].x) - bounds.left) + 1;
    const CanvasRect device{static_cast<int>(std::floor(rect.left() / scale)) - reach,
                            static_cast<int>(std::floor(rect.top() / scale)) - reach,
                            static_cast<int>(std::ceil((rect.right() + 1) / scale)) + reach,
                            static_cast<int>(std::ceil((rect.bottom() + 1) / scale)) + reach};
    return clipSegment(call.points[0], call.points[1], device).has_value();
}

} // namespace

// The tiles of the page a drawing call may touch. A line is followed tile
// by tile along its length, so a long diagonal line marks a band, not its
// whole bounding box.
class TileMask {
public:
    TileMask(QSize pixels, double scale)
        : m_columns((pixels.width() + kTile - 1) / kTile), m_rows((pixels.height() + kTile - 1) / kTile),
          m_scale(scale), m_tiles(static_cast<std::size_t>(std::max(0, m_columns * m_rows)), 0)
    {
    }

    void mark(const RecordingCanvas::Call& call, const CanvasRect& bounds)
    {
        visit(call, bounds, [this](std::size_t tile) {
            m_count += m_tiles[tile] ? 0 : 1;
            m_tiles[tile] = 1;
            return false;
        });
    }
    bool touches(const RecordingCanvas::Call& call, const CanvasRect& bounds) const
    {
        return visit(call, bounds, [this](std::size_t tile) { return m_tiles[tile] != 0; });
    }
    int percent() const
    {
        return m_tiles.empty() ? 0 : static_cast<int>(100 * m_count / int(m_tiles.size()));
    }
    bool empty() const { return m_count == 0; }
    // The rectangles to draw again: the marked tiles of each band of rows,
    // in runs with small gaps bridged, so a long line crossing the band is
    // drawn again once rather than once a tile row. Tiles the rectangles
    // take in are marked too (they are drawn again from the grid up).
    std::vector<QRect> repaintRects()
    {
        std::vector<QRect> rects;
        for (int top = 0; top < m_rows; top += kBandRows) {
            const int bottom = std::min(m_rows, top + kBandRows);
            auto marked = [&](int column) {
                for (int row = top; row < bottom; ++row)
                    if (m_tiles[index(column, row)])
                        return true;
                return false;
            };
            for (int column = 0; column < m_columns;) {
                if (!marked(column)) {
                    ++column;
                    continue;
                }
                const int start = column;
                int end = column + 1; // one past the last marked column of the run
                for (int next = end; next < m_columns && next <= end + kBridgedTiles; ++next)
                    if (marked(next))
                        end = next + 1;
                for (int row = top; row < bottom; ++row)
                    for (int x = start; x < end; ++x) {
                        m_count += m_tiles[index(x, row)] ? 0 : 1;
                        m_tiles[index(x, row)] = 1;
                    }
                rects.emplace_back(start * kTile, top * kTile, (end - start) * kTile, (bottom - top) * kTile);
                column = end;
            }
        }
        return rects;
    }

private:
    std::size_t index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column);
    }
    // Calls f on each tile a rectangle of logical page pixels covers until it returns true.
    template <class F> bool visitRect(const QRect& r, F&& f) const
    {
        const int x0 = std::max(0, r.left() / kTile);
        const int y0 = std::max(0, r.top() / kTile);
        const int x1 = std::min(m_columns - 1, r.right() / kTile);
        const int y1 = std::min(m_rows - 1, r.bottom() / kTile);
        if (r.right() < 0 || r.bottom() < 0)
            return false;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (f(index(x, y)))
                    return true;
        return false;
    }
    template <class F> bool visit(const RecordingCanvas::Call& call, const CanvasRect& bounds, F&& f) const
    {
        if (call.op != RecordingCanvas::Op::Line || call.points.size() != 2)
            return visitRect(pagePixels(bounds, m_scale), f);
        // Along the line in steps of half a tile, each step's square as wide
        // as the pen's reach in the call's bounds.
        const CanvasPoint a = call.points[0];
        const CanvasPoint b = call.points[1];
        const int reach = std::max(0, std::min(a.x, b.x) - bounds.left);
        const double length = std::max(std::abs(double(b.x) - a.x), std::abs(double(b.y) - a.y)) * m_scale;
        const int steps = std::max(1, static_cast<int>(std::ceil(length / (kTile / 2))));
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            const int x = static_cast<int>(std::lround(a.x + (b.x - a.x) * t));
            const int y = static_cast<int>(std::lround(a.y + (b.y - a.y) * t));
            const int half = reach + static_cast<int>(std::ceil(kTile / (2 * m_scale)));
            if (visitRect(pagePixels({x - half, y - half, x + half, y + half}, m_scale), f))
                return true;
        }
        return false;
    }

    int m_columns;
    int m_rows;
    double m_scale;
    std::vector<char> m_tiles;
    int m_count = 0;
};

ChartPageCache::ChartPageCache(ChartRenderer& renderer, int threads)
    : m_renderer(renderer), m_threads(threads < 0 ? DrawingThreads::threadsForMachine() : threads),
      m_partLayouts(static_cast<std::size_t>(m_threads.parts() - 1))
{
}

ChartPageCache::~ChartPageCache() = default;

// A part of the page to draw: a rectangle of logical page pixels and the
// calls that reach it, in their order.
struct Piece {
    QRect rect;
    std::vector<std::size_t> calls;
    std::size_t weight = 0;
};

namespace {

// How much drawing a call takes in a piece, roughly: a line by its length
// there (about a unit a pixel), a text as much as a line of 300 pixels
// (more when it is laid out anew for a new scale), any other shape alike.
std::size_t weightIn(const RecordingCanvas::Call& call, const CanvasRect& bounds, const QRect& rect, double scale)
{
    if (call.op == RecordingCanvas::Op::Text)
        return 40;
    if (call.op != RecordingCanvas::Op::Line)
        return 16;
    const QRect reach = pagePixels(bounds, scale) & rect;
    return 4 + static_cast<std::size_t>(std::max(reach.width(), reach.height()) / 8);
}

// Splits each rectangle into `strips` strips of whole tile rows (at most),
// with the calls that reach each.
std::vector<Piece> piecesOf(const std::vector<QRect>& rects, int strips,
                            const std::vector<RecordingCanvas::Call>& calls, const std::vector<CanvasRect>& bounds,
                            const std::vector<std::size_t>& candidates, double scale)
{
    std::vector<Piece> pieces;
    for (const QRect& rect : rects) {
        if (rect.isEmpty())
            continue;
        const int rows = (rect.height() + kTile - 1) / kTile;
        const int count = std::clamp(strips, 1, std::max(1, rows));
        for (int k = 0; k < count; ++k) {
            const int top = rect.top() + rows * k / count * kTile;
            const int bottom = k + 1 == count ? rect.bottom() + 1 : rect.top() + rows * (k + 1) / count * kTile;
            Piece piece{QRect(rect.left(), top, rect.width(), bottom - top), {}, 0};
            for (const std::size_t i : candidates)
                if (reaches(calls[i], bounds[i], piece.rect, scale)) {
                    piece.calls.push_back(i);
                    piece.weight += weightIn(calls[i], bounds[i], piece.rect, scale);
                }
            if (!piece.calls.empty())
                pieces.push_back(std::move(piece));
        }
    }
    return pieces;
}

// Deals the pieces out to the parts: the heaviest first, each to the part
// with the least weight so far.
std::vector<std::vector<const Piece*>> dealt(const std::vector<Piece>& pieces, int parts)
{
    std::vector<const Piece*> order;
    for (const Piece& piece : pieces)
        order.push_back(&piece);
    std::stable_sort(order.begin(), order.end(),
                     [](const Piece* a, const Piece* b) { return a->weight > b->weight; });
    std::vector<std::vector<const Piece*>> hands(static_cast<std::size_t>(parts));
    std::vector<std::size_t> load(static_cast<std::size_t>(parts), 0);
    for (const Piece* piece : order) {
        const auto lightest =
            static_cast<std::size_t>(std::min_element(load.begin(), load.end()) - load.begin());
        hands[lightest].push_back(piece);
        load[lightest] += piece->weight;
    }
    return hands;
}

} // namespace

void ChartPageCache::drawAll(QImage& image, const QImage& base, const std::vector<RecordingCanvas::Call>& calls,
                             const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to, double scale)
{
    // Alone, at a pixel ratio at which a strip's edge would not fall on
    // whole pixels, or with calls that clip themselves (a clip of their own
    // would take the place of the strip's): all calls over the whole image.
    const double ratio = image.devicePixelRatio();
    const bool clipping = std::any_of(calls.begin() + static_cast<std::ptrdiff_t>(from),
                                      calls.begin() + static_cast<std::ptrdiff_t>(to),
                                      [](const RecordingCanvas::Call& call) { return call.clipped; });
    if (m_threads.parts() == 1 || ratio != std::floor(ratio) || clipping) {
        QPainter painter(&image);
        beginPainting(painter, scale);
        QPainterCanvas canvas(painter, &m_textLayouts);
        for (std::size_t i = from; i < to; ++i)
            replayCall(calls[i], canvas);
        return;
    }
    // In strips, dealt out to the threads.
    const QRect page(QPoint(0, 0), image.deviceIndependentSize().toSize());
    std::vector<std::size_t> all;
    for (std::size_t i = from; i < to; ++i)
        all.push_back(i);
    drawPieces(image, base, piecesOf({page}, 4 * m_threads.parts(), calls, bounds, all, scale), calls, scale);
}

void ChartPageCache::drawInRects(QImage& image, const QImage& base, const std::vector<RecordingCanvas::Call>& calls,
                                 const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                                 const TileMask& tiles, const std::vector<QRect>& rects, double scale)
{
    std::vector<std::size_t> touching;
    for (std::size_t i = from; i < to; ++i)
        if (tiles.touches(calls[i], bounds[i]))
            touching.push_back(i);
    if (touching.empty())
        return;
    // Each rectangle (or strip of one, shared out among the threads) is
    // drawn with a clip of its own (a clip of many rectangles makes every
    // call dear), with the calls that reach it.
    const int strips = m_threads.parts() == 1 ? 1 : 2;
    drawPieces(image, base, piecesOf(rects, strips, calls, bounds, touching, scale), calls, scale);
}

void ChartPageCache::drawPieces(QImage& image, const QImage& base, const std::vector<Piece>& pieces,
                                const std::vector<RecordingCanvas::Call>& calls, double scale)
{
    auto draw = [&](QImage& into, TextLayoutCache& layouts, const std::vector<const Piece*>& hand) {
        if (hand.empty())
            return;
        QPainter painter(&into);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        QPainterCanvas canvas(painter, &layouts);
        for (const Piece* piece : hand) {
            painter.setTransform(QTransform());
            painter.setClipRect(piece->rect);
            painter.setTransform(QTransform::fromScale(scale, scale));
            for (const std::size_t i : piece->calls)
                replayCall(calls[i], canvas);
        }
    };
    std::vector<const Piece*> everything;
    for (const Piece& piece : pieces)
        everything.push_back(&piece);
    if (m_threads.parts() == 1 || pieces.size() < 2) {
        draw(image, m_textLayouts, everything);
        return;
    }
    // Each thread paints an image of its own over the same pixels, each in
    // its own pieces, which do not overlap: every pixel is drawn by one
    // thread with the calls that reach it, in their order.
    const auto hands = dealt(pieces, m_threads.parts());
    uchar* const bits = image.bits();
    const bool drawn = m_threads.run([&](int part) {
        QImage alias(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
        alias.setDevicePixelRatio(image.devicePixelRatio());
        TextLayoutCache& layouts = part == 0 ? m_textLayouts : m_partLayouts[static_cast<std::size_t>(part - 1)];
        draw(alias, layouts, hands[static_cast<std::size_t>(part)]);
    });
    if (!drawn) {
        // A thread failed: the pieces from the layer below and drawn here.
        QRegion region;
        for (const Piece& piece : pieces)
            region += piece.rect;
        copyRows(base, image, region, static_cast<int>(image.devicePixelRatio()));
        draw(image, m_textLayouts, everything);
    }
}

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
        // A text measures the same on every grid image of one resolution
        // (a zoom or a resize keeps it): only a new resolution measures again.
        const std::pair<int, int> dpi(m_grid.logicalDpiX(), m_grid.logicalDpiY());
        if (dpi != m_textWidthsDpi) {
            m_textWidths.clear();
            m_textWidthsDpi = dpi;
        }
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
        const std::size_t overlay = objects->overlayStart();
        // Only where calls changed.
        // At a fractional pixel ratio the clip would not fall on whole pixels.
        bool partial = m_bRedrawOnlyChanges && m_objects && m_objectScale == scale &&
                       devicePixelRatio == std::floor(devicePixelRatio) && sameImage(m_page, m_grid) &&
                       sameImage(m_under, m_grid);
        QRegion changed;
        // Where the calls under the overlay changed, and where any call did.
        TileMask under(pixels, scale);
        TileMask tiles(pixels, scale);
        if (partial) {
            const auto& before = m_objects->calls();
            const std::size_t overlayBefore = m_objects->overlayStart();
            for (const auto& call : before)
                partial = partial && !call.clipped;
            for (const auto& call : calls)
                partial = partial && !call.clipped;
            // Walk both lists side by side; a run of calls that came or went
            // (a name's leader or halo, a moved arrow) is stepped over, so the
            // calls after it still pair up. Each step moves on in one list or
            // both; the pairs keep their order, so outside the changed tiles
            // the same calls draw in the same order.
            std::size_t i = 0;
            std::size_t j = 0;
            while (partial && (i < before.size() || j < calls.size())) {
                if (i < before.size() && j < calls.size() && sameCall(before[i], calls[j])) {
                    ++i;
                    ++j;
                    continue;
                }
                std::size_t came = 0;
                std::size_t went = 0;
                for (std::size_t k = 1; k <= kResyncCalls && came == 0 && went == 0; ++k) {
                    if (i < before.size() && j + k < calls.size() && sameCall(before[i], calls[j + k]))
                        came = k;
                    else if (j < calls.size() && i + k < before.size() && sameCall(before[i + k], calls[j]))
                        went = k;
                }
                if (came == 0 && went == 0)
                    came = went = 1;
                for (std::size_t k = 0; k < came && j < calls.size(); ++k, ++j) {
                    tiles.mark(calls[j], bounds[j]);
                    if (j < overlay)
                        under.mark(calls[j], bounds[j]);
                }
                for (std::size_t k = 0; k < went && i < before.size(); ++k, ++i) {
                    tiles.mark(before[i], m_objectBounds[i]);
                    if (i < overlayBefore)
                        under.mark(before[i], m_objectBounds[i]);
                }
                // Past this share of the page the tiles cost more than a
                // redraw of everything over the grid.
                if (tiles.percent() > kMostChangedTilesPercent)
                    partial = false;
            }
        }
        if (partial) {
            const QRect page(QPoint(0, 0), pixels);
            std::vector<QRect> underRects = under.repaintRects();
            std::vector<QRect> rects = tiles.repaintRects();
            QRegion underChanged;
            for (QRect& rect : underRects) {
                rect &= page;
                underChanged += rect;
            }
            for (QRect& rect : rects) {
                rect &= page;
                changed += rect;
            }
            const int ratio = static_cast<int>(devicePixelRatio);
            // The markers and lines again from the grid up where they
            // changed; then the names and texts from there up wherever
            // anything changed (a superset: the runs of tiles only grow).
            if (!(underChanged - changed).isEmpty()) {
                partial = false;
            } else if (!changed.isEmpty()) {
                if (!underChanged.isEmpty()) {
                    copyRows(m_grid, m_under, underChanged, ratio);
                    drawInRects(m_under, m_grid, calls, bounds, 0, overlay, under, underRects, scale);
                }
                copyRows(m_under, m_page, changed, ratio);
                drawInRects(m_page, m_under, calls, bounds, overlay, calls.size(), tiles, rects, scale);
            }
        }
        if (!partial) {
            copyImage(m_grid, m_under, devicePixelRatio);
            drawAll(m_under, m_grid, calls, bounds, 0, overlay, scale);
            copyImage(m_under, m_page, devicePixelRatio);
            drawAll(m_page, m_under, calls, bounds, overlay, calls.size(), scale);
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
    m_under = QImage();
    m_bObjectsValid = false;
    m_objects.reset();
    m_objectBounds.clear();
    m_textWidths.clear();
    m_textWidthsDpi = {};
    m_textLayouts.clear();
    for (TextLayoutCache& layouts : m_partLayouts)
        layouts.clear();
}

} // namespace chart
