#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "analysis/AnnualFreshAir.h"

class CMainFrame;
class CQORVADoc;
class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTableWidget;
class QValueAxis;

// 分析 → 全年新风能耗: a year of the fresh air of one room, or of every room
// of a system, hour by hour over the project's weather year, without and
// with heat recovery. The results follow the inputs as they change: a table
// of the year (kWh, hours, peaks and when they occur, the saving), a table of
// the months and their bar chart, cooling up and heating down. The dialog
// reads the project and changes nothing in it (no undo step); what it cannot
// compute it says in its status line. The table is copied as TSV, the chart
// saved as PNG or SVG.
class CAnnualFreshAirDlg : public QDialog {
    Q_OBJECT
public:
    CAnnualFreshAirDlg(const CQORVADoc& document, const WeatherYear* year, QWidget* parent = nullptr);
    ~CAnnualFreshAirDlg() override;

    // The choice of the 保存图表 button: a path ending in .png or .svg, empty
    // when cancelled. Tests replace it.
    std::function<QString(QWidget* parent)> chooseChartFile;

    // Both tables as tab-separated text, a header line each, the year first.
    QString TableText() const;
    // Writes the chart as PNG or SVG by the path's extension; false (and the
    // message shown) when it cannot be written.
    bool SaveChart(const QString& path);
    // What the results now show: the rooms computed (rows of the year's
    // table), their years, and the total of the selection.
    const FreshAirYears& Results() const { return m_results; }
    QString Status() const;

    QComboBox* m_system;
    QComboBox* m_room; // item 0: every room of the system
    QRadioButton* m_freshFromRoom;
    QRadioButton* m_freshTyped;
    QLineEdit* m_freshFlow; // kg/h, lb/h in IP
    QLabel* m_freshInfo;
    QSpinBox* m_from;
    QSpinBox* m_to;
    QComboBox* m_recovery; // RecoveryKind order: none, total, sensible
    QDoubleSpinBox* m_effectiveness;
    QSlider* m_effectivenessSlider; // per cent
    QLabel* m_status;
    QTableWidget* m_yearTable;
    QTableWidget* m_monthTable;
    QChartView* m_chartView;
    QPushButton* m_copy;
    QPushButton* m_saveChart;

private:
    // The inputs read again and everything computed and shown anew.
    void Recompute();
    void FillRooms();
    void FillYearTable();
    void FillMonthTable();
    void UpdateChart();
    void SetRecoverySets(bool shown);
    QString PeakText(const PeakHour& peak) const;
    QString RoomProblemText(const CServiceArea& room, RoomInputProblem problem) const;
    // Energies (kWh), peaks (kW) and fresh-air flows (kg/h) in the project's
    // units: kBtu, Btu/h and lb/h in IP; and a caption with its unit so.
    double EnergyShown(double kwh) const;
    QString Energy(double kwh) const;
    QString Peak(double kw) const;
    QString Flow(double kgPerHour) const;
    QString Caption(const QString& caption) const;

    const CQORVADoc& m_document;
    const WeatherYear* m_year;
    // The rooms of the selection with their inputs; those with a problem
    // are not computed.
    struct Entry {
        const CServiceArea* room;
        RoomFreshAirInputs inputs;
        int result = -1; // index into m_results.rooms, −1 when not computed
    };
    std::vector<Entry> m_entries;
    FreshAirYears m_results;
    bool m_recovering = false;
    bool m_filling = false;

    QChart* m_chart;
    QBarSeries* m_coolingSeries;
    QBarSeries* m_heatingSeries;
    QBarSet* m_coolingWithout;
    QBarSet* m_coolingWith;
    QBarSet* m_heatingWithout;
    QBarSet* m_heatingWith;
    QValueAxis* m_energyAxis;
};

// Installs 分析 → 全年新风能耗 into the frame.
void installAnnualFreshAirCommand(CMainFrame& frame);
