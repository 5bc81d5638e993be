#include "gui/drawing/ChartBuilder.h"

#include <QAction>
#include <QCoreApplication>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/drawing/CComfortZoneDlg.h"
#include "gui/drawing/CEditHhrLineDlg.h"
#include "gui/drawing/CEditIntersectionDlg.h"
#include "gui/drawing/CEditLinePointDlg.h"
#include "gui/drawing/CEditMixPointDlg.h"
#include "gui/drawing/CEditProcessStepDlg.h"
#include "gui/drawing/CEditRelatedPointsDlg.h"
#include "gui/drawing/CHhrLineDlg.h"
#include "gui/drawing/CIndependentPointDlg.h"
#include "gui/drawing/CIntersectionDlg.h"
#include "gui/drawing/CLinePointDlg.h"
#include "gui/drawing/CMixPointDlg.h"
#include "gui/drawing/CProcessLineDlg.h"
#include "gui/drawing/CProcessStepDlg.h"
#include "gui/drawing/CRelatedPointsDlg.h"
#include "gui/drawing/CTextDlg.h"
#include "gui/drawing/FreeNames.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

class ChartBuilder::PointMode : public ViewModeHandler {
public:
    explicit PointMode(ChartBuilder& builder) : m_builder(builder) {}
    void leftRelease(CQORVAView&, const QPoint& p) override { m_builder.PlacePoint(p); }

private:
    ChartBuilder& m_builder;
};

class ChartBuilder::LineMode : public ViewModeHandler {
public:
    explicit LineMode(ChartBuilder& builder) : m_builder(builder) {}
    void leftPress(CQORVAView& view, const QPoint& p) override
    {
        m_bPressed = view.lineRubberActive();
        m_start = p;
    }
    void leftRelease(CQORVAView& view, const QPoint& p) override
    {
        // A right press in between abandons the line.
        const bool drawn = m_bPressed && view.lineRubberActive();
        m_bPressed = false;
        if (drawn)
            m_builder.DrawLine(m_start, p);
    }

private:
    ChartBuilder& m_builder;
    QPoint m_start;
    bool m_bPressed = false;
};

class ChartBuilder::TextMode : public ViewModeHandler {
public:
    explicit TextMode(ChartBuilder& builder) : m_builder(builder) {}
    void leftRelease(CQORVAView&, const QPoint& p) override { m_builder.PlaceText(p); }

private:
    ChartBuilder& m_builder;
};

ChartBuilder::ChartBuilder(CQORVADoc& document, CQORVAView& view, QObject* parent)
    : QObject(parent), m_document(document), m_view(view), m_viewAlive(&view), m_picker(view),
      m_edits(document), m_pointMode(std::make_unique<PointMode>(*this)),
      m_lineMode(std::make_unique<LineMode>(*this)), m_textMode(std::make_unique<TextMode>(*this))
{
    m_view.installModeHandler(CQORVAView::kModeIndependentPoint, m_pointMode.get());
    m_view.installModeHandler(CQORVAView::kModeProcessLine, m_lineMode.get());
    m_view.installModeHandler(CQORVAView::kModeText, m_textMode.get());
    connect(&m_view, &CQORVAView::editRequested, this, [this] { OnEdit(); });
    connect(&m_view, &CQORVAView::deleteRequested, this, [this] { OnDelete(); });
}

ChartBuilder::~ChartBuilder()
{
    if (!m_viewAlive)
        return;
    delete m_dialog.data();
    m_view.installModeHandler(CQORVAView::kModeIndependentPoint, nullptr);
    m_view.installModeHandler(CQORVAView::kModeProcessLine, nullptr);
    m_view.installModeHandler(CQORVAView::kModeText, nullptr);
}

bool ChartBuilder::roomShown() const
{
    return m_document.model().CurrentRoom() && m_document.model().m_pPoints;
}

void ChartBuilder::CloseDialog()
{
    m_picker.Disarm();
    m_view.SetPreviewPoint(std::nullopt);
    delete m_dialog.data();
    emit dialogChanged();
}

void ChartBuilder::Open(std::unique_ptr<CBuilderDlg> dialog)
{
    CloseDialog();
    m_dialog = dialog.release();
    connect(m_dialog, &QDialog::finished, this, &ChartBuilder::dialogChanged);
    m_dialog->show();
    m_dialog->raise();
    emit dialogChanged();
}

void ChartBuilder::ToggleMode(int mode)
{
    CloseDialog();
    m_view.SetZoomMode(CZoomView::kZoomNone);
    m_view.SetViewMode(m_view.viewMode() == mode ? CQORVAView::kModeNone : mode);
}

void ChartBuilder::OnIndependentPoint()
{
    ToggleMode(CQORVAView::kModeIndependentPoint);
}

void ChartBuilder::OnProcessLine()
{
    ToggleMode(CQORVAView::kModeProcessLine);
}

void ChartBuilder::OnText()
{
    ToggleMode(CQORVAView::kModeText);
}

void ChartBuilder::OnHhrLine()
{
    // The command is a toggle: a second choice closes the dialog it opened.
    if (hhrLineDialogOpen()) {
        CloseDialog();
        return;
    }
    Open(std::make_unique<CHhrLineDlg>(m_document, m_view, m_picker, &m_view));
}

bool ChartBuilder::hhrLineDialogOpen() const
{
    // Hidden while one of its "..." picks waits for a click, still open.
    const auto* dialog = qobject_cast<CHhrLineDlg*>(m_dialog.data());
    return dialog && (dialog->isVisible() || m_picker.armed());
}

void ChartBuilder::OnMixingPoint()
{
    Open(std::make_unique<CMixPointDlg>(m_document, m_view, m_picker, &m_view));
}

void ChartBuilder::OnRelatedPoints()
{
    Open(std::make_unique<CRelatedPointsDlg>(m_document, m_view, m_picker, &m_view));
}

void ChartBuilder::OnLinePoint(int method)
{
    Open(std::make_unique<CLinePointDlg>(m_document, m_view, m_picker, method, &m_view));
}

void ChartBuilder::OnIntersection(int type)
{
    Open(std::make_unique<CIntersectionDlg>(m_document, m_view, m_picker, type, &m_view));
}

void ChartBuilder::OnProcessStepPoint(int kind)
{
    Open(std::make_unique<CProcessStepDlg>(m_document, m_view, m_picker, kind, &m_view));
}

void ChartBuilder::OnComfortZone()
{
    Open(std::make_unique<CComfortZoneDlg>(m_document, m_view, m_picker, &m_view));
    m_dialog->setModal(true);
}

void ChartBuilder::PlacePoint(const QPoint& logical)
{
    if (!roomShown())
        return;
    const PickResult hit = m_view.HitTest(logical);
    if (hit.nClass == CIDG::kClassPoint && hit.index >= 0) {
        EditObject(CIDG::kClassPoint, hit.index);
        return;
    }
    const std::optional<CStatePoint> state = m_view.StateAt(logical);
    if (!state)
        return;
    if (!m_view.DrawnWindow().Contains(*state)) {
        alertMessage(tr("该点为无效点").toStdString(), MessageIcon::Stop);
        return;
    }
    Open(std::make_unique<CIndependentPointDlg>(m_document, m_view, m_picker, *state, -1, &m_view));
    m_dialog->setModal(true);
}

void ChartBuilder::DrawLine(const QPoint& from, const QPoint& to)
{
    if (!roomShown())
        return;
    if (from == to)
        return;
    auto end = [this](const QPoint& p, const std::string& name) -> std::optional<ProcessLineEnd> {
        ProcessLineEnd e;
        const PickResult hit = m_view.HitTest(p);
        if (hit.nClass == CIDG::kClassPoint && hit.index >= 0) {
            e.index = hit.index;
            e.name = m_document.model().PointAt(hit.index)->m_strName;
            return e;
        }
        const std::optional<CStatePoint> state = m_view.StateAt(p);
        if (!state)
            return std::nullopt;
        e.point = *state;
        e.name = name;
        return e;
    };
    // New ends take the first free names of the pattern Point1, Point2, …
    const ObjectArray<CStatePoint>* points = m_document.model().m_pPoints;
    const std::optional<ProcessLineEnd> start = end(from, FreePointName(points, "Point"));
    const std::optional<ProcessLineEnd> finish =
        end(to, FreePointName(points, "Point", start && start->index < 0 ? start->name : std::string()));
    if (!start || !finish)
        return;
    if (start->index < 0 && !m_view.DrawnWindow().Contains(start->point)) {
        alertMessage(tr("起点为无效点").toStdString(), MessageIcon::Stop);
        return;
    }
    Open(std::make_unique<CProcessLineDlg>(m_document, m_view, m_picker, *start, *finish, -1, &m_view));
    m_dialog->setModal(true);
}

void ChartBuilder::PlaceText(const QPoint& logical)
{
    if (!roomShown())
        return;
    m_view.ChartRelative(logical); // lays the view's chart out
    const CanvasPoint place = m_view.chart().TextPlaceAt({logical.x(), logical.y()});
    Open(std::make_unique<CTextDlg>(m_document, m_view, m_picker, QPoint(place.x, place.y), -1, &m_view));
    m_dialog->setModal(true);
}

void ChartBuilder::EditObject(int objectClass, int index)
{
    if (!roomShown())
        return;
    const CIDG& idg = m_document.model();
    switch (objectClass) {
    case CIDG::kClassPoint: {
        const CStatePoint* point = idg.PointAt(index);
        if (!point)
            return;
        // Derived points are edited by their own dialogs by kind; the
        // related pair and the line points stay modeless.
        switch (point->m_nKind) {
        case CStatePoint::kIndependent:
            Open(
                std::make_unique<CIndependentPointDlg>(m_document, m_view, m_picker, *point, index, &m_view));
            m_dialog->setModal(true);
            return;
        case CStatePoint::kMixing:
            Open(std::make_unique<CEditMixPointDlg>(m_document, m_view, m_picker, index, &m_view));
            m_dialog->setModal(true);
            return;
        case CStatePoint::kHeatRecovery:
        case CStatePoint::kEvaporative:
            Open(std::make_unique<CEditProcessStepDlg>(m_document, m_view, m_picker, index, &m_view));
            m_dialog->setModal(true);
            return;
        case CStatePoint::kRelatedPair:
            Open(std::make_unique<CEditRelatedPointsDlg>(m_document, m_view, m_picker, index, &m_view));
            return;
        case CStatePoint::kProcessCrossProcess:
        case CStatePoint::kProcessCrossHhr:
        case CStatePoint::kHhrCrossHhr:
            Open(std::make_unique<CEditIntersectionDlg>(m_document, m_view, m_picker, index, &m_view));
            m_dialog->setModal(true);
            return;
        default:
            if (CEditLinePointDlg::MethodOf(point->m_nKind) >= 0)
                Open(std::make_unique<CEditLinePointDlg>(m_document, m_view, m_picker, index, &m_view));
            return;
        }
    }
    case CIDG::kClassProcessLine: {
        if (!idg.m_pProcessLines || index < 0 || index >= static_cast<int>(idg.m_pProcessLines->size()))
            return;
        const CGuoChengXian& line = *(*idg.m_pProcessLines)[static_cast<std::size_t>(index)];
        ProcessLineEnd start{line.m_nStart, idg.PointAt(line.m_nStart)->m_strName, {}};
        ProcessLineEnd end{line.m_nEnd, idg.PointAt(line.m_nEnd)->m_strName, {}};
        Open(std::make_unique<CProcessLineDlg>(m_document, m_view, m_picker, start, end, index, &m_view));
        m_dialog->setModal(true);
        return;
    }
    case CIDG::kClassHhrLine:
        if (index == 0) {
            alertMessage(tr("该热湿比线为特殊热湿比线，不允许在此编辑修改").toStdString(),
                         MessageIcon::Warning);
            return;
        }
        Open(std::make_unique<CEditHhrLineDlg>(m_document, m_view, m_picker, index, &m_view));
        m_dialog->setModal(true);
        return;
    case CIDG::kClassText:
        Open(std::make_unique<CTextDlg>(m_document, m_view, m_picker, QPoint(), index, &m_view));
        m_dialog->setModal(true);
        return;
    default:
        return;
    }
}

bool ChartBuilder::OnEdit()
{
    const ChartRenderer& chart = m_view.chart();
    if (chart.m_nSelectedComfortArea >= 0 || chart.m_nPickClass < 0 || chart.m_nPickIndex < 0)
        return false;
    EditObject(chart.m_nPickClass, chart.m_nPickIndex);
    return true;
}

bool ChartBuilder::OnDelete()
{
    const ChartRenderer& chart = m_view.chart();
    bool deleted = false;
    if (chart.m_nSelectedComfortArea >= 0)
        deleted = m_edits.DeleteComfortArea(chart.m_nSelectedComfortArea);
    else if (chart.m_nPickClass >= 0 && chart.m_nPickIndex >= 0)
        deleted = m_edits.DeleteObject(chart.m_nPickClass, chart.m_nPickIndex);
    if (deleted)
        m_view.ClearPick();
    return deleted;
}

void installBuilderCommands(CMainFrame& frame)
{
    CQORVAView* view = frame.view();
    if (!view)
        return;
    CQORVADoc& document = frame.document();
    auto* builder = new ChartBuilder(document, *view, &frame);
    builder->setObjectName("ChartBuilder");
    auto mode = [view](int m) { return [view, m] { return view->viewMode() == m; }; };
    for (int id : {cmd::DrawIndependentPoint, cmd::DrawProcessLine, cmd::DrawText})
        frame.action(id)->setCheckable(true);
    frame.setHandler(
        cmd::DrawIndependentPoint, [builder] { builder->OnIndependentPoint(); },
        mode(CQORVAView::kModeIndependentPoint));
    frame.setHandler(
        cmd::DrawProcessLine, [builder] { builder->OnProcessLine(); }, mode(CQORVAView::kModeProcessLine));
    frame.setHandler(
        cmd::DrawText, [builder] { builder->OnText(); }, mode(CQORVAView::kModeText));
    frame.action(cmd::DrawHhrLine)->setCheckable(true);
    QObject::connect(builder, &ChartBuilder::dialogChanged, &frame,
                     [&frame] { frame.updateCommandStates(); });
    frame.setHandler(
        cmd::DrawHhrLine, [builder] { builder->OnHhrLine(); },
        [builder] { return builder->hhrLineDialogOpen(); });
    frame.setHandler(cmd::DrawMixingPoint, [builder] { builder->OnMixingPoint(); });
    frame.setHandler(cmd::DrawRelatedPoints, [builder] { builder->OnRelatedPoints(); });
    const std::pair<int, int> methods[] = {{cmd::DrawEqualEnthalpyPoint, CIDG::kMethodEqualEnthalpy},
                                           {cmd::DrawEqualTemperaturePoint, CIDG::kMethodEqualTemperature},
                                           {cmd::DrawEqualMoisturePoint, CIDG::kMethodEqualMoisture},
                                           {cmd::DrawPointOnProcessLine, CIDG::kMethodProcessLine},
                                           {cmd::DrawPointOnHhrLine, CIDG::kMethodHhrLine}};
    for (const auto& [id, method] : methods) {
        const int m = method;
        frame.setHandler(id, [builder, m] { builder->OnLinePoint(m); });
    }
    const std::pair<int, int> crossings[] = {{cmd::DrawProcessCrossProcess, CIDG::kCrossProcessProcess},
                                             {cmd::DrawProcessCrossHhr, CIDG::kCrossProcessHhr},
                                             {cmd::DrawHhrCrossHhr, CIDG::kCrossHhrHhr}};
    for (const auto& [id, type] : crossings) {
        const int t = type;
        frame.setHandler(id, [builder, t] { builder->OnIntersection(t); });
    }
    frame.setHandler(cmd::DrawHeatRecoveryPoint,
                     [builder] { builder->OnProcessStepPoint(CStatePoint::kHeatRecovery); });
    frame.setHandler(cmd::DrawEvaporativePoint,
                     [builder] { builder->OnProcessStepPoint(CStatePoint::kEvaporative); });
    frame.setHandler(cmd::DrawComfortZone, [builder] { builder->OnComfortZone(); });
    frame.setHandler(cmd::Edit, [builder] { builder->OnEdit(); });
    frame.setHandler(cmd::Delete, [builder] { builder->OnDelete(); });
    // Drawing needs a room on the screen: a system chosen without rooms
    // shows none.
    auto roomShown = [&document] { return document.model().CurrentRoom() && document.model().m_pPoints; };
    for (int id :
         {cmd::DrawIndependentPoint, cmd::DrawProcessLine, cmd::DrawText, cmd::DrawHhrLine,
          cmd::DrawMixingPoint, cmd::DrawRelatedPoints, cmd::DrawEqualEnthalpyPoint,
          cmd::DrawEqualTemperaturePoint, cmd::DrawEqualMoisturePoint, cmd::DrawPointOnProcessLine,
          cmd::DrawPointOnHhrLine, cmd::DrawProcessCrossProcess, cmd::DrawProcessCrossHhr,
          cmd::DrawHhrCrossHhr, cmd::DrawHeatRecoveryPoint, cmd::DrawEvaporativePoint, cmd::DrawComfortZone})
        frame.setEnabledWhen(id, roomShown);
    auto picking = [view, roomShown] { return view->viewMode() == CQORVAView::kModePick && roomShown(); };
    frame.setEnabledWhen(cmd::Edit, picking);
    frame.setEnabledWhen(cmd::Delete, picking);
    frame.setHandler(
        cmd::ShowHhrLines, [&document] { document.ToggleHhrLines(); },
        [&document] { return document.model().m_bShowHhrLines != 0; });

    // 撤消 and 重做 name the step they would take back or make again.
    QUndoStack& stack = document.undoStack();
    frame.setHandler(cmd::EditUndo, [&stack] { stack.undo(); });
    frame.setHandler(cmd::EditRedo, [&stack] { stack.redo(); });
    frame.setEnabledWhen(cmd::EditUndo, [&stack] { return stack.canUndo(); });
    frame.setEnabledWhen(cmd::EditRedo, [&stack] { return stack.canRedo(); });
    QAction* undo = frame.action(cmd::EditUndo);
    QAction* redo = frame.action(cmd::EditRedo);
    auto rename = [undo, redo, &stack] {
        undo->setText(stack.canUndo()
                          ? QCoreApplication::translate("ChartBuilder", "撤消 %1").arg(stack.undoText())
                          : QCoreApplication::translate("ChartBuilder", "撤消(&U)"));
        redo->setText(stack.canRedo()
                          ? QCoreApplication::translate("ChartBuilder", "重做 %1").arg(stack.redoText())
                          : QCoreApplication::translate("ChartBuilder", "重做(&R)"));
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, &frame, [rename, &frame] {
        rename();
        frame.updateCommandStates();
    });
    QObject::connect(&stack, &QUndoStack::cleanChanged, &frame, rename);
    rename();
}
