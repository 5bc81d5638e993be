#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"

// Sub-commands of qorva-cli. Each takes the arguments after its own name and
// returns the process exit status.
int runStateCommand(const std::vector<std::string>& args);
int runStatesCommand(const std::vector<std::string>& args);
int runProcessCommand(const std::vector<std::string>& args);
int runConvertCommand(const std::vector<std::string>& args);
int runRenderCommand(const std::vector<std::string>& args);
int runExportPointsCommand(const std::vector<std::string>& args);
int runExportParamsCommand(const std::vector<std::string>& args);
int runReportCommand(const std::vector<std::string>& args);
int runImportParamsCommand(const std::vector<std::string>& args);
int runImportOldCommand(const std::vector<std::string>& args);
int runAnalyzeCommand(const std::vector<std::string>& args);
int runComfortCommand(const std::vector<std::string>& args);
int runClimateCommand(const std::vector<std::string>& args);
int runAnnualCommand(const std::vector<std::string>& args);
int runExportCommand(const std::vector<std::string>& args);

// The parameters stored in `room` for the analysis `analyze --analysis` names
// (primary, secondary, fancoil, freshair); none for another name.
std::optional<AnalysisRequest> storedRequest(const std::string& kind, const CServiceArea& room);
