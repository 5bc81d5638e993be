#include "chart/ChartPageCache.h"

#include <QPainter>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

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
// Drawing shared out among threads costs their waking; below this weight
// (see weightIn: a unit is about a thousand instructions, so 20 000 about
// a millisecond) the caller draws alone; below this many markers and lines
// it draws them itself, and below this many calls of objects the grid too.
constexpr std::size_t kSharedWeight = 20000;
constexpr std::size_t kLaunchedCalls = 600;
// A piece copied from the layer below weighs a unit (see weightIn) for
// this many pixels.
constexpr std::size_t kCopiedPixels = 512;

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

// Clips the painter to a piece (logical page pixels) and draws at the scale.
void clipToPiece(QPainter& painter, const QRect& piece, double scale)
{
    painter.setTransform(QTransform());
    painter.setClipRect(piece);
    painter.setTransform(QTransform::fromScale(scale, scale));
}

// An image over the pixels `bits` of `image` (taken by the caller, which
// detaches them), for a drawing thread to paint on: the image itself stays
// with the caller.
QImage paintedOver(uchar* bits, const QImage& image)
{
    QImage alias(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
    alias.setDevicePixelRatio(image.devicePixelRatio());
    return alias;
}

// Draws calls [from, to) over the whole image at the scale.
void replayOnto(QImage& image, double scale, RasterCache* layouts,
                const std::vector<RecordingCanvas::Call>& calls, std::size_t from, std::size_t to)
{
    QPainter painter(&image);
    beginPainting(painter, scale);
    QPainterCanvas canvas(painter, layouts);
    for (std::size_t i = from; i < to; ++i)
        replayCall(calls[i], canvas);
}

// Waits, when it goes, for the task it was told was launched.
struct WaitForLaunched {
    DrawingThreads& threads;
    const bool& launched;
    ~WaitForLaunched()
    {
        if (launched)
            threads.wait();
    }
};

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
bool reaches(const RecordingCanvas::Call& call, const CanvasRect& bounds, const QRect& pixels,
             const QRect& rect, double scale)
{
    if (!pixels.intersects(rect))
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
    // The marked tiles within `page`, as runs along each tile row: every
    // pixel the drawing may have changed (the rest of a repainted rectangle
    // gets again what it had).
    QRegion markedRegion(const QRect& page) const
    {
        std::vector<QRect> runs;
        for (int row = 0; row < m_rows; ++row)
            for (int column = 0; column < m_columns;) {
                if (!m_tiles[index(column, row)]) {
                    ++column;
                    continue;
                }
                const int start = column;
                while (column < m_columns && m_tiles[index(column, row)])
                    ++column;
                const QRect run = QRect(start * kTile, row * kTile, (column - start) * kTile, kTile) & page;
                if (!run.isEmpty())
                    runs.push_back(run);
            }
        // Runs of one row share their top and height and come left to right:
        // the banded order a region is made of.
        QRegion region;
        region.setRects(runs.data(), static_cast<int>(runs.size()));
        return region;
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

namespace {

bool anyClipped(const std::vector<RecordingCanvas::Call>& calls, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to && i < calls.size(); ++i)
        if (calls[i].clipped)
            return true;
    return false;
}

// Marks the tiles of the calls that came or went between before[b0, b1)
// and now[n0, n1). Both lists are walked side by side; a run of calls that
// came or went (a name's leader or halo, a moved arrow) is stepped over, so
// the calls after it still pair up. Each step moves on in one list or both;
// the pairs keep their order, so outside the marked tiles the same calls
// draw in the same order.
void markChanges(const std::vector<RecordingCanvas::Call>& before, std::size_t b0, std::size_t b1,
                 const std::vector<CanvasRect>& beforeBounds, const std::vector<RecordingCanvas::Call>& now,
                 std::size_t n0, std::size_t n1, const std::vector<CanvasRect>& nowBounds, TileMask& tiles)
{
    std::size_t i = b0;
    std::size_t j = n0;
    while (i < b1 || j < n1) {
        if (i < b1 && j < n1 && sameCall(before[i], now[j])) {
            ++i;
            ++j;
            continue;
        }
        std::size_t came = 0;
        std::size_t went = 0;
        for (std::size_t k = 1; k <= kResyncCalls && came == 0 && went == 0; ++k) {
            if (i < b1 && j + k < n1 && sameCall(before[i], now[j + k]))
                came = k;
            else if (j < n1 && i + k < b1 && sameCall(before[i + k], now[j]))
                went = k;
        }
        if (came == 0 && went == 0)
            came = went = 1;
        for (std::size_t k = 0; k < came && j < n1; ++k, ++j)
            tiles.mark(now[j], nowBounds[j]);
        for (std::size_t k = 0; k < went && i < b1; ++k, ++i)
            tiles.mark(before[i], beforeBounds[i]);
        if (tiles.percent() > kMostChangedTilesPercent)
            return;
    }
}

} // namespace

// A part of the page to draw: a rectangle of logical page pixels and the
// calls that reach it, in their order.
struct Piece {
    QRect rect;
    std::vector<std::size_t> calls;
    std::size_t weight = 0;
};

// The layer under the names drawn again by a drawing thread while the
// caller places the names: its own copy of the calls (the list grows on
// meanwhile), their reach, where, and the pieces of that, which the caller
// helps to draw once its names are placed (each piece taken by one thread).
struct UnderPass {
    std::vector<RecordingCanvas::Call> calls;
    std::vector<CanvasRect> bounds;
    std::vector<QRect> rects;
    uchar* bits = nullptr;
    std::vector<Piece> pieces;
    // Per piece, once it is drawn.
    std::unique_ptr<std::atomic<bool>[]> done;
    std::atomic<bool> ready{false};
    std::atomic<std::size_t> next{0};
};

namespace {

// How much drawing a call takes in a piece, roughly: a line by its length
// there (a unit for eight pixels), a text ten times a short line's (more
// when it is laid out anew for a new scale), any other shape four times.
std::size_t weightIn(const RecordingCanvas::Call& call, const QRect& pixels, const QRect& rect)
{
    if (call.op == RecordingCanvas::Op::Text)
        return 40;
    if (call.op != RecordingCanvas::Op::Line)
        return 16;
    const QRect reach = pixels & rect;
    return 4 + static_cast<std::size_t>(std::max(reach.width(), reach.height()) / 8);
}

// The logical page pixels each of calls [from, to) may touch.
std::vector<QRect> pixelsOf(const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                            double scale)
{
    std::vector<QRect> pixels;
    pixels.reserve(to - from);
    for (std::size_t i = from; i < to; ++i)
        pixels.push_back(pagePixels(bounds[i], scale));
    return pixels;
}

// Splits `rect` into `strips` strips of whole tile rows (at most), each with
// those of `candidates` (in order, from calls [from, …) with their pixels)
// that reach it; with `copied`, strips that no call reaches are kept too,
// and each weighs its copy from the layer below as well.
void addStrips(std::vector<Piece>& pieces, const QRect& rect, int strips,
               const std::vector<RecordingCanvas::Call>& calls, const std::vector<CanvasRect>& bounds,
               const std::vector<QRect>& pixels, std::size_t from, const std::vector<std::size_t>& candidates,
               double scale, bool copied)
{
    if (rect.isEmpty())
        return;
    const int rows = (rect.height() + kTile - 1) / kTile;
    const int count = std::clamp(strips, 1, std::max(1, rows));
    for (int k = 0; k < count; ++k) {
        const int top = rect.top() + rows * k / count * kTile;
        const int bottom = k + 1 == count ? rect.bottom() + 1 : rect.top() + rows * (k + 1) / count * kTile;
        Piece piece{QRect(rect.left(), top, rect.width(), bottom - top), {}, 0};
        if (copied)
            piece.weight = static_cast<std::size_t>(piece.rect.width()) * piece.rect.height() / kCopiedPixels;
        for (const std::size_t i : candidates) {
            const QRect& reach = pixels[i - from];
            if (reaches(calls[i], bounds[i], reach, piece.rect, scale)) {
                piece.calls.push_back(i);
                piece.weight += weightIn(calls[i], reach, piece.rect);
            }
        }
        if (copied || !piece.calls.empty())
            pieces.push_back(std::move(piece));
    }
}

// The whole page in `strips` strips, with the calls [from, to) that reach each.
std::vector<Piece> pageInStrips(const QRect& page, int strips,
                                const std::vector<RecordingCanvas::Call>& calls,
                                const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                                double scale)
{
    std::vector<std::size_t> all;
    for (std::size_t i = from; i < to; ++i)
        all.push_back(i);
    std::vector<Piece> pieces;
    addStrips(pieces, page, strips, calls, bounds, pixelsOf(bounds, from, to, scale), from, all, scale,
              false);
    return pieces;
}

// The pieces of the rectangles drawn again (whole tiles, each within one band
// of tile rows, every tile of them marked), `strips` strips of each, with
// the calls [from, to) that reach each. The calls are first sorted into the
// bands they reach, so a rectangle asks only those of its band.
std::vector<Piece> piecesInBands(const std::vector<QRect>& rects, int strips,
                                 const std::vector<RecordingCanvas::Call>& calls,
                                 const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                                 double scale)
{
    std::vector<Piece> pieces;
    QRect all;
    for (const QRect& rect : rects)
        all |= rect;
    if (all.isEmpty())
        return pieces;
    constexpr int kBand = kBandRows * kTile;
    // A rectangle beyond the page's top or left (none is) goes to the first band.
    auto band = [](int y) { return std::max(0, y) / kBand; };
    const int first = band(all.top());
    const std::vector<QRect> pixels = pixelsOf(bounds, from, to, scale);
    std::vector<std::vector<std::size_t>> byBand(static_cast<std::size_t>(band(all.bottom()) - first + 1));
    for (std::size_t i = from; i < to; ++i) {
        const QRect reach = pixels[i - from] & all;
        if (reach.isEmpty())
            continue;
        for (int b = band(reach.top()); b <= band(reach.bottom()); ++b)
            byBand[static_cast<std::size_t>(b - first)].push_back(i);
    }
    std::vector<std::size_t> merged;
    for (const QRect& rect : rects) {
        if (rect.isEmpty())
            continue;
        const int top = band(rect.top()) - first;
        const int bottom = band(rect.bottom()) - first;
        const std::vector<std::size_t>* candidates = &byBand[static_cast<std::size_t>(top)];
        if (bottom > top) {
            merged.clear();
            for (int b = top; b <= bottom; ++b)
                merged.insert(merged.end(), byBand[static_cast<std::size_t>(b)].begin(),
                              byBand[static_cast<std::size_t>(b)].end());
            std::sort(merged.begin(), merged.end());
            merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
            candidates = &merged;
        }
        addStrips(pieces, rect, strips, calls, bounds, pixels, from, *candidates, scale, true);
    }
    return pieces;
}

// The pieces heaviest first: threads that take them in this order end
// close together, each taking the next piece as it finishes one.
std::vector<const Piece*> heaviestFirst(const std::vector<Piece>& pieces)
{
    std::vector<const Piece*> order;
    for (const Piece& piece : pieces)
        order.push_back(&piece);
    std::stable_sort(order.begin(), order.end(),
                     [](const Piece* a, const Piece* b) { return a->weight > b->weight; });
    return order;
}

} // namespace

void ChartPageCache::drawAll(QImage& image, const QImage& base,
                             const std::vector<RecordingCanvas::Call>& calls,
                             const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                             double scale)
{
    // Alone, at a pixel ratio at which a strip's edge would not fall on
    // whole pixels, or with calls that clip themselves (a clip of their own
    // would take the place of the strip's): all calls over the whole image.
    const double ratio = image.devicePixelRatio();
    const bool clipping = std::any_of(calls.begin() + static_cast<std::ptrdiff_t>(from),
                                      calls.begin() + static_cast<std::ptrdiff_t>(to),
                                      [](const RecordingCanvas::Call& call) { return call.clipped; });
    if (m_threads.parts() == 1 || ratio != std::floor(ratio) || clipping) {
        replayOnto(image, scale, &m_textLayouts, calls, from, to);
        return;
    }
    // In strips, shared out among the threads.
    const QRect page(QPoint(0, 0), image.deviceIndependentSize().toSize());
    drawPieces(image, base, pageInStrips(page, 4 * m_threads.parts(), calls, bounds, from, to, scale), calls,
               scale);
}

std::vector<Piece> ChartPageCache::piecesInRects(const std::vector<RecordingCanvas::Call>& calls,
                                                 const std::vector<CanvasRect>& bounds, std::size_t from,
                                                 std::size_t to, const std::vector<QRect>& rects,
                                                 double scale, bool alone) const
{
    // Each rectangle (or strip of one, shared out among the threads) is
    // copied from the layer below, then drawn with a clip of its own (a clip
    // of many rectangles makes every call dear), with the calls that reach it.
    const int strips = m_threads.parts() == 1 || alone ? 1 : 2;
    return piecesInBands(rects, strips, calls, bounds, from, to, scale);
}

void ChartPageCache::drawQueued(UnderPass& pass, int part, double scale)
{
    QImage alias = paintedOver(pass.bits, m_under);
    QPainter painter(&alias);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QPainterCanvas canvas(painter,
                          part == 0 ? &m_textLayouts : &m_partLayouts[static_cast<std::size_t>(part - 1)]);
    for (std::size_t k = pass.next.fetch_add(1); k < pass.pieces.size(); k = pass.next.fetch_add(1)) {
        const Piece& piece = pass.pieces[k];
        copyRows(m_grid, alias, QRegion(piece.rect), static_cast<int>(alias.devicePixelRatio()));
        clipToPiece(painter, piece.rect, scale);
        for (const std::size_t i : piece.calls)
            replayCall(pass.calls[i], canvas);
        pass.done[k].store(true, std::memory_order_release);
    }
}

std::vector<char> ChartPageCache::drawOnDoneGround(const UnderPass& pass, const std::vector<Piece>& pieces,
                                                   const std::vector<RecordingCanvas::Call>& calls,
                                                   double scale)
{
    std::vector<char> drawn(pieces.size(), 0);
    // Whether no piece of the layer under the names still being drawn meets `rect`.
    auto groundDone = [&pass](const QRect& rect) {
        for (std::size_t k = 0; k < pass.pieces.size(); ++k)
            if (!pass.done[k].load(std::memory_order_acquire) && pass.pieces[k].rect.intersects(rect))
                return false;
        return true;
    };
    auto allDone = [&pass] {
        for (std::size_t k = 0; k < pass.pieces.size(); ++k)
            if (!pass.done[k].load(std::memory_order_acquire))
                return false;
        return true;
    };
    QPainter painter(&m_page);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QPainterCanvas canvas(painter, &m_textLayouts);
    // Rounds over the pieces left while the drawing thread is still busy
    // (bounded: each round draws one piece at least, or ends).
    for (bool progress = true; progress && !allDone();) {
        progress = false;
        for (std::size_t j = 0; j < pieces.size(); ++j) {
            if (drawn[j] || !groundDone(pieces[j].rect))
                continue;
            copyRows(m_under, m_page, QRegion(pieces[j].rect), static_cast<int>(m_page.devicePixelRatio()));
            clipToPiece(painter, pieces[j].rect, scale);
            for (const std::size_t i : pieces[j].calls)
                replayCall(calls[i], canvas);
            drawn[j] = 1;
            progress = true;
            if (allDone())
                break;
        }
    }
    return drawn;
}

void ChartPageCache::drawPieces(QImage& image, const QImage& base, const std::vector<Piece>& pieces,
                                const std::vector<RecordingCanvas::Call>& calls, double scale, bool alone,
                                bool copyBase)
{
    // Draws the pieces `take` hands out, one after another, until it hands
    // out none.
    auto draw = [&](QImage& into, RasterCache& layouts, const auto& take) {
        const Piece* piece = take();
        if (!piece)
            return;
        QPainter painter(&into);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        QPainterCanvas canvas(painter, &layouts);
        for (; piece; piece = take()) {
            if (copyBase)
                copyRows(base, into, QRegion(piece->rect), static_cast<int>(into.devicePixelRatio()));
            clipToPiece(painter, piece->rect, scale);
            for (const std::size_t i : piece->calls)
                replayCall(calls[i], canvas);
        }
    };
    std::size_t weight = 0;
    for (const Piece& piece : pieces)
        weight += piece.weight;
    auto drawEverything = [&] {
        std::size_t k = 0;
        draw(image, m_textLayouts, [&]() { return k < pieces.size() ? &pieces[k++] : nullptr; });
    };
    if (m_threads.parts() == 1 || pieces.size() < 2 || alone || (weight < kSharedWeight && !m_bShareAlways)) {
        drawEverything();
        return;
    }
    // Each thread paints an image of its own over the same pixels, taking
    // pieces, which do not overlap, until none is left: every pixel is drawn
    // by one thread with the calls that reach it, in their order.
    const std::vector<const Piece*> order = heaviestFirst(pieces);
    std::atomic<std::size_t> next{0};
    uchar* const bits = image.bits();
    const bool drawn = m_threads.run([&](int part) {
        QImage alias = paintedOver(bits, image);
        RasterCache& layouts = part == 0 ? m_textLayouts : m_partLayouts[static_cast<std::size_t>(part - 1)];
        draw(alias, layouts, [&]() -> const Piece* {
            const std::size_t k = next.fetch_add(1);
            return k < order.size() ? order[k] : nullptr;
        });
    });
    if (!drawn) {
        // A thread failed: the pieces from the layer below and drawn here.
        QRegion region;
        for (const Piece& piece : pieces)
            region += piece.rect;
        copyRows(base, image, region, static_cast<int>(image.devicePixelRatio()));
        drawEverything();
    }
}

const QImage& ChartPageCache::page(const ChartDevice& device, QSize pixels, double scale,
                                   double devicePixelRatio)
{
    endFreeing();
    PageKey key{gridKey(m_renderer.model(), device, m_renderer.m_nLabelGapX, m_renderer.m_nLabelGapY), pixels,
                scale, devicePixelRatio};
    // The grid's calls, drawn on a drawing thread while this one records
    // the objects (which must outlive the drawing, whatever happens).
    std::unique_ptr<DisplayList> gridCalls;
    bool gridLaunched = false;
    const WaitForLaunched waitForGrid{m_threads, gridLaunched};
    if (!m_gridKey || *m_gridKey != key) {
        m_grid = QImage(pixels * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
        m_grid.setDevicePixelRatio(devicePixelRatio);
        m_grid.fill(Qt::white);
        // A text measures the same on every grid image of one resolution
        // (a zoom or a resize keeps it): only a new resolution measures again.
        const std::pair<int, int> dpi(m_grid.logicalDpiX(), m_grid.logicalDpiY());
        if (dpi != m_textWidthsDpi) {
            m_textWidths.clear();
            m_textWidthsDpi = dpi;
        }
        // Drawn on a thread of its own only behind objects that take long
        // enough to record (judged by the last drawing's calls): behind a
        // few, the hand-over costs more than it hides.
        const bool behindObjects = m_threads.parts() > 1 && m_objects &&
                                   (m_objects->calls().size() >= kLaunchedCalls || m_bShareAlways);
        if (!behindObjects) {
            QPainter painter(&m_grid);
            beginPainting(painter, scale);
            QPainterCanvas canvas(painter, &m_textLayouts);
            m_renderer.DrawGrid(canvas, device);
        } else {
            // Recorded (texts measured as on the image), then drawn by a
            // drawing thread while this one records and places the objects.
            gridCalls = std::make_unique<DisplayList>(&m_grid, m_textWidths);
            m_renderer.DrawGrid(*gridCalls, device);
            const DisplayList* calls = gridCalls.get();
            uchar* const bits = m_grid.bits();
            RasterCache* layouts = &m_partLayouts.front();
            // The last drawing's calls, no longer of use, are freed there too.
            std::shared_ptr<DisplayList> previous = std::move(m_objects);
            previous->releaseFont();
            m_threads.launch([this, calls, bits, scale, layouts, previous = std::move(previous)]() mutable {
                QImage alias = paintedOver(bits, m_grid);
                replayOnto(alias, scale, layouts, calls->calls(), 0, calls->calls().size());
                previous.reset();
            });
            gridLaunched = true;
        }
        m_gridKey = std::move(key);
        m_bObjectsValid = false;
        m_objects.reset();
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
        // An edit changes a few calls: room for those of the last drawing and some.
        if (m_objects)
            objects->reserve(m_objects->calls().size() + m_objects->calls().size() / 8);
        // Only where calls changed, on the page drawn last at this scale.
        // At a fractional pixel ratio the clip would not fall on whole pixels.
        bool partial = m_bRedrawOnlyChanges && m_objects && m_objectScale == scale &&
                       devicePixelRatio == std::floor(devicePixelRatio) && sameImage(m_page, m_grid) &&
                       sameImage(m_under, m_grid) &&
                       !anyClipped(m_objects->calls(), 0, m_objects->calls().size());
        const QRect page(QPoint(0, 0), pixels);
        // Where the markers and lines changed, and where anything did.
        TileMask under(pixels, scale);
        TileMask tiles(pixels, scale);
        QRegion underChanged;
        std::vector<CanvasRect> bounds;
        // The markers and lines are recorded before the names are placed:
        // where they changed, the layer under the names is drawn again on a
        // drawing thread while this one places the names.
        UnderPass pass;
        bool launched = false;
        const WaitForLaunched waitForUnder{m_threads, launched};
        if (partial)
            objects->setOnOverlay([&](DisplayList& list) {
                const std::size_t overlay = list.overlayStart();
                bounds = list.callBounds(0, overlay);
                if (anyClipped(list.calls(), 0, overlay)) {
                    partial = false;
                    return;
                }
                markChanges(m_objects->calls(), 0, m_objects->overlayStart(), m_objectBounds, list.calls(), 0,
                            overlay, bounds, under);
                if (under.percent() > kMostChangedTilesPercent) {
                    partial = false;
                    return;
                }
                // What changed under the names changed the page too.
                tiles = under;
                pass.rects = under.repaintRects();
                for (QRect& rect : pass.rects) {
                    rect &= page;
                    underChanged += rect;
                }
                if (underChanged.isEmpty())
                    return;
                if ((overlay < kLaunchedCalls && !m_bShareAlways) || m_threads.parts() == 1) {
                    drawPieces(m_under, m_grid,
                               piecesInRects(list.calls(), bounds, 0, overlay, pass.rects, scale, true),
                               list.calls(), scale, true, true);
                    return;
                }
                // Lent, not copied: the names only add calls after them.
                pass.calls = list.lendCalls(overlay);
                pass.bounds = bounds;
                pass.bits = m_under.bits();
                m_threads.launch([this, &pass, scale] {
                    pass.pieces =
                        piecesInBands(pass.rects, 1, pass.calls, pass.bounds, 0, pass.calls.size(), scale);
                    // The heaviest first: this thread starts them while the
                    // caller still places names.
                    std::stable_sort(pass.pieces.begin(), pass.pieces.end(),
                                     [](const Piece& a, const Piece& b) { return a.weight > b.weight; });
                    pass.done = std::make_unique<std::atomic<bool>[]>(pass.pieces.size());
                    for (std::size_t k = 0; k < pass.pieces.size(); ++k)
                        pass.done[k].store(false, std::memory_order_relaxed);
                    pass.ready.store(true, std::memory_order_release);
                    drawQueued(pass, 1, scale);
                });
                launched = true;
            });
        m_renderer.DrawObjects(*objects);
        objects->setOnOverlay({});
        if (gridLaunched) {
            gridLaunched = false;
            if (!m_threads.wait()) {
                // Its thread failed: the grid drawn here.
                m_grid.fill(Qt::white);
                replayOnto(m_grid, scale, &m_textLayouts, gridCalls->calls(), 0, gridCalls->calls().size());
            }
        }
        const auto& calls = objects->calls();
        const std::size_t overlay = objects->overlayStart();
        if (bounds.size() != overlay)
            partial = false; // no overlay was begun
        {
            std::vector<CanvasRect> rest = objects->callBounds(bounds.size(), calls.size());
            bounds.insert(bounds.end(), rest.begin(), rest.end());
        }
        QRegion changed;
        if (partial && !anyClipped(calls, overlay, calls.size())) {
            markChanges(m_objects->calls(), m_objects->overlayStart(), m_objects->calls().size(),
                        m_objectBounds, calls, overlay, calls.size(), bounds, tiles);
            // Past this share of the page the tiles cost more than a redraw
            // of everything over the grid.
            if (tiles.percent() > kMostChangedTilesPercent)
                partial = false;
        } else {
            partial = false;
        }
        // The names and texts again from the layer under them up, wherever
        // anything changed (which takes in where the layer changed: the runs
        // of tiles only grow); found while the layer under them is drawn.
        std::vector<QRect> rects;
        QRegion repainted;
        if (partial) {
            changed = tiles.markedRegion(page);
            rects = tiles.repaintRects();
            for (QRect& rect : rects) {
                rect &= page;
                repainted += rect;
            }
        }
        // The pieces the names and texts are drawn in again (worked out while
        // the drawing thread may still end its last piece of the layer under them).
        std::vector<Piece> namePieces;
        bool namePiecesFound = false;
        auto findNamePieces = [&] {
            namePiecesFound = true;
            if (partial && !repainted.isEmpty() && (underChanged - repainted).isEmpty())
                namePieces = piecesInRects(calls, bounds, overlay, calls.size(), rects, scale);
        };
        if (launched) {
            // Done with the names: help with the pieces not yet taken.
            const bool ready = pass.ready.load(std::memory_order_acquire);
            if (ready)
                drawQueued(pass, 0, scale);
            findNamePieces();
            // While the drawing thread ends its last pieces, the names go
            // on where the layer under them is done.
            if (ready && !namePieces.empty()) {
                const std::vector<char> drawn = drawOnDoneGround(pass, namePieces, calls, scale);
                std::size_t kept = 0;
                for (std::size_t j = 0; j < namePieces.size(); ++j)
                    if (!drawn[j]) {
                        if (kept != j)
                            namePieces[kept] = std::move(namePieces[j]);
                        ++kept;
                    }
                namePieces.resize(kept);
            }
            launched = false;
            // A drawing that failed leaves the layer under the names unknown.
            if (!m_threads.wait())
                partial = false;
            objects->returnCalls(std::move(pass.calls));
        }
        if (partial) {
            if (!(underChanged - repainted).isEmpty()) {
                partial = false;
            } else if (!repainted.isEmpty()) {
                if (!namePiecesFound)
                    findNamePieces();
                drawPieces(m_page, m_under, namePieces, calls, scale, false, true);
            }
        }
        if (!partial) {
            copyImage(m_grid, m_under, devicePixelRatio);
            drawAll(m_under, m_grid, calls, bounds, 0, overlay, scale);
            copyImage(m_under, m_page, devicePixelRatio);
            drawAll(m_page, m_under, calls, bounds, overlay, calls.size(), scale);
            changed = QRegion(page);
        }
        std::shared_ptr<DisplayList> previous = std::exchange(m_objects, std::move(objects));
        m_objectBounds = std::move(bounds);
        m_objectScale = scale;
        m_changed = changed;
        m_bObjectsValid = true;
        ++m_nObjectDraws;
        // The last drawing's thousands of calls are freed on a drawing thread
        // while the page is shown, not before it is.
        if (previous && m_threads.parts() > 1) {
            previous->releaseFont();
            m_threads.launch([previous = std::move(previous)]() mutable { previous.reset(); });
            m_bFreeingLaunched = true;
        }
    }
    return m_page;
}

void ChartPageCache::endFreeing()
{
    if (m_bFreeingLaunched) {
        m_bFreeingLaunched = false;
        m_threads.wait();
    }
}

void ChartPageCache::clear()
{
    endFreeing();
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
    for (RasterCache& layouts : m_partLayouts)
        layouts.clear();
}

} // namespace chart
