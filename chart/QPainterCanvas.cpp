#include "chart/QPainterCanvas.h"

#include <QFontMetrics>
#include <QPolygon>

#include "chart/VectorState.h"
#include "model/FontConversion.h"

namespace {

Qt::PenStyle qtPenStyle(int style)
{
    switch (style) {
    case kPenDash:
        return Qt::DashLine;
    case kPenDot:
        return Qt::DotLine;
    case kPenDashDot:
        return Qt::DashDotLine;
    case kPenDashDotDot:
        return Qt::DashDotDotLine;
    case kPenNull:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QPolygon toPolygon(const std::vector<CanvasPoint>& points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const CanvasPoint& point : points)
        polygon.append(QPoint(point.x, point.y));
    return polygon;
}

} // namespace

// Qt's raster engine returns from its AVX fills with the upper halves of the
// vector registers in use; each drawing call clears them before our code,
// or Qt's own SSE code, runs again (chart/VectorState.h).
QPainterCanvas::QPainterCanvas(QPainter& painter) : m_painter(painter), m_textColour(Qt::black)
{
    m_linePen = QPen(Qt::black, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    m_painter.setPen(m_linePen);
    m_painter.setBrush(Qt::NoBrush);
    // A clip the painter came with (an image's page inside its border) holds
    // for the whole drawing.
    if (m_painter.hasClipping())
        m_baseClip = m_painter.clipRegion();
}

QFont QPainterCanvas::toQFont(const LogFont& font)
{
    LogFont bounded = font;
    bounded.lfHeight = font.lfHeight < 0 ? -fontUnits(font.lfHeight) : fontUnits(font.lfHeight);
    bounded.lfWidth = fontUnits(font.lfWidth);
    return qfontFromLogFont(bounded);
}

QColor QPainterCanvas::toQColor(std::int32_t colour)
{
    return QColor(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

void QPainterCanvas::setPen(const CanvasPen& pen)
{
    // The chart selects the same pen for object after object; a pen change
    // makes Qt's engine set up its stroker again, so only a new pen is passed on.
    if (m_canvasPen == pen)
        return;
    m_canvasPen = pen;
    // Width 0 is the device's thinnest line, as a cosmetic pen draws it.
    m_linePen = QPen(toQColor(pen.colour), pen.width < 0 ? 0 : pen.width, qtPenStyle(pen.style), Qt::FlatCap,
                     Qt::MiterJoin);
    m_painter.setPen(m_linePen);
}

void QPainterCanvas::setBrush(std::int32_t colour)
{
    if (m_brushColour == colour)
        return;
    m_brushColour = colour;
    m_painter.setBrush(QBrush(toQColor(colour)));
}

void QPainterCanvas::setNoBrush()
{
    if (!m_brushColour)
        return;
    m_brushColour.reset();
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::setFont(const LogFont& font)
{
    if (m_fontSet && font == m_logFont)
        return;
    m_logFont = font;
    m_fontSet = true;
    m_painter.setFont(toQFont(font));
    // Resolving a font for the device is the dear part of measuring text;
    // done once a font, not once a text.
    m_metrics.emplace(m_painter.font(), m_painter.device());
}

const QFontMetrics& QPainterCanvas::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(m_painter.font(), m_painter.device());
    return *m_metrics;
}

void QPainterCanvas::setTextColour(std::int32_t colour)
{
    m_textColour = toQColor(colour);
}

void QPainterCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    m_painter.drawLine(x1, y1, x2, y2);
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawPolyline(const std::vector<CanvasPoint>& points)
{
    if (points.size() >= 2)
        m_painter.drawPolyline(toPolygon(points));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawRectangle(const CanvasRect& rect)
{
    m_painter.drawRect(rect.left, rect.top, rect.width(), rect.height());
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawEllipse(const CanvasRect& rect)
{
    m_painter.drawEllipse(QRectF(rect.left, rect.top, rect.width(), rect.height()));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawPolygon(const std::vector<CanvasPoint>& points)
{
    if (points.size() >= 3)
        m_painter.drawPolygon(toPolygon(points));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawText(int x, int y, const std::string& text, int align)
{
    const QString string = QString::fromStdString(text);
    const QFontMetrics& metrics = this->metrics();
    int left = x;
    switch (align & text_align::kHorizontalMask) {
    case text_align::kCenter:
        left = x - metrics.horizontalAdvance(string) / 2;
        break;
    case text_align::kRight:
        left = x - metrics.horizontalAdvance(string);
        break;
    default:
        break;
    }
    int baseline = y;
    switch (align & text_align::kVerticalMask) {
    case text_align::kBaseline:
        break;
    case text_align::kBottom:
        baseline = y - metrics.descent();
        break;
    default:
        baseline = y + metrics.ascent();
        break;
    }
    // Text takes the text colour as its pen; the line pen is put back after
    // (a painter save and restore would copy the whole painter state).
    m_painter.setPen(m_textColour);
    m_painter.drawText(QPoint(left, baseline), string);
    m_painter.setPen(m_linePen);
    chart::clearUpperVectorState();
}

CanvasSize QPainterCanvas::textExtent(const std::string& text)
{
    const QFontMetrics& metrics = this->metrics();
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

void QPainterCanvas::setClipRect(const CanvasRect& rect)
{
    const QRect clip(rect.left, rect.top, rect.width() + 1, rect.height() + 1);
    if (m_baseClip)
        m_painter.setClipRegion(*m_baseClip & clip);
    else
        m_painter.setClipRect(clip);
}

void QPainterCanvas::clearClip()
{
    if (m_baseClip)
        m_painter.setClipRegion(*m_baseClip);
    else
        m_painter.setClipping(false);
}
