#include "gui/climate/CWeatherFileDlg.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/widgets/DialogButtons.h"
#include "model/Messages.h"
#include "model/UnitFormat.h"
#include "project/CQORVADoc.h"

namespace {

QSpinBox* spin(const char* name, int low, int high, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

CWeatherFileDlg::CWeatherFileDlg(CQORVADoc& document, std::function<QString(QWidget*)> chooseFile,
                                 QWidget* parent)
    : QDialog(parent), m_document(document), m_chooseFile(std::move(chooseFile))
{
    setWindowTitle(tr("气象文件"));
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout;
    m_path = new QLineEdit;
    m_path->setObjectName("path");
    m_path->setMinimumWidth(360);
    if (const WeatherYear* year = document.weatherYear())
        m_path->setText(QString::fromStdString(year->path));
    auto* browse = new QPushButton(tr("浏览..."));
    browse->setObjectName("browse");
    fileRow->addWidget(new QLabel(tr("文件：")));
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);
    layout->addLayout(fileRow);
    m_station = new QLabel;
    m_station->setObjectName("station");
    layout->addWidget(m_station);

    const HourFilter& f = document.weatherFilter();
    auto* filter = new QGroupBox(tr("统计和显示的小时"));
    auto* form = new QFormLayout(filter);
    m_firstMonth = spin("firstMonth", 1, 12, f.firstMonth);
    m_lastMonth = spin("lastMonth", 1, 12, f.lastMonth);
    m_fromHour = spin("fromHour", 0, 24, f.fromHour);
    m_toHour = spin("toHour", 0, 24, f.toHour);
    auto pair = [](QSpinBox* from, QSpinBox* to, const QString& unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(from);
        row->addWidget(new QLabel(QStringLiteral("–")));
        row->addWidget(to);
        row->addWidget(new QLabel(unit));
        row->addStretch(1);
        return row;
    };
    form->addRow(tr("月份："), pair(m_firstMonth, m_lastMonth, tr("月（11–2 为十一月至次年二月）")));
    form->addRow(tr("时段："), pair(m_fromHour, m_toHour, tr("时（8–18 为 08:00–18:00）")));
    layout->addWidget(filter);

    auto* style = new QGroupBox(tr("显示方式"));
    auto* styleRow = new QHBoxLayout(style);
    // The map's cells are 1 K on a side, 1.8 ℉ in IP.
    m_density = new QRadioButton(unit_format::IsIp(document.model().m_nUnitSystem)
                                     ? tr("密度图（每格干球温度 1.8 ℉ × 露点温度 1.8 ℉）")
                                     : tr("密度图（每格干球温度 1 ℃ × 露点温度 1 ℃）"));
    m_density->setObjectName("density");
    m_dots = new QRadioButton(tr("散点（每小时一点）"));
    m_dots->setObjectName("dots");
    (document.weatherMapStyle() == chart::WeatherMapStyle::Dots ? m_dots : m_density)->setChecked(true);
    styleRow->addWidget(m_density);
    styleRow->addWidget(m_dots);
    layout->addWidget(style);

    auto* remove = new QPushButton(tr("不用气象文件"));
    remove->setObjectName("remove");
    remove->setEnabled(document.weatherYear() != nullptr);
    auto* removeRow = new QHBoxLayout;
    removeRow->addWidget(remove);
    removeRow->addStretch(1);
    layout->addLayout(removeRow);
    addOkCancelButtons(this, layout);

    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(m_path, &QLineEdit::textChanged, this, [this] { ShowStation(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveYear(); });
    ShowStation();
}

void CWeatherFileDlg::ShowStation()
{
    const WeatherYear* year = m_document.weatherYear();
    if (!year || QString::fromStdString(year->path) != m_path->text()) {
        m_station->setText(m_path->text().isEmpty() ? tr("未选择气象文件") : tr("确定后读取该文件"));
        return;
    }
    m_station->setText(tr("气象站：%1，%2 小时（缺测 %3 小时）")
                           .arg(QString::fromStdString(year->station.name))
                           .arg(year->hours.size())
                           .arg(year->missingHours));
}

void CWeatherFileDlg::Browse()
{
    const QString path = m_chooseFile(this);
    if (path.isEmpty())
        return;
    m_path->setText(path);
}

void CWeatherFileDlg::RemoveYear()
{
    m_document.ClearWeatherYear();
    QDialog::accept();
}

void CWeatherFileDlg::accept()
{
    const QString path = m_path->text().trimmed();
    if (path.isEmpty()) {
        alertMessage(tr("请选择气象文件。").toStdString(), MessageIcon::Stop);
        return;
    }
    const WeatherYear* year = m_document.weatherYear();
    if (!year || QString::fromStdString(year->path) != path) {
        std::string error;
        if (!m_document.LoadWeatherFile(path.toStdString(), error)) {
            alertMessage(tr("无法读取气象文件 %1。\n%2")
                             .arg(QFileInfo(path).fileName(), QString::fromStdString(error))
                             .toStdString(),
                         MessageIcon::Stop);
            return;
        }
    }
    m_document.SetWeatherFilter(
        {m_firstMonth->value(), m_lastMonth->value(), m_fromHour->value(), m_toHour->value()});
    m_document.SetWeatherMapStyle(m_dots->isChecked() ? chart::WeatherMapStyle::Dots
                                                      : chart::WeatherMapStyle::Density);
    m_document.SetWeatherShown(true);
    QDialog::accept();
}
