#include "gui/drawing/CProcessLineDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "gui/drawing/FreeNames.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "psychro/Units.h"

using namespace qorva::units;

CProcessLineDlg::CProcessLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                 const ProcessLineEnd& start, const ProcessLineEnd& end, int editIndex,
                                 QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_start(start), m_end(end), m_nEditIndex(editIndex)
{
    setWindowTitle(tr("过程线"));
    auto* form = new QFormLayout(this);
    const CIDG& idg = model();
    QString name = QString::fromStdString(FreeProcessLineName(idg.m_pProcessLines, "GCL"));
    if (editIndex >= 0 && idg.m_pProcessLines && editIndex < static_cast<int>(idg.m_pProcessLines->size()))
        name = QString::fromStdString((*idg.m_pProcessLines)[static_cast<std::size_t>(editIndex)]->m_strName);
    m_name = AddText(form, tr("名称"), "name", name);

    // Two columns, start and end: the name list over the read-only state.
    const int units = idg.m_nUnitSystem;
    const bool si = unitSystemOf(units) == UnitSystem::SI;
    using unit_text::Caption;
    const QString captions[] = {tr("序号"),
                                Caption(tr("含湿量g/kg"), units),
                                Caption(tr("干球温度℃"), units),
                                Caption(si ? tr("焓kJ/kg") : tr("焓kcal/kg"), units),
                                Caption(tr("湿球温度℃"), units),
                                tr("相对湿度%")};
    const char* rowNames[] = {"Index", "D", "T", "H", "Tw", "RH"};
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("起点"), this), 0, 1);
    grid->addWidget(new QLabel(tr("终点"), this), 0, 2);
    auto column = [&](const char* prefix, const ProcessLineEnd& e, int col, StateRows& rows) {
        auto* list = new QComboBox(this);
        list->setObjectName(prefix);
        list->setEditable(true);
        FillList(list, idg, CIDG::kClassPoint);
        list->setCurrentIndex(e.index);
        list->setEditText(QString::fromStdString(e.name));
        grid->addWidget(list, 1, col);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            rows[r] = new QLineEdit(this);
            rows[r]->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(rowNames[r]));
            rows[r]->setReadOnly(r != 0);
            grid->addWidget(rows[r], static_cast<int>(r) + 2, col);
        }
        return list;
    };
    grid->addWidget(new QLabel(tr("名称"), this), 1, 0);
    for (std::size_t r = 0; r < std::size(captions); ++r)
        grid->addWidget(new QLabel(captions[r], this), static_cast<int>(r) + 2, 0);
    m_startName = column("start", start, 1, m_startRows);
    m_endName = column("end", end, 2, m_endRows);
    form->addRow(grid);
    auto follow = [this](QComboBox* names, const ProcessLineEnd* drawn, const StateRows* rows) {
        auto show = [this, names, drawn, rows] { ShowEnd(names, *drawn, *rows); };
        connect(names, &QComboBox::currentIndexChanged, this, show);
        connect(names, &QComboBox::editTextChanged, this, show);
        show();
    };
    follow(m_startName, &m_start, &m_startRows);
    follow(m_endName, &m_end, &m_endRows);
    // A 序号 typed that is a point's chooses that point, as its name would.
    for (auto [names, index] : {std::pair{m_startName, m_startRows[0]}, std::pair{m_endName, m_endRows[0]}})
        connect(index, &QLineEdit::textEdited, this, [names](const QString& text) {
            bool ok = false;
            const int chosen = text.toInt(&ok);
            if (ok && chosen >= 0 && chosen < names->count())
                names->setCurrentIndex(chosen);
        });
    AddButtons(form, tr("确认"));
}

ProcessLineEnd CProcessLineDlg::End(const QComboBox* names, const ProcessLineEnd& drawn) const
{
    ProcessLineEnd end = drawn;
    end.name = names->currentText().toStdString();
    // Choosing a name from the list makes that point the end; typing renames the drawn end.
    const int chosen = names->findText(names->currentText());
    if (chosen >= 0 && chosen != drawn.index && names->currentIndex() == chosen)
        end.index = chosen;
    return end;
}

void CProcessLineDlg::ShowEnd(const QComboBox* names, const ProcessLineEnd& drawn,
                              const StateRows& rows) const
{
    const ProcessLineEnd end = End(names, drawn);
    const CStatePoint* existing = model().PointAt(end.index);
    const CStatePoint& point = existing ? *existing : end.point;
    const int units = model().m_nUnitSystem;
    using unit_text::Number;
    using unit_text::Quantity;
    rows[0]->setText(QString::number(existing ? end.index : -1));
    rows[1]->setText(Number(Quantity::MoistureContent, point.m_d, units, "%.2f", "%.1f"));
    rows[2]->setText(Number(Quantity::Temperature, point.m_t, units, "%.1f"));
    rows[3]->setText(Number(Quantity::Enthalpy, point.m_h, units, "%.1f"));
    rows[4]->setText(Number(Quantity::Temperature, point.m_tw, units, "%.1f"));
    rows[5]->setText(Format("%.0f", point.m_RH * 100.0));
}

bool CProcessLineDlg::ReadIndex(QLineEdit* field, const ProcessLineEnd& end, const char* message) const
{
    const int count = model().m_pPoints ? static_cast<int>(model().m_pPoints->size()) : 0;
    bool ok = false;
    const int index = field->text().trimmed().toInt(&ok);
    // An end that is a new point shows −1 and may keep it.
    if (ok && (index == end.index || (index >= 0 && index < count)))
        return true;
    alertMessage(tr(message).arg(std::max(count - 1, 0)).toStdString(), MessageIcon::Stop,
                 tr("错误").toStdString());
    field->setFocus();
    field->selectAll();
    return false;
}

bool CProcessLineDlg::Apply()
{
    const ProcessLineEnd start = End(m_startName, m_start);
    const ProcessLineEnd end = End(m_endName, m_end);
    if (!ReadIndex(m_startRows[0], start, QT_TR_NOOP("起点序号必须为0－%1间的整数!")) ||
        !ReadIndex(m_endRows[0], end, QT_TR_NOOP("终点序号必须为0－%1间的整数!")))
        return false;
    const std::string name = m_name->text().toStdString();
    if (m_nEditIndex < 0)
        return m_edits.AddProcessLine(name, start, end);
    bool renameDeclined = false;
    if (m_edits.EditProcessLine(m_nEditIndex, name, start, end, &renameDeclined))
        return true;
    // "修改已经存在的过程线吗" answered Cancel: the line keeps its name.
    if (renameDeclined) {
        const CIDG& idg = model();
        if (idg.m_pProcessLines && m_nEditIndex < static_cast<int>(idg.m_pProcessLines->size()))
            m_name->setText(QString::fromStdString(
                (*idg.m_pProcessLines)[static_cast<std::size_t>(m_nEditIndex)]->m_strName));
    }
    return false;
}
