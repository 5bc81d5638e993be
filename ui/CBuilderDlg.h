#pragma once

#include <QDialog>

#include <optional>

#include "project/DocumentEdits.h"

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
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

    CQORVADoc& m_document;
    CQORVAView& m_view;
    ChartPicker& m_picker;
    DocumentEdits m_edits;
};
