#include "gui/chart/CSetupSheet.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "render/QPainterCanvas.h"
#include "gui/widgets/DialogButtons.h"
#include "model/FontConversion.h"
#include "model/Messages.h"

namespace {

// A widget painted by a function: the samples of the pages.
class SampleBox : public QWidget {
public:
    SampleBox(std::function<void(QPainter&, const QRect&)> paint, QWidget* parent)
        : QWidget(parent), m_paint(std::move(paint))
    {
        setMinimumSize(160, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::gray);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        m_paint(painter, rect());
    }

private:
    std::function<void(QPainter&, const QRect&)> m_paint;
};

Qt::PenStyle penStyle(int index)
{
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
    return styles[std::clamp(index, 0, 4)];
}

QComboBox* numberList(QWidget* parent, int first, int last, const QString& suffix, int index,
                      const char* name)
{
    auto* list = new QComboBox(parent);
    for (int i = first; i <= last; ++i)
        list->addItem(QString::number(i) + suffix);
    list->setCurrentIndex(std::clamp(index, 0, last - first));
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

// The arrow list's entries are drawn: none, open, filled.
QIcon arrowIcon(int style)
{
    QPixmap pixmap(48, 16);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(2, 8, 46, 8);
    const QPointF tip(34, 8);
    const QPointF upper(24, 4);
    const QPointF lower(24, 12);
    if (style == 1) {
        painter.drawLine(tip, upper);
        painter.drawLine(tip, lower);
    } else if (style == 2) {
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({tip, upper, lower}));
    }
    return QIcon(pixmap);
}

QString fontCaption(const LogFont& font)
{
    const QFont qfont = qfontFromLogFont(font);
    const double points = qfont.pointSizeF() > 0 ? qfont.pointSizeF() : qfont.pixelSize() * 72.0 / 96.0;
    return QString::fromStdString(font.faceName()) + QStringLiteral(" %1").arg(points, 0, 'f', 0);
}

} // namespace

AttributeChoosers AttributeChoosers::standard()
{
    AttributeChoosers choosers;
    choosers.chooseColour = [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, parent);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };
    choosers.chooseFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        return font;
    };
    return choosers;
}

ColourSwatch::ColourSwatch(std::int32_t colour, const AttributeChoosers& choosers, QWidget* parent)
    : QPushButton(parent), m_colour(colour), m_choosers(choosers)
{
    setFixedSize(40, 20);
    setColour(colour);
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_choosers.chooseColour)
            return;
        if (const auto chosen = m_choosers.chooseColour(this, QPainterCanvas::toQColor(m_colour))) {
            setColour(rgbColour(chosen->red(), chosen->green(), chosen->blue()));
            emit colourChanged();
        }
    });
}

void ColourSwatch::setColour(std::int32_t colour)
{
    m_colour = colour;
    QPixmap pixmap(28, 12);
    pixmap.fill(QPainterCanvas::toQColor(colour));
    setIcon(QIcon(pixmap));
    setIconSize(pixmap.size());
}

FontButton::FontButton(const LogFont& font, const AttributeChoosers& choosers, QWidget* parent)
    : QPushButton(parent), m_choosers(choosers)
{
    setLogFont(font);
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_choosers.chooseFont)
            return;
        if (const auto chosen = m_choosers.chooseFont(this, qfontFromLogFont(m_font))) {
            setLogFont(logFontFromQFont(*chosen));
            emit fontChanged();
        }
    });
}

void FontButton::setLogFont(const LogFont& font)
{
    m_font = font;
    setText(tr("字体: %1").arg(fontCaption(font)));
}

CDengZhiXianSetupPage::CDengZhiXianSetupPage(const ChartAttributes& attributes,
                                             const AttributeChoosers& choosers, QWidget* parent)
    : QWidget(parent), m_initial(attributes)
{
    setWindowTitle(tr("等值线"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("间距"), this), 0, 1);
    grid->addWidget(new QLabel(tr("颜色"), this), 0, 3);
    grid->addWidget(new QLabel(tr("线宽(mm)"), this), 0, 4);
    grid->addWidget(new QLabel(tr("线型"), this), 0, 5);

    struct RowSpec {
        int family;
        const char* caption;
        const char* unit; // nullptr: no spacing
    };
    static constexpr RowSpec specs[] = {
        {kFamilyDryBulb, QT_TR_NOOP("干球温度"), "℃"},
        {kFamilyWetBulb, QT_TR_NOOP("湿球温度"), "℃"},
        {kFamilyHumidity, QT_TR_NOOP("相对湿度(<100%)"), "%"},
        {kFamilySaturation, QT_TR_NOOP("相对湿度(=100%)"), nullptr},
        {kFamilyMoisture, QT_TR_NOOP("含湿量"), "g/kg"},
        {kFamilyEnthalpy, QT_TR_NOOP("焓"), "kJ/kg"},
        {kFamilyVolume, QT_TR_NOOP("比容"), "m³/kg"},
        {kFamilyBorder, QT_TR_NOOP("边框"), nullptr},
    };
    int line = 1;
    for (const RowSpec& spec : specs) {
        const DrawOption& option = attributes.family(spec.family);
        Row& row = m_rows[static_cast<std::size_t>(spec.family)];
        row.family = spec.family;
        row.caption = tr(spec.caption);
        const QString suffix = QString::number(spec.family);
        row.show = new QCheckBox(row.caption, this);
        row.show->setObjectName("show" + suffix);
        row.show->setChecked(option.m_bShow != 0);
        grid->addWidget(row.show, line, 0);
        if (spec.unit) {
            row.step = new QLineEdit(QString::fromStdString(formatSpacing(option.m_fStep)), this);
            row.step->setObjectName("step" + suffix);
            row.step->setMaximumWidth(60);
            grid->addWidget(row.step, line, 1);
            grid->addWidget(new QLabel(QString::fromUtf8(spec.unit), this), line, 2);
        }
        row.colour = new ColourSwatch(option.m_color, choosers, this);
        row.colour->setObjectName("colour" + suffix);
        grid->addWidget(row.colour, line, 3);
        row.width = numberList(this, 0, 5, QString(), option.m_nWidth, "");
        row.width->setObjectName("width" + suffix);
        grid->addWidget(row.width, line, 4);
        row.style = numberList(this, 1, 5, QString(), option.m_nStyle, "");
        row.style->setObjectName("style" + suffix);
        grid->addWidget(row.style, line, 5);
        row.byDefault = new QCheckBox(tr("默认"), this);
        row.byDefault->setObjectName("default" + suffix);
        row.byDefault->setChecked(option.m_bLabel != 0);
        grid->addWidget(row.byDefault, line, 6);
        ++line;
    }

    m_showValues = new QCheckBox(tr("标注"), this);
    m_showValues->setObjectName("showValues");
    m_showValues->setChecked(attributes.m_bShowValues != 0);
    m_labelFont = new FontButton(attributes.m_font1, choosers, this);
    m_labelFont->setObjectName("labelFont");
    m_textColour = new ColourSwatch(attributes.m_textColor, choosers, this);
    m_textColour->setObjectName("textColour");
    m_valuesDefault = new QCheckBox(tr("默认"), this);
    m_valuesDefault->setObjectName("valuesDefault");
    m_valuesDefault->setChecked(attributes.m_bValuesDefault != 0);
    grid->addWidget(m_showValues, line, 0);
    grid->addWidget(m_labelFont, line, 1, 1, 2);
    grid->addWidget(m_textColour, line, 3);
    grid->addWidget(m_valuesDefault, line, 6);
    ++line;

    Row& background = m_rows[kFamilyBackground];
    const DrawOption& backgroundOption = attributes.m_drawOptions[kFamilyBackground];
    background.family = kFamilyBackground;
    background.caption = tr("背景");
    background.show = new QCheckBox(background.caption, this);
    background.show->setObjectName("show7");
    background.show->setChecked(backgroundOption.m_bShow != 0);
    background.colour = new ColourSwatch(backgroundOption.m_color, choosers, this);
    background.colour->setObjectName("colour7");
    background.byDefault = new QCheckBox(tr("默认"), this);
    background.byDefault->setObjectName("default7");
    background.byDefault->setChecked(backgroundOption.m_bLabel != 0);
    grid->addWidget(background.show, line, 0);
    grid->addWidget(background.colour, line, 3);
    grid->addWidget(background.byDefault, line, 6);

    // The sample: one short stroke per family as it will be drawn, and a label.
    m_sample = new SampleBox(
        [this](QPainter& painter, const QRect& area) {
            int y = area.top() + 12;
            for (const Row& row : m_rows) {
                if (!row.width || !row.show->isChecked())
                    continue;
                const int width = row.width->currentIndex();
                painter.setPen(
                    QPen(QPainterCanvas::toQColor(row.colour->colour()), width,
                         row.family == kFamilyBorder ? Qt::SolidLine : penStyle(row.style->currentIndex())));
                painter.drawLine(area.left() + 10, y, area.right() - 10, y);
                y += 14;
            }
            if (m_showValues->isChecked()) {
                painter.setFont(qfontFromLogFont(m_labelFont->logFont()));
                painter.setPen(QPainterCanvas::toQColor(m_textColour->colour()));
                painter.drawText(area.adjusted(10, 0, -10, -6), Qt::AlignLeft | Qt::AlignBottom,
                                 QStringLiteral("P=101325Pa"));
            }
        },
        this);
    m_sample->setObjectName("sample");

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_sample);

    const auto repaint = [this] { m_sample->update(); };
    for (const Row& row : m_rows) {
        connect(row.show, &QCheckBox::toggled, this, [this] {
            updateEnabling();
            m_sample->update();
        });
        connect(row.colour, &ColourSwatch::colourChanged, this, repaint);
        if (row.width) {
            connect(row.width, &QComboBox::currentIndexChanged, this, repaint);
            connect(row.style, &QComboBox::currentIndexChanged, this, repaint);
        }
    }
    connect(m_showValues, &QCheckBox::toggled, this, [this] {
        updateEnabling();
        m_sample->update();
    });
    connect(m_labelFont, &FontButton::fontChanged, this, repaint);
    connect(m_textColour, &ColourSwatch::colourChanged, this, repaint);
    updateEnabling();
}

void CDengZhiXianSetupPage::updateEnabling()
{
    for (const Row& row : m_rows) {
        const bool on = row.show->isChecked();
        for (QWidget* control : {static_cast<QWidget*>(row.step), static_cast<QWidget*>(row.colour),
                                 static_cast<QWidget*>(row.width), static_cast<QWidget*>(row.style),
                                 static_cast<QWidget*>(row.byDefault)})
            if (control)
                control->setEnabled(on);
    }
    const bool labels = m_showValues->isChecked();
    m_labelFont->setEnabled(labels);
    m_textColour->setEnabled(labels);
    m_valuesDefault->setEnabled(labels);
}

bool CDengZhiXianSetupPage::read(ChartAttributes& attributes) const
{
    for (const Row& row : m_rows) {
        DrawOption& option = attributes.family(row.family);
        option.m_bShow = row.show->isChecked() ? 1 : 0;
        option.m_bLabel = row.byDefault->isChecked() ? 1 : 0;
        option.m_color = row.colour->colour();
        if (row.width) {
            option.m_nWidth = row.width->currentIndex();
            option.m_nStyle = row.style->currentIndex();
        }
        if (row.step) {
            float spacing = 0;
            if (!parseSpacing(row.step->text().toStdString(), spacing)) {
                alertMessage(spacingRefusal(row.caption.toStdString()), MessageIcon::Stop);
                row.step->setFocus();
                row.step->selectAll();
                return false;
            }
            option.m_fStep = spacing;
        }
    }
    attributes.m_bShowValues = m_showValues->isChecked() ? 1 : 0;
    attributes.m_font1 = m_labelFont->logFont();
    attributes.m_textColor = m_textColour->colour();
    attributes.m_bValuesDefault = m_valuesDefault->isChecked() ? 1 : 0;
    return true;
}

CConditionPointPage::CConditionPointPage(const ChartAttributes& attributes, const AttributeChoosers& choosers,
                                         QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("状态点"));
    m_size = numberList(this, 1, 5, QStringLiteral(" mm"), attributes.m_nPointRadius, "pointSize");
    m_pointColour = new ColourSwatch(attributes.m_pointColor, choosers, this);
    m_pointColour->setObjectName("pointColour");
    m_position = new QComboBox(this);
    m_position->setObjectName("labelPosition");
    for (const char* place : {QT_TR_NOOP("右上"), QT_TR_NOOP("右"), QT_TR_NOOP("右下"), QT_TR_NOOP("下"),
                              QT_TR_NOOP("左下"), QT_TR_NOOP("左"), QT_TR_NOOP("左上"), QT_TR_NOOP("上")})
        m_position->addItem(tr(place));
    m_position->setCurrentIndex(((attributes.m_nLabelPosition % 8) + 8) % 8);
    m_nameFont = new FontButton(attributes.m_font2, choosers, this);
    m_nameFont->setObjectName("nameFont");
    m_nameColour = new ColourSwatch(attributes.m_nameColor, choosers, this);
    m_nameColour->setObjectName("nameColour");

    // Crossed centre lines, the point, and "N" at the label position.
    m_sample = new SampleBox(
        [this](QPainter& painter, const QRect& area) {
            const QPoint centre = area.center();
            painter.setPen(QPen(Qt::lightGray, 0, Qt::DashLine));
            painter.drawLine(area.left(), centre.y(), area.right(), centre.y());
            painter.drawLine(centre.x(), area.top(), centre.x(), area.bottom());
            const int radius = 3 * m_size->currentIndex() + 3;
            const QColor pointColour = QPainterCanvas::toQColor(m_pointColour->colour());
            painter.setPen(pointColour);
            painter.setBrush(pointColour);
            painter.drawEllipse(centre, radius, radius);
            static constexpr int direction[8][2] = {{1, -1}, {1, 0},  {1, 1},   {0, 1},
                                                    {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};
            const int d = radius + 12;
            const int index = std::clamp(m_position->currentIndex(), 0, 7);
            const QPoint anchor = centre + QPoint(direction[index][0] * d, direction[index][1] * d);
            painter.setFont(qfontFromLogFont(m_nameFont->logFont()));
            painter.setPen(QPainterCanvas::toQColor(m_nameColour->colour()));
            const QFontMetrics metrics(painter.font());
            const QString name = QStringLiteral("N");
            painter.drawText(anchor - QPoint(metrics.horizontalAdvance(name) / 2, metrics.descent()), name);
        },
        this);
    m_sample->setObjectName("sample");

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(tr("状态点尺寸"), this), 0, 0);
    form->addWidget(m_size, 0, 1);
    form->addWidget(new QLabel(tr("状态点颜色"), this), 1, 0);
    form->addWidget(m_pointColour, 1, 1);
    form->addWidget(new QLabel(tr("标注位置"), this), 2, 0);
    form->addWidget(m_position, 2, 1);
    form->addWidget(new QLabel(tr("标注字体"), this), 3, 0);
    form->addWidget(m_nameFont, 3, 1);
    form->addWidget(m_nameColour, 3, 2);
    form->setRowStretch(4, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample, 1);

    const auto repaint = [this] { m_sample->update(); };
    connect(m_size, &QComboBox::currentIndexChanged, this, repaint);
    connect(m_position, &QComboBox::currentIndexChanged, this, repaint);
    connect(m_pointColour, &ColourSwatch::colourChanged, this, repaint);
    connect(m_nameColour, &ColourSwatch::colourChanged, this, repaint);
    connect(m_nameFont, &FontButton::fontChanged, this, repaint);
}

void CConditionPointPage::read(ChartAttributes& attributes) const
{
    attributes.m_nPointRadius = m_size->currentIndex();
    attributes.m_pointColor = m_pointColour->colour();
    attributes.m_nLabelPosition = m_position->currentIndex();
    attributes.m_font2 = m_nameFont->logFont();
    attributes.m_nameColor = m_nameColour->colour();
}

CGuoChenXianPage::CGuoChenXianPage(const ChartAttributes& attributes, const AttributeChoosers& choosers,
                                   QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("过程线"));
    m_colour = new ColourSwatch(attributes.m_lineColor, choosers, this);
    m_colour->setObjectName("lineColour");
    m_width = numberList(this, 0, 5, QStringLiteral(" mm"), attributes.m_nLineWidth, "lineWidth");
    m_style = numberList(this, 1, 5, QString(), attributes.m_nLineStyle, "lineStyle");
    m_arrow = new QComboBox(this);
    m_arrow->setObjectName("arrowStyle");
    m_arrow->setIconSize(QSize(48, 16));
    for (int style = 0; style < 3; ++style)
        m_arrow->addItem(arrowIcon(style), QString());
    m_arrow->setCurrentIndex(std::clamp(attributes.m_nArrowStyle, 0, 2));

    auto* form = new QGridLayout(this);
    form->addWidget(new QLabel(tr("过程线颜色"), this), 0, 0);
    form->addWidget(m_colour, 0, 1);
    form->addWidget(new QLabel(tr("过程线线宽"), this), 1, 0);
    form->addWidget(m_width, 1, 1);
    form->addWidget(new QLabel(tr("过程线线型"), this), 2, 0);
    form->addWidget(m_style, 2, 1);
    form->addWidget(new QLabel(tr("箭头"), this), 3, 0);
    form->addWidget(m_arrow, 3, 1);
    form->setRowStretch(4, 1);
    form->setColumnStretch(2, 1);
}

void CGuoChenXianPage::read(ChartAttributes& attributes) const
{
    attributes.m_lineColor = m_colour->colour();
    attributes.m_nLineWidth = m_width->currentIndex();
    attributes.m_nLineStyle = m_style->currentIndex();
    attributes.m_nArrowStyle = m_arrow->currentIndex();
}

CSetupSheet::CSetupSheet(const ChartAttributes& attributes, QWidget* parent, AttributeChoosers choosers)
    : QDialog(parent), m_choosers(std::move(choosers)), m_result(attributes)
{
    setWindowTitle(tr("图元属性设置..."));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("tabs");
    m_lines = new CDengZhiXianSetupPage(attributes, m_choosers, m_tabs);
    m_points = new CConditionPointPage(attributes, m_choosers, m_tabs);
    m_process = new CGuoChenXianPage(attributes, m_choosers, m_tabs);
    m_tabs->addTab(m_lines, m_lines->windowTitle());
    m_tabs->addTab(m_points, m_points->windowTitle());
    m_tabs->addTab(m_process, m_process->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    addOkCancelButtons(this, layout);
}

void CSetupSheet::accept()
{
    ChartAttributes edited = m_result;
    if (!m_lines->read(edited)) {
        m_tabs->setCurrentWidget(m_lines);
        return;
    }
    m_points->read(edited);
    m_process->read(edited);
    m_result = edited;
    QDialog::accept();
}

std::optional<ChartAttributes> CSetupSheet::Edit(const ChartAttributes& attributes, QWidget* parent,
                                                 AttributeChoosers choosers)
{
    CSetupSheet sheet(attributes, parent, std::move(choosers));
    if (sheet.exec() != QDialog::Accepted)
        return std::nullopt;
    return sheet.attributes();
}
