#pragma once

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

// A scrolling view of a page in logical units with its own magnification:
// zoom in by rectangle or by click, zoom out by click and zoom to fit. The
// page is painted at m_fZoomScale device pixels per logical unit and centred
// on an axis where it is smaller than the window.
class CZoomView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum ZoomMode { kZoomNone = 0, kZoomIn = 1, kZoomOut = 2 };
    static constexpr double kClickZoomFactor = 1.25;
    // A zoom rectangle whose larger side is below this many device pixels
    // counts as a click.
    static constexpr int kMinZoomRectPixels = 10;

    explicit CZoomView(QWidget* parent = nullptr);

    // The page size in logical units; the device size at scale 1 equals it.
    void SetZoomSizes(int logicalWidth, int logicalHeight);
    // Magnifies so that rect (logical units) fills the window.
    void DoZoomIn(const QRect& logicalRect);
    // Multiplies or divides the scale by factor and centres on point
    // (logical units; the window centre when null).
    void DoZoomIn(const QPoint* logicalPoint, double factor);
    void DoZoomOut(const QPoint* logicalPoint, double factor);
    // Fits the whole page into the window, keeping its aspect ratio.
    void DoZoomFull();
    void SetZoomMode(int mode);

    int zoomMode() const { return m_nZoomMode; }
    double zoomScale() const { return m_fZoomScale; }
    QSize logicalSize() const { return m_logicalSize; }
    QSize deviceSize() const { return m_deviceSize; }
    bool center() const { return m_bCenter; }
    void setCenter(bool center);
    bool zoomRubberActive() const { return m_bZoomCapture; }

    // Viewport position of the page's logical origin.
    QPoint deviceOrigin() const;
    // Viewport pixel to logical point and back.
    QPoint logicalFromDevice(const QPoint& device) const;
    QPoint deviceFromLogical(const QPoint& logical) const;

    // The rectangle spanned by two corners dragged either way.
    static QRect spanOf(const QPoint& a, const QPoint& b);

    static QCursor zoomInCursor();
    static QCursor zoomOutCursor();

protected:
    // Draws the page in logical units: the painter is scaled and translated.
    virtual void OnDraw(QPainter& painter, const QRect& logicalExposed) = 0;
    // Draws rubber bands and other overlays in viewport pixels.
    virtual void DrawOverlay(QPainter& painter);
    // The cursor of the current zoom mode (arrow, zoom-in, zoom-out).
    QCursor zoomCursor() const;
    virtual void UpdateCursor();
    // Status prompt of the zoom commands; empty clears it.
    virtual void ShowPrompt(const QString& text);

    // Zoom handling of the mouse (logical points). Each returns true when it
    // took the event.
    bool ZoomLeftPress(const QPoint& logical);
    bool ZoomLeftRelease(const QPoint& logical);
    bool ZoomMouseMove(const QPoint& logical);
    bool ZoomRightPress();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Ctrl with the wheel zooms around the cursor; the plain wheel scrolls.
    void wheelEvent(QWheelEvent* event) override;

    // The zoom-in rubber band in logical units (start, current corner).
    QPoint m_zoomStart;
    QPoint m_zoomCurrent;
    bool m_bZoomCapture = false;

private:
    void ApplyScale(double scale);
    void UpdateBars();
    void CentreOn(const QPointF& logical);

    // The page was fitted by DoZoomFull and not zoomed since: a resize fits it again.
    bool m_bFitted = false;
    bool m_bFitting = false;
    int m_nZoomMode = kZoomNone;
    double m_fZoomScale = 1.0;
    QSize m_logicalSize;
    QSize m_baseDeviceSize;
    QSize m_deviceSize;
    bool m_bCenter = true;
};
