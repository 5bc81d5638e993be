#include "gui/drawing/CBuilderDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

#include "gui/chart/CQORVAView.h"
#include "gui/drawing/ChartPicker.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"

CBuilderDlg::CBuilderDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent)
    : QDialog(parent), m_document(document), m_view(view), m_picker(picker), m_edits(document)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CBuilderDlg::~CBuilderDlg() = default;

const CIDG& CBuilderDlg::model() const
{
    return m_document.model();
}

void CBuilderDlg::accept()
{
    if (!Apply())
        return;
    m_view.SetPreviewPoint(std::nullopt);
    QDialog::accept();
}

void CBuilderDlg::reject()
{
    m_picker.Disarm();
    m_view.SetPreviewPoint(std::nullopt);
    QDialog::reject();
}

void CBuilderDlg::UpdatePreview()
{
    m_view.SetPreviewPoint(PreviewPoint());
}

void CBuilderDlg::FillList(QComboBox* list, const CIDG& idg, int objectClass)
{
    const int current = list->currentIndex();
    list->clear();
    auto fill = [list](const auto* objects) {
        for (std::size_t i = 0; objects && i < objects->size(); ++i)
            list->addItem(QString::fromStdString((*objects)[i]->m_strName));
    };
    if (objectClass == CIDG::kClassPoint)
        fill(idg.m_pPoints);
    else if (objectClass == CIDG::kClassProcessLine)
        fill(idg.m_pProcessLines);
    else if (objectClass == CIDG::kClassHhrLine)
        fill(idg.m_pHhrLines);
    if (current >= 0 && current < list->count())
        list->setCurrentIndex(current);
}

QComboBox* CBuilderDlg::AddObjectList(QFormLayout* form, const QString& label, int objectClass,
                                      const QString& name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    FillList(list, model(), objectClass);
    auto* pick = new QPushButton(QStringLiteral("..."), this);
    pick->setObjectName(name + QStringLiteral("Pick"));
    pick->setFixedWidth(30);
    connect(pick, &QPushButton::clicked, this, [this, list, objectClass] {
        m_picker.Arm(this, objectClass, [list](int index) { list->setCurrentIndex(index); });
    });
    connect(list, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    auto* row = new QHBoxLayout;
    row->addWidget(list, 1);
    row->addWidget(pick);
    form->addRow(label, row);
    return list;
}

QLineEdit* CBuilderDlg::AddNumber(QFormLayout* form, const QString& label, const QString& name,
                                  const QString& text)
{
    QLineEdit* edit = AddText(form, label, name, text);
    makeNumeric(edit);
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
    return edit;
}

QLineEdit* CBuilderDlg::AddText(QFormLayout* form, const QString& label, const QString& name,
                                const QString& text)
{
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    form->addRow(label, edit);
    return edit;
}

QDialogButtonBox* CBuilderDlg::AddButtons(QFormLayout* form, const QString& okText)
{
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okText, QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CBuilderDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBuilderDlg::reject);
    form->addRow(buttons);
    return buttons;
}

bool CBuilderDlg::ReadNumber(const QLineEdit* edit, float& value)
{
    bool ok = false;
    const float read = edit->text().trimmed().toFloat(&ok);
    if (!ok)
        return false;
    value = read;
    return true;
}

QString CBuilderDlg::Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromUtf8(text);
}

CBuilderDlg::StateReadout CBuilderDlg::AddStateReadout(QFormLayout* form, int row, const QString& suffix)
{
    StateReadout readout;
    auto add = [&](const QString& label, const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name + suffix);
        edit->setReadOnly(true);
        form->insertRow(row < 0 ? -1 : row++, label, edit);
        return edit;
    };
    readout.t = add(unit_text::Caption(tr("干球温度℃"), model().m_nUnitSystem), "stateT");
    readout.tw = add(unit_text::Caption(tr("湿球温度℃"), model().m_nUnitSystem), "stateTw");
    readout.RH = add(tr("相对湿度％"), "stateRH");
    return readout;
}

void CBuilderDlg::ShowState(const StateReadout& readout, const std::optional<CStatePoint>& point) const
{
    const int units = model().m_nUnitSystem;
    using unit_text::Quantity;
    readout.t->setText(point ? unit_text::Number(Quantity::Temperature, point->m_t, units, "%.1f")
                             : QString());
    readout.tw->setText(point ? unit_text::Number(Quantity::Temperature, point->m_tw, units, "%.1f")
                              : QString());
    readout.RH->setText(point ? Format("%.0f", point->m_RH * 100.0) : QString());
}

void CBuilderDlg::AddEditButtons(QFormLayout* form, int row, const QString& calculateText,
                                 const QString& independentText, std::function<void()> calculate)
{
    auto* calculateButton = new QPushButton(calculateText, this);
    calculateButton->setObjectName("calculate");
    calculateButton->setAutoDefault(false);
    connect(calculateButton, &QPushButton::clicked, this, std::move(calculate));
    auto* independent = new QPushButton(independentText, this);
    independent->setObjectName("independent");
    independent->setAutoDefault(false);
    connect(independent, &QPushButton::clicked, this, [this, independent] {
        m_bMakeIndependent = true;
        independent->setEnabled(false);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculateButton);
    buttons->addWidget(independent);
    form->insertRow(row, buttons);
}
