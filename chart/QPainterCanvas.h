#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <QRegion>
#include <QStaticText>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/Canvas.h"
#include "chart/GlyphBlend.h"

// What a raster canvas draws again and again, kept from one drawing to the
// next: the widths, shapes and glyphs of texts, by font, resolution of the
// paint device and text (a text drawn again is neither measured nor shaped
// again, nor its glyphs looked up), and the images of small filled shapes. Kept by whoever draws the
// same chart over and over (the view, the benchmark) and given to each
// canvas; a canvas given none keeps its own, so every raster image draws
// its texts and shapes the same way.
class RasterCache {
public:
    struct Entry {
        int width = 0;
        std::optional<QStaticText> shape;
        // Drawn on an image before: a text's glyphs are kept when it is
        // drawn again, so a drawing made once pays nothing for them.
        bool drawnBefore = false;
        std::vector<chart::KeptGlyphs> glyphs; // at a fraction of a pixel each
    };
    // The entry of a text in a font on a device of this resolution; a new one
    // has no width yet (−1).
    Entry& entry(const LogFont& font, int dpi, const std::string& text);
    void clear()
    {
        m_entries.clear();
        m_shapes.clear();
        m_halos.clear();
        m_blends.clear();
        m_blendings.clear();
        m_glyphBytes = 0;
    }

    // A small filled shape (a marker, an arrowhead) on the device's pixel
    // grid: its corners in quarter pixels from the image's top left, and
    // its pen and brush.
    struct ShapeKey {
        std::uint8_t ellipse = 0;
        std::uint8_t corners = 0;
        std::array<std::int16_t, 8> at{};
        std::uint32_t penColour = 0;
        std::int32_t penWidth = 0; // 1/64 device pixel; 0 the thinnest, −1 none
        std::int64_t brush = -1;   // the colour, −1 none
        bool operator==(const ShapeKey&) const = default;
    };
    // The largest shape kept as an image, in device pixels either way.
    static constexpr int kMostShapePixels = 64;
    // The image of a shape drawn before, if kept.
    const QImage* shape(const ShapeKey& key) const;
    const QImage& keepShape(const ShapeKey& key, QImage image);
    // The largest halo kept as an image, in device pixels either way (a
    // larger box is drawn by the painter, with the same pixels).
    static constexpr int kMostHaloPixels = 512;
    // A name's halo: a box of `size` whole pixels in one colour, with the
    // outer half of its thinnest outline round it (127 of 255 on the left
    // and top, 128 on the right and bottom, the corners clear), as one
    // image of one more pixel on each side.
    const QImage& halo(QSize size, QRgb colour);
    // Texts' glyphs are kept up to this many bytes in all.
    static constexpr std::size_t kMostGlyphBytes = 32u << 20;
    // Counts the bytes of a text's glyphs; false, and nothing counted, when
    // they would pass the bound (the text is then drawn by Qt).
    bool countGlyphs(std::size_t bytes);
    // Whether texts are laid on from their kept glyphs (else Qt draws
    // every text; the pixels are the same either way).
    bool keepsGlyphs = true;
    // The blend of glyphs in an opaque colour (valid until the next call).
    const chart::GlyphBlend& blend(QRgb colour);
    // How Qt blends the glyphs of a font, as found out before (kUnknown: not yet).
    chart::GlyphBlending blendingOf(const QRawFont& font) const;
    void setBlending(const QRawFont& font, chart::GlyphBlending blending);
    // Where a new shape or text is drawn: `size` of it cleared (or filled
    // with the proof pattern), the image grown as needed and otherwise
    // kept, so its paint engine is made once.
    QImage& scratch(QSize size, bool clear);
    // The proof pattern (chart::proofPixel) over at least `size`.
    const QImage& proofPattern(QSize size);

private:
    struct ShapeKeyHash {
        std::size_t operator()(const ShapeKey& key) const;
    };
    std::unordered_map<std::string, Entry> m_entries;
    std::unordered_map<ShapeKey, QImage, ShapeKeyHash> m_shapes;
    std::unordered_map<std::uint64_t, QImage> m_halos;
    QImage m_scratch[2]; // clear, proof pattern
    QImage m_pattern;
    std::vector<chart::GlyphBlend> m_blends;
    std::vector<std::pair<QRawFont, chart::GlyphBlending>> m_blendings;
    std::size_t m_glyphBytes = 0;
};

// Draws the chart with a QPainter: on screen widgets, into a QImage, into an
// SVG generator or on a printer. The painter's own transform maps device
// units to the paint device; this class only translates the drawing calls.
class QPainterCanvas : public Canvas {
public:
    // layouts: texts measured and shaped before, kept by the caller; none:
    // the canvas keeps its own for this drawing. A raster painter that comes
    // unclipped is clipped to its whole device (which draws the same, faster)
    // and stays so after the drawing.
    explicit QPainterCanvas(QPainter& painter, RasterCache* layouts = nullptr);

    void setPen(const CanvasPen& pen) override;
    void setBrush(std::int32_t colour) override;
    void setNoBrush() override;
    void setFont(const LogFont& font) override;
    void setTextColour(std::int32_t colour) override;

    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawPolyline(const std::vector<CanvasPoint>& points) override;
    void drawRectangle(const CanvasRect& rect) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPolygon(const std::vector<CanvasPoint>& points) override;
    void drawText(int x, int y, const std::string& text, int align) override;
    CanvasSize textExtent(const std::string& text) override;

    void setClipRect(const CanvasRect& rect) override;
    void clearClip() override;

    static QColor toQColor(std::int32_t colour);
    // The stored font as the painter draws it (height and width bounded).
    static QFont toQFont(const LogFont& font);

private:
    const QFontMetrics& metrics();
    // The width of a text in the current font, and its cache entry if any.
    int widthOf(const QString& string, RasterCache::Entry* entry);
    RasterCache::Entry* cached(const std::string& text);
    // Draws a small filled shape as its image, drawn once and kept; false
    // when it is drawn by the painter itself (see the definition).
    bool drawAsImage(bool ellipse, const QPointF* corners, int count);
    // Lays a shaped text on from its kept glyphs; false when Qt draws it
    // (see the definition).
    bool drawFromGlyphs(RasterCache::Entry& entry, QPointF at);
    // Keeps a text's glyphs as Qt draws them at this fraction of a pixel,
    // proved against Qt's own drawing of the text.
    chart::KeptGlyphs keepGlyphs(RasterCache::Entry& entry, QPointF fraction, const QImage& device);
    // Puts the line pen back on the painter after texts.
    void useLinePen();
    // Clips the painter to its whole device (raster engine, no rotation).
    void clipToDevice();

    QPainter& m_painter;
    // What the painter was last given, so repeated selections cost nothing.
    std::optional<CanvasPen> m_canvasPen;
    std::optional<std::int32_t> m_brushColour;
    std::optional<QFontMetrics> m_metrics;
    QPen m_linePen;
    QColor m_textColour;
    // The painter holds the text colour as its pen (set by the last text).
    bool m_textPenSet = false;
    QColor m_painterTextColour;
    LogFont m_logFont;
    bool m_fontSet = false;
    std::optional<QRegion> m_baseClip;
    // The painter came unclipped and is clipped to its device.
    bool m_deviceClip = false;
    RasterCache m_ownLayouts;
    RasterCache* m_layouts;
    // Prepared shapes draw only on the raster engine; other engines (SVG,
    // PDF, printers) get the text itself.
    bool m_drawShapes = false;
    int m_dpi = 0;
    double m_shapeAscent = 0; // the current font's ascent as a prepared shape places it
};
