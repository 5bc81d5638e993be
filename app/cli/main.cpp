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
               "  render FILE.id OUT.pdf|png|…  draw a project's chart (emf, wmf, svg, pdf, png, jpg)\n",
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
    std::fprintf(stderr, "qorva-cli: unknown command '%s'\n", command.c_str());
    printUsage();
    return 2;
}
