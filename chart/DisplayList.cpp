#include "chart/DisplayList.h"

#include <QString>

#include <algorithm>

#include "chart/QPainterCanvas.h"

namespace chart {

namespace {

CanvasRect boundsOf(const std::vector<CanvasPoint>& points)
{
    if (points.empty())
        return {};
    CanvasRect b{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const CanvasPoint& p : points) {
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
        b.top = std::min(b.top, p.y);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

CanvasRect grown(CanvasRect r, int by)
{
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

} // namespace

void DisplayList::setFont(const LogFont& font)
{
    RecordingCanvas::setFont(font);
    metricsFor(font);
}

const QFontMetrics& DisplayList::metricsFor(const LogFont& font)
{
    if (!m_metrics || !(font == m_metricsFont)) {
        m_metrics.emplace(QPainterCanvas::toQFont(font), m_device);
        m_metricsFont = font;
        m_ascent = m_metrics->ascent();
        m_descent = m_metrics->descent();
        m_height = m_metrics->height();
    }
    return *m_metrics;
}

int DisplayList::widthOf(const LogFont& font, const std::string& text)
{
    // Bounded: a chart draws a few thousand different texts in a few fonts.
    constexpr std::size_t kMaxWidths = 20000;
    constexpr std::size_t kMaxFonts = 64;
    if (!m_fontWidths || !(font == m_widthsFont)) {
        if (m_widths.size() >= kMaxFonts)
            m_widths.clear();
        const auto bytes = font.toBytes();
        m_fontWidths = &m_widths[std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size())];
        m_widthsFont = font;
    }
    if (const auto found = m_fontWidths->find(text); found != m_fontWidths->end())
        return found->second;
    if (m_fontWidths->size() >= kMaxWidths)
        m_fontWidths->clear();
    const int width = metricsFor(font).horizontalAdvance(QString::fromStdString(text));
    m_fontWidths->emplace(text, width);
    return width;
}

CanvasSize DisplayList::textExtent(const std::string& text)
{
    if (!m_metrics) {
        // No font chosen yet: the painter's own, as QPainterCanvas measures.
        const QFontMetrics metrics(QFont(), m_device);
        return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
    }
    return {widthOf(m_metricsFont, text), m_height};
}

std::vector<CanvasRect> DisplayList::callBounds()
{
    return callBounds(0, calls().size());
}

std::vector<CanvasRect> DisplayList::callBounds(std::size_t from, std::size_t to)
{
    std::vector<CanvasRect> bounds;
    to = std::min(to, calls().size());
    bounds.reserve(to > from ? to - from : 0);
    for (std::size_t i = from; i < to; ++i) {
        const Call& call = calls()[i];
        const int pen = std::max(1, call.pen.width) + 2;
        switch (call.op) {
        case Op::Line:
        case Op::Polyline:
        case Op::Polygon:
            bounds.push_back(grown(boundsOf(call.points), pen));
            break;
        case Op::Rectangle:
        case Op::Ellipse:
            bounds.push_back(grown(call.rect, pen));
            break;
        case Op::Text: {
            const int width = widthOf(call.font, call.text);
            metricsFor(call.font);
            const CanvasPoint anchor = call.points.empty() ? CanvasPoint{} : call.points.front();
            int left = anchor.x;
            if ((call.align & text_align::kHorizontalMask) == text_align::kCenter)
                left -= width / 2;
            else if ((call.align & text_align::kHorizontalMask) == text_align::kRight)
                left -= width;
            int baseline = anchor.y + m_ascent;
            if ((call.align & text_align::kVerticalMask) == text_align::kBaseline)
                baseline = anchor.y;
            else if ((call.align & text_align::kVerticalMask) == text_align::kBottom)
                baseline = anchor.y - m_descent;
            const CanvasRect box{left, baseline - m_ascent, left + width, baseline + m_descent};
            bounds.push_back(grown(box, m_height / 4 + 2));
            break;
        }
        }
    }
    return bounds;
}

} // namespace chart
