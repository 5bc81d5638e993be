#include <QButtonGroup>
#include <QCheckBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/analysis/AnalysisDialogs.h"
#include "project/CQORVADoc.h"
#include "support/RecordingMessages.h"

#include "cli/Commands.h"

// The fan coil of the sample run from its dialog with 等温加湿 and 制热工况,
// saved and reopened: the dialog shows the same choice, and the command line
// run of the reopened file places the same winter points as the dialog did.
namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";
constexpr int kSystem = 0, kFanCoilRoom = 2;

struct State {
    std::string name;
    float t, x, h;
    bool operator==(const State&) const = default;
};

std::vector<State> winterPoints(const CIDG& idg)
{
    std::vector<State> states;
    const CServiceArea& room = *idg.m_rooms.m_systems[kSystem]->m_rooms[kFanCoilRoom];
    for (const auto& p : room.m_points[kConditionWinter])
        states.push_back({p->m_strName, p->m_t, p->m_d, p->m_h});
    return states;
}

void selectFanCoilRoom(CQORVADoc& document)
{
    ASSERT_TRUE(document.SelectSystem(kSystem));
    document.SelectRoom(kFanCoilRoom);
}

TEST(FanCoilRoundTrip, IsothermalWinterSurvivesSavingAndTheCommandLine)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const std::string saved = dir.filePath("fancoil.id").toStdString();
    const std::string analysed = dir.filePath("analysed.id").toStdString();
    std::vector<State> fromDialog;
    {
        CQORVADoc document;
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        selectFanCoilRoom(document);
        CFanCoilAnalysisDlg dialog(document);
        dialog.m_winter->setChecked(true);
        dialog.m_humidify->button(kHumidifySteam)->setChecked(true);
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted) << messages.texts().back();
        fromDialog = winterPoints(document.model());
        ASSERT_TRUE(document.OnSaveDocument(saved));
    }
    ASSERT_GE(fromDialog.size(), 6u); // W, N, O and the treatment points
    {
        CQORVADoc document;
        ASSERT_TRUE(document.OnOpenDocument(saved));
        selectFanCoilRoom(document);
        CFanCoilAnalysisDlg reopened(document);
        EXPECT_TRUE(reopened.m_winter->isChecked());
        EXPECT_EQ(reopened.m_humidify->checkedId(), kHumidifySteam);
    }
    testing::internal::CaptureStdout();
    const int status = runAnalyzeCommand({saved, analysed, "--analysis", "fancoil", "--system",
                                          std::to_string(kSystem), "--room", std::to_string(kFanCoilRoom)});
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);
    CQORVADoc fromCli;
    ASSERT_TRUE(fromCli.OnOpenDocument(analysed));
    EXPECT_EQ(winterPoints(fromCli.model()), fromDialog);
}

} // namespace
