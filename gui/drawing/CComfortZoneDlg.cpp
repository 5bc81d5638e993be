#include "gui/drawing/CComfortZoneDlg.h"

#include <QComboBox>
#include <cmath>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "gui/chart/CQORVAView.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "psychro/QorvaDll.h"

namespace psy = qorva::psychro;

namespace {

std::optional<ComfortOccupant> g_lastOccupant;

constexpr double kWinterClo = 1.0;

// The code's zone of each kind of the list.
std::optional<psy::CodeZone> codeZoneOf(int kind)
{
    switch (kind) {
    case CComfortZoneDlg::kCoolingClass1:
        return psy::CodeZone::CoolingClass1;
    case CComfortZoneDlg::kCoolingClass2:
        return psy::CodeZone::CoolingClass2;
    case CComfortZoneDlg::kHeatingClass1:
        return psy::CodeZone::HeatingClass1;
    case CComfortZoneDlg::kHeatingClass2:
        return psy::CodeZone::HeatingClass2;
    default:
        return std::nullopt;
    }
}

QString number(const char* pattern, double value)
{
    return QString::asprintf(pattern, value);
}

// The kinds of the list in their Chinese source: a code zone's name is also
// the caption stored with the zone, which stays the same in every language.
constexpr const char* kKindNames[] = {QT_TRANSLATE_NOOP("CComfortZoneDlg", "自定义"),
                                      QT_TRANSLATE_NOOP("CComfortZoneDlg", "GB 50736 供冷 I级"),
                                      QT_TRANSLATE_NOOP("CComfortZoneDlg", "GB 50736 供冷 II级"),
                                      QT_TRANSLATE_NOOP("CComfortZoneDlg", "GB 50736 供热 I级"),
                                      QT_TRANSLATE_NOOP("CComfortZoneDlg", "GB 50736 供热 II级"),
                                      QT_TRANSLATE_NOOP("CComfortZoneDlg", "PMV 舒适区")};

} // namespace

ComfortOccupant CurrentComfortOccupant(bool winter)
{
    if (g_lastOccupant)
        return *g_lastOccupant;
    ComfortOccupant occupant;
    if (winter)
        occupant.clo = kWinterClo;
    return occupant;
}

void RememberComfortOccupant(const std::optional<ComfortOccupant>& occupant)
{
    g_lastOccupant = occupant;
}

std::pair<QString, QString> ComfortIndexTexts(double t, double RH, const ComfortOccupant& occupant)
{
    const auto index = psy::comfortIndex({t, t, occupant.airSpeed, RH, occupant.met, occupant.clo, 0.0});
    if (!index)
        return {CComfortZoneDlg::tr("超出适用范围"), QString()};
    // A PMV that rounds to zero is shown without a sign.
    const double pmv = std::abs(index->pmv) < 0.005 ? 0.0 : index->pmv;
    return {number("%.2f", pmv), number("%.1f", index->ppd)};
}

CComfortZoneDlg::CComfortZoneDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent)
{
    setWindowTitle(tr("绘制舒适区"));
    auto* form = new QFormLayout(this);
    m_base = new QComboBox(this);
    m_base->setObjectName("base");
    FillList(m_base, model(), CIDG::kClassPoint);
    // The zone is drawn around the room's indoor state N, the second design point.
    if (m_base->count() > 1)
        m_base->setCurrentIndex(1);
    form->addRow(tr("基点（室内状态点）:"), m_base);

    m_kind = new QComboBox(this);
    m_kind->setObjectName("kind");
    for (const char* name : kKindNames)
        m_kind->addItem(tr(name));
    form->addRow(tr("舒适区依据:"), m_kind);

    // The tolerance ±0.5 K, typed in the project's units.
    const int units = model().m_nUnitSystem;
    m_dt = AddNumber(form, unit_text::Caption(tr("温度波动范围(℃)："), units), "dt",
                     unit_text::Number(unit_text::Quantity::TemperatureDifference, 0.5f, units, "%.1f"));
    m_dRH = AddNumber(form, tr("相对湿度波动范围(%):"), "dRH", QStringLiteral("5"));

    const ComfortOccupant occupant = CurrentComfortOccupant(model().CurrentCondition() == kConditionWinter);
    m_limitClass = new QComboBox(this);
    m_limitClass->setObjectName("limitClass");
    m_limitClass->addItems({tr("I级 |PMV| ≤ 0.5"), tr("II级 |PMV| ≤ 1.0"), tr("输入限值")});
    form->addRow(tr("PMV 限值:"), m_limitClass);
    m_limit = AddNumber(form, tr("限值 |PMV| ≤"), "limit", QStringLiteral("0.5"));
    m_met = AddNumber(form, tr("代谢率(met):"), "met", number("%.1f", occupant.met));
    m_clo = AddNumber(form, tr("服装热阻(clo):"), "clo", number("%.1f", occupant.clo));
    m_airSpeed = AddNumber(form, tr("空气流速(m/s):"), "airSpeed", number("%.2f", occupant.airSpeed));
    m_rhLow = AddNumber(form, tr("相对湿度下限(%):"), "rhLow", QStringLiteral("30"));
    m_rhHigh = AddNumber(form, tr("相对湿度上限(%):"), "rhHigh", QStringLiteral("70"));

    m_note = new QLabel(this);
    m_note->setObjectName("note");
    m_note->setWordWrap(true);
    form->addRow(m_note);
    AddButtons(form, tr("确定"));

    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { OnKindChanged(); });
    connect(m_limitClass, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == 0)
            m_limit->setText(QStringLiteral("0.5"));
        else if (index == 1)
            m_limit->setText(QStringLiteral("1.0"));
        m_limit->setEnabled(index == 2);
    });
    m_limit->setEnabled(false);
    OnKindChanged();
}

void CComfortZoneDlg::OnKindChanged()
{
    const int kind = m_kind->currentIndex();
    const bool custom = kind == kCustom;
    const bool pmv = kind == kPmv;
    m_dt->setEnabled(custom);
    m_dRH->setEnabled(custom);
    m_limitClass->setEnabled(pmv);
    m_limit->setEnabled(pmv && m_limitClass->currentIndex() == 2);
    for (QLineEdit* edit : {m_met, m_clo, m_airSpeed, m_rhLow, m_rhHigh})
        edit->setEnabled(pmv);

    QString note;
    if (const auto code = codeZoneOf(kind)) {
        const psy::CodeZoneBounds b = psy::codeZoneBounds(*code);
        const QString low = b.lowOpen ? tr("未规定") : number("%.0f%%", b.RHLow * 100.0);
        const QString high = b.highOpen ? tr("未规定") : number("%.0f%%", b.RHHigh * 100.0);
        const int units = model().m_nUnitSystem;
        const auto t = [units](double c) {
            return number("%.0f",
                          unit_text::Shown(unit_text::Quantity::Temperature, static_cast<float>(c), units));
        };
        note = unit_text::Caption(tr("GB 50736-2012 表3.0.2：%1–%2 ℃，相对湿度 %3 至 %4。"), units)
                   .arg(t(b.tLow), t(b.tHigh), low, high);
        // Each further sentence on a line of its own, whatever the language's spacing.
        if (b.lowOpen)
            note += QLatin1Char('\n') + tr("下限未规定，取图的下边界（相对湿度 0%）。");
        if (b.highOpen)
            note += QLatin1Char('\n') + tr("上限未规定，取图的饱和线（相对湿度 100%）。");
    } else if (pmv) {
        note = tr("ISO 7730 / GB 50736-2012 3.0.4：PMV = "
                  "±限值的两条线（平均辐射温度取空气温度）与相对湿度上下限围成的区域。");
    } else {
        note = tr("以基点为中心，温度与相对湿度各向两侧波动。");
    }
    m_note->setText(note);
    // A wrapped explanation of more lines needs a taller dialog: a window
    // takes only its layout's minimum size, which knows nothing of wrapping.
    if (QLayout* form = layout()) {
        form->activate();
        const int needed = form->totalHeightForWidth(width());
        setMinimumHeight(needed);
        if (isVisible() && height() < needed)
            resize(width(), needed);
    }
}

std::optional<psy::ComfortCorners> CComfortZoneDlg::PmvCorners(QString& caption)
{
    float limit = 0, met = 0, clo = 0, airSpeed = 0, rhLow = 0, rhHigh = 0;
    if (!ReadNumber(m_limit, limit) || !ReadNumber(m_met, met) || !ReadNumber(m_clo, clo) ||
        !ReadNumber(m_airSpeed, airSpeed) || !ReadNumber(m_rhLow, rhLow) || !ReadNumber(m_rhHigh, rhHigh)) {
        alertMessage(tr("请输入PMV舒适区的全部参数").toStdString(), MessageIcon::Stop);
        return std::nullopt;
    }
    psy::ComfortFault fault = psy::ComfortFault::None;
    const auto corners =
        psy::pmvZoneCorners(limit, met, clo, airSpeed, rhLow / 100.0, rhHigh / 100.0, &fault);
    if (!corners) {
        QString why;
        switch (fault) {
        case psy::ComfortFault::Limit:
            why = tr("PMV限值须大于0且不大于3");
            break;
        case psy::ComfortFault::Humidity:
            why = tr("相对湿度下限须小于上限，且在0－100之间");
            break;
        case psy::ComfortFault::Metabolism:
            why = tr("代谢率须在0.8－4 met之间");
            break;
        case psy::ComfortFault::Clothing:
            why = tr("服装热阻须在0－2 clo之间");
            break;
        case psy::ComfortFault::AirSpeed:
            why = tr("空气流速须在0－1 m/s之间");
            break;
        default:
            why = tr("PMV = ±限值在10－30℃之间达不到");
            break;
        }
        alertMessage(tr("无法绘制PMV舒适区：%1").arg(why).toStdString(), MessageIcon::Stop);
        return std::nullopt;
    }
    RememberComfortOccupant(ComfortOccupant{met, clo, airSpeed});
    // Stored with the zone: the same text in every language.
    caption = QStringLiteral("PMV ±%1 (%2 met, %3 clo, %4 m/s, %5–%6%)")
                  .arg(number("%.2g", limit), number("%.2g", met), number("%.2g", clo),
                       number("%.2f", airSpeed), number("%.0f", rhLow), number("%.0f", rhHigh));
    return corners;
}

QPoint CComfortZoneDlg::CaptionPlace(const psy::ComfortCorner& corner)
{
    CStatePoint state;
    float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    if (!ptRH_all(model().m_fSummerPressure, static_cast<float>(corner.t), static_cast<float>(corner.RH), &x,
                  &h, &tw, &td, &pq, &pqb, &v, &rho))
        return {};
    state.m_d = x;
    state.m_h = h;
    // The view lays the chart out on its first mapping.
    m_view.ChartRelative(QPoint());
    const CanvasPoint at = m_view.chart().PointPosition(state);
    constexpr int kGap = 6; // pixels between the corner and its caption
    return m_view.ChartRelative(QPoint(at.x + kGap, at.y));
}

bool CComfortZoneDlg::Apply()
{
    const int kind = m_kind->currentIndex();
    if (kind == kCustom) {
        float dt = 0;
        float dRH = 0;
        if (!ReadNumber(m_dt, dt) || !ReadNumber(m_dRH, dRH))
            return false;
        dt = unit_text::Stored(unit_text::Quantity::TemperatureDifference, dt, model().m_nUnitSystem);
        return m_edits.MakeComfortZone(m_base->currentIndex(), dt, dRH);
    }
    psy::ComfortCorners corners;
    QString caption;
    if (const auto code = codeZoneOf(kind)) {
        corners = psy::codeZoneCorners(*code);
        caption = QString::fromUtf8(kKindNames[kind]);
    } else {
        const auto pmvCorners = PmvCorners(caption);
        if (!pmvCorners)
            return false;
        corners = *pmvCorners;
    }
    const QPoint place = CaptionPlace(corners[3]);
    return m_edits.MakeComfortZone(m_base->currentIndex(), corners, caption.toStdString(), place.x(),
                                   place.y());
}
