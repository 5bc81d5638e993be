#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CPageSetupDlg.h"
#include "gui/chart/CSetupSheet.h"
#include "gui/chart/ChartOutput.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

template <class W> W* find(QWidget* parent, const QString& name)
{
    W* widget = parent->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// Choosers that answer at once: a fixed colour and a fixed font.
struct FakeChoosers {
    QColor colour = QColor(12, 34, 56);
    QFont font = QFont(QStringLiteral("Noto Sans CJK SC"), 14);
    int colourCalls = 0;
    AttributeChoosers choosers()
    {
        AttributeChoosers c;
        c.chooseColour = [this](QWidget*, const QColor&) -> std::optional<QColor> {
            ++colourCalls;
            return colour;
        };
        c.chooseFont = [this](QWidget*, const QFont&) -> std::optional<QFont> { return font; };
        return c;
    }
};

QString saveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return {};
    QDir().mkpath(folder);
    const QString file = folder + "/" + name;
    widget->grab().save(file);
    return file;
}

TEST(SetupSheet, RowsEnableWithTheirCheckBoxes)
{
    FakeChoosers fake;
    CSetupSheet sheet(ChartAttributes{}, nullptr, fake.choosers());
    sheet.show();
    struct Row {
        const char* show;
        std::vector<const char*> controls;
    };
    const Row rows[] = {
        {"show1", {"step1", "colour1", "width1", "style1", "default1"}}, // 焓
        {"show4", {"colour4", "width4", "style4", "default4"}},          // 相对湿度(=100%)
        {"showValues", {"labelFont", "textColour", "valuesDefault"}},    // 标注
        {"show7", {"colour7", "default7"}},                              // 背景
    };
    for (const Row& row : rows) {
        auto* box = find<QCheckBox>(&sheet, row.show);
        ASSERT_TRUE(box->isChecked()) << row.show;
        for (const bool on : {false, true}) {
            box->setChecked(on);
            for (const char* name : row.controls)
                EXPECT_EQ(find<QWidget>(&sheet, name)->isEnabled(), on) << row.show << " → " << name;
        }
    }
    EXPECT_EQ(find<QLineEdit>(&sheet, "step2")->text(), "5") << "dry-bulb spacing shown without decimals";
}

TEST(SetupSheet, OkReturnsEveryPageAndTheFontAsItsDescription)
{
    FakeChoosers fake;
    CSetupSheet sheet(ChartAttributes{}, nullptr, fake.choosers());
    sheet.show();
    find<QCheckBox>(&sheet, "show1")->setChecked(false); // 焓 off
    find<QLineEdit>(&sheet, "step1")->setText("2.5");
    QTest::mouseClick(find<QPushButton>(&sheet, "colour2"), Qt::LeftButton);
    find<QComboBox>(&sheet, "width2")->setCurrentIndex(3);
    find<QComboBox>(&sheet, "style2")->setCurrentIndex(4);
    QTest::mouseClick(find<QPushButton>(&sheet, "labelFont"), Qt::LeftButton);
    find<QComboBox>(&sheet, "pointSize")->setCurrentIndex(4);
    find<QComboBox>(&sheet, "labelPosition")->setCurrentIndex(6);
    find<QComboBox>(&sheet, "arrowStyle")->setCurrentIndex(1);
    find<QComboBox>(&sheet, "lineWidth")->setCurrentIndex(2);
    EXPECT_EQ(find<QComboBox>(&sheet, "pointSize")->itemText(2), "3 mm");
    EXPECT_EQ(fake.colourCalls, 1);
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);

    const ChartAttributes& a = sheet.attributes();
    EXPECT_EQ(a.m_drawOptions[kFamilyEnthalpy].m_bShow, 0);
    EXPECT_EQ(a.m_drawOptions[kFamilyEnthalpy].m_fStep, 2.5f) << "the spacing stays stored";
    EXPECT_EQ(a.m_drawOptions[kFamilyDryBulb].m_color, rgbColour(12, 34, 56));
    EXPECT_EQ(a.m_drawOptions[kFamilyDryBulb].m_nWidth, 3);
    EXPECT_EQ(a.m_drawOptions[kFamilyDryBulb].m_nStyle, 4);
    EXPECT_EQ(a.m_nPointRadius, 4);
    EXPECT_EQ(a.m_nLabelPosition, 6);
    EXPECT_EQ(a.m_nArrowStyle, 1);
    EXPECT_EQ(a.m_nLineWidth, 2);
    // The chosen font is stored as the 60-byte description: face and size.
    EXPECT_EQ(a.m_font1.faceName(), "Noto Sans CJK SC");
    EXPECT_EQ(a.m_font1.lfHeight, -19) << "14 pt at 96 dpi";
    const auto bytes = a.m_font1.toBytes();
    EXPECT_EQ(LogFont::fromBytes(bytes.data()), a.m_font1);
    EXPECT_NE(a.m_font1, ChartAttributes{}.m_font1);
}

TEST(SetupSheet, RefusesASpacingThatIsNotPositive)
{
    FakeChoosers fake;
    const ChartAttributes initial;
    for (const char* text : {"0", "-5", "abc", ""}) {
        RecordingMessages messages;
        CSetupSheet sheet(initial, nullptr, fake.choosers());
        sheet.show();
        sheet.tabs()->setCurrentIndex(2);
        find<QLineEdit>(&sheet, "step0")->setText(QString::fromUtf8(text)); // 含湿量
        sheet.accept();
        EXPECT_NE(sheet.result(), QDialog::Accepted) << text;
        EXPECT_TRUE(sheet.isVisible()) << "the sheet stays open";
        EXPECT_EQ(sheet.tabs()->currentIndex(), 0) << "back on the iso-line page";
        ASSERT_EQ(messages.texts(), std::vector<std::string>{"含湿量的间距必须是大于零的数。"}) << text;
        EXPECT_EQ(messages.entries[0].icon, MessageIcon::Stop);
        EXPECT_EQ(sheet.attributes(), initial);
    }
}

TEST(SetupSheet, CancelChangesNothingInTheDocument)
{
    CQORVADoc document;
    CMainFrame frame(document);
    document.m_bProjectOpen = true;
    frame.updateCommandStates();
    const ChartAttributes before = ChartAttributes::From(DocumentTestAccess::model(document));
    QTimer::singleShot(50, [] {
        auto* sheet = qobject_cast<CSetupSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->findChild<QCheckBox*>("show1")->setChecked(false);
        sheet->reject();
    });
    frame.action(cmd::ElementAttributes)->trigger();
    EXPECT_EQ(ChartAttributes::From(DocumentTestAccess::model(document)), before);
    EXPECT_FALSE(document.IsModified());
}

TEST(SetupSheet, Screenshots)
{
    FakeChoosers fake;
    CSetupSheet sheet(ChartAttributes{}, nullptr, fake.choosers());
    sheet.show();
    if (qEnvironmentVariable("QORVA_SCREENSHOT_DIR").isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    const char* names[] = {"attributes-lines.png", "attributes-points.png", "attributes-process.png"};
    for (int page = 0; page < 3; ++page) {
        sheet.tabs()->setCurrentIndex(page);
        QTest::qWait(100);
        EXPECT_FALSE(saveScreenshot(&sheet, names[page]).isEmpty());
    }
}

TEST(PageSetup, SpinBoxesHoldTheMarginsInRange)
{
    CPageSetupDlg dialog(PageMargins{5, 6, 7, 8});
    EXPECT_EQ(dialog.windowTitle(), "页面设置参数输入框");
    auto* top = find<QSpinBox>(&dialog, "top");
    EXPECT_EQ(top->value(), 5);
    EXPECT_EQ(top->minimum(), 0);
    EXPECT_EQ(top->maximum(), 300);
    top->setValue(400);
    find<QSpinBox>(&dialog, "right")->setValue(0);
    EXPECT_EQ(dialog.margins(), (PageMargins{300, 6, 7, 0}));
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string sample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";
        ASSERT_TRUE(document.OnOpenDocument(sample));
        document.SetChartView(false);
    }
    RecordingMessages messages;
    CQORVADoc document;
};

TEST_F(Printing, EnabledOnlyInPageView)
{
    CMainFrame frame(document);
    for (const bool chartView : {true, false}) {
        document.SetChartView(chartView);
        EXPECT_EQ(frame.action(cmd::FilePrint)->isEnabled(), !chartView);
        EXPECT_EQ(frame.action(cmd::FilePrintPreview)->isEnabled(), !chartView);
    }
}

TEST_F(Printing, PrintsOnePageInsideTheMargins)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    // The leftmost text starts further right by the added margin, counted twice
    // (drawable width and label margin) on the left.
    double leftmost[2] = {0, 0};
    const int margins[2] = {0, 30};
    for (int i = 0; i < 2; ++i) {
        document.SetPageMargins(PageMargins{10, 10, margins[i], margins[i]});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        const QString file = dir.filePath(QStringLiteral("print%1.pdf").arg(i));
        printer.setOutputFileName(file);
        ASSERT_TRUE(PrintChartPage(document, printer, ChartDevice{}));
        QProcess info;
        info.start(pdfinfo, {file});
        info.waitForFinished();
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+1\\n"))) << text.toStdString();
        QProcess words;
        words.start(pdftotext, {"-bbox", file, "-"});
        words.waitForFinished();
        const QString bbox = QString::fromUtf8(words.readAllStandardOutput());
        EXPECT_TRUE(bbox.contains(">x(g/kg)</word>"));
        double minX = 1e9;
        const QRegularExpression word("xMin=\"([0-9.]+)\"");
        for (auto it = word.globalMatch(bbox); it.hasNext();)
            minX = std::min(minX, it.next().captured(1).toDouble());
        leftmost[i] = minX;
    }
    const double pointsPerMm = 72.0 / 25.4;
    EXPECT_LT(leftmost[0], 10 * pointsPerMm);
    EXPECT_GT(leftmost[1], 30 * pointsPerMm) << "nothing printed in the left margin";
}

TEST_F(Printing, PreviewShowsOnePage)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&printer);
    int requests = 0;
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
        ++requests;
        EXPECT_TRUE(PrintChartPage(document, *target, ChartDevice{}));
    });
    preview.resize(800, 1000);
    preview.show();
    preview.updatePreview();
    EXPECT_GE(requests, 1);
    EXPECT_EQ(preview.pageCount(), 1);
    if (!qEnvironmentVariable("QORVA_SCREENSHOT_DIR").isEmpty()) {
        preview.fitInView();
        QTest::qWait(200);
        saveScreenshot(&preview, "print-preview.png");
    }
}

} // namespace
