#include <cstdio>

#include "examples/OfficeSample.h"
#include "project/ProjectFile.h"

// Writes the sample project: qorva-make-sample OUT.id
int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: qorva-make-sample OUT.id\n", stderr);
        return 2;
    }
    CIDG idg;
    office_sample::build(idg);
    ProjectFile file;
    if (!file.write(argv[1], idg, std::string(), 0)) {
        std::fprintf(stderr, "qorva-make-sample: %s\n", file.errorString().c_str());
        return 1;
    }
    return 0;
}
