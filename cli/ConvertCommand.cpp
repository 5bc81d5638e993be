#include <cstdio>

#include "cli/Commands.h"
#include "cli/Usage.h"
#include "project/ProjectFile.h"

// qorva-cli convert IN OUT: rewrites a project of any version this program
// opens (320 to 327) in the current format, unchanged; exit status 1 with the
// reason on standard error when IN is refused or OUT cannot be written.
int runConvertCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("usage: qorva-cli convert IN.id OUT.id\n", stderr);
        return 2;
    }
    if (reportMissingInput("convert", args[0]))
        return 1;
    ProjectFile file;
    if (!file.convert(args[0], args[1])) {
        std::fprintf(stderr, "qorva-cli: convert %s %s: %s\n", args[0].c_str(), args[1].c_str(),
                     file.errorString().c_str());
        return 1;
    }
    return 0;
}
