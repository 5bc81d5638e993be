#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "chart/CanvasTypes.h"
#include "chart/ChartLayout.h"
#include "chart/DrawingThreads.h"
#include "chart/GridKey.h"
#include "chart/QPainterCanvas.h"
#include "chart/RecordingCanvas.h"

class CIDG;
class ChartRenderer;

namespace chart {

class DisplayList;
struct Piece;
struct UnderPass;

// The grid image of a page: the grid's key and the image it was drawn into
// (logical units to pixels).
struct PageKey {
    GridKey grid;
    QSize pixels;
    double scale = 1.0;
    double devicePixelRatio = 1.0;

    bool operator==(const PageKey&) const = default;
};

// The chart page drawn in layers for a view: the grid, drawn again only
// when its key changes; the grid with the markers and lines over it; and
// the page, that with the names and texts over it. A rubber band, a pick, a
// preview or the edit of one object thus never draws the iso-lines again.
// The objects are recorded as drawing calls first; only the places of the
// calls that changed are drawn again: where a marker or line changed, the
// grid is copied back and every marker and line reaching the place drawn
// over it in order; wherever anything changed, the middle layer is copied
// back and every name and text reaching the place drawn over it. Each pixel
// thus gets the calls of a whole redraw in their order, and the same value;
// a name that moves does not draw again the many lines under it. On a page
// with much to draw, a few threads share the drawing, each in places of
// its own: the markers and lines start on one of them while the caller
// still places the names.
class ChartPageCache {
public:
    // threads: how many threads draw beside the caller; −1: as many as the
    // machine runs at once, less one (at most three). The page is the same
    // however many draw it.
    explicit ChartPageCache(ChartRenderer& renderer, int threads = -1);
    ~ChartPageCache();
    ChartPageCache(const ChartPageCache&) = delete;
    ChartPageCache& operator=(const ChartPageCache&) = delete;

    // The page for the device, drawn at `scale` device pixels per logical
    // unit into `pixels` logical units (times the device pixel ratio); only
    // what is stale is drawn. The renderer's layout is that of the page after.
    const QImage& page(const ChartDevice& device, QSize pixels, double scale, double devicePixelRatio);
    // The objects or the pick changed: the page is drawn again from the grid.
    void invalidateObjects() { m_bObjectsValid = false; }
    // Forget both layers (memory given back).
    void clear();

    // How often each layer was drawn, for tests and benchmarks.
    int gridDraws() const { return m_nGridDraws; }
    int objectDraws() const { return m_nObjectDraws; }
    // Where the last drawing of the objects changed the page, in logical
    // pixels of the page (empty when nothing changed).
    const QRegion& changedRegion() const { return m_changed; }
    // Off: every object drawing starts again from the whole grid (the way
    // before changes were tracked; kept for the benchmark).
    void setRedrawOnlyChanges(bool on) { m_bRedrawOnlyChanges = on; }
    // On: the threads share the drawing however little there is to draw
    // (for tests on small pages); off: a little is drawn by the caller alone.
    void setShareAlways(bool on) { m_bShareAlways = on; }

private:
    // Draws calls [from, to) over the whole image; `base` is what the image
    // holds before.
    void drawAll(QImage& image, const QImage& base, const std::vector<RecordingCanvas::Call>& calls,
                 const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to, double scale);
    // The pieces of `rects` (every tile of them marked) to draw again with
    // calls [from, to) that reach them: a rectangle each when drawn alone,
    // else strips of them.
    std::vector<Piece> piecesInRects(const std::vector<RecordingCanvas::Call>& calls,
                                     const std::vector<CanvasRect>& bounds, std::size_t from, std::size_t to,
                                     const std::vector<QRect>& rects, double scale, bool alone = false) const;
    // Draws pieces of the layer under the names as long as some are left
    // (part: the caller 0, or the drawing thread 1).
    void drawQueued(UnderPass& pass, int part, double scale);
    // Waits for the freeing of the last drawing's calls, when one was launched.
    void endFreeing();
    // Draws, on the caller, the pieces of the page whose ground (the layer
    // under the names) is drawn, while a drawing thread still draws the
    // rest of it; which of them it drew.
    std::vector<char> drawOnDoneGround(const UnderPass& pass, const std::vector<Piece>& pieces,
                                       const std::vector<RecordingCanvas::Call>& calls, double scale);
    // Draws each piece's calls clipped to it (each piece copied from `base`
    // first with copyBase), the pieces shared out among the drawing
    // threads, or all by the caller (alone).
    void drawPieces(QImage& image, const QImage& base, const std::vector<Piece>& pieces,
                    const std::vector<RecordingCanvas::Call>& calls, double scale, bool alone = false,
                    bool copyBase = false);

    ChartRenderer& m_renderer;
    std::optional<PageKey> m_gridKey;
    QImage m_grid;
    // The grid with the markers and lines over it, under the names and texts.
    QImage m_under;
    QImage m_page;
    bool m_bObjectsValid = false;
    bool m_bRedrawOnlyChanges = true;
    bool m_bShareAlways = false;
    // The objects as drawn on m_page, and each call's reach in device units.
    std::unique_ptr<DisplayList> m_objects;
    std::unordered_map<std::string, std::unordered_map<std::string, int>> m_textWidths;
    // The logical resolution the widths were measured at.
    std::pair<int, int> m_textWidthsDpi;
    // The texts' shapes and the small shapes' images, kept from one drawing
    // to the next: the caller's, and each drawing thread's own.
    RasterCache m_textLayouts;
    DrawingThreads m_threads;
    std::vector<RasterCache> m_partLayouts;
    std::vector<CanvasRect> m_objectBounds;
    double m_objectScale = 1.0;
    QRegion m_changed;
    // The last drawing's calls are being freed by a drawing thread.
    bool m_bFreeingLaunched = false;
    int m_nGridDraws = 0;
    int m_nObjectDraws = 0;
};

} // namespace chart
