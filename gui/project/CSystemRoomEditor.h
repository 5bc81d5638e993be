#pragma once

#include <QWidget>

#include <utility>
#include <vector>

#include "project/SystemRoomEdit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls of the system–room editor (system and room boxes with their
// 增加 / 删除 buttons, the summer and winter outdoor and indoor design states,
// loads, moisture loads and fresh-air volumes) over a SystemRoomEdit, which
// holds the working copy and the rules. Used by the system–room dialog and
// the second page of the new-project wizard.
class CSystemRoomEditor : public QWidget {
    Q_OBJECT
public:
    explicit CSystemRoomEditor(SystemRoomEdit::Variant variant, QWidget* parent = nullptr);

    SystemRoomEdit& edit() { return m_edit; }
    // Shows the editor's texts, lists and selections in the controls.
    void showEdit();
    // Takes the controls' texts into the editor.
    void readControls();
    // OK / Next: true when the input may be committed (after the editor's
    // message otherwise, with the field of a refused design state selected).
    bool validate();
    // Shows the loads in another unit system (1 SI, 0 engineering).
    void changeUnitSystem(int unitSystem);

private:
    struct StateControls {
        QLineEdit* name = nullptr;
        QLineEdit* t = nullptr;
        QLineEdit* tw = nullptr;
        QLineEdit* rh = nullptr;
        QRadioButton* byTw = nullptr;
        QRadioButton* byRH = nullptr;
    };
    QWidget* buildSeason(bool summer);
    // A unit label that follows the editor's unit system.
    QLabel* unitLabel(QWidget* parent, const QString& siUnit);
    QWidget* buildState(const QString& title, const char* prefix, int idName, int idT, int idTw, int idRH,
                        int idByTw, int idByRH, StateControls& controls);
    void run(bool (SystemRoomEdit::*button)());
    // Selects the field of the design state the editor refused last.
    void selectRefusedField();
    static void showState(const StateControls& controls, const std::string& name, const std::string& t,
                          const std::string& tw, const std::string& rh, bool byRH);
    static void enableBySelector(const StateControls& controls);

    SystemRoomEdit m_edit;
    QComboBox* m_system = nullptr;
    QComboBox* m_room = nullptr;
    StateControls m_summerOut, m_summerIn, m_winterOut, m_winterIn;
    QLineEdit* m_coolingLoad = nullptr;
    QLineEdit* m_summerMoist = nullptr;
    QLineEdit* m_summerFresh = nullptr;
    QLineEdit* m_heatLoad = nullptr;
    QLineEdit* m_winterMoist = nullptr;
    QLineEdit* m_winterFresh = nullptr;
    QLabel* m_coolingUnit = nullptr;
    QLabel* m_heatUnit = nullptr;
    // The unit labels after the temperature, moisture-load and fresh-air
    // fields, each with the SI unit it was written with.
    std::vector<std::pair<QLabel*, QString>> m_unitLabels;
    bool m_showing = false;
};
