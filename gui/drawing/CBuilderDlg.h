#pragma once

#include <QDialog>

#include <QFormLayout>

#include <functional>
#include <optional>

#include "project/DocumentEdits.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class CQORVAView;
class ChartPicker;

// What the builder and edit dialogs share: the document they change through
// its named operations, the view they pick on and preview in, lists of the
// chart's objects with their "..." pick buttons, numeric boxes and the OK
// that closes the dialog only when the change was made.
class CBuilderDlg : public QDialog {
    Q_OBJECT
public:
    CBuilderDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent);
    ~CBuilderDlg() override;

    // OK: makes the change; a refusal keeps the dialog open.
    void accept() override;
    void reject() override;

protected:
    // The change of OK; false keeps the dialog open.
    virtual bool Apply() = 0;
    // Where the dialog's new point would go, for the preview marker.
    virtual std::optional<CStatePoint> PreviewPoint() const { return std::nullopt; }
    void UpdatePreview();

    // A list of the names of the current objects of a class, with "...".
    QComboBox* AddObjectList(QFormLayout* form, const QString& label, int objectClass, const QString& name);
    static void FillList(QComboBox* list, const CIDG& idg, int objectClass);
    QLineEdit* AddNumber(QFormLayout* form, const QString& label, const QString& name,
                         const QString& text = {});
    QLineEdit* AddText(QFormLayout* form, const QString& label, const QString& name,
                       const QString& text = {});
    QDialogButtonBox* AddButtons(QFormLayout* form, const QString& okText);
    // A number typed into a box: false when the box is empty or not a number.
    static bool ReadNumber(const QLineEdit* edit, float& value);
    static QString Format(const char* format, double value);
    const CIDG& model() const;

    // The read-only 干球温度℃, 湿球温度℃ and 相对湿度％ of an edit dialog,
    // inserted at row of the form (−1: at the end).
    struct StateReadout {
        QLineEdit* t = nullptr;
        QLineEdit* tw = nullptr;
        QLineEdit* RH = nullptr;
    };
    StateReadout AddStateReadout(QFormLayout* form, int row, const QString& suffix = {});
    // Shows t, tw ("%.1f") and RH ("%.0f" %); empty boxes without a point.
    void ShowState(const StateReadout& readout, const std::optional<CStatePoint>& point) const;
    // 计算 (calculate) and the conversion to an independent point of the edit
    // dialogs, inserted at row; the conversion only disables its button, and
    // OK converts (m_bMakeIndependent).
    void AddEditButtons(QFormLayout* form, int row, const QString& calculateText,
                        const QString& independentText, std::function<void()> calculate);
    // The row of the OK and Cancel buttons, added last.
    static int ButtonRow(const QFormLayout* form) { return form->rowCount() - 1; }

    CQORVADoc& m_document;
    CQORVAView& m_view;
    ChartPicker& m_picker;
    DocumentEdits m_edits;
    bool m_bMakeIndependent = false;
};
