#include "gui/drawing/ChartPicker.h"

#include "model/CIDG.h"

ChartPicker::ChartPicker(CQORVAView& view) : m_view(view), m_viewAlive(&view)
{
    m_view.installModeHandler(CQORVAView::kModeBuilderPick, this);
}

ChartPicker::~ChartPicker()
{
    if (m_viewAlive)
        m_view.installModeHandler(CQORVAView::kModeBuilderPick, nullptr);
}

void ChartPicker::Arm(QWidget* dialog, int objectClass, std::function<void(int)> picked,
                      std::function<void()> cancelled)
{
    if (!m_bArmed)
        m_nPreviousMode = m_view.viewMode();
    m_dialog = dialog;
    m_picked = std::move(picked);
    m_cancelled = std::move(cancelled);
    m_nClass = objectClass;
    m_bArmed = true;
    if (dialog)
        dialog->hide();
    m_view.SetZoomMode(CZoomView::kZoomNone);
    m_view.SetViewMode(CQORVAView::kModeBuilderPick);
    // A point is aimed at with cross hairs, a line with the pick cursor.
    if (objectClass == CIDG::kClassPoint)
        m_view.viewport()->setCursor(Qt::CrossCursor);
    else
        m_view.viewport()->setCursor(Qt::PointingHandCursor);
}

void ChartPicker::Disarm()
{
    if (!m_bArmed)
        return;
    m_bArmed = false;
    m_picked = nullptr;
    m_cancelled = nullptr;
    if (m_viewAlive)
        m_view.SetViewMode(m_nPreviousMode == CQORVAView::kModeBuilderPick ? CQORVAView::kModeNone
                                                                           : m_nPreviousMode);
}

void ChartPicker::ShowDialogAgain()
{
    QPointer<QWidget> dialog = m_dialog;
    Disarm();
    if (dialog) {
        dialog->show();
        dialog->raise();
    }
}

void ChartPicker::leftRelease(CQORVAView& view, const QPoint& logical)
{
    if (!m_bArmed)
        return;
    const PickResult hit = view.HitTest(logical);
    if (hit.nClass != m_nClass || hit.index < 0)
        return;
    const std::function<void(int)> picked = m_picked;
    ShowDialogAgain();
    if (picked)
        picked(hit.index);
}

void ChartPicker::rightPress(CQORVAView&)
{
    const std::function<void()> cancelled = m_cancelled;
    ShowDialogAgain();
    if (cancelled)
        cancelled();
}
