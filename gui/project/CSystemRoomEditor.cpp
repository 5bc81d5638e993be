#include "gui/project/CSystemRoomEditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string ss(const QString& text)
{
    return text.toStdString();
}

// Controls carry their dialog-resource id, so tests and readers can map them
// to the design table.
template <class W> W* tagged(W* widget, const QString& name, int id)
{
    widget->setObjectName(name);
    widget->setProperty("controlId", id);
    return widget;
}

QLineEdit* numberEdit(QWidget* parent, const QString& name, int id)
{
    auto* edit = tagged(new QLineEdit(parent), name, id);
    makeNumeric(edit);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")));
    return edit;
}

void fillCombo(QComboBox* combo, const std::vector<std::string>& items, int selection,
               const std::string& text)
{
    combo->clear();
    for (const std::string& item : items)
        combo->addItem(qs(item));
    combo->setCurrentIndex(selection);
    combo->setEditText(qs(text));
}

} // namespace

CSystemRoomEditor::CSystemRoomEditor(SystemRoomEdit::Variant variant, QWidget* parent)
    : QWidget(parent), m_edit(variant)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    auto makeCombo = [this](const char* name, int id) {
        auto* combo = tagged(new QComboBox(this), name, id);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Inline completion would turn a new name being typed into an
        // existing one, and 增加 would then refuse it.
        combo->setCompleter(nullptr);
        combo->setMinimumWidth(160);
        return combo;
    };
    m_system = makeCombo("systemName", 1003);
    m_room = makeCombo("roomName", 1010);
    auto makeButton = [this](const char* text, const char* name, int id) {
        // Enter keeps meaning OK / Next, not the last button pressed.
        auto* button = tagged(new QPushButton(tr(text), this), name, id);
        button->setAutoDefault(false);
        return button;
    };
    QPushButton* addSystem = makeButton(QT_TR_NOOP("增加"), "addSystem", 1004);
    QPushButton* removeSystem = makeButton(QT_TR_NOOP("删除"), "removeSystem", 1005);
    QPushButton* addRoom = makeButton(QT_TR_NOOP("增加"), "addRoom", 1008);
    QPushButton* removeRoom = makeButton(QT_TR_NOOP("删除"), "removeRoom", 1009);
    top->addWidget(new QLabel(tr("系统名称:"), this), 0, 0);
    top->addWidget(m_system, 0, 1);
    top->addWidget(addSystem, 0, 2);
    top->addWidget(removeSystem, 0, 3);
    top->addWidget(new QLabel(tr("服务区域名称:"), this), 1, 0);
    top->addWidget(m_room, 1, 1);
    top->addWidget(addRoom, 1, 2);
    top->addWidget(removeRoom, 1, 3);
    top->setColumnStretch(4, 1);
    layout->addLayout(top);

    auto* seasons = new QHBoxLayout;
    seasons->addWidget(buildSeason(true));
    seasons->addWidget(buildSeason(false));
    layout->addLayout(seasons);

    connect(addSystem, &QPushButton::clicked, this, [this] { run(&SystemRoomEdit::AddSystem); });
    connect(removeSystem, &QPushButton::clicked, this, [this] { run(&SystemRoomEdit::RemoveSystem); });
    connect(addRoom, &QPushButton::clicked, this, [this] { run(&SystemRoomEdit::AddRoom); });
    connect(removeRoom, &QPushButton::clicked, this, [this] { run(&SystemRoomEdit::RemoveRoom); });
    connect(m_system, &QComboBox::activated, this, [this](int index) {
        if (m_showing)
            return;
        readControls();
        const bool chosen = m_edit.ChooseSystem(index);
        showEdit();
        if (!chosen)
            selectRefusedField();
    });
    connect(m_room, &QComboBox::activated, this, [this](int index) {
        if (m_showing)
            return;
        readControls();
        const bool chosen = m_edit.ChooseRoom(index);
        showEdit();
        if (!chosen)
            selectRefusedField();
    });
    showEdit();
}

QWidget* CSystemRoomEditor::buildSeason(bool summer)
{
    auto* group = new QGroupBox(summer ? tr("夏季(制冷工况)") : tr("冬季(制热工况)"), this);
    auto* layout = new QVBoxLayout(group);
    if (summer) {
        layout->addWidget(
            buildState(tr("室外状态点"), "summerOut", 1019, 1020, 1021, 1002, 1006, 1007, m_summerOut));
        layout->addWidget(
            buildState(tr("室内状态点"), "summerIn", 1011, 1022, 1012, 1013, 1014, 1015, m_summerIn));
    } else {
        layout->addWidget(
            buildState(tr("室外状态点"), "winterOut", 1026, 1027, 1042, 1028, 1029, 1030, m_winterOut));
        layout->addWidget(
            buildState(tr("室内状态点"), "winterIn", 1031, 1043, 1032, 1033, 1034, 1035, m_winterIn));
    }
    auto* loads = new QGridLayout;
    QLineEdit*& load = summer ? m_coolingLoad : m_heatLoad;
    QLineEdit*& moist = summer ? m_summerMoist : m_winterMoist;
    QLineEdit*& fresh = summer ? m_summerFresh : m_winterFresh;
    QLabel*& unit = summer ? m_coolingUnit : m_heatUnit;
    load = numberEdit(group, summer ? "coolingLoad" : "heatLoad", summer ? 1016 : 1036);
    moist = numberEdit(group, summer ? "summerMoistLoad" : "winterMoistLoad", summer ? 1017 : 1038);
    fresh = numberEdit(group, summer ? "summerFreshAir" : "winterFreshAir", summer ? 1018 : 1040);
    unit = tagged(new QLabel("kW", group), summer ? "coolingUnit" : "heatUnit", summer ? 1023 : 1037);
    loads->addWidget(new QLabel(summer ? tr("室内空调冷负荷:") : tr("室内空调热负荷:"), group), 0, 0);
    loads->addWidget(load, 0, 1);
    loads->addWidget(unit, 0, 2);
    loads->addWidget(new QLabel(tr("室内空调湿负荷:"), group), 1, 0);
    loads->addWidget(moist, 1, 1);
    loads->addWidget(unitLabel(group, QStringLiteral("kg/h")), 1, 2);
    loads->addWidget(new QLabel(tr("新风量:"), group), 2, 0);
    loads->addWidget(fresh, 2, 1);
    loads->addWidget(unitLabel(group, QStringLiteral("m^3/h")), 2, 2);
    loads->setColumnStretch(3, 1);
    layout->addLayout(loads);
    return group;
}

QLabel* CSystemRoomEditor::unitLabel(QWidget* parent, const QString& siUnit)
{
    auto* label = new QLabel(siUnit, parent);
    m_unitLabels.emplace_back(label, siUnit);
    return label;
}

QWidget* CSystemRoomEditor::buildState(const QString& title, const char* prefix, int idName, int idT,
                                       int idTw, int idRH, int idByTw, int idByRH, StateControls& c)
{
    const QString p = QString::fromLatin1(prefix);
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    c.name = tagged(new QLineEdit(group), p + "Name", idName);
    c.name->setMinimumWidth(c.name->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")));
    c.t = numberEdit(group, p + "T", idT);
    c.tw = numberEdit(group, p + "Tw", idTw);
    c.rh = numberEdit(group, p + "RH", idRH);
    c.byTw = tagged(new QRadioButton(tr("湿球温度"), group), p + "ByTw", idByTw);
    c.byRH = tagged(new QRadioButton(tr("相对湿度"), group), p + "ByRH", idByRH);
    auto* selector = new QButtonGroup(group);
    selector->addButton(c.byTw);
    selector->addButton(c.byRH);
    grid->addWidget(new QLabel(tr("名称:"), group), 0, 0);
    grid->addWidget(c.name, 0, 1);
    grid->addWidget(new QLabel(tr("干球温度:"), group), 1, 0);
    grid->addWidget(c.t, 1, 1);
    grid->addWidget(unitLabel(group, QStringLiteral("℃")), 1, 2);
    grid->addWidget(c.byTw, 2, 0);
    grid->addWidget(c.tw, 2, 1);
    grid->addWidget(unitLabel(group, QStringLiteral("℃")), 2, 2);
    grid->addWidget(c.byRH, 3, 0);
    grid->addWidget(c.rh, 3, 1);
    grid->addWidget(new QLabel("%", group), 3, 2);
    grid->setColumnStretch(3, 1);
    const StateControls controls = c;
    connect(c.byRH, &QRadioButton::toggled, this, [controls] { enableBySelector(controls); });
    return group;
}

void CSystemRoomEditor::enableBySelector(const StateControls& c)
{
    const bool byRH = c.byRH->isChecked();
    c.rh->setEnabled(byRH);
    c.tw->setEnabled(!byRH);
}

void CSystemRoomEditor::showState(const StateControls& c, const std::string& name, const std::string& t,
                                  const std::string& tw, const std::string& rh, bool byRH)
{
    c.name->setText(qs(name));
    c.t->setText(qs(t));
    c.tw->setText(qs(tw));
    c.rh->setText(qs(rh));
    (byRH ? c.byRH : c.byTw)->setChecked(true);
    enableBySelector(c);
}

void CSystemRoomEditor::showEdit()
{
    m_showing = true;
    fillCombo(m_system, m_edit.systemNames(), m_edit.systemSelection(), m_edit.systemText);
    fillCombo(m_room, m_edit.roomNames(), m_edit.roomSelection(), m_edit.roomText);
    const SystemRoomEdit::OutdoorTexts& o = m_edit.outdoor;
    showState(m_summerOut, o.summerName, o.summerT, o.summerTw, o.summerRH, o.summerByRH);
    showState(m_winterOut, o.winterName, o.winterT, o.winterTw, o.winterRH, o.winterByRH);
    const SystemRoomEdit::RoomTexts& r = m_edit.room;
    showState(m_summerIn, r.summerName, r.summerT, r.summerTw, r.summerRH, r.summerByRH);
    showState(m_winterIn, r.winterName, r.winterT, r.winterTw, r.winterRH, r.winterByRH);
    m_coolingLoad->setText(qs(r.coolingLoad));
    m_summerMoist->setText(qs(r.summerMoistLoad));
    m_summerFresh->setText(qs(r.summerFreshAir));
    m_heatLoad->setText(qs(r.heatLoad));
    m_winterMoist->setText(qs(r.winterMoistLoad));
    m_winterFresh->setText(qs(r.winterFreshAir));
    m_coolingUnit->setText(QString::fromLatin1(m_edit.loadUnitLabel()));
    m_heatUnit->setText(QString::fromLatin1(m_edit.loadUnitLabel()));
    for (const auto& [label, siUnit] : m_unitLabels)
        label->setText(unit_text::Caption(siUnit, m_edit.unitSystem()));
    m_showing = false;
}

void CSystemRoomEditor::readControls()
{
    m_edit.systemText = ss(m_system->currentText());
    m_edit.roomText = ss(m_room->currentText());
    SystemRoomEdit::OutdoorTexts& o = m_edit.outdoor;
    o.summerName = ss(m_summerOut.name->text());
    o.summerT = ss(m_summerOut.t->text());
    o.summerTw = ss(m_summerOut.tw->text());
    o.summerRH = ss(m_summerOut.rh->text());
    o.summerByRH = m_summerOut.byRH->isChecked();
    o.winterName = ss(m_winterOut.name->text());
    o.winterT = ss(m_winterOut.t->text());
    o.winterTw = ss(m_winterOut.tw->text());
    o.winterRH = ss(m_winterOut.rh->text());
    o.winterByRH = m_winterOut.byRH->isChecked();
    SystemRoomEdit::RoomTexts& r = m_edit.room;
    r.summerName = ss(m_summerIn.name->text());
    r.summerT = ss(m_summerIn.t->text());
    r.summerTw = ss(m_summerIn.tw->text());
    r.summerRH = ss(m_summerIn.rh->text());
    r.summerByRH = m_summerIn.byRH->isChecked();
    r.coolingLoad = ss(m_coolingLoad->text());
    r.summerMoistLoad = ss(m_summerMoist->text());
    r.summerFreshAir = ss(m_summerFresh->text());
    r.winterName = ss(m_winterIn.name->text());
    r.winterT = ss(m_winterIn.t->text());
    r.winterTw = ss(m_winterIn.tw->text());
    r.winterRH = ss(m_winterIn.rh->text());
    r.winterByRH = m_winterIn.byRH->isChecked();
    r.heatLoad = ss(m_heatLoad->text());
    r.winterMoistLoad = ss(m_winterMoist->text());
    r.winterFreshAir = ss(m_winterFresh->text());
}

void CSystemRoomEditor::run(bool (SystemRoomEdit::*button)())
{
    readControls();
    if (!(m_edit.*button)()) {
        showEdit();
        selectRefusedField();
        return;
    }
    showEdit();
}

bool CSystemRoomEditor::validate()
{
    readControls();
    const bool valid = m_edit.Validate();
    showEdit();
    if (!valid)
        selectRefusedField();
    return valid;
}

void CSystemRoomEditor::selectRefusedField()
{
    using Field = SystemRoomEdit::Field;
    const std::pair<Field, QLineEdit*> fields[] = {
        {Field::SummerOutT, m_summerOut.t},   {Field::SummerOutTw, m_summerOut.tw},
        {Field::SummerOutRH, m_summerOut.rh}, {Field::WinterOutT, m_winterOut.t},
        {Field::WinterOutTw, m_winterOut.tw}, {Field::WinterOutRH, m_winterOut.rh},
        {Field::SummerInT, m_summerIn.t},     {Field::SummerInTw, m_summerIn.tw},
        {Field::SummerInRH, m_summerIn.rh},   {Field::WinterInT, m_winterIn.t},
        {Field::WinterInTw, m_winterIn.tw},   {Field::WinterInRH, m_winterIn.rh}};
    for (const auto& [field, edit] : fields)
        if (field == m_edit.refusedField()) {
            edit->setFocus();
            edit->selectAll();
        }
}

void CSystemRoomEditor::changeUnitSystem(int unitSystem)
{
    readControls();
    m_edit.ChangeUnitSystem(unitSystem);
    showEdit();
}
