#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "model/CParamPoint.h"

class CQORVADoc;
class QCheckBox;
class QLineEdit;
class QListWidget;

// The parameter-point calculator: any two known properties (of dry bulb, wet
// bulb, relative humidity, dew point, moisture content, enthalpy) at a
// pressure give all ten. The list form keeps named parameter points in the
// room (添加, 删除, 重命名, 复制); the picker form, opened from the
// independent-point dialog, hands t, tw and RH back with "<<".
class CParamPointDlg final : public QDialog {
    Q_OBJECT
public:
    enum class Form { List, Picker };
    // The known-property boxes, in the order the dialog shows them.
    enum Property { kDryBulb = 0, kWetBulb, kHumidity, kDewPoint, kMoisture, kEnthalpy, kPropertyCount };

    // The state the picker hands back (°C, °C, fraction).
    struct PickedState {
        float t = 0;
        float tw = 0;
        float RH = 0;
    };

    CParamPointDlg(CQORVADoc& document, Form form, QWidget* parent = nullptr);

    // 计算: the completed point, shown again; empty (with the message when
    // fewer than two properties are known) when it cannot be computed.
    std::optional<CParamPoint> Calculate();
    void Reset();
    bool AddPoint();
    bool DeleteSelected();
    bool RenameSelected();
    // The room's parameter points as a table on the clipboard.
    QString TableText() const;
    void CopyToClipboard() const;
    // "<<": computes and closes with the state for the independent point; a
    // known property left empty is named and the box stays open.
    bool HandBack();
    // Ticks a known property and enters its value as the dialog shows it
    // (the independent-point dialog's values on ">>").
    void SetKnown(Property property, const QString& shownValue);
    std::optional<PickedState> pickedState() const { return m_picked; }

signals:
    // "<<" in the picker form: the state for the independent point.
    void picked(const CParamPointDlg::PickedState& state);

private:
    void OnKnownToggled(int property, bool checked);
    void Show(const CParamPoint& point);
    void FillList();
    void ShowSelected();

    CQORVADoc& m_document;
    Form m_form;
    std::array<QCheckBox*, kPropertyCount> m_known{};
    std::array<QLineEdit*, kPropertyCount> m_values{};
    QLineEdit* m_name = nullptr;
    QLineEdit* m_p = nullptr;
    QLineEdit* m_pq = nullptr;
    QLineEdit* m_pqb = nullptr;
    QLineEdit* m_v = nullptr;
    QLineEdit* m_rho = nullptr;
    QLineEdit* m_pmv = nullptr;
    QLineEdit* m_ppd = nullptr;
    QListWidget* m_list = nullptr;
    std::optional<PickedState> m_picked;
};

namespace param_messages {
// Chinese sources, shown through tr() of the dialog.
inline constexpr const char* kDewPointWithMoisture =
    QT_TRANSLATE_NOOP("CParamPointDlg", "露点温度与含湿量为关联参数,请重新选择!");
inline constexpr const char* kTooFewKnown =
    QT_TRANSLATE_NOOP("CParamPointDlg", "已知参数过少，请检查所设定已知参数!");
inline constexpr const char* kNameMissing = QT_TRANSLATE_NOOP("CParamPointDlg", "请输入参数点名称!");
inline constexpr const char* kNameTaken =
    QT_TRANSLATE_NOOP("CParamPointDlg", "输入名无效或该点已经存在，请重新命名");
// %1: the caption of the known property left empty.
inline constexpr const char* kValueMissing = QT_TRANSLATE_NOOP("CParamPointDlg", "请输入已知参数的数值：%1");
} // namespace param_messages
