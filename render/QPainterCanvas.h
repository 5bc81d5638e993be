#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QStaticText>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/Canvas.h"

// The widths and shapes of texts a raster canvas draws again and again, by
// font, resolution of the paint device and text, kept from one drawing to
// the next: a text drawn again is neither measured nor laid out again
// (QStaticText keeps its glyphs and their places). Kept by whoever draws
// the same chart over and over (the view, the benchmark) and given to each
// canvas; a canvas given none keeps its own.
class RasterCache {
public:
    struct Entry {
        int width = 0;
        std::optional<QStaticText> shape;
    };
    // The entry of a text in a font on a device of this resolution; a new one
    // has no width yet (−1).
    Entry& entry(const LogFont& font, int dpi, const std::string& text);
    void clear() { m_entries.clear(); }

private:
    std::unordered_map<std::string, Entry> m_entries;
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
    // Laid-out texts draw only on the raster engine; other engines (SVG,
    // PDF, printers) get the text itself.
    bool m_drawShapes = false;
    int m_dpi = 0;
    double m_shapeAscent = 0; // the current font's ascent as a laid-out text places it
};
