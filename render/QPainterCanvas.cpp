#include "render/QPainterCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "render/VectorState.h"
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
RasterCache::Entry& RasterCache::entry(const LogFont& font, int dpi, const std::string& text)
{
    // Bounded: a chart draws a few thousand different texts at most.
    constexpr std::size_t kMaxEntries = 20000;
    const auto bytes = font.toBytes();
    std::string key(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    key.append(reinterpret_cast<const char*>(&dpi), sizeof dpi);
    key += text;
    if (const auto found = m_entries.find(key); found != m_entries.end())
        return found->second;
    if (m_entries.size() >= kMaxEntries)
        m_entries.clear();
    Entry& entry = m_entries[std::move(key)];
    entry.width = -1;
    return entry;
}

QPainterCanvas::QPainterCanvas(QPainter& painter, RasterCache* layouts)
    : m_painter(painter), m_textColour(Qt::black), m_layouts(layouts ? layouts : &m_ownLayouts)
{
    if (m_painter.device()) {
        m_dpi = m_painter.device()->logicalDpiY();
        m_drawShapes = m_painter.paintEngine() && m_painter.paintEngine()->type() == QPaintEngine::Raster;
    }
    m_linePen = QPen(Qt::black, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    m_painter.setPen(m_linePen);
    m_painter.setBrush(Qt::NoBrush);
    // A clip the painter came with (an image's page inside its border) holds
    // for the whole drawing.
    if (m_painter.hasClipping())
        m_baseClip = m_painter.clipRegion();
    else
        clipToDevice();
}

void QPainterCanvas::clipToDevice()
{
    // Qt's raster engine draws thin lines pixel by pixel straight into an
    // image only while a rectangle clips the painter; unclipped, it hands
    // every pixel on as a span of its own, at several times the cost, with
    // the same result. A clip round the whole device changes nothing drawn.
    m_deviceClip = false;
    const QPaintDevice* device = m_painter.device();
    if (!m_drawShapes || !device)
        return;
    const QTransform toDevice = m_painter.combinedTransform();
    if (toDevice.type() > QTransform::TxScale || !toDevice.isInvertible())
        return;
    const QRectF pixels(-1, -1, device->width() * device->devicePixelRatio() + 2,
                        device->height() * device->devicePixelRatio() + 2);
    m_painter.setClipRect(toDevice.inverted().mapRect(pixels).adjusted(-1, -1, 1, 1));
    m_deviceClip = true;
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
    if (!m_textPenSet)
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
    if (m_drawShapes)
        m_shapeAscent = QFontMetricsF(m_painter.font(), m_painter.device()).ascent();
}

void QPainterCanvas::useLinePen()
{
    if (!m_textPenSet)
        return;
    m_painter.setPen(m_linePen);
    m_textPenSet = false;
}

RasterCache::Entry* QPainterCanvas::cached(const std::string& text)
{
    if (!m_fontSet || !m_painter.device())
        return nullptr;
    return &m_layouts->entry(m_logFont, m_dpi, text);
}

int QPainterCanvas::widthOf(const QString& string, RasterCache::Entry* entry)
{
    if (!entry)
        return metrics().horizontalAdvance(string);
    if (entry->width < 0)
        entry->width = metrics().horizontalAdvance(string);
    return entry->width;
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
    useLinePen();
    m_painter.drawLine(x1, y1, x2, y2);
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawPolyline(const std::vector<CanvasPoint>& points)
{
    useLinePen();
    if (points.size() >= 2)
        m_painter.drawPolyline(toPolygon(points));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawRectangle(const CanvasRect& rect)
{
    useLinePen();
    m_painter.drawRect(QRect(rect.left, rect.top, rect.width(), rect.height()));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawEllipse(const CanvasRect& rect)
{
    useLinePen();
    m_painter.drawEllipse(QRectF(rect.left, rect.top, rect.width(), rect.height()));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawPolygon(const std::vector<CanvasPoint>& points)
{
    useLinePen();
    if (points.size() >= 3)
        m_painter.drawPolygon(toPolygon(points));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawText(int x, int y, const std::string& text, int align)
{
    const QFontMetrics& metrics = this->metrics();
    RasterCache::Entry* entry = cached(text);
    // A text shaped before is not converted again.
    const bool shaped = entry && m_drawShapes && entry->shape;
    QString string;
    if (!shaped)
        string = QString::fromStdString(text);
    auto width = [&] {
        if (entry && entry->width >= 0)
            return entry->width;
        return widthOf(shaped ? QString::fromStdString(text) : string, entry);
    };
    int left = x;
    switch (align & text_align::kHorizontalMask) {
    case text_align::kCenter:
        left = x - width() / 2;
        break;
    case text_align::kRight:
        left = x - width();
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
    // Text takes the text colour as its pen; the line pen comes back before
    // the next line or shape (a pen change makes the engine set up its
    // painting again, so a run of names changes it once).
    auto useTextPen = [this] {
        if (!m_textPenSet || m_painterTextColour != m_textColour) {
            m_painter.setPen(m_textColour);
            m_painterTextColour = m_textColour;
            m_textPenSet = true;
        }
    };
    if (entry && m_drawShapes) {
        // The shape keeps the glyphs Qt would look up and place again for
        // every drawing of the same text.
        if (!entry->shape) {
            entry->shape.emplace(string);
            entry->shape->setTextFormat(Qt::PlainText);
            entry->shape->setPerformanceHint(QStaticText::AggressiveCaching);
        }
        useTextPen();
        m_painter.drawStaticText(QPointF(left, baseline - m_shapeAscent), *entry->shape);
    } else {
        useTextPen();
        m_painter.drawText(QPoint(left, baseline), string);
    }
    chart::clearUpperVectorState();
}

CanvasSize QPainterCanvas::textExtent(const std::string& text)
{
    const QFontMetrics& metrics = this->metrics();
    RasterCache::Entry* entry = cached(text);
    if (entry && entry->width >= 0)
        return {entry->width, metrics.height()};
    return {widthOf(QString::fromStdString(text), entry), metrics.height()};
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
    else if (m_deviceClip)
        clipToDevice();
    else
        m_painter.setClipping(false);
}
