#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <optional>

#include "chart/ChartLayout.h"
#include "render/GridKey.h"
#include "render/QPainterCanvas.h"

class ChartRenderer;

namespace chart {

// What a view shows of the zoomed chart page, kept as two images of the
// visible part in device pixels: the grid (header, border, iso-lines and
// their labels, the weather year), and the grid with the objects over it.
// A change of the objects draws the second again from the first; a scroll
// shifts both and draws only the strips it uncovers; a zoom, a resize,
// another screen ratio or a change of what the grid shows draws both again.
// The image is what a whole redraw of the page gives at that place, at any
// zoom and ratio: the work of a paint follows the size of the screen, not
// of the zoomed page.
class ChartViewCache {
public:
    explicit ChartViewCache(ChartRenderer& renderer) : m_renderer(renderer) {}

    // The visible part of the page: the page drawn `zoom` logical view
    // pixels per page unit over `page` (logical pixels of a viewport of
    // `viewport`), cut to the viewport; its top left in the viewport is
    // visible().topLeft(). Drawn at devicePixelRatio device pixels per
    // logical pixel. The renderer's layout is that of the device after.
    const QImage& image(const ChartDevice& device, QSize viewport, const QRect& page, double zoom,
                        double devicePixelRatio);
    // Where the last image lies in the viewport (logical pixels).
    QRect visible() const { return m_visible; }
    // The objects or the pick changed: the objects are drawn again.
    void invalidateObjects() { m_bObjectsValid = false; }
    // Forget both images (memory given back).
    void clear();

    // How often each image was drawn whole, and how often a scroll drew
    // what it uncovered, for tests and benchmarks.
    int gridDraws() const { return m_nGridDraws; }
    int objectDraws() const { return m_nObjectDraws; }
    int stripDraws() const { return m_nStripDraws; }

private:
    // What the grid image depends on besides where the page lies.
    struct Frame {
        GridKey grid;
        QSize size; // of the visible part, logical pixels
        double zoom = 1;
        double ratio = 1;
        bool operator==(const Frame&) const = default;
    };
    enum class Layer { Grid, Objects };
    // Draws `layer` into image where `area` (image logical pixels) says,
    // the page's top left at offset.
    void draw(QImage& image, Layer layer, const QRegion& area, QPoint offset);
    // Moves the images' content by delta logical pixels and draws what the
    // move uncovered; false when the move is no whole number of device
    // pixels or uncovers everything.
    bool scroll(QPoint delta);
    QImage blank(QSize size, double ratio) const;

    ChartRenderer& m_renderer;
    ChartDevice m_device;
    std::optional<Frame> m_frame;
    QPoint m_offset; // the page's top left in the images, logical pixels
    QRect m_visible;
    QImage m_grid;
    QImage m_objects;
    QImage m_spare; // what a scroll draws the moved images into
    bool m_bObjectsValid = false;
    RasterCache m_texts;
    int m_nGridDraws = 0;
    int m_nObjectDraws = 0;
    int m_nStripDraws = 0;
};

} // namespace chart
