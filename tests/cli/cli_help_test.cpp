#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Usage.h"
#include "support/RecordingMessages.h"

namespace {

TEST(CliHelp, HelpGoesToStandardOutputAndNamesEveryCommandWithItsOptions)
{
    for (const char* flag : {"--help", "-h"}) {
        const char* argv[] = {"qorva-cli", flag};
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(answerHelp(2, argv), 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), kCliUsage);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    const char* bare[] = {"qorva-cli"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(answerHelp(1, bare), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kCliUsage);

    const std::string usage = kCliUsage;
    const std::vector<std::vector<std::string>> commands = {
        {"state", "--t", "--tw", "--rh", "--td", "--x", "--h", "--p"},
        {"states", "--p"},
        {"process", "--p", "--to-t", "--to-rh", "--e", "--dx", "--heat-to", "--ratio"},
        {"convert"},
        {"render", "--system", "--room", "--condition", "--width", "--dpi", "--png-compression", "--page",
         "--print-layout", "--all", "--lang", "--window", "--form"},
        {"export-points"},
        {"export-params"},
        {"report"},
        {"import-params"},
        {"import-old"},
        {"analyze", "--analysis", "--system", "--room", "--winter", "--no-winter", "--fan-rise",
         "--supply-diff", "--dew-point", "--preheat", "--humidify", "--preheat-diff", "--mix", "--heat-to",
         "--humidification", "--recovery", "--recovery-e"},
        {"comfort", "--ta", "--rh", "--tr", "--v", "--met", "--clo", "--zone", "gb-cooling-1", "gb-cooling-2",
         "gb-heating-1", "gb-heating-2", "pmv", "--limit", "--rh-low", "--rh-high", "--p"},
        {"annual", "--system", "--room", "--fresh-air", "--hours", "--recovery-total", "--recovery-sensible"},
        {"export", "--weather"},
    };
    for (const auto& command : commands) {
        const std::size_t at = usage.find("\n  " + command[0] + " ");
        ASSERT_NE(at, std::string::npos) << command[0];
        // Each option as a word of its own, after its command.
        for (std::size_t i = 1; i < command.size(); ++i) {
            const std::size_t option = usage.find(command[i], at);
            ASSERT_NE(option, std::string::npos) << command[0] << " " << command[i];
            const char next = usage[option + command[i].size()];
            EXPECT_TRUE(next == ' ' || next == '\n' || next == ',' || next == '|')
                << command[0] << " " << command[i];
        }
    }
}

TEST(CliHelp, AMissingInputIsReportedAsMissing)
{
    RecordingMessages messages;
    using Command = int (*)(const std::vector<std::string>&);
    const std::pair<Command, const char*> commands[] = {{runExportPointsCommand, "export-points"},
                                                        {runReportCommand, "report"},
                                                        {runImportParamsCommand, "import-params"},
                                                        {runImportOldCommand, "import-old"}};
    for (const auto& [command, name] : commands) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(command({"/nonexistent/in.id", "/nonexistent/out"}), 1) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("qorva-cli: ") + name + " /nonexistent/in.id: no such file\n");
        EXPECT_TRUE(messages.entries.empty()) << name << " " << messages.texts().front();
    }
}

} // namespace
