#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/Commands.h"

namespace {

void printUsage()
{
    std::fputs("usage: qorva-cli COMMAND [ARGS]\n"
               "commands:\n"
               "  state --t T --rh RH [--p P]   one moist-air state (any two of --t --tw --rh --td --x --h)\n"
               "  states                        states for argument lines read from standard input, as CSV\n"
               "  convert IN.id OUT.id          rewrite a project file in the current format\n"
               "  render FILE.id OUT.pdf|png|…  draw a project's chart (emf, wmf, svg, pdf, png, jpg)\n"
               "  export-points IN.id OUT.txt   table of every state point (文件 → 输出 → 状态点)\n"
               "  export-params IN.id OUT.txt   table of every parameter point (文件 → 输出 → 参数点)\n"
               "  report IN.id OUT.txt          analysis report of every room (关闭并返回)\n"
               "  import-params IN.txt OUT.id   build a project from a parameter file (start-up with m)\n"
               "  import-old OLD OUT.id         import a project older than version 320 (导入旧工程)\n"
               "  analyze IN.id OUT.id --analysis primary|secondary|fancoil|freshair\n"
               "                                run a process analysis (过程分析); analyze --help for options\n",
               stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printUsage();
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "state")
        return runStateCommand(args);
    if (command == "states")
        return runStatesCommand(args);
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
    std::fprintf(stderr, "qorva-cli: unknown command '%s'\n", command.c_str());
    printUsage();
    return 2;
}
