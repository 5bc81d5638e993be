#pragma once

#include <QString>

#include <optional>

#include "gui/drawing/CBuilderDlg.h"
#include "psychro/Comfort.h"

class QComboBox;
class QLabel;
class QLineEdit;

// The occupant the comfort index is worked out for: metabolic rate (met),
// clothing (clo) and air speed (m/s).
struct ComfortOccupant {
    double met = 1.2;
    double clo = 0.5;
    double airSpeed = 0.1;
};

// The occupant last typed into a PMV zone, or the office defaults: seated
// light work (1.2 met), summer clothing 0.5 clo or winter clothing 1.0 clo,
// still air 0.1 m/s.
ComfortOccupant CurrentComfortOccupant(bool winter);
// Empty forgets it, and the defaults apply again.
void RememberComfortOccupant(const std::optional<ComfortOccupant>& occupant);
// PMV ("%.2f") and PPD ("%.1f", %) of a state (t °C, RH fraction) with the
// walls at air temperature; a state outside the index's ranges gives the
// reason in the first text and an empty second.
std::pair<QString, QString> ComfortIndexTexts(double t, double RH, const ComfortOccupant& occupant);

// "绘制舒适区": a comfort zone named after a base point (the indoor state N
// when there is one). 自定义 puts four corners ±Δt, ±ΔRH around the base;
// the zones of GB 50736-2012 (Table 3.0.2) stand on their design table; the
// PMV zone lies between PMV = −limit and +limit (ISO 7730) for the occupant
// typed, bounded by two relative humidities. The code's zones carry a caption
// beside them naming the code and class or the PMV inputs.
class CComfortZoneDlg : public CBuilderDlg {
    Q_OBJECT
public:
    // The kinds of zone, in the order of the 舒适区依据 list.
    enum Kind {
        kCustom = 0,
        kCoolingClass1,
        kCoolingClass2,
        kHeatingClass1,
        kHeatingClass2,
        kPmv,
        kKindCount
    };

    CComfortZoneDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    void OnKindChanged();
    // The PMV zone's corners and caption from the boxes; empty after saying
    // what is wrong.
    std::optional<qorva::psychro::ComfortCorners> PmvCorners(QString& caption);
    // Where the caption goes: just right of the corner P4 (chart position).
    QPoint CaptionPlace(const qorva::psychro::ComfortCorner& corner);

    QComboBox* m_base;
    QComboBox* m_kind;
    QLineEdit* m_dt;
    QLineEdit* m_dRH;
    QComboBox* m_limitClass;
    QLineEdit* m_limit;
    QLineEdit* m_met;
    QLineEdit* m_clo;
    QLineEdit* m_airSpeed;
    QLineEdit* m_rhLow;
    QLineEdit* m_rhHigh;
    QLabel* m_note;
};
