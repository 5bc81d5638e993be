#pragma once

#include <string>
#include <vector>

// Sub-commands of qorva-cli. Each takes the arguments after its own name and
// returns the process exit status.
int runStateCommand(const std::vector<std::string>& args);
int runStatesCommand(const std::vector<std::string>& args);
int runConvertCommand(const std::vector<std::string>& args);
int runRenderCommand(const std::vector<std::string>& args);
