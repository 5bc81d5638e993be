#include "render/ChartViewCache.h"

#include <QPainter>
#include <QRegion>

#include <cmath>

#include "render/ChartRenderer.h"

namespace chart {

namespace {

// Whether v logical pixels are a whole number of device pixels.
bool wholeDevicePixels(int v, double ratio)
{
    const double device = v * ratio;
    return std::fabs(device - std::round(device)) < 1e-9;
}

} // namespace

QImage ChartViewCache::blank(QSize size, double ratio) const
{
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

void ChartViewCache::clear()
{
    m_frame.reset();
    m_grid = QImage();
    m_objects = QImage();
    m_spare = QImage();
    m_bObjectsValid = false;
    m_texts.clear();
}

void ChartViewCache::draw(QImage& image, Layer layer, const QRegion& area, QPoint offset)
{
    QPainter painter(&image);
    painter.setClipRegion(area);
    for (const QRect& part : area) {
        if (layer == Layer::Grid) {
            painter.fillRect(part, Qt::white);
            continue;
        }
        // The objects go over the grid of the same place.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(part.topLeft(), m_grid,
                          QRectF(QPointF(part.topLeft()) * m_grid.devicePixelRatio(),
                                 QSizeF(part.size()) * m_grid.devicePixelRatio()));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(offset);
    painter.scale(m_frame->zoom, m_frame->zoom);
    QPainterCanvas canvas(painter, &m_texts);
    if (layer == Layer::Grid)
        m_renderer.DrawGrid(canvas, m_device);
    else
        m_renderer.DrawObjects(canvas);
}

bool ChartViewCache::scroll(QPoint delta)
{
    const double ratio = m_frame->ratio;
    const QSize size = m_frame->size;
    if (!wholeDevicePixels(delta.x(), ratio) || !wholeDevicePixels(delta.y(), ratio) ||
        std::abs(delta.x()) >= size.width() || std::abs(delta.y()) >= size.height())
        return false;
    const QRect all(QPoint(0, 0), size);
    const QRegion uncovered = QRegion(all) - QRegion(all.translated(delta));
    const bool objects = m_bObjectsValid;
    for (QImage* image : {&m_grid, &m_objects}) {
        if (image == &m_objects && !objects)
            continue;
        // Into the spare image of the same size, which then changes place
        // with it: a scroll allocates nothing.
        if (m_spare.size() != image->size() || m_spare.devicePixelRatio() != ratio)
            m_spare = blank(size, ratio);
        QPainter painter(&m_spare);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPointF(delta), *image);
        painter.end();
        std::swap(*image, m_spare);
    }
    m_offset += delta;
    // Both strips of a slanted move at once: the names are placed once.
    draw(m_grid, Layer::Grid, uncovered, m_offset);
    if (objects)
        draw(m_objects, Layer::Objects, uncovered, m_offset);
    ++m_nStripDraws;
    return true;
}

const QImage& ChartViewCache::image(const ChartDevice& device, QSize viewport, const QRect& page, double zoom,
                                    double devicePixelRatio)
{
    const QRect visible = QRect(QPoint(0, 0), viewport) & page;
    if (visible.isEmpty()) {
        m_visible = QRect();
        m_objects = QImage();
        return m_objects;
    }
    const Frame frame{gridKey(m_renderer.model(), device, m_renderer.m_nLabelGapX, m_renderer.m_nLabelGapY),
                      visible.size(), zoom, devicePixelRatio};
    const QPoint offset = page.topLeft() - visible.topLeft();
    m_visible = visible;
    m_device = device;
    // The grid lays the chart out; the objects need the layout it left (a
    // hit test may have laid it out since for the same device).
    const ChartLayout& layout = m_renderer.layout();
    if (!layout.m_bValid || !SameLayoutDevice(layout.m_device, device))
        m_renderer.LayoutChart(device);
    if (!m_frame || !(*m_frame == frame)) {
        m_frame = frame;
        m_offset = offset;
        m_grid = blank(visible.size(), devicePixelRatio);
        m_objects = blank(visible.size(), devicePixelRatio);
        draw(m_grid, Layer::Grid, QRect(QPoint(0, 0), visible.size()), offset);
        ++m_nGridDraws;
        m_bObjectsValid = false;
    } else {
        if (!layout.m_bBoundaryValid)
            m_renderer.ComputeSaturationBoundary();
        if (offset != m_offset && !scroll(offset - m_offset)) {
            m_offset = offset;
            draw(m_grid, Layer::Grid, QRect(QPoint(0, 0), visible.size()), offset);
            ++m_nGridDraws;
            m_bObjectsValid = false;
        }
    }
    if (!m_bObjectsValid) {
        draw(m_objects, Layer::Objects, QRect(QPoint(0, 0), visible.size()), m_offset);
        m_bObjectsValid = true;
        ++m_nObjectDraws;
    }
    return m_objects;
}

} // namespace chart
