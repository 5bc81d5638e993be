#include "gui/chart/CZoomView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Bounds of the magnification: below, the page would vanish; above, the
// page's device size would leave the range scroll bars and images handle.
constexpr double kMinScale = 0.02;
constexpr double kMaxScale = 40.0;

const char* const kZoomInPrompt = QT_TRANSLATE_NOOP("CZoomView", "鼠标左键单击或拖出一矩形.");
const char* const kZoomOutPrompt = QT_TRANSLATE_NOOP("CZoomView", "单击鼠标左键");

// A magnifying glass with a plus or minus sign; the hot spot is the lens centre.
QCursor magnifierCursor(bool plus)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawEllipse(QPointF(12, 12), 9, 9);
    painter.drawLine(QPointF(19, 19), QPointF(29, 29));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawEllipse(QPointF(12, 12), 9, 9);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(QPointF(19, 19), QPointF(29, 29));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(8, 12), QPointF(16, 12));
    if (plus)
        painter.drawLine(QPointF(12, 8), QPointF(12, 16));
    painter.end();
    return QCursor(pixmap, 12, 12);
}

} // namespace

CZoomView::CZoomView(QWidget* parent) : QAbstractScrollArea(parent)
{
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

QCursor CZoomView::zoomInCursor()
{
    static const QCursor cursor = magnifierCursor(true);
    return cursor;
}

QCursor CZoomView::zoomOutCursor()
{
    static const QCursor cursor = magnifierCursor(false);
    return cursor;
}

void CZoomView::SetZoomSizes(int logicalWidth, int logicalHeight)
{
    m_logicalSize = QSize(std::max(1, logicalWidth), std::max(1, logicalHeight));
    m_baseDeviceSize = m_logicalSize;
    ApplyScale(m_fZoomScale);
}

void CZoomView::setCenter(bool center)
{
    m_bCenter = center;
    viewport()->update();
}

void CZoomView::ApplyScale(double scale)
{
    if (!std::isfinite(scale))
        return;
    m_fZoomScale = std::clamp(scale, kMinScale, kMaxScale);
    m_deviceSize = QSize(std::max(1, static_cast<int>(m_baseDeviceSize.width() * m_fZoomScale)),
                         std::max(1, static_cast<int>(m_baseDeviceSize.height() * m_fZoomScale)));
    UpdateBars();
    viewport()->update();
}

void CZoomView::UpdateBars()
{
    const QSize client = viewport()->size();
    auto setBar = [](QScrollBar* bar, int device, int window) {
        const int page = std::max(1, device / 10);
        bar->setRange(0, std::max(0, device - window));
        bar->setPageStep(page);
        bar->setSingleStep(std::max(1, page / 10));
    };
    setBar(horizontalScrollBar(), m_deviceSize.width(), client.width());
    setBar(verticalScrollBar(), m_deviceSize.height(), client.height());
}

void CZoomView::CentreOn(const QPointF& logical)
{
    const QSize client = viewport()->size();
    horizontalScrollBar()->setValue(static_cast<int>(logical.x() * m_fZoomScale - client.width() / 2.0));
    verticalScrollBar()->setValue(static_cast<int>(logical.y() * m_fZoomScale - client.height() / 2.0));
}

QRect CZoomView::spanOf(const QPoint& a, const QPoint& b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void CZoomView::DoZoomIn(const QRect& logicalRect)
{
    const QRect rect = spanOf(logicalRect.topLeft(), logicalRect.bottomRight());
    // Extents between the corners, logical units.
    const int width = rect.right() - rect.left();
    const int height = rect.bottom() - rect.top();
    const QPointF centre((rect.left() + rect.right()) / 2.0, (rect.top() + rect.bottom()) / 2.0);
    if (std::max(width, height) * m_fZoomScale < kMinZoomRectPixels) {
        const QPoint point = centre.toPoint();
        DoZoomIn(&point, kClickZoomFactor);
        return;
    }
    m_bFitted = false;
    const QSize client = viewport()->size();
    const double scale =
        std::min((client.width() + 1.0) / std::max(1, width), (client.height() + 1.0) / std::max(1, height));
    ApplyScale(scale);
    CentreOn(centre);
}

void CZoomView::DoZoomIn(const QPoint* logicalPoint, double factor)
{
    const QPointF centre =
        logicalPoint ? QPointF(*logicalPoint) : QPointF(logicalFromDevice(viewport()->rect().center()));
    m_bFitted = false;
    ApplyScale(m_fZoomScale * factor);
    CentreOn(centre);
}

void CZoomView::DoZoomOut(const QPoint* logicalPoint, double factor)
{
    if (factor <= 0)
        return;
    const QPointF centre =
        logicalPoint ? QPointF(*logicalPoint) : QPointF(logicalFromDevice(viewport()->rect().center()));
    m_bFitted = false;
    ApplyScale(m_fZoomScale / factor);
    CentreOn(centre);
}

void CZoomView::DoZoomFull()
{
    if (m_baseDeviceSize.isEmpty())
        return;
    m_bFitted = true;
    // The whole page fits, so no scroll bar takes room from the window.
    const QSize client = maximumViewportSize();
    const double fit = std::min(double(client.width()) / m_baseDeviceSize.width(),
                                double(client.height()) / m_baseDeviceSize.height());
    const int width = std::max(1, static_cast<int>(m_baseDeviceSize.width() * fit));
    ApplyScale(double(width) / m_baseDeviceSize.width());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CZoomView::SetZoomMode(int mode)
{
    m_nZoomMode = mode;
    ShowPrompt(mode == kZoomIn ? tr(kZoomInPrompt) : mode == kZoomOut ? tr(kZoomOutPrompt) : QString());
    UpdateCursor();
}

QPoint CZoomView::deviceOrigin() const
{
    const QSize client = viewport()->size();
    const int x = (m_bCenter && m_deviceSize.width() < client.width())
                      ? (client.width() - m_deviceSize.width()) / 2
                      : -horizontalScrollBar()->value();
    const int y = (m_bCenter && m_deviceSize.height() < client.height())
                      ? (client.height() - m_deviceSize.height()) / 2
                      : -verticalScrollBar()->value();
    return QPoint(x, y);
}

QPoint CZoomView::logicalFromDevice(const QPoint& device) const
{
    const QPoint offset = device - deviceOrigin();
    return QPoint(static_cast<int>(std::floor(offset.x() / m_fZoomScale)),
                  static_cast<int>(std::floor(offset.y() / m_fZoomScale)));
}

QPoint CZoomView::deviceFromLogical(const QPoint& logical) const
{
    return deviceOrigin() + QPoint(static_cast<int>(std::lround(logical.x() * m_fZoomScale)),
                                   static_cast<int>(std::lround(logical.y() * m_fZoomScale)));
}

QCursor CZoomView::zoomCursor() const
{
    switch (m_nZoomMode) {
    case kZoomIn:
        return zoomInCursor();
    case kZoomOut:
        return zoomOutCursor();
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

void CZoomView::UpdateCursor()
{
    viewport()->setCursor(m_bZoomCapture ? QCursor(Qt::CrossCursor) : zoomCursor());
}

void CZoomView::ShowPrompt(const QString&) {}

bool CZoomView::ZoomLeftPress(const QPoint& logical)
{
    if (m_nZoomMode == kZoomIn) {
        if (!m_bZoomCapture) {
            m_bZoomCapture = true;
            m_zoomStart = m_zoomCurrent = logical;
            viewport()->setCursor(Qt::CrossCursor);
        } else {
            // A press while the band is open (press, move, press) ends it
            // like a release does after a drag.
            ZoomLeftRelease(logical);
        }
        return true;
    }
    return m_nZoomMode == kZoomOut;
}

bool CZoomView::ZoomLeftRelease(const QPoint& logical)
{
    if (m_nZoomMode == kZoomIn && m_bZoomCapture) {
        m_bZoomCapture = false;
        m_zoomCurrent = logical;
        DoZoomIn(QRect(m_zoomStart, m_zoomCurrent));
        SetZoomMode(kZoomNone);
        return true;
    }
    if (m_nZoomMode == kZoomOut) {
        DoZoomOut(&logical, kClickZoomFactor);
        SetZoomMode(kZoomNone);
        return true;
    }
    return m_nZoomMode == kZoomIn;
}

bool CZoomView::ZoomMouseMove(const QPoint& logical)
{
    if (!m_bZoomCapture)
        return false;
    m_zoomCurrent = logical;
    viewport()->update();
    return true;
}

bool CZoomView::ZoomRightPress()
{
    if (m_bZoomCapture) {
        m_bZoomCapture = false;
        UpdateCursor();
        viewport()->update();
        return true;
    }
    SetZoomMode(kZoomNone);
    return true;
}

void CZoomView::DrawOverlay(QPainter& painter)
{
    if (!m_bZoomCapture)
        return;
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(spanOf(deviceFromLogical(m_zoomStart), deviceFromLogical(m_zoomCurrent)));
}

void CZoomView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QPoint origin = deviceOrigin();
    const QRect page(origin, m_deviceSize);
    painter.fillRect(page.intersected(event->rect()), Qt::white);
    const QRect exposed = event->rect().intersected(page);
    if (!exposed.isEmpty()) {
        painter.save();
        painter.setClipRect(exposed);
        painter.translate(origin);
        painter.scale(m_fZoomScale, m_fZoomScale);
        const QRect logicalExposed(logicalFromDevice(exposed.topLeft()),
                                   logicalFromDevice(exposed.bottomRight()));
        OnDraw(painter, logicalExposed.adjusted(-1, -1, 1, 1));
        painter.restore();
    }
    DrawOverlay(painter);
}

void CZoomView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // A fitted page stays fitted while the window settles or is resized.
    if (m_bFitted && !m_bFitting) {
        m_bFitting = true;
        DoZoomFull();
        m_bFitting = false;
    }
    UpdateBars();
}

void CZoomView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CZoomView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Keep the logical point under the cursor where it is on the screen.
    const QPoint cursor = event->position().toPoint();
    const QPointF logical = QPointF(cursor - deviceOrigin()) / m_fZoomScale;
    m_bFitted = false;
    ApplyScale(event->angleDelta().y() > 0 ? m_fZoomScale * kClickZoomFactor
                                           : m_fZoomScale / kClickZoomFactor);
    horizontalScrollBar()->setValue(static_cast<int>(logical.x() * m_fZoomScale - cursor.x()));
    verticalScrollBar()->setValue(static_cast<int>(logical.y() * m_fZoomScale - cursor.y()));
    event->accept();
}
