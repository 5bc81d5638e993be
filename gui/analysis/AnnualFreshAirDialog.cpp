#include "gui/analysis/AnnualFreshAirDialog.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "model/UnitFormat.h"
#include "project/CQORVADoc.h"

namespace {

QString kwh(double value)
{
    return QString::number(value, 'f', 1);
}

// A round tick step that divides the larger of the two extents into about
// four parts: 1, 2 or 5 times a power of ten.
double tickStep(double extent)
{
    if (!(extent > 0))
        return 1;
    const double rough = extent / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0})
        if (rough <= step * magnitude)
            return step * magnitude;
    return 10 * magnitude;
}

enum YearColumn {
    kColRoom,
    kColFreshAir,
    kColCase,
    kColCoolingKwh,
    kColCoolingHours,
    kColCoolingPeak,
    kColCoolingPeakAt,
    kColHeatingKwh,
    kColHeatingHours,
    kColHeatingPeak,
    kColHeatingPeakAt,
    kYearColumns
};

enum MonthColumn {
    kColMonth,
    kColCooling,
    kColCoolingRecovered,
    kColHeating,
    kColHeatingRecovered,
    kMonthColumns
};

QTableWidgetItem* cell(const QString& text, bool number = true)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString tableText(const QTableWidget* table)
{
    QString text;
    QStringList header;
    for (int c = 0; c < table->columnCount(); ++c)
        header << table->horizontalHeaderItem(c)->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
    text += header.join('\t') + '\n';
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            row << (item ? item->text() : QString());
        }
        text += row.join('\t') + '\n';
    }
    return text;
}

} // namespace

CAnnualFreshAirDlg::CAnnualFreshAirDlg(const CQORVADoc& document, const WeatherYear* year, QWidget* parent)
    : QDialog(parent), m_document(document), m_year(year)
{
    setWindowTitle(tr("全年新风能耗"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);

    auto* weather = new QLabel(this);
    weather->setObjectName("weather");
    if (m_year)
        weather->setText(tr("气象年：%1（%2 小时）")
                             .arg(QString::fromStdString(m_year->station.name))
                             .arg(m_year->hours.size()));
    layout->addWidget(weather);

    auto* inputs = new QGridLayout;
    layout->addLayout(inputs);
    m_system = new QComboBox(this);
    m_system->setObjectName("system");
    m_room = new QComboBox(this);
    m_room->setObjectName("room");
    auto* where = new QHBoxLayout;
    where->addWidget(m_system, 1);
    where->addWidget(new QLabel(tr("房间"), this));
    where->addWidget(m_room, 1);
    inputs->addWidget(new QLabel(tr("系统"), this), 0, 0);
    inputs->addLayout(where, 0, 1);

    m_freshFromRoom = new QRadioButton(tr("取自房间的新风量"), this);
    m_freshFromRoom->setObjectName("freshFromRoom");
    m_freshTyped = new QRadioButton(tr("输入"), this);
    m_freshTyped->setObjectName("freshTyped");
    m_freshFlow = new QLineEdit(this);
    m_freshFlow->setObjectName("freshFlow");
    makeNumeric(m_freshFlow);
    m_freshFlow->setMaximumWidth(100);
    m_freshInfo = new QLabel(this);
    m_freshInfo->setObjectName("freshInfo");
    auto* fresh = new QHBoxLayout;
    fresh->addWidget(m_freshFromRoom);
    fresh->addWidget(m_freshTyped);
    fresh->addWidget(m_freshFlow);
    fresh->addWidget(new QLabel(Caption(tr("kg/h（制冷、制热相同）")), this));
    fresh->addStretch(1);
    inputs->addWidget(new QLabel(tr("新风量"), this), 1, 0);
    inputs->addLayout(fresh, 1, 1);
    inputs->addWidget(m_freshInfo, 2, 1);

    m_from = new QSpinBox(this);
    m_from->setObjectName("from");
    m_to = new QSpinBox(this);
    m_to->setObjectName("to");
    for (QSpinBox* box : {m_from, m_to}) {
        box->setRange(0, 24);
        box->setSuffix(tr(" 时"));
    }
    m_to->setValue(24);
    auto* schedule = new QHBoxLayout;
    schedule->addWidget(new QLabel(tr("每天"), this));
    schedule->addWidget(m_from);
    schedule->addWidget(new QLabel(tr("至"), this));
    schedule->addWidget(m_to);
    schedule->addWidget(new QLabel(tr("（跨越午夜时如 22 至 6）"), this));
    schedule->addStretch(1);
    inputs->addWidget(new QLabel(tr("运行时段"), this), 3, 0);
    inputs->addLayout(schedule, 3, 1);

    m_recovery = new QComboBox(this);
    m_recovery->setObjectName("recovery");
    m_recovery->addItems({tr("无"), tr("全热回收"), tr("显热回收")});
    m_effectiveness = new QDoubleSpinBox(this);
    m_effectiveness->setObjectName("effectiveness");
    m_effectiveness->setRange(0, 1);
    m_effectiveness->setDecimals(2);
    m_effectiveness->setSingleStep(0.05);
    m_effectiveness->setValue(0.7);
    m_effectivenessSlider = new QSlider(Qt::Horizontal, this);
    m_effectivenessSlider->setObjectName("effectivenessSlider");
    m_effectivenessSlider->setRange(0, 100);
    m_effectivenessSlider->setValue(70);
    auto* recovery = new QHBoxLayout;
    recovery->addWidget(m_recovery);
    recovery->addWidget(new QLabel(tr("效率"), this));
    recovery->addWidget(m_effectiveness);
    recovery->addWidget(m_effectivenessSlider, 1);
    inputs->addWidget(new QLabel(tr("热回收"), this), 4, 0);
    inputs->addLayout(recovery, 4, 1);
    inputs->setColumnStretch(1, 1);

    m_status = new QLabel(this);
    m_status->setObjectName("status");
    m_status->setWordWrap(true);
    m_status->setStyleSheet("color: #b00000");
    layout->addWidget(m_status);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter, 1);
    auto* tabs = new QTabWidget(splitter);
    m_yearTable = new QTableWidget(0, kYearColumns, tabs);
    m_yearTable->setObjectName("yearTable");
    m_yearTable->setHorizontalHeaderLabels(
        {tr("房间"), Caption(tr("新风量 kg/h\n制冷/制热")), tr("方案"), Caption(tr("供冷\nkWh")),
         tr("供冷\n小时"), Caption(tr("冷量峰值\nkW")), tr("冷量峰值\n时刻"), Caption(tr("供热\nkWh")),
         tr("供热\n小时"), Caption(tr("热量峰值\nkW")), tr("热量峰值\n时刻")});
    m_monthTable = new QTableWidget(0, kMonthColumns, tabs);
    m_monthTable->setObjectName("monthTable");
    m_monthTable->setHorizontalHeaderLabels(
        {tr("月份"), Caption(tr("供冷 kWh\n无热回收")), Caption(tr("供冷 kWh\n热回收")),
         Caption(tr("供热 kWh\n无热回收")), Caption(tr("供热 kWh\n热回收"))});
    for (QTableWidget* table : {m_yearTable, m_monthTable}) {
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }
    tabs->addTab(m_yearTable, tr("全年"));
    tabs->addTab(m_monthTable, tr("逐月"));

    m_coolingWithout = new QBarSet(tr("供冷（无热回收）"));
    m_coolingWith = new QBarSet(tr("供冷（热回收）"));
    m_heatingWithout = new QBarSet(tr("供热（无热回收）"));
    m_heatingWith = new QBarSet(tr("供热（热回收）"));
    m_coolingWithout->setColor(QColor(0x1f, 0x5f, 0xa8));
    m_coolingWith->setColor(QColor(0x8c, 0xb8, 0xe6));
    m_heatingWithout->setColor(QColor(0xc0, 0x39, 0x2b));
    m_heatingWith->setColor(QColor(0xf0, 0xa0, 0x90));
    QList<QString> months;
    for (int m = 1; m <= 12; ++m) {
        months << tr("%1月").arg(m);
        for (QBarSet* set : {m_coolingWithout, m_coolingWith, m_heatingWithout, m_heatingWith})
            set->append(0);
    }
    // Cooling and heating are two series over the same slots: the cooling
    // bars stand above the axis and the heating bars hang below it, each pair
    // without and with recovery side by side.
    m_coolingSeries = new QBarSeries;
    m_coolingSeries->append(m_coolingWithout);
    m_coolingSeries->append(m_coolingWith);
    m_heatingSeries = new QBarSeries;
    m_heatingSeries->append(m_heatingWithout);
    m_heatingSeries->append(m_heatingWith);
    m_chart = new QChart;
    m_chart->addSeries(m_coolingSeries);
    m_chart->addSeries(m_heatingSeries);
    auto* monthAxis = new QBarCategoryAxis;
    monthAxis->append(months);
    m_energyAxis = new QValueAxis;
    m_energyAxis->setTitleText(Caption(tr("kWh")));
    m_energyAxis->setLabelFormat("%.0f");
    m_energyAxis->setTickType(QValueAxis::TicksDynamic);
    m_energyAxis->setTickAnchor(0);
    m_chart->addAxis(monthAxis, Qt::AlignBottom);
    m_chart->addAxis(m_energyAxis, Qt::AlignLeft);
    for (QBarSeries* series : {m_coolingSeries, m_heatingSeries}) {
        series->setBarWidth(0.8);
        series->attachAxis(monthAxis);
        series->attachAxis(m_energyAxis);
    }
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chartView = new QChartView(m_chart, splitter);
    m_chartView->setObjectName("chart");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(280);
    splitter->setSizes({240, 460});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_copy = buttons->addButton(tr("复制表格"), QDialogButtonBox::ActionRole);
    m_copy->setObjectName("copy");
    m_saveChart = buttons->addButton(tr("保存图表…"), QDialogButtonBox::ActionRole);
    m_saveChart->setObjectName("saveChart");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(TableText()); });
    chooseChartFile = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, tr("保存图表"), QString(),
                                            tr("PNG 图像 (*.png);;SVG 图形 (*.svg)"));
    };
    connect(m_saveChart, &QPushButton::clicked, this, [this] {
        const QString path = chooseChartFile(this);
        if (!path.isEmpty())
            SaveChart(path);
    });

    // The inputs as the user finds them: the current system and room, the
    // rooms' own fresh air, the whole day, and the recovery stored with the
    // current room (none unless its analyses have one).
    const CIDG& idg = m_document.model();
    for (const auto& system : idg.m_rooms.m_systems)
        m_system->addItem(QString::fromStdString(system->m_strName));
    m_system->setCurrentIndex(idg.m_nCurSystem);
    FillRooms();
    if (m_room->count() > idg.m_nCurRoom + 1)
        m_room->setCurrentIndex(idg.m_nCurRoom + 1);
    m_freshFromRoom->setChecked(true);
    m_freshFlow->setEnabled(false);
    if (const CServiceArea* current = idg.CurrentRoom()) {
        const HeatRecovery stored = StoredHeatRecovery(*current);
        if (stored.kind != RecoveryKind::None) {
            m_recovery->setCurrentIndex(static_cast<int>(stored.kind));
            m_effectiveness->setValue(stored.effectiveness);
            m_effectivenessSlider->setValue(static_cast<int>(std::lround(stored.effectiveness * 100)));
        }
    }

    connect(m_system, &QComboBox::currentIndexChanged, this, [this] {
        FillRooms();
        Recompute();
    });
    connect(m_room, &QComboBox::currentIndexChanged, this, &CAnnualFreshAirDlg::Recompute);
    connect(m_freshFromRoom, &QRadioButton::toggled, this, [this] {
        m_freshFlow->setEnabled(m_freshTyped->isChecked());
        Recompute();
    });
    connect(m_freshFlow, &QLineEdit::textChanged, this, &CAnnualFreshAirDlg::Recompute);
    connect(m_from, &QSpinBox::valueChanged, this, &CAnnualFreshAirDlg::Recompute);
    connect(m_to, &QSpinBox::valueChanged, this, &CAnnualFreshAirDlg::Recompute);
    connect(m_recovery, &QComboBox::currentIndexChanged, this, &CAnnualFreshAirDlg::Recompute);
    // The box and the slider move together; either recomputes once.
    connect(m_effectiveness, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        const int percent = static_cast<int>(std::lround(value * 100));
        if (m_effectivenessSlider->value() != percent) {
            const QSignalBlocker block(m_effectivenessSlider);
            m_effectivenessSlider->setValue(percent);
        }
        Recompute();
    });
    connect(m_effectivenessSlider, &QSlider::valueChanged, this,
            [this](int percent) { m_effectiveness->setValue(percent / 100.0); });

    resize(1100, 820);
    Recompute();
}

CAnnualFreshAirDlg::~CAnnualFreshAirDlg() = default;

void CAnnualFreshAirDlg::FillRooms()
{
    const QSignalBlocker block(m_room);
    m_room->clear();
    m_room->addItem(tr("本系统全部房间"));
    const auto& systems = m_document.model().m_rooms.m_systems;
    const int s = m_system->currentIndex();
    if (s >= 0 && s < static_cast<int>(systems.size()))
        for (const auto& room : systems[std::size_t(s)]->m_rooms)
            m_room->addItem(QString::fromStdString(room->m_strName));
    m_room->setCurrentIndex(m_room->count() > 1 ? 1 : 0);
}

QString CAnnualFreshAirDlg::RoomProblemText(const CServiceArea& room, RoomInputProblem problem) const
{
    const QString name = QString::fromStdString(room.m_strName);
    switch (problem) {
    case RoomInputProblem::NoFreshAir:
        return tr("房间“%1”没有新风量：请在“系统--房间”中填写夏季或冬季新风量，或在此输入新风量。").arg(name);
    case RoomInputProblem::NoDensity:
        return tr("房间“%1”的新风量无法换算为 "
                  "kg/h：工程没有该季节的空气密度，请在“大气压力”中设定，或在此输入新风量。")
            .arg(name);
    case RoomInputProblem::IndoorState:
        return tr("房间“%1”的室内设计状态点无法计算。").arg(name);
    case RoomInputProblem::None:
        break;
    }
    return {};
}

QString CAnnualFreshAirDlg::Status() const
{
    return m_status->text();
}

void CAnnualFreshAirDlg::Recompute()
{
    m_entries.clear();
    m_results = {};
    QStringList missing;
    const CIDG& idg = m_document.model();
    const auto& systems = idg.m_rooms.m_systems;
    const int s = m_system->currentIndex();
    if (s >= 0 && s < static_cast<int>(systems.size())) {
        const auto& rooms = systems[std::size_t(s)]->m_rooms;
        const int chosen = m_room->currentIndex() - 1; // −1: every room
        std::optional<double> typed;
        if (m_freshTyped->isChecked()) {
            bool ok = false;
            const double flow = m_freshFlow->text().toDouble(&ok);
            typed = ok ? unit_text::Stored(unit_text::Quantity::MoistureFlow, static_cast<float>(flow),
                                           m_document.model().m_nUnitSystem)
                       : 0.0;
        }
        for (int r = 0; r < static_cast<int>(rooms.size()); ++r)
            if (chosen < 0 || chosen == r)
                m_entries.push_back(
                    {rooms[std::size_t(r)].get(), RoomAnnualInputs(idg, *rooms[std::size_t(r)], typed)});
    }
    if (!m_year)
        missing << tr("没有气象文件：请先用“设定 → 气象文件…”选择一个逐时气象年（EPW 或 CSV）。");
    if (m_from->value() == m_to->value())
        missing << tr("运行时段 %1 至 %2 时不含任何小时。").arg(m_from->value()).arg(m_to->value());
    if (m_freshTyped->isChecked() && !(m_freshFlow->text().toDouble() > 0))
        missing << Caption(tr("请输入大于零的新风量（kg/h）。"));
    else
        for (const Entry& entry : m_entries)
            if (entry.inputs.problem != RoomInputProblem::None)
                missing << RoomProblemText(*entry.room, entry.inputs.problem);

    HeatRecovery recovery;
    recovery.kind = static_cast<RecoveryKind>(m_recovery->currentIndex());
    recovery.effectiveness = m_effectiveness->value();
    m_effectiveness->setEnabled(recovery.kind != RecoveryKind::None);
    m_effectivenessSlider->setEnabled(recovery.kind != RecoveryKind::None);
    m_recovering = recovery.kind != RecoveryKind::None;

    HourFilter schedule;
    schedule.fromHour = m_from->value();
    schedule.toHour = m_to->value();
    if (m_year && schedule.fromHour != schedule.toHour) {
        std::vector<FreshAirYearInputs> inputs;
        for (Entry& entry : m_entries)
            if (entry.inputs.problem == RoomInputProblem::None) {
                entry.result = static_cast<int>(inputs.size());
                inputs.push_back(entry.inputs.inputs);
            }
        m_results = ComputeFreshAirYears(inputs, *m_year, schedule, recovery);
    }
    m_status->setText(missing.join('\n'));
    m_status->setVisible(!missing.isEmpty());

    if (m_entries.size() == 1 && m_entries.front().inputs.problem == RoomInputProblem::None) {
        const RoomFreshAirInputs& in = m_entries.front().inputs;
        const FreshAirYearInputs& f = in.inputs;
        const int units = idg.m_nUnitSystem;
        const auto shown = [units](unit_text::Quantity quantity, double stored) {
            return double(unit_text::Shown(quantity, static_cast<float>(stored), units));
        };
        using unit_text::Quantity;
        const bool ip = unit_format::IsIp(units);
        const QString flows =
            in.typed ? Caption(tr("制冷、制热 %1 kg/h")).arg(Flow(f.coolingFlow))
                     : Caption(tr("制冷 %1 m³/h × %2 kg/m³ = %3 kg/h，制热 %4 m³/h × %5 kg/m³ = %6 kg/h"))
                           .arg(shown(Quantity::AirVolume, in.summerVolume), 0, 'f', 0)
                           .arg(shown(Quantity::Density, in.summerDensity), 0, 'f', ip ? 4 : 3)
                           .arg(Flow(f.coolingFlow))
                           .arg(shown(Quantity::AirVolume, in.winterVolume), 0, 'f', 0)
                           .arg(shown(Quantity::Density, in.winterDensity), 0, 'f', ip ? 4 : 3)
                           .arg(Flow(f.heatingFlow));
        m_freshInfo->setText(
            Caption(tr("%1；室内 N：制冷 %2℃ %3% %4 kJ/kg，制热 %5℃ %6% %7 kJ/kg；运行 %8 小时/年"))
                .arg(flows)
                .arg(shown(Quantity::Temperature, f.cooling.t), 0, 'f', 1)
                .arg(f.cooling.RH * 100.0, 0, 'f', 0)
                .arg(shown(Quantity::Enthalpy, f.cooling.h), 0, 'f', 2)
                .arg(shown(Quantity::Temperature, f.heating.t), 0, 'f', 1)
                .arg(f.heating.RH * 100.0, 0, 'f', 0)
                .arg(shown(Quantity::Enthalpy, f.heating.h), 0, 'f', 2)
                .arg(m_results.total.operatedHours));
    } else {
        m_freshInfo->setText(tr("运行 %1 小时/年").arg(m_results.total.operatedHours));
    }
    FillYearTable();
    FillMonthTable();
    UpdateChart();
}

QString CAnnualFreshAirDlg::PeakText(const PeakHour& peak) const
{
    if (!m_year || peak.hourIndex < 0 || peak.hourIndex >= static_cast<int>(m_year->hours.size()))
        return QStringLiteral("–");
    const WeatherHour& w = m_year->hours[std::size_t(peak.hourIndex)];
    return tr("%1月%2日 %3:00").arg(w.month).arg(w.day).arg(w.hour);
}

void CAnnualFreshAirDlg::FillYearTable()
{
    m_yearTable->setRowCount(0);
    const auto addRow = [this](const QString& room, const QString& fresh, const QString& what) {
        const int row = m_yearTable->rowCount();
        m_yearTable->insertRow(row);
        m_yearTable->setItem(row, kColRoom, cell(room, false));
        m_yearTable->setItem(row, kColFreshAir, cell(fresh));
        m_yearTable->setItem(row, kColCase, cell(what, false));
        return row;
    };
    const auto energyRow = [&](const QString& room, const QString& fresh, const QString& what,
                               const FreshAirEnergy& e) {
        const int row = addRow(room, fresh, what);
        m_yearTable->setItem(row, kColCoolingKwh, cell(Energy(e.coolingKwh)));
        m_yearTable->setItem(row, kColCoolingHours, cell(QString::number(e.coolingHours)));
        m_yearTable->setItem(row, kColCoolingPeak, cell(Peak(e.peakCooling.kw)));
        m_yearTable->setItem(row, kColCoolingPeakAt, cell(PeakText(e.peakCooling)));
        m_yearTable->setItem(row, kColHeatingKwh, cell(Energy(e.heatingKwh)));
        m_yearTable->setItem(row, kColHeatingHours, cell(QString::number(e.heatingHours)));
        m_yearTable->setItem(row, kColHeatingPeak, cell(Peak(e.peakHeating.kw)));
        m_yearTable->setItem(row, kColHeatingPeakAt, cell(PeakText(e.peakHeating)));
    };
    const auto share = [this](double saving, double without) {
        return without > 0
                   ? QStringLiteral("%1 (%2%)").arg(Energy(saving)).arg(saving / without * 100.0, 0, 'f', 0)
                   : Energy(saving);
    };
    const auto yearRows = [&](const QString& room, const QString& fresh, const FreshAirYear& year) {
        energyRow(room, fresh, tr("无热回收"), year.without);
        if (!year.withRecovery)
            return;
        energyRow(
            QString(), QString(),
            tr("%1 %2%").arg(m_recovery->currentText()).arg(m_effectiveness->value() * 100.0, 0, 'f', 0),
            *year.withRecovery);
        const int row = addRow(QString(), QString(), tr("节省"));
        m_yearTable->setItem(row, kColCoolingKwh,
                             cell(share(year.coolingSavingKwh(), year.without.coolingKwh)));
        m_yearTable->setItem(row, kColHeatingKwh,
                             cell(share(year.heatingSavingKwh(), year.without.heatingKwh)));
    };
    if (m_results.rooms.empty())
        return;
    for (const Entry& entry : m_entries) {
        const QString name = QString::fromStdString(entry.room->m_strName);
        if (entry.result < 0) {
            const int row = addRow(name, QString(), RoomProblemText(*entry.room, entry.inputs.problem));
            m_yearTable->setSpan(row, kColCase, 1, kYearColumns - kColCase);
            continue;
        }
        const FreshAirYearInputs& f = entry.inputs.inputs;
        yearRows(name, QStringLiteral("%1 / %2").arg(Flow(f.coolingFlow), Flow(f.heatingFlow)),
                 m_results.rooms[std::size_t(entry.result)]);
    }
    if (m_results.rooms.size() > 1)
        yearRows(tr("合计"), QString(), m_results.total);
}

void CAnnualFreshAirDlg::FillMonthTable()
{
    m_monthTable->setRowCount(0);
    if (m_results.rooms.empty())
        return;
    const FreshAirYear& total = m_results.total;
    const auto addRow = [this](const QString& label, const MonthlyEnergy& without,
                               const MonthlyEnergy* with) {
        const int row = m_monthTable->rowCount();
        m_monthTable->insertRow(row);
        m_monthTable->setItem(row, kColMonth, cell(label, false));
        m_monthTable->setItem(row, kColCooling, cell(Energy(without.coolingKwh)));
        m_monthTable->setItem(row, kColHeating, cell(Energy(without.heatingKwh)));
        m_monthTable->setItem(row, kColCoolingRecovered, cell(with ? Energy(with->coolingKwh) : QString()));
        m_monthTable->setItem(row, kColHeatingRecovered, cell(with ? Energy(with->heatingKwh) : QString()));
    };
    for (std::size_t m = 0; m < 12; ++m)
        addRow(tr("%1月").arg(m + 1), total.without.months[m],
               total.withRecovery ? &total.withRecovery->months[m] : nullptr);
    const MonthlyEnergy year{total.without.coolingKwh, total.without.heatingKwh};
    MonthlyEnergy recovered;
    if (total.withRecovery)
        recovered = {total.withRecovery->coolingKwh, total.withRecovery->heatingKwh};
    addRow(tr("全年"), year, total.withRecovery ? &recovered : nullptr);
}

void CAnnualFreshAirDlg::SetRecoverySets(bool shown)
{
    const bool present = m_coolingSeries->count() == 2;
    if (shown == present)
        return;
    if (shown) {
        m_coolingSeries->append(m_coolingWith);
        m_heatingSeries->append(m_heatingWith);
    } else {
        m_coolingSeries->take(m_coolingWith);
        m_heatingSeries->take(m_heatingWith);
    }
}

void CAnnualFreshAirDlg::UpdateChart()
{
    // The sets keep their bars; only the values change, so a new
    // effectiveness redraws without laying the chart out again.
    SetRecoverySets(m_recovering);
    const FreshAirYear& total = m_results.total;
    const bool any = !m_results.rooms.empty();
    double top = 0, bottom = 0;
    for (int m = 0; m < 12; ++m) {
        const MonthlyEnergy without = any ? total.without.months[std::size_t(m)] : MonthlyEnergy{};
        const MonthlyEnergy with =
            any && total.withRecovery ? total.withRecovery->months[std::size_t(m)] : MonthlyEnergy{};
        m_coolingWithout->replace(m, EnergyShown(without.coolingKwh));
        m_heatingWithout->replace(m, -EnergyShown(without.heatingKwh));
        m_coolingWith->replace(m, EnergyShown(with.coolingKwh));
        m_heatingWith->replace(m, -EnergyShown(with.heatingKwh));
        top = std::max(top, EnergyShown(without.coolingKwh));
        bottom = std::max(bottom, EnergyShown(without.heatingKwh));
    }
    // The axis follows the case without recovery, which recovery only
    // lowers: moving the effectiveness leaves the scale where it is. Its
    // ticks stand on round numbers from 0 up and down.
    const double step = tickStep(std::max(top, bottom));
    m_energyAxis->setTickInterval(step);
    m_energyAxis->setRange(-std::ceil(bottom / step) * step, std::max(1.0, std::ceil(top / step)) * step);
    QString title = m_room->currentIndex() > 0 ? m_room->currentText() : m_system->currentText();
    if (m_from->value() != 0 || m_to->value() != 24)
        title += tr("，每天 %1 至 %2 时").arg(m_from->value()).arg(m_to->value());
    if (m_recovering)
        title +=
            tr("，%1 %2%").arg(m_recovery->currentText()).arg(m_effectiveness->value() * 100.0, 0, 'f', 0);
    m_chart->setTitle(tr("逐月新风能耗：%1").arg(title));
}

double CAnnualFreshAirDlg::EnergyShown(double kwh) const
{
    // 1 kWh is 3412.14 Btu, 3.41214 kBtu.
    return unit_format::IsIp(m_document.model().m_nUnitSystem) ? kwh * qorva::units::kBtuPerHourPerWatt : kwh;
}

QString CAnnualFreshAirDlg::Energy(double kwh) const
{
    return ::kwh(EnergyShown(kwh));
}

QString CAnnualFreshAirDlg::Peak(double kw) const
{
    if (unit_format::IsIp(m_document.model().m_nUnitSystem))
        return QString::number(kw * 1000.0 * qorva::units::kBtuPerHourPerWatt, 'f', 0);
    return QString::number(kw, 'f', 2);
}

QString CAnnualFreshAirDlg::Flow(double kgPerHour) const
{
    const int units = m_document.model().m_nUnitSystem;
    return QString::number(
        unit_text::Shown(unit_text::Quantity::MoistureFlow, static_cast<float>(kgPerHour), units), 'f', 1);
}

QString CAnnualFreshAirDlg::Caption(const QString& caption) const
{
    return unit_text::Caption(caption, m_document.model().m_nUnitSystem);
}

QString CAnnualFreshAirDlg::TableText() const
{
    return tableText(m_yearTable) + '\n' + tableText(m_monthTable);
}

bool CAnnualFreshAirDlg::SaveChart(const QString& path)
{
    const QSize size = m_chartView->size().expandedTo(QSize(900, 520));
    bool saved = false;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(m_chart->title());
        QPainter painter;
        if (painter.begin(&svg)) {
            m_chartView->render(&painter, QRectF(QPointF(0, 0), size));
            saved = painter.end();
        }
        saved = saved && QFileInfo(path).size() > 0;
    } else {
        // Twice the pixels of the view, so the picture stays sharp in a report.
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        m_chartView->render(&painter, QRectF(image.rect()));
        painter.end();
        saved = image.save(path, "PNG");
    }
    if (!saved)
        alertMessage(tr("无法保存图表：%1").arg(path).toStdString(), MessageIcon::Stop);
    return saved;
}

void installAnnualFreshAirCommand(CMainFrame& frame)
{
    CMainFrame* f = &frame;
    frame.setHandler(cmd::AnalysisAnnualFreshAir, [f] {
        const CQORVADoc& document = f->document();
        CAnnualFreshAirDlg dialog(document, document.weatherYear(), f);
        dialog.exec();
    });
}
