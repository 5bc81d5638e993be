#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>

#include "gui/chart/CQORVAView.h"
#include "gui/drawing/CBuilderDlg.h"
#include "gui/drawing/ChartPicker.h"
#include "project/DocumentEdits.h"

class CMainFrame;

// The 绘图 commands and select, edit and delete: the view modes that place
// points, drag process lines and place texts, the builder and edit dialogs
// (one open at a time) with their picks, and the deletion of the picked
// object. Every change goes through the document's named operations.
class ChartBuilder : public QObject {
    Q_OBJECT
public:
    ChartBuilder(CQORVADoc& document, CQORVAView& view, QObject* parent = nullptr);
    ~ChartBuilder() override;

    // The commands.
    void OnIndependentPoint();
    void OnProcessLine();
    void OnHhrLine();
    void OnMixingPoint();
    void OnRelatedPoints();
    void OnLinePoint(int method);
    void OnIntersection(int type);
    // kind: CStatePoint::kHeatRecovery or kEvaporative.
    void OnProcessStepPoint(int kind);
    void OnComfortZone();
    void OnText();
    // Opens the edit dialog of the picked object; false when nothing (or a
    // comfort zone) is picked.
    bool OnEdit();
    // Deletes the picked object or comfort zone.
    bool OnDelete();

    // Whether the 热湿比线 dialog is open (the command's tick).
    bool hhrLineDialogOpen() const;
    // The open dialog, if any (tests drive it).
    CBuilderDlg* dialog() const { return m_dialog.data(); }
    ChartPicker& picker() { return m_picker; }

signals:
    // A dialog opened or closed (the 热湿比线 tick follows).
    void dialogChanged();

private:
    class PointMode;
    class LineMode;
    class TextMode;
    friend class PointMode;
    friend class LineMode;
    friend class TextMode;

    // A room is on the screen (not a system chosen without rooms).
    bool roomShown() const;
    void Open(std::unique_ptr<CBuilderDlg> dialog);
    void CloseDialog();
    void ToggleMode(int mode);
    void EditObject(int objectClass, int index);
    void PlacePoint(const QPoint& logical);
    void DrawLine(const QPoint& from, const QPoint& to);
    void PlaceText(const QPoint& logical);

    CQORVADoc& m_document;
    CQORVAView& m_view;
    QPointer<CQORVAView> m_viewAlive;
    ChartPicker m_picker;
    DocumentEdits m_edits;
    // Child of the view, which takes it down with itself.
    QPointer<CBuilderDlg> m_dialog;
    std::unique_ptr<ViewModeHandler> m_pointMode;
    std::unique_ptr<ViewModeHandler> m_lineMode;
    std::unique_ptr<ViewModeHandler> m_textMode;
};

// Installs the 绘图 commands, 编辑, 删除, 撤消 and 重做 and 热湿比线 on the frame.
void installBuilderCommands(CMainFrame& frame);
