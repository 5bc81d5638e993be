#pragma once

#include <string>
#include <vector>

// The command line: a project path to open, or the switch "m" with a
// parameter file and "r" with a report path (switches after "/" or "-").
class CQORVACommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen };

    // The standard parser's results.
    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;

    bool m_bNoParamFile = true;   // until "m" or "M" has been seen
    bool m_bNoReportFile = true;  // until "r" or "R" has been seen
    std::string m_strReportPath;
    std::string m_strParamPath;

    // One parameter; flag is true for a switch, whose text then lacks the
    // leading "/" or "-".
    void ParseParam(const std::string& param, bool flag, bool last);
    // Parses every argument after the program name.
    void ParseCommandLine(const std::vector<std::string>& arguments);

private:
    void ParseStandard(const std::string& param, bool flag);
    bool m_bExpectParamFile = false;
    bool m_bExpectReportFile = false;
};
