#include "gui/climate/CWeatherStatisticsDlg.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "render/WeatherMap.h"
#include "project/CQORVADoc.h"

CWeatherStatisticsDlg::CWeatherStatisticsDlg(CQORVADoc& document, QWidget* parent)
    : QDialog(parent), m_document(document)
{
    setWindowTitle(tr("气象年统计"));
    auto* layout = new QVBoxLayout(this);
    m_caption = new QLabel;
    m_caption->setObjectName("caption");
    layout->addWidget(m_caption);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("tabs");
    const char* const names[] = {QT_TR_NOOP("小时数"), QT_TR_NOOP("月平均"), QT_TR_NOOP("室外计算参数")};
    const char* const objectNames[] = {"hours", "months", "design"};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* view = new QTableWidget;
        view->setObjectName(QString::fromLatin1(objectNames[i]));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->verticalHeader()->setVisible(false);
        m_tabs->addTab(view, tr(names[i]));
        m_views.push_back(view);
    }
    layout->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("复制"));
    copy->setObjectName("copy");
    auto* apply = new QPushButton(tr("用于工程"));
    apply->setObjectName("apply");
    apply->setToolTip(tr("把夏季、冬季室外计算参数和大气压力写入工程，可以撤消"));
    auto* close = new QPushButton(tr("关闭"));
    close->setObjectName("close");
    buttons->addWidget(copy);
    buttons->addWidget(apply);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(apply, &QPushButton::clicked, this, [this] { ApplyToProject(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_document, &CQORVADoc::changed, this, [this] { Refresh(); });
    Refresh();
    resize(720, 520);
}

void CWeatherStatisticsDlg::Refresh()
{
    const WeatherYear* year = m_document.weatherYear();
    m_tables.clear();
    if (year) {
        const HourFilter& filter = m_document.weatherFilter();
        const CIDG& idg = m_document.model();
        QStringList lines;
        for (const std::string& line : chart::WeatherCaption(
                 year->station.name, QFileInfo(QString::fromStdString(year->path)).fileName().toStdString(),
                 filter, CountHours(*year, filter)))
            lines << QString::fromStdString(line);
        m_caption->setText(lines.join(QStringLiteral("    ")));
        m_tables.push_back(HourCountTable(idg, *year, filter));
        m_tables.push_back(MonthlyMeansTable(*year, filter, idg.m_nUnitSystem));
        m_tables.push_back(DesignConditionsTable(*year, ComputeDesignConditions(*year), idg.m_nUnitSystem));
    } else {
        m_caption->setText(tr("未选择气象文件"));
        m_tables.resize(3);
    }
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        QTableWidget* view = m_views[i];
        const WeatherTable& table = m_tables[i];
        view->clear();
        view->setColumnCount(static_cast<int>(table.header.size()));
        view->setRowCount(static_cast<int>(table.rows.size()));
        QStringList header;
        for (const std::string& h : table.header)
            header << QString::fromStdString(h);
        view->setHorizontalHeaderLabels(header);
        for (std::size_t r = 0; r < table.rows.size(); ++r)
            for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
                auto* item = new QTableWidgetItem(QString::fromStdString(table.rows[r][c]));
                if (c > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                view->setItem(static_cast<int>(r), static_cast<int>(c), item);
            }
        view->resizeColumnsToContents();
        // The names take the room left; the numbers keep their width.
        if (view->columnCount() > 0)
            view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

QString CWeatherStatisticsDlg::TableText() const
{
    const int shown = m_tabs->currentIndex();
    if (shown < 0 || static_cast<std::size_t>(shown) >= m_tables.size())
        return QString();
    return QString::fromStdString(m_tables[static_cast<std::size_t>(shown)].ToTsv());
}

void CWeatherStatisticsDlg::CopyToClipboard() const
{
    QGuiApplication::clipboard()->setText(TableText());
}

bool CWeatherStatisticsDlg::ApplyToProject()
{
    const WeatherYear* year = m_document.weatherYear();
    if (!year)
        return false;
    return m_document.ApplyDesignConditions(ComputeDesignConditions(*year));
}
