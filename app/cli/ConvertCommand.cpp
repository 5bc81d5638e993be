#include <cstdio>
#include <memory>

#include "app/cli/Commands.h"
#include "project/ProjectFile.h"

// qorva-cli convert IN OUT: reads a project of any version this program opens
// (320 to 327) and writes it in the current format, exactly as read: nothing
// is rebound or recomputed, so a version-327 file comes out byte for byte.
int runConvertCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("usage: qorva-cli convert IN.id OUT.id\n", stderr);
        return 2;
    }
    const std::string& in = args[0];
    const std::string& out = args[1];
    const int version = ProjectFile::ProbeProjectVersion(in);
    if (version == 0) {
        std::fprintf(stderr,
                     "qorva-cli: %s: not a project file of version 320 or later "
                     "(older projects are upgraded with 导入旧工程)\n",
                     in.c_str());
        return 1;
    }
    ProjectFile file;
    auto contents = std::make_unique<ProjectContents>();
    if (!file.read(in, version, *contents)) {
        std::fprintf(stderr, "qorva-cli: %s: %s\n", in.c_str(), file.errorString().c_str());
        return 1;
    }
    if (!file.write(out, contents->idg, contents->reportPath, contents->returnMode)) {
        std::fprintf(stderr, "qorva-cli: %s: %s\n", out.c_str(), file.errorString().c_str());
        return 1;
    }
    return 0;
}
