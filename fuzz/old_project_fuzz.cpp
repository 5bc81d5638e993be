#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "project/OldProjectImport.h"

// libFuzzer target for the old-project reader: any input must be read or
// refused without a crash, a hang or unbounded memory; a project that is read
// must write in the current format and read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto contents = std::make_unique<ProjectContents>();
    std::string error;
    if (!ReadOldProject(std::span(data, size), *contents, error))
        return 0;
    const std::vector<std::uint8_t> bytes =
        ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode);
    auto again = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.readBytes(bytes, *again)) {
        std::fprintf(stderr, "an imported old project was refused in the current format: %s\n",
                     file.errorString().c_str());
        std::abort();
    }
    return 0;
}
