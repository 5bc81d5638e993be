#include "gui/chart/CQORVAView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QWheelEvent>

#include "chart/ChartForm.h"
#include "model/UnitFormat.h"
#include "render/QPainterCanvas.h"
#include "project/CQORVADoc.h"

namespace {

// Cross hairs with a small box at the hot spot: picking an object.
QCursor pickCursor()
{
    static const QCursor cursor = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        for (const auto& [colour, width] :
             {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
            painter.setPen(QPen(colour, width));
            painter.drawLine(16, 2, 16, 11);
            painter.drawLine(16, 21, 16, 30);
            painter.drawLine(2, 16, 11, 16);
            painter.drawLine(21, 16, 30, 16);
            painter.drawRect(12, 12, 8, 8);
        }
        painter.end();
        return QCursor(pixmap, 16, 16);
    }();
    return cursor;
}

} // namespace

CQORVAView::CQORVAView(CQORVADoc& document, QWidget* parent)
    : CZoomView(parent), m_document(document), m_chart(document.model()), m_viewCache(m_chart)
{
    setObjectName("CQORVAView");
    // The pick is drawn on the overlay, over the kept objects.
    m_chart.m_bHighlightPicked = false;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_nScreenWidth = screen->size().width();
    if (m_nScreenWidth <= 0)
        m_nScreenWidth = ChartDevice::kDefaultScreenWidth;
    connect(&m_document, &CQORVADoc::changed, this, &CQORVAView::OnDocumentChanged);
    m_statusText = tr(view_prompts::kIdle);
    UpdatePageSize();
    UpdateCursor();
}

void CQORVAView::setScreenWidth(int pixels)
{
    if (pixels <= 0)
        return;
    m_nScreenWidth = pixels;
    UpdatePageSize();
    m_bLayoutCurrent = false;
    RedrawObjects();
}

ChartDevice CQORVAView::chartDevice() const
{
    ChartDevice device;
    device.screenWidth = m_nScreenWidth;
    device.pageWidth = m_document.m_nPageWidth;
    device.pageHeight = m_document.m_nPageHeight;
    device.form = &m_document.chartForm();
    device.weather = m_document.weatherMap();
    return device;
}

void CQORVAView::UpdatePageSize()
{
    // Pixels per mm of the screen, an integer; the chart view shows the upper
    // half of the page (the chart), the page view the whole page with the
    // known parameters and the results below the chart.
    const int pageWidth = std::max(1, m_document.m_nPageWidth);
    const int pageHeight = std::max(1, m_document.m_nPageHeight);
    const int s = std::max(1, m_nScreenWidth / pageWidth);
    const int width = s * pageWidth;
    const int fullHeight = s * pageHeight;
    const int height = m_document.model().m_bChartView ? static_cast<int>(fullHeight * 0.5) : fullHeight;
    if (logicalSize() != QSize(width, height))
        SetZoomSizes(width, height);
}

void CQORVAView::OnDocumentChanged(const DocumentEvent& event)
{
    const QSize before = logicalSize();
    UpdatePageSize();
    // An opened project shows its whole page first, as 全部 does, and so
    // does the other page when chart and page view are switched.
    const bool pageSwitched = event.kind == DocumentChange::Selection && logicalSize() != before;
    if (event.kind == DocumentChange::ProjectReplaced || pageSwitched) {
        m_bFitPending = !isVisible();
        if (isVisible())
            DoZoomFull();
    }
    // A pick belongs to the objects of one view: another room, system or
    // condition ends it, and a picked object that is gone takes it along.
    if (event.kind == DocumentChange::ProjectReplaced || event.kind == DocumentChange::Selection) {
        ForgetPick();
        // 编辑 and 删除 would have nothing to act on: select mode ends too.
        if (m_nViewMode == kModePick)
            SetViewMode(kModeNone);
    } else if (!PickedObjectExists()) {
        ForgetPick();
    }
    // The grid follows its key (chart settings, pressure, window, device);
    // what the document changed is redrawn over the kept grid.
    m_bLayoutCurrent = false;
    RedrawObjects();
}

void CQORVAView::InvalidateChart()
{
    m_bLayoutCurrent = false;
    m_viewCache.clear();
    viewport()->update();
}

void CQORVAView::RedrawObjects()
{
    m_viewCache.invalidateObjects();
    viewport()->update();
}

void CQORVAView::SetPreviewState(std::optional<CStatePoint> state)
{
    if (!state && !m_preview)
        return;
    EnsureLayout();
    if (m_preview)
        viewport()->update(PreviewDeviceRect(*m_preview));
    m_preview = std::move(state);
    if (m_preview)
        viewport()->update(PreviewDeviceRect(*m_preview));
}

QRect CQORVAView::PreviewDeviceRect(const CStatePoint& state) const
{
    const CanvasRect r = m_chart.PreviewMarkerRectangle(state);
    const QPoint topLeft = deviceFromLogical(QPoint(r.left, r.top));
    const QPoint bottomRight = deviceFromLogical(QPoint(r.right, r.bottom));
    // One pixel more for the rounding of the zoom and antialiasing.
    return spanOf(topLeft, bottomRight).adjusted(-2, -2, 2, 2);
}

void CQORVAView::EnsureLayout()
{
    const ChartDevice device = chartDevice();
    const ChartLayout& layout = m_chart.layout();
    if (!m_bLayoutCurrent || !layout.m_bValid || !SameLayoutDevice(layout.m_device, device)) {
        m_chart.LayoutChart(device);
        m_chart.ComputeSaturationBoundary();
        m_bLayoutCurrent = true;
    } else if (!layout.m_bBoundaryValid) {
        m_chart.ComputeSaturationBoundary();
    }
}

void CQORVAView::OnDraw(QPainter& painter, const QRect&)
{
    // Drawn at the screen's own resolution, so high-density screens stay
    // sharp; only what the viewport shows is kept and drawn.
    const QImage& shown =
        m_viewCache.image(chartDevice(), viewport()->size(), QRect(deviceOrigin(), deviceSize()), zoomScale(),
                          viewport()->devicePixelRatioF());
    m_bLayoutCurrent = true;
    painter.save();
    painter.resetTransform();
    painter.drawImage(m_viewCache.visible().topLeft(), shown);
    painter.restore();
}

void CQORVAView::DrawOverlay(QPainter& painter)
{
    CZoomView::DrawOverlay(painter);
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    if (clipRubberActive())
        painter.drawRect(spanOf(deviceFromLogical(m_clipStart), deviceFromLogical(m_clipCurrent)));
    if (m_bLineRubber && !m_bLineFirstMove) {
        painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
        painter.drawLine(deviceFromLogical(m_lineStart), deviceFromLogical(m_lineEnd));
    }
    const bool picked = m_chart.m_nPickClass >= 0 || m_chart.m_nSelectedComfortArea >= 0;
    if (!picked && !m_preview)
        return;
    // The pick and the marker of a point being built go over the kept page:
    // picking or moving the marker redraws neither the grid nor the objects.
    EnsureLayout();
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(deviceFromLogical(QPoint(0, 0)));
    painter.scale(zoomScale(), zoomScale());
    QPainterCanvas canvas(painter);
    if (picked)
        m_chart.DrawHighlight(canvas);
    if (m_preview)
        m_chart.DrawPreviewMarker(canvas, *m_preview);
    painter.restore();
}

void CQORVAView::SetViewMode(int mode)
{
    if (mode != m_nViewMode) {
        m_bCapture = false;
        m_bLineRubber = false;
        viewport()->update();
    }
    m_nViewMode = mode;
    UpdateCursor();
    emit modeChanged();
}

void CQORVAView::installModeHandler(int mode, ViewModeHandler* handler)
{
    if (handler)
        m_handlers[mode] = handler;
    else
        m_handlers.erase(mode);
}

void CQORVAView::OnZoomIn()
{
    SetZoomMode(zoomMode() == kZoomIn ? kZoomNone : kZoomIn);
    SetViewMode(kModeZoom);
}

void CQORVAView::OnZoomOut()
{
    SetZoomMode(zoomMode() == kZoomOut ? kZoomNone : kZoomOut);
    SetViewMode(kModeZoom);
}

void CQORVAView::OnZoomAll()
{
    SetViewMode(kModeZoom);
    DoZoomFull();
}

void CQORVAView::OnClip()
{
    SetZoomMode(kZoomNone);
    SetViewMode(kModeClip);
}

void CQORVAView::OnRestore()
{
    SetViewMode(kModeRestore);
    m_document.RestoreFullChart();
    SetViewMode(kModeNone);
}

void CQORVAView::OnPick()
{
    m_nMouseState = kMouseNone;
    SetZoomMode(kZoomNone);
    SetViewMode(m_nViewMode == kModePick ? kModeNone : kModePick);
}

void CQORVAView::UpdateCursor()
{
    if (m_bZoomCapture || (m_bCapture && m_nViewMode == kModeClip)) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    switch (m_nViewMode) {
    case kModeClip:
    case kModeIndependentPoint:
    case kModeProcessLine:
    case kModeStateInfo:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case kModePick:
        viewport()->setCursor(pickCursor());
        break;
    case kModeText:
        viewport()->setCursor(Qt::IBeamCursor);
        break;
    default:
        viewport()->setCursor(zoomCursor());
        break;
    }
}

void CQORVAView::ShowPrompt(const QString& text)
{
    m_prompt = text;
    ShowStatus(text);
    emit modeChanged();
}

void CQORVAView::ShowStatus(const QString& text)
{
    const QString shown = text.isEmpty() ? tr(view_prompts::kIdle) : text;
    if (shown == m_statusText)
        return;
    m_statusText = shown;
    if (auto* frame = qobject_cast<QMainWindow*>(window()))
        frame->statusBar()->showMessage(shown);
    emit statusTextChanged(shown);
}

bool CQORVAView::InsideChartRect(const QPoint& p) const
{
    const ChartLayout& layout = m_chart.layout();
    return p.x() >= layout.m_nChartLeft && p.x() <= layout.m_nChartLeft + layout.m_nChartWidth &&
           p.y() >= layout.m_nChartTop && p.y() <= layout.m_nChartTop + layout.m_nChartHeight;
}

std::optional<CStatePoint> CQORVAView::StateAt(const QPoint& logical)
{
    EnsureLayout();
    const ChartLayout& layout = m_chart.layout();
    if (!InsideChartRect(logical))
        return std::nullopt;
    const int column = logical.x() - layout.m_nChartLeft;
    const int row = logical.y() - layout.m_nChartTop;
    if (layout.m_bBoundaryValid && !m_chart.form().Unsaturated(layout, column, row))
        return std::nullopt;
    const auto [d, h] = m_chart.form().StateAt(m_chart, column, row);
    CStatePoint state;
    state.m_d = static_cast<float>(d);
    state.m_h = static_cast<float>(h);
    state.m_bKnownD = 1;
    state.m_bKnownH = 1;
    if (!m_document.model().CalcStatePoint(state))
        return std::nullopt;
    state.m_nKind = CStatePoint::kIndependent;
    return state;
}

PickResult CQORVAView::HitTest(const QPoint& logical)
{
    EnsureLayout();
    return m_chart.PickObject(logical.x(), logical.y());
}

const ChartRegion& CQORVAView::DrawnWindow()
{
    m_fullChart = m_document.model().FullChartStates();
    return m_fullChart;
}

QPoint CQORVAView::ChartRelative(const QPoint& logical)
{
    EnsureLayout();
    const CanvasPoint p = m_chart.ToChartRelative({logical.x(), logical.y()});
    return QPoint(p.x, p.y);
}

bool CQORVAView::PickedObjectExists() const
{
    // The same object: still in its list under the name it was picked by.
    return (m_chart.m_nPickClass < 0 && m_chart.m_nSelectedComfortArea < 0) ||
           PickedName() == m_strPickedName;
}

void CQORVAView::ForgetPick()
{
    if (m_chart.m_nPickClass < 0 && m_chart.m_nSelectedComfortArea < 0)
        return;
    m_chart.m_nPickClass = -1;
    m_chart.m_nPickIndex = -1;
    m_chart.m_nSelectedComfortArea = -1;
    // The status bar no longer names it.
    m_prompt.clear();
    ShowStatus(m_prompt);
    emit modeChanged();
}

void CQORVAView::ClearPick()
{
    m_chart.m_nPickClass = -1;
    m_chart.m_nPickIndex = -1;
    m_chart.m_nSelectedComfortArea = -1;
    viewport()->update();
}

void CQORVAView::ShowPickedName()
{
    const std::string name = PickedName();
    m_prompt = name.empty() ? QString() : tr("选中：%1").arg(QString::fromStdString(name));
    ShowStatus(m_prompt);
}

std::string CQORVAView::PickedName() const
{
    const CIDG& idg = m_document.model();
    const int index = m_chart.m_nPickIndex;
    std::string name;
    auto nameIn = [index](const auto* list, auto field) {
        return list && index >= 0 && index < static_cast<int>(list->size()) ? field(*(*list)[index])
                                                                            : std::string();
    };
    // The kind of object in the interface's language, the name as the user typed it.
    auto named = [this](const char* kind, const std::string& objectName) {
        return tr(kind).arg(QString::fromStdString(objectName)).toStdString();
    };
    switch (m_chart.m_nPickClass) {
    case 0:
        name = named(QT_TR_NOOP("状态点 %1"),
                     nameIn(idg.m_pPoints, [](const CStatePoint& o) { return o.m_strName; }));
        break;
    case 1:
        name = named(QT_TR_NOOP("过程线 %1"),
                     nameIn(idg.m_pProcessLines, [](const CGuoChengXian& o) { return o.m_strName; }));
        break;
    case 2:
        name = named(QT_TR_NOOP("热湿比线 %1"),
                     nameIn(idg.m_pHhrLines, [](const CReShiBiXian& o) { return o.m_strName; }));
        break;
    case 3:
        name = named(QT_TR_NOOP("文字 %1"),
                     nameIn(idg.m_pTexts, [](const CCommentString& o) { return o.m_strText; }));
        break;
    default:
        break;
    }
    if (m_chart.m_nSelectedComfortArea >= 0 && idg.m_pComfortAreas &&
        m_chart.m_nSelectedComfortArea < static_cast<int>(idg.m_pComfortAreas->size()))
        name =
            named(QT_TR_NOOP("舒适区 %1"), (*idg.m_pComfortAreas)[m_chart.m_nSelectedComfortArea]->m_strName);
    return name;
}

void CQORVAView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_nViewMode == kModePick) {
        PickAt(logicalFromDevice(event->position().toPoint()));
        if (m_chart.m_nPickClass >= 0)
            emit editRequested();
        return;
    }
    CZoomView::mouseDoubleClickEvent(event);
}

QString CQORVAView::StateTextAt(const QPoint& logical)
{
    const std::optional<CStatePoint> at = StateAt(logical);
    if (!at)
        return QString();
    const CStatePoint& state = *at;
    // The state under the cursor in the project's units.
    const int units = m_document.model().m_nUnitSystem;
    using namespace unit_format;
    const std::string text =
        Temperature(units, "t=%.1f℃ ", state.m_t) + Temperature(units, "tw=%.1f℃ ", state.m_tw) +
        Format("RH=%.0f%% ", state.m_RH * 100.0) + Moisture(units, "d=%.1fg/kg ", state.m_d) +
        Enthalpy(units, "h=%.1fkJ/kg", "h=%.1fkcal/kg", state.m_h);
    return QString::fromStdString(text);
}

void CQORVAView::PickAt(const QPoint& logical)
{
    const CIDG& idg = m_document.model();
    m_lastPick = logical;
    EnsureLayout();
    const PickResult pick = m_chart.PickObject(logical.x(), logical.y());
    m_chart.m_nPickClass = pick.nClass;
    m_chart.m_nPickIndex = pick.index;
    m_chart.m_nSelectedComfortArea = -1;
    // A corner point or an edge line of a comfort zone selects the whole zone.
    std::string member;
    if (pick.nClass == CIDG::kClassPoint && idg.m_pPoints && pick.index >= 0 &&
        pick.index < int(idg.m_pPoints->size()))
        member = (*idg.m_pPoints)[pick.index]->m_strName;
    else if (pick.nClass == CIDG::kClassProcessLine && idg.m_pProcessLines && pick.index >= 0 &&
             pick.index < int(idg.m_pProcessLines->size()))
        member = (*idg.m_pProcessLines)[pick.index]->m_strName;
    if (!member.empty() && idg.m_pComfortAreas) {
        for (std::size_t i = 0; i < idg.m_pComfortAreas->size(); ++i) {
            const CComfortArea& zone = *(*idg.m_pComfortAreas)[i];
            if (pick.nClass == CIDG::kClassPoint ? zone.HasCorner(member) : zone.HasEdge(member)) {
                m_chart.m_nSelectedComfortArea = static_cast<int>(i);
                break;
            }
        }
    }
    m_strPickedName = PickedName();
    viewport()->update();
    ShowPickedName();
}

void CQORVAView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = logicalFromDevice(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        m_nMouseState = kMouseRightPressed;
        RightPress();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_nMouseState = kMouseLeftPressed;
    const bool zoomOwnsClick = m_nViewMode != kModeClip && m_nViewMode != kModeIndependentPoint &&
                               m_nViewMode != kModeProcessLine && zoomMode() != kZoomNone;
    if (zoomOwnsClick) {
        ZoomLeftPress(p);
        return;
    }
    switch (m_nViewMode) {
    case kModeClip:
        EnsureLayout();
        if (InsideChartRect(p)) {
            m_bCapture = true;
            m_clipStart = m_clipCurrent = p;
            UpdateCursor();
        }
        return;
    case kModeProcessLine:
        EnsureLayout();
        if (InsideChartRect(p)) {
            m_bLineRubber = true;
            m_bLineFirstMove = true;
            m_lineStart = m_lineEnd = p;
        }
        break;
    default:
        break;
    }
    if (auto it = m_handlers.find(m_nViewMode); it != m_handlers.end())
        it->second->leftPress(*this, p);
}

void CQORVAView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = logicalFromDevice(event->position().toPoint());
    m_nMouseState = kMouseLeftReleased;
    if (m_bZoomCapture || (zoomMode() != kZoomNone && m_nViewMode != kModeClip &&
                           m_nViewMode != kModeIndependentPoint && m_nViewMode != kModeProcessLine)) {
        ZoomLeftRelease(p);
        return;
    }
    switch (m_nViewMode) {
    case kModeClip:
        if (m_bCapture) {
            m_bCapture = false;
            m_clipCurrent = p;
            UpdateCursor();
            const QRect rect = spanOf(m_clipStart, m_clipCurrent);
            if (m_clipStart.x() != m_clipCurrent.x() && m_clipStart.y() != m_clipCurrent.y()) {
                EnsureLayout();
                if (const auto window =
                        m_chart.ClipWindow(rect.left(), rect.top(), rect.right(), rect.bottom())) {
                    const CanvasPoint corner = m_chart.ToChartRelative({m_clipStart.x(), m_clipStart.y()});
                    m_document.ClipChart(*window, corner.x, corner.y);
                }
            }
            m_clipStart = m_clipCurrent = QPoint();
            viewport()->update();
        }
        return;
    case kModePick:
        PickAt(p);
        return;
    default:
        break;
    }
    if (auto it = m_handlers.find(m_nViewMode); it != m_handlers.end())
        it->second->leftRelease(*this, p);
    // The drawn line is over once released: the dialog it opened takes it on.
    if (m_bLineRubber) {
        m_bLineRubber = false;
        m_bLineFirstMove = true;
        viewport()->update();
    }
}

void CQORVAView::ShowStateAt(const QPoint& device)
{
    const QString state = StateTextAt(logicalFromDevice(device));
    if (state.isEmpty())
        ShowStatus(m_prompt);
    else
        ShowStatus(m_prompt.isEmpty() ? state : m_prompt + "    " + state);
}

void CQORVAView::wheelEvent(QWheelEvent* event)
{
    CZoomView::wheelEvent(event);
    ShowStateAt(event->position().toPoint());
}

void CQORVAView::showEvent(QShowEvent* event)
{
    CZoomView::showEvent(event);
    if (m_bFitPending) {
        m_bFitPending = false;
        DoZoomFull();
    }
}

void CQORVAView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = logicalFromDevice(event->position().toPoint());
    ShowStateAt(event->position().toPoint());
    if (ZoomMouseMove(p))
        return;
    if (m_bCapture && m_nViewMode == kModeClip) {
        m_clipCurrent = p;
        viewport()->update();
        return;
    }
    if (m_bLineRubber) {
        m_lineEnd = p;
        m_bLineFirstMove = false;
        viewport()->update();
    }
    if (auto it = m_handlers.find(m_nViewMode); it != m_handlers.end())
        it->second->mouseMove(*this, p);
}

void CQORVAView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && (zoomRubberActive() || clipRubberActive() || m_bLineRubber)) {
        RightPress();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_nViewMode == kModePick && m_chart.m_nPickClass >= 0) {
        emit deleteRequested();
        return;
    }
    CZoomView::keyPressEvent(event);
}

bool CQORVAView::viewportEvent(QEvent* event)
{
    // Off the chart window (onto a scroll bar, out of the frame) there is no
    // state under the cursor.
    if (event->type() == QEvent::Leave)
        ShowStatus(m_prompt);
    return CZoomView::viewportEvent(event);
}

void CQORVAView::RightPress()
{
    const auto handler = m_handlers.find(m_nViewMode);
    if (m_bZoomCapture) {
        ZoomRightPress();
    } else if (m_nViewMode == kModeClip) {
        // A right press cancels a clip being dragged; otherwise it ends clipping.
        if (m_bCapture)
            m_bCapture = false;
        else
            SetViewMode(kModeNone);
        UpdateCursor();
    } else if (m_nViewMode == kModeProcessLine && m_bLineRubber) {
        m_bLineRubber = false;
        m_bLineFirstMove = true;
    } else if (m_nViewMode == kModePick) {
        m_chart.m_nPickClass = -1;
        m_chart.m_nPickIndex = -1;
        m_chart.m_nSelectedComfortArea = -1;
        SetViewMode(kModeNone);
        viewport()->setCursor(Qt::ArrowCursor);
        viewport()->update();
    } else if (m_nViewMode == kModeIndependentPoint || m_nViewMode == kModeText) {
        if (handler != m_handlers.end())
            handler->second->rightPress(*this);
        SetViewMode(kModeNone);
    } else if (handler != m_handlers.end()) {
        handler->second->rightPress(*this);
    } else {
        ZoomRightPress();
    }
    viewport()->update();
}
