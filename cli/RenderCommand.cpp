#include <QGuiApplication>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Binding.h"
#include "render/ChartExport.h"
#include "chart/ChartForm.h"
#include "render/ChartRenderer.h"
#include "render/WeatherMap.h"
#include "climate/WeatherFile.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Usage.h"
#include "model/References.h"
#include "project/ProjectFile.h"
#include "translations/Language.h"

// qorva-cli render FILE.id OUT.emf|wmf|svg|pdf|png|jpg [--system S] [--room R]
//                  [--condition 0|1|2] [--page] [--width PIXELS] [--dpi DPI]
//                  [--png-compression 0-9] [--print-layout] [--all] [--lang zh|en]
//                  [--weather FILE.epw|FILE.csv] [--window T0,T1,X0,X1]
//
// Draws one room's chart exactly as the view shows it. --system and --room
// take a name, or a 0-based index when no system or room has that name;
// without them the project's current system and room are drawn. --condition
// chooses 普通 (0), 制冷 (1) or 制热 (2) for that room; without it the room's
// own condition is used. --page draws the whole page (with the known
// parameters and the result column) instead of the chart half. --width is
// the screen width in pixels the page is laid out for (default 1920: 9
// pixels per mm on a 210 mm page). The output type follows the extension.
// --dpi draws images at that resolution of the page (96–600) instead of one
// pixel per screen pixel; --png-compression sets the zlib level of PNG
// output (default 1, fast). PNG, JPG and SVG images hold the page inside a
// white border of the project's page margins, 5 mm at least; every export
// draws names, markers and arrows at sizes that read on paper. A PDF is one A4 page laid out for the printer
// with the project's margins (--print-layout says so explicitly); with --all
// it holds one page per room and condition that has objects beyond W, N, ε.
// --weather draws a weather year (.epw or .csv, every hour) over the grid as
// the program's 查看 → 气象年 does.
// --window draws the part of the chart from T0 to T1 °C (at its left edge)
// and from X0 to X1 g/kg, as 剪裁 over that region would.
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

struct RenderOptions {
    std::string input;
    std::string output;
    std::string system;
    std::string room;
    std::string weather;
    int condition = -1;
    bool pageView = false;
    int screenWidth = ChartDevice::kDefaultScreenWidth;
    int dpi = 0;
    int pngCompression = 1;
    bool printLayout = false;
    bool allRooms = false;
    UiLanguage language = UiLanguage::Chinese;
    chart::ExportFormat format = chart::ExportFormat::Png;
    // T0, T1 (°C), X0, X1 (g/kg) of --window, when given.
    std::optional<std::array<double, 4>> window;
    const ChartForm* form = nullptr;
    // The unit system the chart and its texts are shown in; none: the project's.
    std::optional<qorva::units::DisplaySystem> units;
};

// Qt's notes about the session environment (no runtime directory on a
// build server) are not the user's concern; everything else passes through.
void filterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int usage(const std::string& problem)
{
    std::fprintf(stderr, "qorva-cli render: %s\n", problem.c_str());
    std::fputs("usage: qorva-cli render FILE.id OUT.emf|wmf|svg|pdf|png|jpg [--system NAME|INDEX]\n"
               "                        [--room NAME|INDEX] [--condition 0|1|2] [--page] [--width PIXELS]\n"
               "                        [--dpi 96-600] [--png-compression 0-9] [--print-layout] [--all]\n"
               "                        [--lang zh|en] [--weather FILE.epw|FILE.csv] [--window T0,T1,X0,X1]\n"
               "                        [--form id|ashrae] [--units si|engineering|ip]\n",
               stderr);
    return kExitUsage;
}

bool parseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || parsed < -1000000 || parsed > 1000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// Four numbers separated by commas.
bool parseFourNumbers(const std::string& text, std::array<double, 4>& values)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t comma = i + 1 < values.size() ? text.find(',', start) : text.size();
        if (comma == std::string::npos)
            return false;
        const auto value = cli_arguments::Number(std::string_view(text).substr(start, comma - start));
        if (!value)
            return false;
        values[i] = *value;
        start = comma + 1;
    }
    return true;
}

// Index of the entry named name, else name read as a 0-based index; −1 when neither.
template <class Names> int findByNameOrIndex(const Names& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i]->m_strName == name)
            return static_cast<int>(i);
    int index = -1;
    if (parseInt(name, index) && index >= 0 && static_cast<std::size_t>(index) < names.size())
        return index;
    return -1;
}

bool parseOptions(const std::vector<std::string>& args, RenderOptions& options, std::string& problem)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                problem = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--system") {
            if (!value(options.system))
                return false;
        } else if (arg == "--room") {
            if (!value(options.room))
                return false;
        } else if (arg == "--weather") {
            if (!value(options.weather))
                return false;
        } else if (arg == "--condition") {
            if (!value(text))
                return false;
            if (!parseInt(text, options.condition) || options.condition < 0 || options.condition > 2) {
                problem = "--condition must be 0 (普通), 1 (制冷) or 2 (制热), not '" + text + "'";
                return false;
            }
        } else if (arg == "--width") {
            if (!value(text))
                return false;
            // Below 210 pixels the page would have no pixel per mm; above 20000
            // the page image would need gigabytes.
            if (!parseInt(text, options.screenWidth) || options.screenWidth < 210 ||
                options.screenWidth > 20000) {
                problem = "--width must be a screen width from 210 to 20000 pixels, not '" + text + "'";
                return false;
            }
        } else if (arg == "--dpi") {
            if (!value(text))
                return false;
            if (!parseInt(text, options.dpi) || options.dpi < chart::kMinImageDpi ||
                options.dpi > chart::kMaxImageDpi) {
                problem = "--dpi must be from 96 to 600, not '" + text + "'";
                return false;
            }
        } else if (arg == "--png-compression") {
            if (!value(text))
                return false;
            if (!parseInt(text, options.pngCompression) || options.pngCompression < 0 ||
                options.pngCompression > 9) {
                problem = "--png-compression must be from 0 to 9, not '" + text + "'";
                return false;
            }
        } else if (arg == "--lang") {
            if (!value(text))
                return false;
            const auto language = languageFromCode(QString::fromStdString(text));
            if (!language) {
                problem = "--lang must be zh or en, not '" + text + "'";
                return false;
            }
            options.language = *language;
        } else if (arg == "--form") {
            if (!value(text))
                return false;
            options.form = chartFormNamed(text);
            if (!options.form) {
                problem = "--form must be id or ashrae, not '" + text + "'";
                return false;
            }
        } else if (arg == "--units") {
            if (!value(text))
                return false;
            for (const cli_arguments::UnitsName& entry : cli_arguments::kUnitsNames)
                if (text == entry.name)
                    options.units = entry.system;
            if (!options.units) {
                problem = "--units must be si, engineering or ip, not '" + text + "'";
                return false;
            }
        } else if (arg == "--window") {
            if (!value(text))
                return false;
            std::array<double, 4> window{};
            if (!parseFourNumbers(text, window)) {
                problem =
                    "--window must be T0,T1,X0,X1 (°C, g/kg; °F, gr/lb with --units ip), not '" + text + "'";
                return false;
            }
            options.window = window;
        } else if (arg == "--print-layout") {
            options.printLayout = true;
        } else if (arg == "--all") {
            options.allRooms = true;
        } else if (arg == "--page") {
            options.pageView = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            problem = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        problem = "expected a project file and an output file";
        return false;
    }
    options.input = positional[0];
    options.output = positional[1];
    const auto format = chart::formatFromPath(options.output);
    if (!format) {
        problem = "the output must end in .emf, .wmf, .svg, .pdf, .png, .jpg or .jpeg";
        return false;
    }
    options.format = *format;
    const bool pdf = options.format == chart::ExportFormat::Pdf;
    if ((options.printLayout || options.allRooms) && !pdf) {
        problem = "--print-layout and --all need a .pdf output";
        return false;
    }
    const bool image =
        options.format == chart::ExportFormat::Png || options.format == chart::ExportFormat::Jpeg;
    if (options.dpi != 0 && !image) {
        problem = "--dpi applies to .png and .jpg outputs only";
        return false;
    }
    return true;
}

} // namespace

int runRenderCommand(const std::vector<std::string>& args)
{
    RenderOptions options;
    std::string problem;
    if (!parseOptions(args, options, problem))
        return usage(problem);

    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(filterQtMessages);
    static int argc = 1;
    static char name[] = "qorva-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance())
        application = std::make_unique<QGuiApplication>(argc, argv);
    // The chart's texts follow --lang; the program's own messages stay English.
    if (!installLanguage(options.language)) {
        std::fprintf(stderr, "qorva-cli render: the English catalogue could not be loaded\n");
        return kExitFailure;
    }

    if (reportMissingInput("render", options.input))
        return kExitFailure;
    const int version = ProjectFile::ProbeProjectVersion(options.input);
    if (version == 0) {
        std::fprintf(stderr, "qorva-cli render: %s is not a project file that can be read\n",
                     options.input.c_str());
        return kExitFailure;
    }
    if (version < ProjectFile::kCurrentVersion) {
        std::fprintf(stderr, "qorva-cli render: %s is an old project; import it in the program first\n",
                     options.input.c_str());
        return kExitFailure;
    }
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.read(options.input, version, *contents)) {
        std::fprintf(stderr, "qorva-cli render: cannot read %s: %s\n", options.input.c_str(),
                     file.errorString().c_str());
        return kExitFailure;
    }
    CIDG& idg = contents->idg;
    // The project as the program shows it after opening: references
    // repaired, every view derived from its design data.
    RepairReferences(idg);
    if (options.units)
        ApplyUnitSystem(idg, cli_arguments::UnitSystemCode(*options.units));
    else
        RefreshAllViews(idg);

    const auto& systems = idg.m_rooms.m_systems;
    if (!options.system.empty()) {
        const int index = findByNameOrIndex(systems, options.system);
        if (index < 0) {
            std::fprintf(stderr, "qorva-cli render: the project has no system '%s'\n",
                         options.system.c_str());
            return kExitFailure;
        }
        idg.m_nCurSystem = index;
        idg.m_nCurRoom = 0;
    }
    if (idg.m_nCurSystem < 0 || static_cast<std::size_t>(idg.m_nCurSystem) >= systems.size()) {
        std::fprintf(stderr, "qorva-cli render: the project has no system to draw\n");
        return kExitFailure;
    }
    const auto& rooms = systems[static_cast<std::size_t>(idg.m_nCurSystem)]->m_rooms;
    if (!options.room.empty()) {
        const int index = findByNameOrIndex(rooms, options.room);
        if (index < 0) {
            std::fprintf(stderr, "qorva-cli render: system '%s' has no room '%s'\n",
                         systems[static_cast<std::size_t>(idg.m_nCurSystem)]->m_strName.c_str(),
                         options.room.c_str());
            return kExitFailure;
        }
        idg.m_nCurRoom = index;
    }
    if (idg.m_nCurRoom < 0 || static_cast<std::size_t>(idg.m_nCurRoom) >= rooms.size()) {
        std::fprintf(stderr, "qorva-cli render: system '%s' has no room to draw\n",
                     systems[static_cast<std::size_t>(idg.m_nCurSystem)]->m_strName.c_str());
        return kExitFailure;
    }
    if (options.condition >= 0)
        idg.m_rooms.SetRoomCondition(idg.m_nCurSystem, idg.m_nCurRoom, options.condition);
    if (!idg.PointAtCurrentRoom() || !BindCurrentRoom(idg, false) || !RefreshCurrentView(idg)) {
        std::fprintf(stderr, "qorva-cli render: the room's design states cannot be computed\n");
        return kExitFailure;
    }

    if (options.window) {
        // In the units the chart is shown in: °C and g/kg, or °F and gr/lb.
        const auto& w = *options.window;
        const bool ip = idg.m_nUnitSystem == CIDG::kUnitsIP;
        const auto celsius = [ip](double t) { return ip ? (t - 32.0) * 5.0 / 9.0 : t; };
        const auto kgPerKg = [ip](double x) { return ip ? x / qorva::units::kGrainsPerPound : x / 1000.0; };
        const auto window = chart::windowFor(idg, celsius(w[0]), celsius(w[1]), kgPerKg(w[2]), kgPerKg(w[3]));
        if (!window)
            return usage("--window needs T0 < T1 and 0 <= X0 < X1, magnified at most 10000 times");
        idg.SetWindow(*window);
        idg.SetWindow(chart::settledWindow(idg));
    }

    ChartDevice device;
    device.screenWidth = options.screenWidth;
    device.form = options.form;
    chart::WeatherMap weather;
    if (!options.weather.empty()) {
        if (reportMissingInput("render", options.weather))
            return kExitFailure;
        WeatherYear year;
        if (!ReadWeatherFile(options.weather, year, problem)) {
            std::fprintf(stderr, "qorva-cli render: %s: %s\n", options.weather.c_str(), problem.c_str());
            return kExitFailure;
        }
        weather = chart::MakeWeatherMap(year, HourFilter{}, chart::WeatherMapStyle::Density);
        device.weather = &weather;
    }
    chart::ExportOptions exportOptions;
    exportOptions.format = options.format;
    exportOptions.pageView = options.pageView;
    exportOptions.dpi = options.dpi;
    exportOptions.pngCompression = options.pngCompression;
    exportOptions.allRooms = options.allRooms;
    if (!chart::exportChart(idg, device, options.output, exportOptions, problem)) {
        std::fprintf(stderr, "qorva-cli render: %s\n", problem.c_str());
        return kExitFailure;
    }
    return 0;
}
