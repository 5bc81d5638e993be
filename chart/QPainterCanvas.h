#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>

#include <optional>

#include "chart/Canvas.h"

// Draws the chart with a QPainter: on screen widgets, into a QImage, into an
// SVG generator or on a printer. The painter's own transform maps device
// units to the paint device; this class only translates the drawing calls.
class QPainterCanvas : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);

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

    QPainter& m_painter;
    // What the painter was last given, so repeated selections cost nothing.
    std::optional<CanvasPen> m_canvasPen;
    std::optional<std::int32_t> m_brushColour;
    std::optional<QFontMetrics> m_metrics;
    QPen m_linePen;
    QColor m_textColour;
    LogFont m_logFont;
    bool m_fontSet = false;
    std::optional<QRegion> m_baseClip;
};
