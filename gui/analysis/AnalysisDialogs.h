#pragma once

#include <QDialog>

#include <optional>

#include "analysis/AnalysisFramework.h"

class CQORVADoc;
class CMainFrame;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The dialogs of the 过程分析 menu. Each opens with the parameters stored in
// the current room, checks its inputs on OK (the message shown, the dialog
// left open), then runs its analysis through the document as one undo step;
// a failed analysis shows "计算错误" with its reason and leaves the dialog open.
class CAnalysisDlg : public QDialog {
    Q_OBJECT
public:
    CAnalysisDlg(CQORVADoc& document, const QString& title, QWidget* parent);
    void accept() override;

protected:
    // The request from the controls, or nothing when a check refused them.
    virtual std::optional<AnalysisRequest> ReadRequest() = 0;
    QLineEdit* AddNumber(QFormLayout* form, const QString& label, const QString& text);
    QRadioButton* AddRadio(QButtonGroup* group, QFormLayout* form, const QString& text, int id);
    // A box that shows or hides the winter part below it.
    void AddWinterToggle(QWidget* winterPart);
    // The heat recovery of the fresh air: none, total or sensible, and its
    // effectiveness (0–1, enabled with a recovery).
    void AddRecovery(QFormLayout* form, const RecoveryParams& stored);
    // The recovery from its controls, or nothing (after the refusal) when
    // the effectiveness of a recovery is no number from 0 to 1.
    std::optional<RecoveryParams> ReadRecovery();
    const CServiceArea& room() const;
    // A stored temperature or temperature difference as the box shows it, and
    // a typed one in the stored °C or K (the project's units).
    QString ShownTemperature(double stored, bool difference) const;
    double StoredTemperature(double typed, bool difference) const;
    // A caption with its unit in the project's units.
    QString Caption(const QString& caption) const;

    CQORVADoc& m_document;
    QFormLayout* m_form = nullptr;

public:
    QComboBox* m_recovery = nullptr; // item data: HeatRecoveryMode
    QLineEdit* m_recoveryEffectiveness = nullptr;
};

class CPrimaryAnalysisDlg : public CAnalysisDlg {
    Q_OBJECT
public:
    explicit CPrimaryAnalysisDlg(CQORVADoc& document, QWidget* parent = nullptr);

    QLineEdit* m_fanRise;
    QComboBox* m_supplyDifference;
    QLineEdit* m_dewPoint;
    QLineEdit* m_preheatDifference;
    QButtonGroup* m_humidify;
    QButtonGroup* m_preheat;
    QWidget* m_winterPart;

protected:
    std::optional<AnalysisRequest> ReadRequest() override;
};

class CSecondaryAnalysisDlg : public CAnalysisDlg {
    Q_OBJECT
public:
    explicit CSecondaryAnalysisDlg(CQORVADoc& document, QWidget* parent = nullptr);

    QLineEdit* m_fanRise;
    QLineEdit* m_supplyDifference;
    QLineEdit* m_dewPoint;
    QCheckBox* m_winter;
    QLineEdit* m_preheatDifference;
    QButtonGroup* m_humidify;

protected:
    std::optional<AnalysisRequest> ReadRequest() override;
};

class CFanCoilAnalysisDlg : public CAnalysisDlg {
    Q_OBJECT
public:
    explicit CFanCoilAnalysisDlg(CQORVADoc& document, QWidget* parent = nullptr);

    QButtonGroup* m_mixMode;
    QLineEdit* m_fanRise;
    QComboBox* m_supplyDifference;
    QLineEdit* m_dewPoint;
    QCheckBox* m_winter;
    QButtonGroup* m_humidify;

protected:
    std::optional<AnalysisRequest> ReadRequest() override;
};

class CFreshAirAnalysisDlg : public CAnalysisDlg {
    Q_OBJECT
public:
    explicit CFreshAirAnalysisDlg(CQORVADoc& document, QWidget* parent = nullptr);

    QLineEdit* m_dewPoint;
    QLineEdit* m_heatTo;
    QLineEdit* m_humidification;
    QButtonGroup* m_humidify;
    QWidget* m_winterPart;

protected:
    std::optional<AnalysisRequest> ReadRequest() override;
};

// Installs the handlers of the 过程分析 commands, 全年新风能耗 with them.
void installAnalysisCommands(CMainFrame& frame);
