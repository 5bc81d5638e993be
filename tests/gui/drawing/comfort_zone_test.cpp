#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/calculation/CParamPointDlg.h"
#include "gui/calculation/CPointInfoDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/CComfortZoneDlg.h"
#include "gui/drawing/ChartBuilder.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "psychro/Comfort.h"
#include "support/RecordingMessages.h"

namespace {

namespace psy = qorva::psychro;

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

// The sample project in the program's window; 绘制舒适区 driven as a user drives it.
class ComfortZoneDialog : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    std::unique_ptr<CMainFrame> frame;
    ChartBuilder* builder = nullptr;

    void SetUp() override
    {
        RememberComfortOccupant(std::nullopt);
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        frame = std::make_unique<CMainFrame>(document);
        frame->view()->setScreenWidth(1920);
        frame->resize(1200, 800);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        builder = frame->findChild<ChartBuilder*>("ChartBuilder");
        ASSERT_NE(builder, nullptr);
    }
    const CIDG& idg() { return document.model(); }
    std::vector<std::uint8_t> bytes() { return ProjectFile::toBytes(idg(), "", 0); }
    template <class T> T* field(const char* name) { return builder->dialog()->findChild<T*>(name); }
    void open()
    {
        frame->updateCommandStates();
        frame->action(cmd::DrawComfortZone)->trigger();
        ASSERT_NE(builder->dialog(), nullptr);
    }
    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = field<QLineEdit>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void press(const char* button) { QTest::mouseClick(field<QPushButton>(button), Qt::LeftButton); }
    const CStatePoint& point(std::size_t i) { return *(*idg().m_pPoints)[i]; }
};

TEST_F(ComfortZoneDialog, EveryKindOfZoneIsDrawnUndoneRedoneSavedAndReopened)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::size_t n = 1;
    const double tN = point(n).m_t;
    const double rhN = point(n).m_RH;
    const double dry = psy::kZoneOpenHumidityLow;
    const struct {
        int kind;
        const char* caption; // empty: no caption
        double t[4], RH[4];  // t < 0: the PMV zone, checked by its index
    } cases[] = {
        {CComfortZoneDlg::kCustom,
         "",
         {tN - 0.5, tN - 0.5, tN + 0.5, tN + 0.5},
         {rhN - 0.05, rhN + 0.05, rhN - 0.05, rhN + 0.05}},
        {CComfortZoneDlg::kCoolingClass1, "GB 50736 供冷 I级", {24, 24, 26, 26}, {0.4, 0.6, 0.4, 0.6}},
        {CComfortZoneDlg::kCoolingClass2, "GB 50736 供冷 II级", {26, 26, 28, 28}, {dry, 0.7, dry, 0.7}},
        {CComfortZoneDlg::kHeatingClass1, "GB 50736 供热 I级", {22, 22, 24, 24}, {0.3, 1, 0.3, 1}},
        {CComfortZoneDlg::kHeatingClass2, "GB 50736 供热 II级", {18, 18, 22, 22}, {dry, 1, dry, 1}},
        {CComfortZoneDlg::kPmv, "PMV ±1 (1.2 met, 0.5 clo, 0.10 m/s, 40–70%)", {-1}, {0.4, 0.7, 0.4, 0.7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        const std::vector<std::uint8_t> before = bytes();
        const std::size_t points = idg().m_pPoints->size();
        const std::size_t texts = idg().m_pTexts->size();
        open();
        // The zone is drawn around the indoor state N.
        EXPECT_EQ(field<QComboBox>("base")->currentText(), "N");
        field<QComboBox>("kind")->setCurrentIndex(c.kind);
        if (c.kind == CComfortZoneDlg::kPmv) {
            field<QComboBox>("limitClass")->setCurrentIndex(1);
            type("rhLow", "40");
        }
        press("ok");
        ASSERT_TRUE(messages.entries.empty()) << messages.texts().front();
        ASSERT_EQ(idg().m_pComfortAreas->size(), 1u);
        ASSERT_EQ(idg().m_pPoints->size(), points + 4);
        for (std::size_t k = 0; k < 4; ++k) {
            const CStatePoint& corner = point(points + k);
            EXPECT_EQ(corner.m_strName, "N" + std::to_string(k));
            EXPECT_NEAR(corner.m_RH, c.RH[k], 1e-5) << k;
            if (c.t[0] >= 0) {
                EXPECT_NEAR(corner.m_t, c.t[k], 1e-4) << k;
            } else {
                const auto index =
                    psy::comfortIndex({corner.m_t, corner.m_t, 0.1, corner.m_RH, 1.2, 0.5, 0.0});
                ASSERT_TRUE(index);
                EXPECT_NEAR(index->pmv, k < 2 ? -1.0 : 1.0, 0.005) << k;
            }
        }
        const std::string caption = c.caption;
        EXPECT_EQ(idg().m_pComfortAreas->front()->m_strLabel, caption);
        EXPECT_EQ(idg().m_pTexts->size(), texts + (caption.empty() ? 0 : 1));
        if (!caption.empty()) {
            const CCommentString& text = *idg().m_pTexts->back();
            EXPECT_EQ(text.m_strText, caption);
            // Beside the zone: just right of its corner of highest t and RH.
            const CanvasPoint p4 = frame->view()->chart().PointPosition(point(points + 3));
            const QPoint corner = frame->view()->ChartRelative(QPoint(p4.x, p4.y));
            EXPECT_GT(text.m_nPlace[1], corner.x());
            EXPECT_LT(text.m_nPlace[1], corner.x() + 20);
            EXPECT_EQ(text.m_nPlace[3], corner.y());
        }

        // One step, undone and redone byte for byte.
        const std::vector<std::uint8_t> after = bytes();
        QUndoStack& stack = document.undoStack();
        ASSERT_EQ(stack.count(), 1);
        EXPECT_EQ(stack.text(0).toStdString(), "绘制舒适区 N");
        stack.undo();
        EXPECT_EQ(bytes(), before);
        stack.redo();
        EXPECT_EQ(bytes(), after);

        const std::string path = QDir(folder.path()).filePath("zone.id").toStdString();
        ASSERT_TRUE(document.OnSaveDocument(path));
        ASSERT_TRUE(document.OnOpenDocument(path));
        EXPECT_EQ(bytes(), after);
        ASSERT_EQ(idg().m_pComfortAreas->size(), 1u);
        EXPECT_EQ(idg().m_pComfortAreas->front()->m_strLabel, caption);
    }
}

TEST_F(ComfortZoneDialog, AnOpenHumidityBoundIsSaidAndAPmvZoneOutOfReachIsRefused)
{
    open();
    field<QComboBox>("kind")->setCurrentIndex(CComfortZoneDlg::kHeatingClass2);
    const QString note = field<QLabel>("note")->text();
    EXPECT_TRUE(note.contains("相对湿度 0%")) << note.toStdString();
    EXPECT_TRUE(note.contains("相对湿度 100%")) << note.toStdString();
    EXPECT_FALSE(field<QLineEdit>("met")->isEnabled());

    field<QComboBox>("kind")->setCurrentIndex(CComfortZoneDlg::kPmv);
    field<QComboBox>("limitClass")->setCurrentIndex(2); // a limit typed in
    const std::vector<std::uint8_t> before = bytes();
    const struct {
        const char* box;
        const char* text;
        const char* message;
    } cases[] = {
        {"met", "5", "无法绘制PMV舒适区：代谢率须在0.8－4 met之间"},
        {"rhHigh", "20", "无法绘制PMV舒适区：相对湿度下限须小于上限，且在0－100之间"},
        {"limit", "3", "无法绘制PMV舒适区：PMV = ±限值在10－30℃之间达不到"},
        {"limit", "0", "无法绘制PMV舒适区：PMV限值须大于0且不大于3"},
    };
    for (const auto& c : cases) {
        const QString kept = field<QLineEdit>(c.box)->text();
        type(c.box, c.text);
        messages.clear();
        press("ok");
        EXPECT_THAT(messages.texts(), ::testing::ElementsAre(c.message));
        EXPECT_TRUE(builder->dialog()->isVisible());
        type(c.box, kept);
    }
    EXPECT_EQ(bytes(), before);
}

TEST_F(ComfortZoneDialog, StateInformationShowsTheIndexForTheOccupantLastUsed)
{
    // ISO 7730, Table D.1, rows 1 and 6 (PMV −0.75 and −0.60); PPD by the
    // standard's formula, 100 − 95·exp(−0.03353·PMV⁴ − 0.2179·PMV²).
    const struct {
        double t, RH;
        bool winter;
        std::optional<ComfortOccupant> last;
        const char* pmv;
        double ppd;
    } cases[] = {
        {22, 0.6, false, std::nullopt, "-0.75", 16.9},
        {19, 0.4, true, std::nullopt, "-0.60", 12.6},
        {27, 0.6, true, ComfortOccupant{1.6, 0.5, 0.3}, "0.95", 24.0},
        {31, 0.5, false, std::nullopt, "超出适用范围", -1},
    };
    for (const auto& c : cases) {
        RememberComfortOccupant(c.last);
        CParamPoint state;
        state.m_t = static_cast<float>(c.t);
        state.m_RH = static_cast<float>(c.RH);
        CPointInfoDlg dialog(state, 1, nullptr, c.winter);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("pmv")->text(), c.pmv) << c.t;
        const QString ppd = dialog.findChild<QLineEdit*>("ppd")->text();
        if (c.ppd < 0)
            EXPECT_TRUE(ppd.isEmpty());
        else
            EXPECT_NEAR(ppd.toDouble(), c.ppd, 0.15) << c.t;
    }
}

TEST_F(ComfortZoneDialog, TheParameterPointCalculatorShowsTheIndex)
{
    CParamPointDlg dialog(document, CParamPointDlg::Form::List);
    const auto box = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
    dialog.findChild<QCheckBox*>("known_t")->setChecked(true);
    dialog.findChild<QCheckBox*>("known_rh")->setChecked(true);
    box("t")->setText("22");
    box("rh")->setText("60");
    ASSERT_TRUE(dialog.Calculate());
    EXPECT_EQ(box("pmv")->text(), "-0.75");
    EXPECT_EQ(box("ppd")->text(), "16.9");
    dialog.Reset();
    EXPECT_EQ(box("pmv")->text(), "");
}

// The summer view of the sample with the GB 50736 供冷 I级 zone and a PMV zone
// (run under a display with QORVA_SCREENSHOT_DIR set).
// The explanation under the list wraps to more lines for some kinds: each
// change of 舒适区依据 leaves the dialog tall enough to show all of it.
TEST_F(ComfortZoneDialog, TheExplanationIsNeverCutAfterAChangeOfKind)
{
    open();
    QDialog* dialog = builder->dialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    auto* note = field<QLabel>("note");
    ASSERT_NE(note, nullptr);
    for (int kind : {CComfortZoneDlg::kCustom, CComfortZoneDlg::kHeatingClass1, CComfortZoneDlg::kPmv,
                     CComfortZoneDlg::kCoolingClass2, CComfortZoneDlg::kCustom, CComfortZoneDlg::kPmv}) {
        SCOPED_TRACE(kind);
        field<QComboBox>("kind")->setCurrentIndex(kind);
        QApplication::processEvents();
        EXPECT_GE(note->height(), note->heightForWidth(note->width())) << note->text().toStdString();
        EXPECT_GE(dialog->height(), dialog->layout()->totalHeightForWidth(dialog->width()));
    }
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(dialog->grab().save(folder + "/comfort-zone-dialog-pmv.png"));
    }
}

TEST_F(ComfortZoneDialog, Screenshot)
{
    const QString folder = QString::fromLocal8Bit(qgetenv("QORVA_SCREENSHOT_DIR"));
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    document.SelectCondition(kConditionSummer);
    frame->resize(1400, 900);
    open();
    field<QComboBox>("kind")->setCurrentIndex(CComfortZoneDlg::kCoolingClass1);
    press("ok");
    // The PMV zone is named after W, so it does not replace the zone on N.
    open();
    field<QComboBox>("base")->setCurrentIndex(0);
    field<QComboBox>("kind")->setCurrentIndex(CComfortZoneDlg::kPmv);
    // Class II reaches warmer than the code's zone, so the two captions stand apart.
    field<QComboBox>("limitClass")->setCurrentIndex(1);
    press("ok");
    ASSERT_EQ(idg().m_pComfortAreas->size(), 2u);
    CQORVAView* view = frame->view();
    view->OnZoomAll();
    const CanvasPoint n = view->chart().PointPosition(point(1));
    const QPoint indoor(n.x, n.y);
    view->DoZoomIn(&indoor, 3.0);
    QApplication::processEvents();
    ASSERT_TRUE(frame->grab().toImage().save(folder + "/comfort-zones.png"));
}

} // namespace
