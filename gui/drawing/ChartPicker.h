#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

#include "gui/chart/CQORVAView.h"

// The "..." of a builder or calculation dialog: hides the dialog and lets the
// user click an object of one class on the chart. A click on an object of
// that class hands its index over and shows the dialog again; a click on
// anything else is ignored; a right click shows the dialog without a pick.
class ChartPicker : public ViewModeHandler {
public:
    explicit ChartPicker(CQORVAView& view);
    ~ChartPicker() override;

    // objectClass: CIDG::ObjectClass. cancelled, if given, learns of a
    // right click that gives the pick up.
    void Arm(QWidget* dialog, int objectClass, std::function<void(int index)> picked,
             std::function<void()> cancelled = nullptr);
    void Disarm();
    bool armed() const { return m_bArmed; }
    int objectClass() const { return m_nClass; }

    void leftRelease(CQORVAView& view, const QPoint& logical) override;
    void rightPress(CQORVAView& view) override;

private:
    void ShowDialogAgain();

    CQORVAView& m_view;
    // The frame may take the view down before the picker.
    QPointer<CQORVAView> m_viewAlive;
    QPointer<QWidget> m_dialog;
    std::function<void(int)> m_picked;
    std::function<void()> m_cancelled;
    int m_nClass = -1;
    int m_nPreviousMode = CQORVAView::kModeNone;
    bool m_bArmed = false;
};
