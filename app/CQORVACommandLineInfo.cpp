#include "app/CQORVACommandLineInfo.h"

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

void CQORVACommandLineInfo::ParseCommandLine(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool flag = argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
        ParseParam(flag ? argument.substr(1) : argument, flag, i + 1 == arguments.size());
    }
}
