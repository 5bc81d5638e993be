#include "gui/analysis/AnalysisDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>

#include "gui/analysis/AnnualFreshAirDialog.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

namespace {

using namespace analysis_messages;

// Digits, "." and a leading "-": what a numeric box accepts.
const QRegularExpression kNumberPattern(QStringLiteral("-?[0-9]*\\.?[0-9]*"));

QString fixed2(double value)
{
    return QString::number(value, 'f', 2);
}

// text and caption are sources of the AnalysisFramework context.
void refuse(const char* text)
{
    alertMessage(QCoreApplication::translate("AnalysisFramework", text).toStdString(),
                 MessageIcon::Exclamation,
                 QCoreApplication::translate("AnalysisFramework", kInputCaption).toStdString());
}

// A number typed into a box, or nothing when the box holds no number.
std::optional<double> numberIn(const QString& text)
{
    if (text.isEmpty() || !kNumberPattern.match(text).hasMatch() ||
        kNumberPattern.match(text).capturedLength() != text.size())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

double numberOr0(const QLineEdit* edit)
{
    return numberIn(edit->text()).value_or(0.0);
}

// A machine dew point held as a whole percent, 1 to 100: the box's number,
// or nothing (after the refusal) when it has a fractional part, which would
// otherwise be cut off silently, or lies outside that range.
std::optional<int> wholePercent(const QLineEdit* edit)
{
    const double value = numberOr0(edit);
    if (value != std::trunc(value) || value <= 0.0 || value > 100.0) {
        refuse(kDewPointWholeInvalid);
        return std::nullopt;
    }
    return static_cast<int>(value);
}

QComboBox* supplyBox(int maxFlag, const QString& difference)
{
    auto* box = new QComboBox;
    box->setEditable(true);
    // As wide as its choice in every language, whatever was typed over it.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->addItem(QCoreApplication::translate("AnalysisFramework", kMaxDifferenceItem));
    if (maxFlag)
        box->setCurrentIndex(0);
    else
        box->setEditText(difference);
    return box;
}

bool isMaxDifference(const QComboBox* box)
{
    // The first item is the choice; anything typed over it is a number.
    return box->count() > 0 && box->currentText() == box->itemText(0);
}

} // namespace

CAnalysisDlg::CAnalysisDlg(CQORVADoc& document, const QString& title, QWidget* parent)
    : QDialog(parent), m_document(document)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    layout->addLayout(m_form);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAnalysisDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAnalysisDlg::reject);
    layout->addWidget(buttons);
}

const CServiceArea& CAnalysisDlg::room() const
{
    static const CServiceArea defaults;
    const CServiceArea* current = m_document.model().CurrentRoom();
    return current ? *current : defaults;
}

QString CAnalysisDlg::ShownTemperature(double stored, bool difference) const
{
    const auto quantity =
        difference ? unit_text::Quantity::TemperatureDifference : unit_text::Quantity::Temperature;
    return fixed2(qorva::units::shown(quantity, stored,
                                      qorva::units::displaySystemOf(m_document.model().m_nUnitSystem)));
}

double CAnalysisDlg::StoredTemperature(double typed, bool difference) const
{
    const auto quantity =
        difference ? unit_text::Quantity::TemperatureDifference : unit_text::Quantity::Temperature;
    return qorva::units::stored(quantity, typed,
                                qorva::units::displaySystemOf(m_document.model().m_nUnitSystem));
}

QString CAnalysisDlg::Caption(const QString& caption) const
{
    return unit_text::Caption(caption, m_document.model().m_nUnitSystem);
}

QLineEdit* CAnalysisDlg::AddNumber(QFormLayout* form, const QString& label, const QString& text)
{
    auto* edit = new QLineEdit(text);
    edit->setValidator(new QRegularExpressionValidator(kNumberPattern, edit));
    form->addRow(label, edit);
    return edit;
}

QRadioButton* CAnalysisDlg::AddRadio(QButtonGroup* group, QFormLayout* form, const QString& text, int id)
{
    auto* radio = new QRadioButton(text);
    group->addButton(radio, id);
    form->addRow(radio);
    return radio;
}

void CAnalysisDlg::AddWinterToggle(QWidget* winterPart)
{
    auto* toggle = new QPushButton(tr("冬季工况"));
    m_form->addRow(toggle);
    m_form->addRow(winterPart);
    winterPart->setVisible(false);
    connect(toggle, &QPushButton::clicked, this, [this, winterPart] {
        winterPart->setVisible(!winterPart->isVisible());
        adjustSize();
    });
}

void CAnalysisDlg::AddRecovery(QFormLayout* form, const RecoveryParams& stored)
{
    m_recovery = new QComboBox;
    m_recovery->addItem(tr("无热回收"), int(kRecoveryNone));
    m_recovery->addItem(tr("全热回收"), int(kRecoveryTotal));
    m_recovery->addItem(tr("显热回收"), int(kRecoverySensible));
    m_recovery->setCurrentIndex(std::max(m_recovery->findData(stored.mode), 0));
    form->addRow(tr("排风热回收"), m_recovery);
    m_recoveryEffectiveness = AddNumber(form, tr("热回收效率(0-1)"), fixed2(stored.effectiveness));
    const auto enable = [this] {
        m_recoveryEffectiveness->setEnabled(m_recovery->currentData().toInt() != kRecoveryNone);
    };
    enable();
    connect(m_recovery, &QComboBox::currentIndexChanged, this, enable);
}

std::optional<RecoveryParams> CAnalysisDlg::ReadRecovery()
{
    RecoveryParams recovery;
    recovery.mode = m_recovery->currentData().toInt();
    const std::optional<double> e = numberIn(m_recoveryEffectiveness->text());
    if (recovery.mode != kRecoveryNone && (!e || *e < 0.0 || *e > 1.0)) {
        refuse(kRecoveryEffectivenessInvalid);
        return std::nullopt;
    }
    // Without an exchanger the box is disabled and its number means nothing:
    // the room keeps the effectiveness it has, which a project file must
    // hold within 0 to 1.
    if (recovery.mode == kRecoveryNone && (!e || *e < 0.0 || *e > 1.0))
        recovery.effectiveness = room().m_recovery.effectiveness;
    else
        recovery.effectiveness = static_cast<float>(e.value_or(0.0));
    return recovery;
}

void CAnalysisDlg::accept()
{
    const std::optional<AnalysisRequest> request = ReadRequest();
    if (!request)
        return;
    // Objects the user drew in a view the run empties go only on a 是.
    if (const auto views = DrawnObjectsAnalysisClears(m_document.model(), *request); !views.empty()) {
        const std::string question = ClearDrawnObjectsQuestion(m_document.model(), views);
        if (!messages().askYesNo(question, MessageIcon::Question, std::string()))
            return;
    }
    std::string message;
    if (!m_document.RunAnalysis(*request, message)) {
        alertMessage(message, MessageIcon::Stop,
                     QCoreApplication::translate("AnalysisFramework", kCaption).toStdString());
        return;
    }
    QDialog::accept();
}

CPrimaryAnalysisDlg::CPrimaryAnalysisDlg(CQORVADoc& document, QWidget* parent)
    : CAnalysisDlg(document, tr("空调工况分析"), parent)
{
    const PrimaryParams p = StoredPrimaryParams(room());
    m_fanRise = AddNumber(m_form, Caption(tr("风机温升(℃)")), ShownTemperature(p.fanRise, true));
    m_supplyDifference = supplyBox(p.maxDifference, ShownTemperature(p.supplyDifference, true));
    m_form->addRow(Caption(tr("送风温差(℃)")), m_supplyDifference);
    m_dewPoint = AddNumber(m_form, tr("机器露点(%)"), fixed2(p.dewPoint * 100.0));
    m_winterPart = new QWidget;
    auto* winter = new QFormLayout(m_winterPart);
    m_preheatDifference =
        AddNumber(winter, Caption(tr("预热温差(℃)")), ShownTemperature(p.preheatDifference, true));
    m_humidify = new QButtonGroup(this);
    AddRadio(m_humidify, winter, tr("绝热加湿"), kHumidifyAdiabatic);
    AddRadio(m_humidify, winter, tr("蒸汽加湿"), kHumidifySteam);
    m_preheat = new QButtonGroup(this);
    AddRadio(m_preheat, winter, tr("先预热"), kPreheatFirst);
    AddRadio(m_preheat, winter, tr("先混合"), kMixFirst);
    if (auto* b = m_humidify->button(p.humidifyMode))
        b->setChecked(true);
    if (auto* b = m_preheat->button(p.preheatMode))
        b->setChecked(true);
    AddWinterToggle(m_winterPart);
}

std::optional<AnalysisRequest> CPrimaryAnalysisDlg::ReadRequest()
{
    PrimaryParams p;
    const double fanRise = numberOr0(m_fanRise);
    if (fanRise > 1000.0) {
        refuse(QT_TRANSLATE_NOOP("AnalysisFramework", "请输入一个在 0 和 1000 之间的数。"));
        return std::nullopt;
    }
    p.fanRise = static_cast<float>(StoredTemperature(fanRise, true));
    p.dewPoint = static_cast<float>(numberOr0(m_dewPoint) * 0.01);
    if (p.fanRise < 0.0f) {
        refuse(kFanRiseInvalid);
        return std::nullopt;
    }
    if (p.dewPoint <= 0.0f || p.dewPoint > 1.0f) {
        refuse(kDewPointInvalid);
        return std::nullopt;
    }
    if (m_supplyDifference->currentIndex() == 0 && isMaxDifference(m_supplyDifference)) {
        p.maxDifference = 1;
        p.supplyDifference = StoredPrimaryParams(room()).supplyDifference;
    } else {
        p.maxDifference = 0;
        const auto value = numberIn(m_supplyDifference->currentText());
        if (!value || *value <= 0.0) {
            refuse(kSupplyDifferenceInvalid);
            return std::nullopt;
        }
        p.supplyDifference = static_cast<float>(StoredTemperature(*value, true));
    }
    p.preheatDifference = static_cast<float>(StoredTemperature(numberOr0(m_preheatDifference), true));
    p.humidifyMode = m_humidify->checkedId();
    p.preheatMode = m_preheat->checkedId();
    p.winter = p.humidifyMode >= 0 && p.preheatMode >= 0 ? 1 : 0;
    return p;
}

CSecondaryAnalysisDlg::CSecondaryAnalysisDlg(CQORVADoc& document, QWidget* parent)
    : CAnalysisDlg(document, tr("空调二次回风工况分析"), parent)
{
    const SecondaryParams p = StoredSecondaryParams(room());
    m_fanRise = AddNumber(m_form, Caption(tr("风机温升(℃)")), ShownTemperature(p.fanRise, true));
    m_supplyDifference =
        AddNumber(m_form, Caption(tr("送风温差(℃)")), ShownTemperature(p.supplyDifference, true));
    m_dewPoint = AddNumber(m_form, tr("机器露点(%)"), QString::number(p.dewPointPercent));
    m_winter = new QCheckBox(tr("制热工况"));
    m_winter->setChecked(p.winter != 0);
    m_form->addRow(m_winter);
    m_preheatDifference =
        AddNumber(m_form, Caption(tr("预热温差(℃)")), ShownTemperature(p.preheatDifference, true));
    m_humidify = new QButtonGroup(this);
    QRadioButton* isenthalpic = AddRadio(m_humidify, m_form, tr("等焓加湿"), kHumidifyAdiabatic);
    QRadioButton* isothermal = AddRadio(m_humidify, m_form, tr("等温加湿"), kHumidifySteam);
    if (auto* b = m_humidify->button(p.humidifyMode))
        b->setChecked(true);
    const auto enable = [this, isenthalpic, isothermal] {
        for (QWidget* w : {static_cast<QWidget*>(m_preheatDifference), static_cast<QWidget*>(isenthalpic),
                           static_cast<QWidget*>(isothermal)})
            w->setEnabled(m_winter->isChecked());
    };
    enable();
    connect(m_winter, &QCheckBox::toggled, this, enable);
}

std::optional<AnalysisRequest> CSecondaryAnalysisDlg::ReadRequest()
{
    SecondaryParams p;
    p.fanRise = StoredTemperature(numberOr0(m_fanRise), true);
    p.supplyDifference = StoredTemperature(numberOr0(m_supplyDifference), true);
    p.winter = m_winter->isChecked() ? 1 : 0;
    p.preheatDifference = StoredTemperature(numberOr0(m_preheatDifference), true);
    p.humidifyMode = std::max(m_humidify->checkedId(), 0);
    if (p.fanRise < 0.0) {
        refuse(kFanRiseInvalid);
        return std::nullopt;
    }
    const std::optional<int> percent = wholePercent(m_dewPoint);
    if (!percent)
        return std::nullopt;
    p.dewPointPercent = *percent;
    if (p.supplyDifference <= 0.0) {
        refuse(kSupplyDifferenceInvalid);
        return std::nullopt;
    }
    return p;
}

CFanCoilAnalysisDlg::CFanCoilAnalysisDlg(CQORVADoc& document, QWidget* parent)
    : CAnalysisDlg(document, tr("风机盘管加新风"), parent)
{
    const FanCoilParams p = StoredFanCoilParams(room());
    m_mixMode = new QButtonGroup(this);
    AddRadio(m_mixMode, m_form, tr("先处理后混风"), kTreatThenMix);
    AddRadio(m_mixMode, m_form, tr("先混风后处理"), kMixThenTreat);
    if (auto* b = m_mixMode->button(p.mixMode))
        b->setChecked(true);
    m_fanRise = AddNumber(m_form, Caption(tr("风机温升(℃)")), ShownTemperature(p.fanRise, true));
    m_supplyDifference = supplyBox(p.maxDifference, ShownTemperature(p.supplyDifference, true));
    m_form->addRow(Caption(tr("送风温差(℃)")), m_supplyDifference);
    m_dewPoint = AddNumber(m_form, tr("机器露点(%)"), QString::number(p.dewPointPercent));
    m_winter = new QCheckBox(tr("制热工况"));
    m_winter->setChecked(p.winter != 0);
    m_form->addRow(m_winter);
    m_humidify = new QButtonGroup(this);
    QRadioButton* isenthalpic = AddRadio(m_humidify, m_form, tr("等焓加湿"), kHumidifyAdiabatic);
    QRadioButton* isothermal = AddRadio(m_humidify, m_form, tr("等温加湿"), kHumidifySteam);
    if (auto* b = m_humidify->button(p.humidifyMode))
        b->setChecked(true);
    const auto enable = [this, isenthalpic, isothermal] {
        isenthalpic->setEnabled(m_winter->isChecked());
        isothermal->setEnabled(m_winter->isChecked());
    };
    enable();
    connect(m_winter, &QCheckBox::toggled, this, enable);
    AddRecovery(m_form, p.recovery);
}

std::optional<AnalysisRequest> CFanCoilAnalysisDlg::ReadRequest()
{
    FanCoilParams p = StoredFanCoilParams(room());
    p.mixMode = std::max(m_mixMode->checkedId(), 0);
    p.maxDifference = isMaxDifference(m_supplyDifference) ? 1 : 0;
    p.fanRise = StoredTemperature(numberOr0(m_fanRise), true);
    if (p.fanRise < 0.0) {
        refuse(kFanRiseInvalid);
        return std::nullopt;
    }
    if (!p.maxDifference) {
        const auto value = numberIn(m_supplyDifference->currentText());
        if (!value || *value <= 0.0) {
            refuse(kSupplyDifferenceInvalid);
            return std::nullopt;
        }
        p.supplyDifference = StoredTemperature(*value, true);
    }
    const std::optional<int> percent = wholePercent(m_dewPoint);
    if (!percent)
        return std::nullopt;
    p.dewPointPercent = *percent;
    p.winter = m_winter->isChecked() ? 1 : 0;
    p.humidifyMode = std::max(m_humidify->checkedId(), 0);
    const std::optional<RecoveryParams> recovery = ReadRecovery();
    if (!recovery)
        return std::nullopt;
    p.recovery = *recovery;
    return p;
}

CFreshAirAnalysisDlg::CFreshAirAnalysisDlg(CQORVADoc& document, QWidget* parent)
    : CAnalysisDlg(document, tr("新风工况分析"), parent)
{
    const FreshAirParams p = StoredFreshAirParams(room());
    m_dewPoint = AddNumber(m_form, tr("机器露点(%)"), fixed2(p.dewPoint * 100.0));
    AddRecovery(m_form, p.recovery);
    m_winterPart = new QWidget;
    auto* winter = new QFormLayout(m_winterPart);
    m_heatTo = AddNumber(winter, Caption(tr("加热到(℃)")), ShownTemperature(p.heatTo, false));
    m_humidification = AddNumber(winter, Caption(tr("加湿量(Kg/h)")),
                                 fixed2(unit_text::Shown(unit_text::Quantity::MoistureFlow, p.humidification,
                                                         m_document.model().m_nUnitSystem)));
    m_humidify = new QButtonGroup(this);
    AddRadio(m_humidify, winter, tr("绝热加湿"), kHumidifyAdiabatic);
    AddRadio(m_humidify, winter, tr("蒸汽加湿"), kHumidifySteam);
    if (auto* b = m_humidify->button(p.humidifyMode))
        b->setChecked(true);
    AddWinterToggle(m_winterPart);
}

std::optional<AnalysisRequest> CFreshAirAnalysisDlg::ReadRequest()
{
    FreshAirParams p;
    p.dewPoint = static_cast<float>(numberOr0(m_dewPoint) * 0.01);
    if (p.dewPoint <= 0.0f || p.dewPoint > 1.0f) {
        refuse(kDewPointInvalid);
        return std::nullopt;
    }
    p.heatTo = static_cast<float>(StoredTemperature(numberOr0(m_heatTo), false));
    p.humidification =
        unit_text::Stored(unit_text::Quantity::MoistureFlow, static_cast<float>(numberOr0(m_humidification)),
                          m_document.model().m_nUnitSystem);
    p.humidifyMode = m_humidify->checkedId();
    const std::optional<RecoveryParams> recovery = ReadRecovery();
    if (!recovery)
        return std::nullopt;
    p.recovery = *recovery;
    return p;
}

void installAnalysisCommands(CMainFrame& frame)
{
    CMainFrame* f = &frame;
    const auto open = [f](auto makeDialog) {
        return [f, makeDialog] {
            CQORVADoc& document = f->document();
            if (!document.m_bProjectOpen) {
                alertMessage(QCoreApplication::translate("AnalysisFramework", kNoProject).toStdString());
                return;
            }
            auto dialog = makeDialog(document, f);
            dialog->exec();
            document.RequestRedraw();
        };
    };
    frame.setHandler(cmd::AnalysisPrimary, open([](CQORVADoc& d, QWidget* p) {
                         return std::make_unique<CPrimaryAnalysisDlg>(d, p);
                     }));
    frame.setHandler(cmd::AnalysisSecondary, open([](CQORVADoc& d, QWidget* p) {
                         return std::make_unique<CSecondaryAnalysisDlg>(d, p);
                     }));
    frame.setHandler(cmd::AnalysisFanCoil, open([](CQORVADoc& d, QWidget* p) {
                         return std::make_unique<CFanCoilAnalysisDlg>(d, p);
                     }));
    frame.setHandler(cmd::AnalysisFreshAir, open([](CQORVADoc& d, QWidget* p) {
                         return std::make_unique<CFreshAirAnalysisDlg>(d, p);
                     }));
    installAnnualFreshAirCommand(frame);
}
