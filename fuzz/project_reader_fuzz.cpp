#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "project/ProjectFile.h"

// libFuzzer target for the project-file reader. Any input must be read or
// refused without a crash, a hang or unbounded memory; an input that is read
// must write out as bytes that read back and write out identically.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProjectContents contents;
    ProjectFile file;
    if (!file.readBytes(std::span(data, size), contents))
        return 0;
    const std::vector<std::uint8_t> first =
        ProjectFile::toBytes(contents.idg, contents.reportPath, contents.returnMode);
    ProjectContents again;
    if (!file.readBytes(first, again)) {
        std::fprintf(stderr, "a written project was refused: %s\n", file.errorString().c_str());
        std::abort();
    }
    if (ProjectFile::toBytes(again.idg, again.reportPath, again.returnMode) != first) {
        std::fputs("writing a project read back from its own bytes changed them\n", stderr);
        std::abort();
    }
    return 0;
}
