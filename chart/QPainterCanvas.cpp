#include "chart/QPainterCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Whether each of `count` pixels is white where the glyph pixel beside it
// is not clear, four at a time where the processor can.
bool whereGlyphsWhite(const QRgb* pixels, const QRgb* glyphs, int count)
{
    int x = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i white = _mm_set1_epi32(-1);
    __m128i wrong = zero;
    for (; x + 4 <= count; x += 4) {
        const __m128i pixel = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        const __m128i glyph = _mm_loadu_si128(reinterpret_cast<const __m128i*>(glyphs + x));
        // Not white and under a glyph: the glyph is not clear there.
        const __m128i notWhite = _mm_xor_si128(_mm_cmpeq_epi32(pixel, white), white);
        wrong = _mm_or_si128(wrong, _mm_andnot_si128(_mm_cmpeq_epi32(glyph, zero), notWhite));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(wrong, zero)) != 0xffff)
        return false;
#endif
    for (; x < count; ++x)
        if (pixels[x] != 0xffffffffu && glyphs[x] != 0)
            return false;
    return true;
}

// Sets each of `count` pixels to the glyph pixel beside it where that is
// not clear.
void layGlyphs(QRgb* pixels, const QRgb* glyphs, int count)
{
    int x = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; x + 4 <= count; x += 4) {
        const __m128i pixel = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        const __m128i glyph = _mm_loadu_si128(reinterpret_cast<const __m128i*>(glyphs + x));
        const __m128i clear = _mm_cmpeq_epi32(glyph, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x),
                         _mm_or_si128(_mm_and_si128(clear, pixel), _mm_andnot_si128(clear, glyph)));
    }
#endif
    for (; x < count; ++x)
        if (glyphs[x] != 0)
            pixels[x] = glyphs[x];
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
    if (m_entries.size() >= kMaxEntries) {
        m_entries.clear();
        m_onWhiteBytes = 0;
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

bool RasterCache::countOnWhite(std::size_t bytes)
{
    if (m_onWhiteBytes + bytes > kMostOnWhiteBytes)
        return false;
    m_onWhiteBytes += bytes;
    return true;
}

QImage& RasterCache::scratch(QSize size, bool clear)
{
    QImage& scratch = m_scratch[clear ? 0 : 1];
    if (scratch.width() < size.width() || scratch.height() < size.height())
        scratch = QImage(std::max(size.width(), scratch.width()), std::max(size.height(), scratch.height()),
                         QImage::Format_ARGB32_Premultiplied);
    const QRgb fill = clear ? 0 : 0xffffffffu;
    for (int y = 0; y < size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scratch.scanLine(y));
        std::fill(line, line + size.width(), fill);
    }
    return scratch;
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
    // Text takes the text colour as its pen; the line pen comes back before
    // the next line or shape (a pen change makes the engine set up its
    // painting again, so a run of names changes it once).
    if (!m_textPenSet || m_painterTextColour != m_textColour) {
        m_painter.setPen(m_textColour);
        m_painterTextColour = m_textColour;
        m_textPenSet = true;
    }
    if (entry && m_drawShapes) {
        // The shape keeps the glyphs Qt would look up and place again for
        // every drawing of the same text.
        if (!entry->shape) {
            entry->shape.emplace(string);
            entry->shape->setTextFormat(Qt::PlainText);
            entry->shape->setPerformanceHint(QStaticText::AggressiveCaching);
        }
        const QPointF at(left, baseline - m_shapeAscent);
        if (!drawOnWhite(*entry, at))
            m_painter.drawStaticText(at, *entry->shape);
    } else {
        m_painter.drawText(QPoint(left, baseline), string);
    }
    chart::clearUpperVectorState();
}

bool QPainterCanvas::drawOnWhite(RasterCache::Entry& entry, QPointF at)
{
    // Qt blends each pixel a glyph reaches by the glyph's coverage there,
    // the text colour and what the pixel held, nothing else. Where every
    // pixel the glyphs reach is white (a name on a free place or on its
    // halo), the text thus gives the pixels it gives on white: those of its
    // image drawn by Qt onto white once and kept, laid on as they are, at
    // a small part of the cost of blending its glyphs again. Only on a
    // premultiplied raster image at its own resolution, with no transform
    // but moves by whole pixels, at full opacity over what is there.
    if (!m_layouts->keepsTextsOnWhite || !m_drawShapes || !entry.shape)
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
    const QRgb colour = m_textColour.rgba();
    RasterCache::OnWhite* kept = nullptr;
    for (RasterCache::OnWhite& onWhite : entry.onWhite)
        if (onWhite.colour == colour && onWhite.fraction == fraction)
            kept = &onWhite;
    if (!kept) {
        // Bounded: a text comes in a colour or two.
        constexpr std::size_t kMostColours = 4;
        if (!entry.drawnBefore) {
            entry.drawnBefore = true;
            return false;
        }
        if (entry.onWhite.size() >= kMostColours)
            return false;
        kept = &entry.onWhite.emplace_back(keepOnWhite(entry, colour, fraction, image));
    }
    if (!kept->kept)
        return false;
    if (kept->image.isNull())
        return true;
    // The pixels the glyphs reach that the painter may draw on: all white,
    // or Qt draws the text (only these are read: a drawing thread draws
    // only within its clip).
    const QRect reach(whole + kept->at, kept->image.size());
    QRect visible = reach & image.rect();
    // A clip on whole pixels that is one rectangle (not one the painter
    // came with, which may be a region) is all the painter may draw in.
    bool rectangle = !m_baseClip;
    if (m_painter.hasClipping()) {
        const QRectF clip = m_painter.clipBoundingRect().translated(dx, dy);
        const QRect pixels = clip.toAlignedRect();
        rectangle = rectangle && QRectF(pixels) == clip;
        visible &= pixels;
    }
    if (visible.isEmpty())
        return true;
    auto glyphLine = [&](int y) {
        return reinterpret_cast<const QRgb*>(kept->image.constScanLine(y - reach.top())) +
               (visible.left() - reach.left());
    };
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        if (!whereGlyphsWhite(reinterpret_cast<const QRgb*>(image.constScanLine(y)) + visible.left(),
                              glyphLine(y), visible.width()))
            return false;
    if (!rectangle) {
        m_painter.drawImage(reach.topLeft() - QPoint(static_cast<int>(dx), static_cast<int>(dy)),
                            kept->image);
        return true;
    }
    // Within a rectangle, the pixels the glyphs reach are set straight in
    // the image the painter draws in (as its engine does; read without
    // detaching, so the painter's image is the one written).
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(image.constScanLine(y))) + visible.left();
        const QRgb* glyphs = glyphLine(y);
        layGlyphs(line, glyphs, visible.width());
    }
    return true;
}

RasterCache::OnWhite QPainterCanvas::keepOnWhite(RasterCache::Entry& entry, QRgb colour, QPointF fraction,
                                                 const QImage& device)
{
    RasterCache::OnWhite onWhite;
    onWhite.colour = colour;
    onWhite.fraction = fraction;
    // Drawn a line's height in from every side: a glyph reaching an edge
    // may reach farther, and such a text is left to Qt.
    const QFontMetrics& metrics = this->metrics();
    const int margin = metrics.height() + 2;
    if (entry.width < 0)
        entry.width = metrics.horizontalAdvance(entry.shape->text());
    const int width = entry.width;
    const QSize size(width + 2 * margin, metrics.height() + 2 * margin);
    // Bounded: a name or a label is a few thousand pixels; a text much
    // larger (a huge font) is left to Qt, and the scratch images stay small.
    constexpr long kMostPixels = 1L << 20;
    if (width < 0 || static_cast<long>(size.width()) * size.height() > kMostPixels)
        return onWhite;
    // Onto clear pixels, where a pixel takes alpha wherever a glyph reaches
    // it, and onto white, the pixels kept.
    QImage* drawn[2];
    for (int pass = 0; pass < 2; ++pass) {
        QImage& scratch = m_layouts->scratch(size, pass == 0);
        scratch.setDotsPerMeterX(device.dotsPerMeterX());
        scratch.setDotsPerMeterY(device.dotsPerMeterY());
        QPainter painter(&scratch);
        painter.setRenderHints(m_painter.renderHints());
        painter.setFont(m_painter.font());
        painter.setPen(m_textColour);
        painter.drawStaticText(QPointF(margin, margin) + fraction, *entry.shape);
        drawn[pass] = &scratch;
    }
    chart::clearUpperVectorState();
    int left = size.width(), top = size.height(), right = -1, bottom = -1;
    for (int y = 0; y < size.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(drawn[0]->constScanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0) {
        onWhite.kept = true;
        return onWhite;
    }
    if (left == 0 || top == 0 || right == size.width() - 1 || bottom == size.height() - 1)
        return onWhite;
    const QRect reach(QPoint(left, top), QPoint(right, bottom));
    if (!m_layouts->countOnWhite(static_cast<std::size_t>(reach.width()) * reach.height() * 4))
        return onWhite;
    // The pixels no glyph reaches are clear: laid on over what is there,
    // they leave it as it is.
    onWhite.image = drawn[1]->copy(reach);
    for (int y = 0; y < reach.height(); ++y) {
        const QRgb* coverage =
            reinterpret_cast<const QRgb*>(drawn[0]->constScanLine(reach.top() + y)) + reach.left();
        QRgb* line = reinterpret_cast<QRgb*>(onWhite.image.scanLine(y));
        for (int x = 0; x < reach.width(); ++x)
            if (qAlpha(coverage[x]) == 0)
                line[x] = 0;
    }
    onWhite.at = reach.topLeft() - QPoint(margin, margin);
    onWhite.kept = true;
    return onWhite;
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
