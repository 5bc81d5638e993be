#include "chart/QPainterCanvas.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

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

// A line laid out with no width to wrap at.
constexpr double kUnboundedLine = 1 << 23;

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
    if (m_entries.size() >= kMaxEntries) {
        m_entries.clear();
        m_glyphBytes = 0;
    }
    Entry& entry = m_entries[std::move(key)];
    entry.width = -1;
    return entry;
}

std::size_t RasterCache::ShapeKeyHash::operator()(const ShapeKey& key) const
{
    std::size_t h = key.ellipse * 31u + key.corners;
    for (const std::int16_t v : key.at)
        h = h * 1000003u ^ static_cast<std::uint16_t>(v);
    h = h * 1000003u ^ key.penColour;
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.penWidth);
    h = h * 1000003u ^ static_cast<std::uint64_t>(key.brush);
    return h;
}

const QImage* RasterCache::shape(const ShapeKey& key) const
{
    const auto found = m_shapes.find(key);
    return found == m_shapes.end() ? nullptr : &found->second;
}

const QImage& RasterCache::keepShape(const ShapeKey& key, QImage image)
{
    // Bounded: markers come in a few sizes, arrowheads in a few hundred turns.
    constexpr std::size_t kMaxShapes = 4096;
    if (m_shapes.size() >= kMaxShapes)
        m_shapes.clear();
    return m_shapes[key] = std::move(image);
}

bool RasterCache::countGlyphs(std::size_t bytes)
{
    if (m_glyphBytes + bytes > kMostGlyphBytes)
        return false;
    m_glyphBytes += bytes;
    return true;
}

const chart::GlyphBlend& RasterCache::blend(QRgb colour)
{
    // Bounded: a chart draws its texts in a few colours (each blend's
    // tables are up to 384 KB).
    constexpr std::size_t kMostColours = 8;
    colour |= 0xff000000u;
    for (const chart::GlyphBlend& blend : m_blends)
        if (blend.colour() == colour)
            return blend;
    if (m_blends.size() >= kMostColours)
        m_blends.clear();
    return m_blends.emplace_back(colour);
}

chart::GlyphBlending RasterCache::blendingOf(const QRawFont& font) const
{
    for (const auto& [known, blending] : m_blendings)
        if (known == font)
            return blending;
    return chart::GlyphBlending::kUnknown;
}

void RasterCache::setBlending(const QRawFont& font, chart::GlyphBlending blending)
{
    // Bounded: a chart uses a few fonts (and the fallbacks of their scripts).
    constexpr std::size_t kMostFonts = 64;
    if (m_blendings.size() >= kMostFonts)
        m_blendings.clear();
    m_blendings.emplace_back(font, blending);
}

QImage& RasterCache::scratch(QSize size, bool clear)
{
    QImage& scratch = m_scratch[clear ? 0 : 1];
    if (scratch.width() < size.width() || scratch.height() < size.height())
        scratch = QImage(std::max(size.width(), scratch.width()), std::max(size.height(), scratch.height()),
                         QImage::Format_ARGB32_Premultiplied);
    const QImage* pattern = clear ? nullptr : &proofPattern(size);
    for (int y = 0; y < size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scratch.scanLine(y));
        if (pattern)
            std::memcpy(line, pattern->constScanLine(y),
                        static_cast<std::size_t>(size.width()) * sizeof(QRgb));
        else
            std::fill(line, line + size.width(), 0);
    }
    return scratch;
}

const QImage& RasterCache::proofPattern(QSize size)
{
    if (m_pattern.width() < size.width() || m_pattern.height() < size.height()) {
        m_pattern = QImage(std::max(size.width(), m_pattern.width()),
                           std::max(size.height(), m_pattern.height()), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < m_pattern.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(m_pattern.scanLine(y));
            for (int x = 0; x < m_pattern.width(); ++x)
                line[x] = chart::proofPixel(x, y);
        }
    }
    return m_pattern;
}

const QImage& RasterCache::halo(QSize size, QRgb colour)
{
    // Bounded: names come in a few sizes and colours.
    constexpr std::size_t kMaxHalos = 1024;
    const std::uint64_t key = (std::uint64_t(std::uint16_t(size.width())) << 48) |
                              (std::uint64_t(std::uint16_t(size.height())) << 32) | colour;
    if (const auto found = m_halos.find(key); found != m_halos.end())
        return found->second;
    if (m_halos.size() >= kMaxHalos)
        m_halos.clear();
    const int width = size.width();
    const int height = size.height();
    QImage image(width + 2, height + 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // The colours as Qt fills with them: premultiplied.
    const QRgb full = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), 255));
    const QRgb near = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), 127));
    const QRgb far = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), 128));
    for (int y = 1; y <= height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        line[0] = near;
        std::fill(line + 1, line + 1 + width, full);
        line[width + 1] = far;
    }
    QRgb* top = reinterpret_cast<QRgb*>(image.scanLine(0));
    QRgb* bottom = reinterpret_cast<QRgb*>(image.scanLine(height + 1));
    std::fill(top + 1, top + 1 + width, near);
    std::fill(bottom + 1, bottom + 1 + width, far);
    return m_halos[key] = std::move(image);
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
    const QRect box(rect.left, rect.top, rect.width(), rect.height());
    // A box filled and outlined in one colour with the thinnest pen, on
    // whole device pixels (a name's halo): the fill, and the outline's
    // outer half, which an antialiased hairline along a pixel edge lays on
    // the pixels outside it at 127 of 255 on the left and top and at 128 on
    // the right and bottom (the corners untouched), laid on as one image
    // kept by its size and colour. Blended so, the pixels are those of Qt's
    // own path, at a small part of its cost.
    const bool oneColour = m_brushColour && m_canvasPen && *m_brushColour == m_canvasPen->colour &&
                           m_canvasPen->width <= 0 && m_canvasPen->style == kPenSolid;
    if (oneColour && !box.isEmpty() && box.width() <= RasterCache::kMostHaloPixels &&
        box.height() <= RasterCache::kMostHaloPixels && m_painter.deviceTransform().isIdentity() &&
        m_painter.testRenderHint(QPainter::Antialiasing) && m_painter.opacity() == 1.0 &&
        m_painter.compositionMode() == QPainter::CompositionMode_SourceOver) {
        m_painter.drawImage(box.topLeft() - QPoint(1, 1),
                            m_layouts->halo(box.size(), toQColor(*m_brushColour).rgb()));
    } else {
        m_painter.drawRect(box);
    }
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawEllipse(const CanvasRect& rect)
{
    useLinePen();
    const QPointF corners[2] = {QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)};
    if (!drawAsImage(true, corners, 2))
        m_painter.drawEllipse(QRectF(rect.left, rect.top, rect.width(), rect.height()));
    chart::clearUpperVectorState();
}

void QPainterCanvas::drawPolygon(const std::vector<CanvasPoint>& points)
{
    useLinePen();
    if (points.size() >= 3) {
        QPointF corners[4];
        const bool small = points.size() <= 4;
        for (std::size_t i = 0; small && i < points.size(); ++i)
            corners[i] = QPointF(points[i].x, points[i].y);
        if (!small || !drawAsImage(false, corners, static_cast<int>(points.size())))
            m_painter.drawPolygon(toPolygon(points));
    }
    chart::clearUpperVectorState();
}

bool QPainterCanvas::drawAsImage(bool ellipse, const QPointF* corners, int count)
{
    // Qt fills and outlines a small antialiased shape through its general
    // path (some 27 000 instructions for a marker); its image, drawn once
    // and kept, is laid on in a fifteenth of that. The image is the shape
    // drawn by Qt onto a clear image with its corners on the same quarter
    // pixels, so every drawing of the shape at that place on the pixel grid
    // gives the same pixels, in one go or in pieces (and within a level of
    // Qt's shape drawn straight onto the page).
    if (!m_drawShapes || !m_canvasPen || !m_painter.testRenderHint(QPainter::Antialiasing) ||
        m_painter.opacity() != 1.0 || m_painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        (m_canvasPen->style != kPenSolid && m_canvasPen->style != kPenNull) ||
        m_painter.device()->devicePixelRatio() != 1.0)
        return false;
    const QTransform& toDevice = m_painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0)
        return false;
    // The corners in quarter device pixels, and the box round them.
    std::array<long, 8> quarters{};
    long left = LONG_MAX, top = LONG_MAX, right = LONG_MIN, bottom = LONG_MIN;
    for (int i = 0; i < count; ++i) {
        const QPointF p = toDevice.map(corners[i]);
        const long x = std::lround(p.x() * 4);
        const long y = std::lround(p.y() * 4);
        quarters[static_cast<std::size_t>(2 * i)] = x;
        quarters[static_cast<std::size_t>(2 * i + 1)] = y;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    const bool noPen = m_canvasPen->style == kPenNull;
    const bool thinnest = m_canvasPen->width <= 0;
    double penWidth = thinnest ? 1 : m_canvasPen->width * toDevice.m11();
    if (noPen)
        penWidth = 0;
    // The image reaches past the corners by half the pen and the antialiased edge.
    const long margin = static_cast<long>(std::ceil(penWidth / 2)) + 2;
    const long originX = static_cast<long>(std::floor(left / 4.0)) - margin;
    const long originY = static_cast<long>(std::floor(top / 4.0)) - margin;
    const long width = static_cast<long>(std::ceil(right / 4.0)) + margin + 1 - originX;
    const long height = static_cast<long>(std::ceil(bottom / 4.0)) + margin + 1 - originY;
    if (width > RasterCache::kMostShapePixels || height > RasterCache::kMostShapePixels)
        return false;
    RasterCache::ShapeKey key;
    key.ellipse = ellipse ? 1 : 0;
    key.corners = static_cast<std::uint8_t>(count);
    for (std::size_t i = 0; i < static_cast<std::size_t>(2 * count); ++i)
        key.at[i] = static_cast<std::int16_t>(quarters[i] - 4 * (i % 2 == 0 ? originX : originY));
    key.penColour = static_cast<std::uint32_t>(m_linePen.color().rgba());
    key.penWidth = noPen ? -1 : thinnest ? 0 : static_cast<std::int32_t>(std::lround(penWidth * 64));
    key.brush = m_brushColour ? *m_brushColour : -1;
    const QImage* image = m_layouts->shape(key);
    if (!image) {
        QImage& drawn = m_layouts->scratch(QSize(static_cast<int>(width), static_cast<int>(height)), true);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(noPen ? QPen(Qt::NoPen)
                             : QPen(m_linePen.color(), thinnest ? 0 : penWidth, Qt::SolidLine, Qt::FlatCap,
                                    Qt::MiterJoin));
        painter.setBrush(m_brushColour ? QBrush(toQColor(*m_brushColour)) : QBrush());
        QPointF points[4];
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
            points[i] = QPointF(key.at[2 * i] / 4.0, key.at[2 * i + 1] / 4.0);
        if (ellipse)
            painter.drawEllipse(QRectF(points[0], points[1]));
        else
            painter.drawPolygon(points, count);
        painter.end();
        image =
            &m_layouts->keepShape(key, drawn.copy(0, 0, static_cast<int>(width), static_cast<int>(height)));
    }
    // Laid on pixel for pixel, with no transform.
    const QPoint at(static_cast<int>(originX), static_cast<int>(originY));
    if (toDevice.isIdentity()) {
        m_painter.drawImage(at, *image);
    } else {
        const QTransform world = m_painter.worldTransform();
        m_painter.setWorldTransform(QTransform());
        m_painter.drawImage(at, *image);
        m_painter.setWorldTransform(world);
    }
    return true;
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
    // Text Qt draws takes the text colour as its pen; the line pen comes
    // back before the next line or shape (a pen change makes the engine set
    // up its painting again, so a run of names changes it once). A text
    // blended from its kept glyphs needs no pen.
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
        const QPointF at(left, baseline - m_shapeAscent);
        if (!drawFromGlyphs(*entry, at)) {
            useTextPen();
            m_painter.drawStaticText(at, *entry->shape);
        }
    } else {
        useTextPen();
        m_painter.drawText(QPoint(left, baseline), string);
    }
    chart::clearUpperVectorState();
}

bool QPainterCanvas::drawFromGlyphs(RasterCache::Entry& entry, QPointF at)
{
    // Qt blends a text glyph after glyph into the pixels each reaches, by
    // the glyph's coverage there, the text colour and what the pixel held,
    // nothing else. A text's glyphs drawn by Qt once and kept thus give
    // Qt's very pixels when blended here as Qt blends them
    // (chart/GlyphBlend.h), without Qt looking up, placing and clipping each
    // glyph again. Only on a premultiplied raster image at its own
    // resolution, with no transform but moves by whole pixels, at full
    // opacity over what is there, in an opaque colour, clipped to one
    // rectangle of whole pixels at most.
    if (!m_layouts->keepsGlyphs || !m_drawShapes || !entry.shape || m_baseClip)
        return false;
    QPaintDevice* const device = m_painter.device();
    if (!device || device->devType() != QInternal::Image)
        return false;
    const QImage& image = *static_cast<const QImage*>(device);
    if (image.format() != QImage::Format_ARGB32_Premultiplied || image.devicePixelRatio() != 1.0 ||
        m_painter.opacity() != 1.0 || m_painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        m_textColour.alpha() != 255)
        return false;
    const QTransform& toDevice = m_painter.deviceTransform();
    const double dx = toDevice.dx();
    const double dy = toDevice.dy();
    if (toDevice.type() > QTransform::TxTranslate || dx != std::floor(dx) || dy != std::floor(dy))
        return false;
    // The whole pixel at or above-left of the place on the device, and the
    // fraction past it: the same fraction places the glyphs on the same
    // pixels relative to it.
    const QPointF onDevice = at + QPointF(dx, dy);
    constexpr double kFarthest = 1 << 24;
    if (!(std::abs(onDevice.x()) < kFarthest && std::abs(onDevice.y()) < kFarthest))
        return false;
    const QPoint whole(static_cast<int>(std::floor(onDevice.x())),
                       static_cast<int>(std::floor(onDevice.y())));
    const QPointF fraction = onDevice - QPointF(whole);
    const int hints = static_cast<int>(m_painter.renderHints());
    chart::KeptGlyphs* kept = nullptr;
    for (chart::KeptGlyphs& glyphs : entry.glyphs)
        if (glyphs.fraction == fraction && glyphs.renderHints == hints)
            kept = &glyphs;
    if (!kept) {
        // Bounded: a text is drawn at a fraction or two of a pixel, by
        // painters of one kind.
        constexpr std::size_t kMostFractions = 4;
        if (!entry.drawnBefore) {
            entry.drawnBefore = true;
            return false;
        }
        if (entry.glyphs.size() >= kMostFractions)
            return false;
        kept = &entry.glyphs.emplace_back(keepGlyphs(entry, fraction, image));
    }
    if (!kept->kept)
        return false;
    QRect visible = kept->reach.translated(whole) & image.rect();
    if (m_painter.hasClipping()) {
        const QRectF clip = m_painter.clipBoundingRect().translated(dx, dy);
        const QRect pixels = clip.toAlignedRect();
        if (QRectF(pixels) != clip)
            return false;
        visible &= pixels;
    }
    if (visible.isEmpty())
        return true;
    // Blended straight in the image the painter draws in, as its engine
    // does (read without detaching, so the painter's image is the one
    // written), only within the clip: a drawing thread draws only there.
    const chart::GlyphBlend& blend = m_layouts->blend(m_textColour.rgba());
    const uchar* const bits = image.constBits();
    const auto bytesPerLine = static_cast<std::ptrdiff_t>(image.bytesPerLine());
    for (const chart::KeptGlyphs::Glyph& glyph : kept->glyphs) {
        const QRect box = glyph.box.translated(whole);
        const QRect part = box & visible;
        if (part.isEmpty())
            continue;
        const std::uint8_t* coverage = kept->coverage.data() + glyph.offset +
                                       (part.top() - box.top()) * box.width() + (part.left() - box.left());
        QRgb* pixels =
            reinterpret_cast<QRgb*>(const_cast<uchar*>(bits) + part.top() * bytesPerLine) + part.left();
        blend.blend(pixels, bytesPerLine / static_cast<std::ptrdiff_t>(sizeof(QRgb)), coverage, box.width(),
                    part.width(), part.height(), glyph.blending);
    }
    return true;
}

chart::KeptGlyphs QPainterCanvas::keepGlyphs(RasterCache::Entry& entry, QPointF fraction,
                                             const QImage& device)
{
    chart::KeptGlyphs kept;
    kept.fraction = fraction;
    kept.renderHints = static_cast<int>(m_painter.renderHints());
    // Nothing kept: the text is drawn by Qt.
    auto refused = [&kept] {
        chart::KeptGlyphs none;
        none.fraction = kept.fraction;
        none.renderHints = kept.renderHints;
        return none;
    };
    // Laid out line after line as a shaped text lays itself out, each line
    // with its leading (bounded: a name or a label is a line or a few).
    constexpr int kMostLines = 64;
    QTextLayout layout(entry.shape->text(), m_painter.font());
    layout.setCacheEnabled(true);
    layout.beginLayout();
    double height = 0;
    double width = 0;
    for (int lines = 0;; ++lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        if (lines == kMostLines) {
            layout.endLayout();
            return refused();
        }
        line.setLeadingIncluded(true);
        line.setLineWidth(kUnboundedLine);
        line.setPosition(QPointF(0, height));
        width = std::max(width, line.naturalTextWidth());
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
    }
    layout.endLayout();
    // Drawn a line's height in from every side: a glyph reaching farther
    // than its bounds say is left, with its text, to Qt.
    const QFontMetrics& metrics = this->metrics();
    const int margin = metrics.height() + 2;
    if (!(width < kUnboundedLine && height < kUnboundedLine))
        return refused();
    const QSize size(static_cast<int>(std::ceil(width)) + 2 * margin,
                     static_cast<int>(std::ceil(height)) + 2 * margin);
    // Bounded: a name or a label is a few thousand pixels; a text much
    // larger (a huge font) is left to Qt, and the scratch images stay small.
    constexpr long kMostPixels = 1L << 20;
    if (static_cast<long>(size.width()) * size.height() > kMostPixels)
        return refused();
    const QPointF origin = QPointF(margin, margin) + fraction;
    const QRect scratchRect(QPoint(0, 0), size);
    const QList<QGlyphRun> runs = layout.glyphRuns();
    // Each glyph drawn alone onto clear pixels, where a pixel takes the
    // glyph's coverage as its alpha.
    QImage& clear = m_layouts->scratch(size, true);
    clear.setDotsPerMeterX(device.dotsPerMeterX());
    clear.setDotsPerMeterY(device.dotsPerMeterY());
    std::vector<std::pair<std::size_t, std::size_t>> runGlyphs; // each run's first glyph and past its last
    {
        QPainter painter(&clear);
        painter.setRenderHints(m_painter.renderHints());
        painter.setPen(Qt::black);
        for (const QGlyphRun& run : runs) {
            // Qt draws a line through, under or over a run once for the
            // run, not glyph by glyph: such a text is left to Qt.
            if (run.underline() || run.overline() || run.strikeOut())
                return refused();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            const QRawFont font = run.rawFont();
            const std::size_t first = kept.glyphs.size();
            for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
                const QRect scan = font.boundingRect(indexes[i])
                                       .translated(positions[i] + origin)
                                       .toAlignedRect()
                                       .adjusted(-2, -2, 2, 2);
                if (!scratchRect.contains(scan))
                    return refused();
                QGlyphRun one = run;
                one.setGlyphIndexes({indexes[i]});
                one.setPositions({positions[i]});
                painter.drawGlyphRun(origin, one);
                // Its coverage within the scan, which it may not reach the edge of.
                int left = scan.right() + 1, top = scan.bottom() + 1, right = -1, bottom = -1;
                for (int y = scan.top(); y <= scan.bottom(); ++y) {
                    const QRgb* line = reinterpret_cast<const QRgb*>(clear.constScanLine(y));
                    for (int x = scan.left(); x <= scan.right(); ++x)
                        if (qAlpha(line[x]) != 0) {
                            left = std::min(left, x);
                            right = std::max(right, x);
                            top = std::min(top, y);
                            bottom = std::max(bottom, y);
                        }
                }
                if (right < 0)
                    continue;
                if (left == scan.left() || top == scan.top() || right == scan.right() ||
                    bottom == scan.bottom())
                    return refused();
                chart::KeptGlyphs::Glyph& glyph = kept.glyphs.emplace_back();
                glyph.box = QRect(QPoint(left, top), QPoint(right, bottom));
                glyph.offset = static_cast<std::uint32_t>(kept.coverage.size());
                for (int y = top; y <= bottom; ++y) {
                    QRgb* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(clear.constScanLine(y)));
                    for (int x = left; x <= right; ++x) {
                        kept.coverage.push_back(static_cast<std::uint8_t>(qAlpha(line[x])));
                        line[x] = 0;
                    }
                }
            }
            runGlyphs.emplace_back(first, kept.glyphs.size());
        }
    }
    chart::clearUpperVectorState();
    // Glyphs [from, to) blended over the proof pattern against Qt's own
    // drawing there of `run` (none: of the text itself).
    const chart::GlyphBlend& blend = m_layouts->blend(m_textColour.rgba());
    auto matches = [&](const QGlyphRun* run, std::size_t from, std::size_t to,
                       chart::GlyphBlending blending) {
        // Compared where the glyphs are and a little round them: Qt draws
        // nowhere else.
        QRect region;
        for (std::size_t g = from; g < to; ++g)
            region |= kept.glyphs[g].box;
        region = region.adjusted(-2, -2, 2, 2) & scratchRect;
        QImage& proof = m_layouts->scratch(size, false);
        proof.setDotsPerMeterX(device.dotsPerMeterX());
        proof.setDotsPerMeterY(device.dotsPerMeterY());
        {
            QPainter painter(&proof);
            painter.setRenderHints(m_painter.renderHints());
            painter.setFont(m_painter.font());
            painter.setPen(m_textColour);
            if (run)
                painter.drawGlyphRun(origin, *run);
            else
                painter.drawStaticText(origin, *entry.shape);
        }
        chart::clearUpperVectorState();
        const QImage& pattern = m_layouts->proofPattern(size);
        const auto width = static_cast<std::size_t>(region.width());
        std::vector<QRgb> ours(width * static_cast<std::size_t>(region.height()));
        for (int y = region.top(); y <= region.bottom(); ++y)
            std::memcpy(ours.data() + (y - region.top()) * width,
                        reinterpret_cast<const QRgb*>(pattern.constScanLine(y)) + region.left(),
                        width * sizeof(QRgb));
        for (std::size_t g = from; g < to; ++g) {
            const chart::KeptGlyphs::Glyph& glyph = kept.glyphs[g];
            blend.blend(
                ours.data() + (glyph.box.top() - region.top()) * width + (glyph.box.left() - region.left()),
                static_cast<std::ptrdiff_t>(width), kept.coverage.data() + glyph.offset, glyph.box.width(),
                glyph.box.width(), glyph.box.height(), run ? blending : glyph.blending);
        }
        for (int y = region.top(); y <= region.bottom(); ++y)
            if (std::memcmp(ours.data() + (y - region.top()) * width,
                            reinterpret_cast<const QRgb*>(proof.constScanLine(y)) + region.left(),
                            width * sizeof(QRgb)) != 0)
                return false;
        return true;
    };
    // How Qt blends each run's font: found out once a font, by its run.
    for (std::size_t r = 0; r < runGlyphs.size(); ++r) {
        const auto [from, to] = runGlyphs[r];
        const QGlyphRun& run = runs[static_cast<qsizetype>(r)];
        const QRawFont font = run.rawFont();
        chart::GlyphBlending blending = m_layouts->blendingOf(font);
        if (blending == chart::GlyphBlending::kUnknown) {
            const bool gamma = matches(&run, from, to, chart::GlyphBlending::kGamma);
            const bool plain = matches(&run, from, to, chart::GlyphBlending::kPlain);
            // Both: this run's glyphs cover their pixels wholly or not at
            // all, which tells the two apart no more than it needs to.
            if (gamma != plain || !gamma)
                m_layouts->setBlending(font, gamma   ? chart::GlyphBlending::kGamma
                                             : plain ? chart::GlyphBlending::kPlain
                                                     : chart::GlyphBlending::kNeither);
            blending = gamma   ? chart::GlyphBlending::kGamma
                       : plain ? chart::GlyphBlending::kPlain
                               : chart::GlyphBlending::kNeither;
        }
        if (blending == chart::GlyphBlending::kNeither)
            return refused();
        for (std::size_t g = from; g < to; ++g)
            kept.glyphs[g].blending = blending;
    }
    // And the text as a whole, as the shape Qt draws it from.
    if (!matches(nullptr, 0, kept.glyphs.size(), chart::GlyphBlending::kPlain) ||
        !m_layouts->countGlyphs(kept.coverage.size() + kept.glyphs.size() * sizeof(chart::KeptGlyphs::Glyph)))
        return refused();
    for (chart::KeptGlyphs::Glyph& glyph : kept.glyphs) {
        glyph.box.translate(-margin, -margin);
        kept.reach |= glyph.box;
    }
    kept.kept = true;
    return kept;
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
