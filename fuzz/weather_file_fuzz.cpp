#include <cstdint>
#include <string>
#include <string_view>

#include "climate/WeatherFile.h"

// libFuzzer target for the weather-file reader (EPW and CSV): any input must
// be read or refused with a reason, without a crash, a hang or unbounded
// memory, and a year read must hold at least one hour.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WeatherYear year;
    std::string error;
    const bool read = ReadWeatherBytes(std::string_view(reinterpret_cast<const char*>(data), size),
                                       "fuzz.epw", year, error);
    if ((!read && error.empty()) || (read && year.hours.empty()))
        __builtin_trap();
    return 0;
}
