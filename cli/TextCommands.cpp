#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/Usage.h"
#include "project/AnalysisReport.h"
#include "project/CQORVADoc.h"
#include "project/OldProjectImport.h"
#include "project/ParameterFile.h"
#include "project/ProjectFile.h"
#include "project/TextExport.h"

// The text-file commands of qorva-cli: the two table exports, the analysis
// report of close-and-return, the parameter-file import and the old-project
// import. Each writes OUT atomically (nothing is left behind on failure);
// exit status 2 for wrong arguments, 1 when a file cannot be read or written.
namespace {

bool wrongArguments(const std::vector<std::string>& args, const char* usage)
{
    if (args.size() == 2 && !args[0].empty() && !args[1].empty())
        return false;
    std::fprintf(stderr, "usage: qorva-cli %s\n", usage);
    return true;
}

int failed(const char* command, const std::vector<std::string>& args, const std::string& reason)
{
    std::fprintf(stderr, "qorva-cli: %s %s %s: %s\n", command, args[0].c_str(), args[1].c_str(),
                 reason.c_str());
    return 1;
}

// Reads a project of any version this program opens; nullptr after the
// message when it cannot be read.
std::unique_ptr<ProjectContents> readProject(const char* command, const std::vector<std::string>& args)
{
    if (reportMissingInput(command, args[0]))
        return nullptr;
    const int version = ProjectFile::ProbeProjectVersion(args[0]);
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (version == 0) {
        failed(command, args, "不是版本 320 以后的工程文件（更早的工程请用 import-old 升级）");
        return nullptr;
    }
    if (!file.read(args[0], version, *contents)) {
        failed(command, args, file.errorString());
        return nullptr;
    }
    return contents;
}

template <class Export>
int runExport(const char* command, const std::vector<std::string>& args, Export exportTable)
{
    const std::string usage = std::string(command) + " IN.id OUT.txt";
    if (wrongArguments(args, usage.c_str()))
        return 2;
    const std::unique_ptr<ProjectContents> contents = readProject(command, args);
    if (!contents)
        return 1;
    std::string error;
    if (!exportTable(contents->idg, args[1], error))
        return failed(command, args, error);
    return 0;
}

} // namespace

int runExportPointsCommand(const std::vector<std::string>& args)
{
    return runExport("export-points", args, [](const CIDG& idg, const std::string& out, std::string& error) {
        return ExportStatePoints(idg, out, error);
    });
}

int runExportParamsCommand(const std::vector<std::string>& args)
{
    return runExport("export-params", args, [](const CIDG& idg, const std::string& out, std::string& error) {
        return ExportParamPoints(idg, out, error);
    });
}

namespace {

// report IN.id [OUT.json] --json: every room's design loads, views and stored
// primary return-air results as JSON, on standard output or written to OUT.
// A room whose views cannot be bound is listed with ok false (status 1).
int runReportJson(std::vector<std::string> args)
{
    if (args.empty() || args.size() > 2 || args[0].empty() || (args.size() == 2 && args[1].empty())) {
        std::fputs("usage: qorva-cli report IN.id [OUT.json] --json\n", stderr);
        return 2;
    }
    const bool toFile = args.size() == 2;
    if (!toFile)
        args.emplace_back("-");
    const std::unique_ptr<ProjectContents> contents = readProject("report", args);
    if (!contents)
        return 1;
    CIDG& idg = contents->idg;
    QJsonArray rooms;
    bool ok = true;
    for (std::size_t s = 0; s < idg.m_rooms.m_systems.size(); ++s)
        for (std::size_t r = 0; r < idg.m_rooms.m_systems[s]->m_rooms.size(); ++r) {
            const bool winter = RunsWinter(StoredPrimaryParams(*idg.m_rooms.m_systems[s]->m_rooms[r]));
            const QJsonObject room =
                cli_json::room(idg, int(s), int(r), "primary", std::string(), true, winter);
            ok = ok && room["ok"].toBool();
            rooms.append(room);
        }
    const QJsonObject report{{"project", cli_json::text(idg.m_strProjectName)}, {"rooms", rooms}};
    if (!toFile) {
        cli_json::print(report);
    } else {
        std::string error;
        if (!WriteTextFile(args[1], QJsonDocument(report).toJson(QJsonDocument::Indented).toStdString(),
                           error))
            return failed("report", args, error);
    }
    return ok ? 0 : 1;
}

} // namespace

int runReportCommand(const std::vector<std::string>& args)
{
    if (std::find(args.begin(), args.end(), "--json") != args.end()) {
        std::vector<std::string> rest;
        std::copy_if(args.begin(), args.end(), std::back_inserter(rest),
                     [](const std::string& arg) { return arg != "--json"; });
        return runReportJson(rest);
    }
    return runExport("report", args, [](CIDG& idg, const std::string& out, std::string& error) {
        return WriteAnalysisReport(idg, out, error);
    });
}

int runImportParamsCommand(const std::vector<std::string>& args)
{
    if (wrongArguments(args, "import-params IN.txt OUT.id"))
        return 2;
    if (reportMissingInput("import-params", args[0]))
        return 1;
    NewProjectData data;
    std::string error;
    if (!LoadParameterFile(args[0], data, error))
        return failed("import-params", args, error);
    // The project start-up with "m" builds: the document takes the description
    // over as a new project and binds each condition of its first room.
    CQORVADoc document;
    document.ApplyNewProject(data, std::string());
    ProjectFile file;
    if (!file.write(args[1], document.model(), document.m_strReportPath, document.m_bReturnMode))
        return failed("import-params", args, file.errorString());
    return 0;
}

int runImportOldCommand(const std::vector<std::string>& args)
{
    if (wrongArguments(args, "import-old OLD OUT.id"))
        return 2;
    if (reportMissingInput("import-old", args[0]))
        return 1;
    // The empty document of start-up receives the old project.
    auto idg = std::make_unique<CIDG>();
    std::string reportPath;
    std::int32_t returnMode = 0;
    std::string error;
    if (ImportOldProject(*idg, args[0], reportPath, returnMode, error) != OldImportResult::Imported)
        return failed("import-old", args, error);
    ProjectFile file;
    if (!file.write(args[1], *idg, reportPath, returnMode))
        return failed("import-old", args, file.errorString());
    return 0;
}
