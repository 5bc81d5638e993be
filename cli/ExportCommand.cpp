#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Usage.h"
#include "climate/WeatherFile.h"
#include "project/ProjectFile.h"
#include "project/Workbook.h"

// qorva-cli export IN.id OUT.xlsx [--weather FILE]: the project as an Excel
// workbook (文件 → 导出工作簿): design data, result values, state points, and
// with a weather year its statistics and a year of each room's fresh air.
// OUT is written atomically; on any failure a message goes to standard error
// and nothing is written: status 2 for wrong arguments, 1 for a file that
// cannot be read or written.
namespace {

constexpr const char* kUsage = "usage: qorva-cli export IN.id OUT.xlsx [--weather FILE.epw|.csv]\n";

int refuse(const std::string& problem)
{
    std::fprintf(stderr, "qorva-cli export: %s\n", problem.c_str());
    return 1;
}

} // namespace

int runExportCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> positional;
    std::optional<std::string> weatherPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--weather" && i + 1 < args.size() && !args[i + 1].empty()) {
            if (weatherPath) {
                std::fputs(kUsage, stderr);
                return 2;
            }
            weatherPath = args[++i];
        } else if (args[i].starts_with("--") || args[i].empty()) {
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& in = positional[0];
    const std::string& out = positional[1];
    if (reportMissingInput("export", in) || (weatherPath && reportMissingInput("export", *weatherPath)))
        return 1;
    const int version = ProjectFile::ProbeProjectVersion(in);
    if (version == 0)
        return refuse(in + " is not a project file of version 320 or later");
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.read(in, version, *contents))
        return refuse("cannot read " + in + ": " + file.errorString());
    WeatherYear year;
    std::string error;
    if (weatherPath && !ReadWeatherFile(*weatherPath, year, error))
        return refuse("cannot read " + *weatherPath + ": " + error);
    const WorkbookWeather weather{year, HourFilter()};
    if (!ExportWorkbook(contents->idg, weatherPath ? &weather : nullptr, out, error))
        return refuse(out + ": " + error);
    return 0;
}
