#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "QorvaVersion.h"
#include "cli/Commands.h"
#include "cli/Usage.h"

int main(int argc, char* argv[])
{
    if (const int status = answerHelp(argc, argv); status >= 0)
        return status;
    const std::string command = argv[1];
    if (command == "--version" && argc == 2) {
        std::printf("qorva-cli %s\n", kQorvaVersion);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "state")
        return runStateCommand(args);
    if (command == "states")
        return runStatesCommand(args);
    if (command == "process")
        return runProcessCommand(args);
    if (command == "convert")
        return runConvertCommand(args);
    if (command == "render")
        return runRenderCommand(args);
    if (command == "export-points")
        return runExportPointsCommand(args);
    if (command == "export-params")
        return runExportParamsCommand(args);
    if (command == "report")
        return runReportCommand(args);
    if (command == "import-params")
        return runImportParamsCommand(args);
    if (command == "import-old")
        return runImportOldCommand(args);
    if (command == "analyze")
        return runAnalyzeCommand(args);
    if (command == "comfort")
        return runComfortCommand(args);
    if (command == "climate")
        return runClimateCommand(args);
    if (command == "annual")
        return runAnnualCommand(args);
    if (command == "export")
        return runExportCommand(args);
    std::fprintf(stderr, "qorva-cli: unknown command '%s'\n", command.c_str());
    std::fputs(kCliUsage, stderr);
    return 2;
}
