#pragma once

#include <QDialog>

#include "project/WeatherSummary.h"

class CQORVADoc;
class QLabel;
class QTabWidget;
class QTableWidget;

// "气象年统计": three tables of the project's weather year. 小时数: the hours
// the filter keeps in each comfort zone of the current view, in the four
// classes of GB 50736 and beyond the outdoor design points; 月平均: the
// monthly means; 室外计算参数: the design conditions of GB 50736 4.1 read on
// the whole year, the file's ASHRAE values beside them. 复制 puts the table
// shown on the clipboard (tab-separated, header row first); 用于工程 writes
// the design conditions into the project (one undo step, see
// CQORVADoc::ApplyDesignConditions). The tables follow the document.
class CWeatherStatisticsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWeatherStatisticsDlg(CQORVADoc& document, QWidget* parent = nullptr);

    // The clipboard text of 复制: the table of the tab shown.
    QString TableText() const;
    void CopyToClipboard() const;
    // 用于工程; false when the document refused (it said why).
    bool ApplyToProject();
    QTabWidget* tabs() { return m_tabs; }

private:
    void Refresh();

    CQORVADoc& m_document;
    QLabel* m_caption = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::vector<QTableWidget*> m_views;
    std::vector<WeatherTable> m_tables;
};
