#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <string>
#include <vector>

#include "cli/Usage.h"

// The bash completion the package installs offers every command of
// qorva-cli and each command's options.
namespace {

QString completionScript()
{
    QFile file(QORVA_SOURCE_DIR "/packaging/qorva-cli.bash");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

// The words of the completion's branch "COMMAND) options=...;;".
QStringList optionsOf(const QString& script, const QString& command)
{
    const QRegularExpression branch("\\n\\s+" + QRegularExpression::escape(command) +
                                    "\\)\\s*options=\"([^\"]*)\"");
    return branch.match(script).captured(1).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

TEST(CliCompletion, OffersEveryCommandAndItsOptions)
{
    const QString script = completionScript();
    const QStringList commands =
        QRegularExpression("commands=\"([^\"]*)\"").match(script).captured(1).split(' ', Qt::SkipEmptyParts);
    // Every command the usage names.
    static const QRegularExpression usageCommand("^  ([a-z][a-z-]+) ", QRegularExpression::MultilineOption);
    for (auto it = usageCommand.globalMatch(QString::fromUtf8(kCliUsage)); it.hasNext();) {
        const QString command = it.next().captured(1);
        EXPECT_TRUE(commands.contains(command)) << command.toStdString();
    }
    const std::vector<std::pair<QString, QStringList>> options = {
        {"state", {"--units", "--p", "--t", "--tw", "--rh", "--td", "--x", "--h", "--json"}},
        {"states", {"--units", "--p", "--json"}},
        {"process",
         {"--units", "--p", "--t", "--tw", "--rh", "--td", "--x", "--h", "--to-t", "--to-tw", "--to-rh", "--to-td",
          "--to-x", "--to-h", "--e", "--dx", "--heat-to", "--ratio", "--json"}},
        {"render",
         {"--system", "--room", "--condition", "--width", "--dpi", "--png-compression", "--page",
          "--print-layout", "--all", "--lang", "--weather", "--window", "--form"}},
        {"report", {"--json"}},
        {"analyze",
         {"--analysis", "--system", "--room", "--winter", "--no-winter", "--fan-rise", "--supply-diff",
          "--dew-point", "--preheat", "--humidify", "--preheat-diff", "--mix", "--heat-to",
          "--humidification", "--recovery", "--recovery-e", "--json"}},
        {"comfort",
         {"--units", "--ta", "--rh", "--tr", "--v", "--met", "--clo", "--zone", "--limit", "--rh-low", "--rh-high",
          "--p"}},
        {"climate", {"--hours", "--months", "--json"}},
        {"export", {"--weather"}},
        {"annual",
         {"--system", "--room", "--fresh-air", "--hours", "--recovery-total", "--recovery-sensible",
          "--json"}},
    };
    for (const auto& [command, expected] : options) {
        EXPECT_TRUE(commands.contains(command)) << command.toStdString();
        const QStringList offered = optionsOf(script, command);
        for (const QString& option : expected)
            EXPECT_TRUE(offered.contains(option)) << command.toStdString() << " " << option.toStdString();
    }
}

} // namespace
