#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <map>
#include <optional>

#include "render/ChartViewCache.h"
#include "render/ChartRenderer.h"
#include "gui/chart/CZoomView.h"

class CQORVADoc;
class CQORVAView;
struct DocumentEvent;

// The mouse actions of one view mode, for the modes whose clicks belong to
// the drawing, editing and calculation commands (placing points, the builder
// dialogs' picks, texts). Points are logical view coordinates, the device
// coordinates of the chart.
class ViewModeHandler {
public:
    virtual ~ViewModeHandler() = default;
    virtual void leftPress(CQORVAView&, const QPoint&) {}
    virtual void leftRelease(CQORVAView&, const QPoint&) {}
    virtual void mouseMove(CQORVAView&, const QPoint&) {}
    // A right press: leave the mode, or show a hidden dialog again.
    virtual void rightPress(CQORVAView&) {}
};

// The chart view: the chart page of the document in a zooming scroll view.
// It draws through the chart model's DrawChart, so it shows exactly what an
// image export writes, and turns mouse actions into chart operations by the
// view mode: zoom, clip and restore of the chart window, picking, and the
// modes other commands install handlers for.
class CQORVAView : public CZoomView {
    Q_OBJECT
public:
    enum ViewMode {
        kModeNone = 0,
        kModeZoom = 1,
        kModeClip = 2,
        kModeRestore = 3,
        kModeIndependentPoint = 4,
        kModeProcessLine = 5,
        kModeBuilderPick = 6, // a builder dialog's "..." waits for a click
        kModePick = 7,
        kModeText = 17,
        kModeStateInfo = 18,
    };
    enum MouseState { kMouseNone = 0, kMouseLeftPressed = 1, kMouseLeftReleased = 2, kMouseRightPressed = 3 };

    explicit CQORVAView(CQORVADoc& document, QWidget* parent = nullptr);

    // The commands of the display toolbar and the pick button.
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomAll();
    void OnClip();
    void OnRestore();
    void OnPick();

    int viewMode() const { return m_nViewMode; }
    void SetViewMode(int mode);
    int mouseState() const { return m_nMouseState; }
    // The handler of a view mode (not owned; nullptr removes it).
    void installModeHandler(int mode, ViewModeHandler* handler);

    // The clip rubber band (logical units), valid while it is dragged.
    bool clipRubberActive() const { return m_bCapture && m_nViewMode == kModeClip; }
    QRect clipRubber() const { return spanOf(m_clipStart, m_clipCurrent); }
    // The process-line rubber line of mode 5.
    bool lineRubberActive() const { return m_bLineRubber; }
    QPoint lastPickPosition() const { return m_lastPick; }

    // Screen width the page is laid out for (pixels); the primary screen's
    // by default.
    void setScreenWidth(int pixels);
    ChartDevice chartDevice() const;
    // What the status bar's message pane shows (the idle prompt when empty).
    QString statusText() const { return m_statusText; }
    // The view's renderer: its layout and the object it shows picked.
    const ChartRenderer& chart() const { return m_chart; }
    // The state under a logical point, as the status bar shows it; empty
    // outside the chart region.
    QString StateTextAt(const QPoint& logical);

    // Throws away the drawn page, grid included, so the next paint draws it again.
    void InvalidateChart();

    // Hit test at a logical point (class and index, −1 for nothing).
    PickResult HitTest(const QPoint& logical);
    // The independent state at a logical point, completed; none outside the
    // chart region.
    std::optional<CStatePoint> StateAt(const QPoint& logical);
    // The region new points must lie in: the full drawn chart, whatever
    // window is shown.
    const ChartRegion& DrawnWindow();
    // Chart-relative position of a logical point (where texts are placed).
    QPoint ChartRelative(const QPoint& logical);
    // Forgets the picked object and the selected comfort zone.
    void ClearPick();
    // The builder dialogs' preview: the same marker as SetPreviewState.
    void SetPreviewPoint(const std::optional<CStatePoint>& point) { SetPreviewState(point); }
    bool hasPreviewPoint() const { return m_preview.has_value(); }
    // A hollow marker where a point being built would go, drawn over the kept
    // page (neither grid nor objects are drawn again); empty removes it.
    void SetPreviewState(std::optional<CStatePoint> state);
    const std::optional<CStatePoint>& previewState() const { return m_preview; }
    // The two layers of the drawn page (how often each was drawn, for tests).
    const chart::ChartViewCache& viewCache() const { return m_viewCache; }

signals:
    void statusTextChanged(const QString& text);
    // The view mode or the zoom mode changed (menu ticks follow).
    void modeChanged();
    // A double click on the picked object in pick mode: edit it.
    void editRequested();
    // The Delete key in pick mode: delete the picked object.
    void deleteRequested();

protected:
    void OnDraw(QPainter& painter, const QRect& logicalExposed) override;
    void DrawOverlay(QPainter& painter) override;
    void UpdateCursor() override;
    void ShowPrompt(const QString& text) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The wheel moves the chart under a cursor that stays: the readout follows.
    void wheelEvent(QWheelEvent* event) override;
    // A project first shows its whole page.
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Escape abandons a rubber band like a right press does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnDocumentChanged(const DocumentEvent& event);
    // The status-bar readout of the state under a viewport position.
    void ShowStateAt(const QPoint& device);
    void UpdatePageSize();
    void EnsureLayout();
    bool InsideChartRect(const QPoint& logical) const;
    void PickAt(const QPoint& logical);
    // Whether the picked object (or zone) is still in the current lists.
    bool PickedObjectExists() const;
    // Ends the pick without drawing (the change that ended it redraws).
    void ForgetPick();
    void ShowStatus(const QString& text);
    void RightPress();
    // The picked object's name in the status bar.
    void ShowPickedName();
    // "状态点 N" and the like for the picked object or zone; empty for none.
    std::string PickedName() const;
    // The objects or the pick changed: they are drawn again over the kept grid.
    void RedrawObjects();
    QRect PreviewDeviceRect(const CStatePoint& state) const;

    CQORVADoc& m_document;
    // The view's own layout of the document's chart, and what it picked.
    ChartRenderer m_chart;
    int m_nViewMode = kModeNone;
    int m_nMouseState = kMouseNone;
    bool m_bCapture = false;
    QPoint m_clipStart;
    QPoint m_clipCurrent;
    bool m_bLineRubber = false;
    bool m_bLineFirstMove = true;
    QPoint m_lineStart;
    QPoint m_lineEnd;
    QPoint m_lastPick;
    // What PickedName said when the pick was made.
    std::string m_strPickedName;
    StateRegion m_fullChart = StateRegion::FullChart(-30.0f, 0.04f);
    int m_nScreenWidth = 0;
    std::map<int, ViewModeHandler*> m_handlers;
    QString m_prompt;
    QString m_statusText;

    // The drawn page: the grid, drawn again only when its key changes, and
    // the objects over it, drawn again when the document or the pick changed;
    // scrolling, rubber bands and the preview only copy it.
    chart::ChartViewCache m_viewCache;
    // The renderer's layout is that of the model as it is now.
    bool m_bLayoutCurrent = false;
    // Set until the page of a newly shown project has been fitted.
    bool m_bFitPending = true;
    std::optional<CStatePoint> m_preview;
};

namespace view_prompts {
inline constexpr const char* kIdle = QT_TRANSLATE_NOOP("CQORVAView", "就绪");
} // namespace view_prompts
