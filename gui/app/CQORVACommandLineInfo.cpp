#include "gui/app/CQORVACommandLineInfo.h"

#include <algorithm>
#include <cctype>

void CQORVACommandLineInfo::ParseStandard(const std::string& param, bool flag)
{
    // The standard parser opens the first plain parameter as a document and
    // ignores switches it does not know.
    if (!flag && m_strFileName.empty()) {
        m_strFileName = param;
        m_nShellCommand = FileOpen;
    }
}

void CQORVACommandLineInfo::ParseParam(const std::string& param, bool flag, bool)
{
    ParseStandard(param, flag);
    if (flag) {
        if (param == "m" || param == "M") {
            m_bExpectParamFile = true;
            m_bNoParamFile = false;
        } else if (param == "r" || param == "R") {
            m_bExpectReportFile = true;
            m_bNoReportFile = false;
        }
    } else {
        if (m_bExpectParamFile && m_strParamPath.empty())
            m_strParamPath = param;
        else if (m_bExpectReportFile && m_strReportPath.empty())
            m_strReportPath = param;
    }
    // A parameter file is imported into a new document, never opened as a project.
    if (!m_strParamPath.empty())
        m_nShellCommand = FileNew;
}

namespace {

// A switch starts with "-", or with "/" followed by letters only: on this
// platform "/" also begins every absolute path, and "/home/a.id" is a file.
bool isSwitch(const std::string& argument)
{
    if (argument.size() < 2)
        return false;
    if (argument[0] == '-')
        return true;
    if (argument[0] != '/')
        return false;
    return std::all_of(argument.begin() + 1, argument.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

}  // namespace

void CQORVACommandLineInfo::ParseCommandLine(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool flag = isSwitch(argument);
        ParseParam(flag ? argument.substr(1) : argument, flag, i + 1 == arguments.size());
    }
}
