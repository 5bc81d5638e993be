#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "project/CQORVADoc.h"
#include "project/DocumentEdits.h"
#include "project/ProjectFile.h"
#include "support/OneRoomProject.h"
#include "support/RecordingMessages.h"
#include "support/SuiteGuiApplication.h"
#include "translations/Language.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

bool hasChinese(const std::string& text)
{
    for (const QChar c : QString::fromStdString(text))
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// With the English catalogue installed, the core's refusals, file errors,
// analysis failures and undo-step names reach the user in English; once it
// is removed they are Chinese again.
class CoreLanguage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }
    void TearDown() override { removeLanguage(); }

    RecordingMessages messages;
};

struct Case {
    const char* what;
    // Triggers the message and returns the text the user is shown.
    std::function<std::string(RecordingMessages&)> shown;
    std::string english;
    std::string chinese;
};

std::string lastMessage(const RecordingMessages& messages)
{
    return messages.entries.empty() ? std::string() : messages.entries.back().text;
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> table{
        {"derived point refused",
         [](RecordingMessages& m) {
             CQORVADoc document;
             EXPECT_TRUE(document.OnOpenDocument(kSample));
             DocumentEdits(document).AddMixingPoint("C9", 0, 0, 30.0f, document.model().FullChartStates());
             return lastMessage(m);
         },
         "The two reference points must not be the same, please correct!", "两个参考点不能相同，请修改！"},
        {"deletion refused",
         [](RecordingMessages& m) {
             CQORVADoc document;
             EXPECT_TRUE(document.OnOpenDocument(kSample));
             DocumentEdits(document).DeleteObject(CIDG::kClassPoint, 0);
             return lastMessage(m);
         },
         "The outdoor point W and the indoor point N are special points and cannot be deleted",
         "室外点W和室内点N为特殊点，不允许删除"},
        {"damaged file",
         [](RecordingMessages&) {
             const std::vector<std::uint8_t> bytes; // nothing: the data ends at once
             ProjectContents contents;
             ProjectFile file;
             EXPECT_FALSE(file.readBytes(bytes, contents));
             return file.errorString();
         },
         "Cannot open the document.\nThe file is incomplete: the data ends unexpectedly (offset 0).",
         "无法打开文档。\n文件不完整，数据意外结束（位置 0）。"},
        {"analysis failure",
         [](RecordingMessages&) {
             CIDG idg;
             fillOneRoomProject(idg).m_fSummerFreshAir = 0;
             idg.m_fSummerDensity = 1.2f; // the supply volume is found before the fresh air is
             std::string message;
             EXPECT_FALSE(RunAnalysis(idg, PrimaryParams{}, message));
             return message;
         },
         "Calculation error, please check the input data!\nThe outdoor air flow rate is 0; please correct it "
         "and analyse again",
         "计算错误，请检查输入数据!\n新风量为0，建议改正后重新分析"},
        {"undo-step name",
         [](RecordingMessages&) {
             CQORVADoc document;
             EXPECT_TRUE(document.OnOpenDocument(kSample));
             EXPECT_TRUE(DocumentEdits(document).AddMixingPoint("C9", 0, 1, 30.0f,
                                                                document.model().FullChartStates()));
             return document.undoStack().undoText().toStdString();
         },
         "Add mixing point C9", "添加混合点 C9"},
    };
    return table;
}

TEST_F(CoreLanguage, MessagesFollowTheInstalledCatalogue)
{
    ASSERT_TRUE(installLanguage(UiLanguage::English));
    for (const Case& c : cases()) {
        const std::string shown = c.shown(messages);
        EXPECT_EQ(shown, c.english) << c.what;
        EXPECT_FALSE(hasChinese(shown)) << c.what << ": " << shown;
    }
    removeLanguage();
    for (const Case& c : cases())
        EXPECT_EQ(c.shown(messages), c.chinese) << c.what;
}

} // namespace
