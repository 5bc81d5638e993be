#include <cstdio>

#include "app/cli/Commands.h"

// Commands whose implementation has not landed yet fail clearly.
namespace {
int notAvailable(const char* name)
{
    std::fprintf(stderr, "qorva-cli: '%s' is not available in this build\n", name);
    return 2;
}
}  // namespace

int runStateCommand(const std::vector<std::string>&) { return notAvailable("state"); }
int runStatesCommand(const std::vector<std::string>&) { return notAvailable("states"); }
