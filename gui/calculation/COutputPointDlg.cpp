#include "gui/calculation/COutputPointDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "psychro/Units.h"

COutputPointDlg::COutputPointDlg(CQORVADoc& document, QWidget* parent) : QDialog(parent), m_document(document)
{
    setWindowTitle(tr("输出状态点"));
    auto* form = new QFormLayout(this);
    m_points = new QComboBox;
    m_points->setObjectName(QStringLiteral("name"));
    if (const auto* points = document.model().m_pPoints)
        for (const auto& point : *points)
            m_points->addItem(QString::fromStdString(point->m_strName));
    m_t = new QLabel;
    m_t->setObjectName(QStringLiteral("t"));
    m_tw = new QLabel;
    m_tw->setObjectName(QStringLiteral("tw"));
    m_rh = new QLabel;
    m_rh->setObjectName(QStringLiteral("rh"));
    m_caption = new QLineEdit;
    m_caption->setObjectName(QStringLiteral("caption"));
    form->addRow(tr("名称"), m_points);
    const int units = document.model().m_nUnitSystem;
    form->addRow(unit_text::Caption(tr("干球温度 ℃"), units), m_t);
    form->addRow(unit_text::Caption(tr("湿球温度 ℃"), units), m_tw);
    form->addRow(tr("相对湿度 %"), m_rh);
    form->addRow(tr("说明："), m_caption);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr("确认"));
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(tr("取消"));
    cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(m_points, &QComboBox::currentIndexChanged, this, [this] { ShowPoint(); });
    connect(ok, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowPoint();
}

void COutputPointDlg::ShowPoint()
{
    const CStatePoint* point = m_document.model().PointAt(m_points->currentIndex());
    const int units = m_document.model().m_nUnitSystem;
    using unit_text::Quantity;
    m_t->setText(point ? unit_text::Number(Quantity::Temperature, point->m_t, units, "%.1f") : QString());
    m_tw->setText(point ? unit_text::Number(Quantity::Temperature, point->m_tw, units, "%.1f") : QString());
    m_rh->setText(point ? QString::asprintf("%.0f", double(qorva::units::humidityShown(point->m_RH)))
                        : QString());
}

bool COutputPointDlg::Confirm()
{
    if (m_points->currentIndex() < 0)
        return false;
    if (!AddOutputStateText(m_document, m_points->currentIndex(), m_caption->text().toStdString()))
        return false;
    accept();
    return true;
}
