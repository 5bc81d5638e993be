#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

#include "chart/ChartAttributes.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

// The colour and font choosers of the sheet; tests replace them so nothing blocks.
struct AttributeChoosers {
    std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> chooseColour;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> chooseFont;
    // The standard colour and font dialogs.
    static AttributeChoosers standard();
};

// A push button showing a colour; clicking it opens the colour chooser.
class ColourSwatch : public QPushButton {
    Q_OBJECT
public:
    ColourSwatch(std::int32_t colour, const AttributeChoosers& choosers, QWidget* parent = nullptr);
    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t colour);
signals:
    void colourChanged();

private:
    std::int32_t m_colour;
    const AttributeChoosers& m_choosers;
};

// A push button naming a font; clicking it opens the font chooser. The font
// is kept as the stored 60-byte description.
class FontButton : public QPushButton {
    Q_OBJECT
public:
    FontButton(const LogFont& font, const AttributeChoosers& choosers, QWidget* parent = nullptr);
    const LogFont& logFont() const { return m_font; }
    void setLogFont(const LogFont& font);
signals:
    void fontChanged();

private:
    LogFont m_font;
    const AttributeChoosers& m_choosers;
};

// "等值线": one row per line family, the 标注 and 背景 rows, and a sample.
class CDengZhiXianSetupPage : public QWidget {
    Q_OBJECT
public:
    CDengZhiXianSetupPage(const ChartAttributes& attributes, const AttributeChoosers& choosers,
                          QWidget* parent = nullptr);
    // Copies the rows into attributes; false (with the refusal shown and the
    // box focused) when a spacing is not a positive number.
    bool read(ChartAttributes& attributes) const;
    // Enables each row's controls from its check box.
    void updateEnabling();

private:
    struct Row {
        int family = 0;
        QCheckBox* show = nullptr;
        QLineEdit* step = nullptr;
        ColourSwatch* colour = nullptr;
        QComboBox* width = nullptr;
        QComboBox* style = nullptr;
        QCheckBox* byDefault = nullptr;
        QString caption;
    };
    std::array<Row, kFamilyCount + 1> m_rows; // the eight families and the volume lines
    QCheckBox* m_showValues = nullptr;
    FontButton* m_labelFont = nullptr;
    ColourSwatch* m_textColour = nullptr;
    QCheckBox* m_valuesDefault = nullptr;
    QWidget* m_sample = nullptr;
    ChartAttributes m_initial;
};

// "状态点": point size, colour, label position, name font and a sample.
class CConditionPointPage : public QWidget {
    Q_OBJECT
public:
    CConditionPointPage(const ChartAttributes& attributes, const AttributeChoosers& choosers,
                        QWidget* parent = nullptr);
    void read(ChartAttributes& attributes) const;

private:
    QComboBox* m_size = nullptr;
    ColourSwatch* m_pointColour = nullptr;
    QComboBox* m_position = nullptr;
    FontButton* m_nameFont = nullptr;
    ColourSwatch* m_nameColour = nullptr;
    QWidget* m_sample = nullptr;
};

// "过程线": line colour, width, style and arrow.
class CGuoChenXianPage : public QWidget {
    Q_OBJECT
public:
    CGuoChenXianPage(const ChartAttributes& attributes, const AttributeChoosers& choosers,
                     QWidget* parent = nullptr);
    void read(ChartAttributes& attributes) const;

private:
    ColourSwatch* m_colour = nullptr;
    QComboBox* m_width = nullptr;
    QComboBox* m_style = nullptr;
    QComboBox* m_arrow = nullptr;
};

// "图元属性设置...": the three pages over a copy of the chart attributes. OK
// checks the spacings and closes with the edited value; Cancel leaves it.
class CSetupSheet : public QDialog {
    Q_OBJECT
public:
    CSetupSheet(const ChartAttributes& attributes, QWidget* parent = nullptr,
                AttributeChoosers choosers = AttributeChoosers::standard());

    // The edited attributes (valid after OK).
    const ChartAttributes& attributes() const { return m_result; }
    QTabWidget* tabs() { return m_tabs; }
    void accept() override;

    // Runs the sheet modally; the edited attributes on OK, nothing on Cancel.
    static std::optional<ChartAttributes> Edit(const ChartAttributes& attributes, QWidget* parent,
                                               AttributeChoosers choosers = AttributeChoosers::standard());

private:
    AttributeChoosers m_choosers;
    QTabWidget* m_tabs = nullptr;
    CDengZhiXianSetupPage* m_lines = nullptr;
    CConditionPointPage* m_points = nullptr;
    CGuoChenXianPage* m_process = nullptr;
    ChartAttributes m_result;
};
