#include <cstdint>
#include <string>
#include <string_view>

#include "project/ParameterFile.h"

// libFuzzer target for the parameter-file reader: any input must be read or
// refused with a reason, without a crash, a hang or unbounded memory.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NewProjectData project;
    std::string error;
    if (!ReadParameterFile(std::string_view(reinterpret_cast<const char*>(data), size), project, error) &&
        error.empty())
        __builtin_trap();
    return 0;
}
