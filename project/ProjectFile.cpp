#include "project/ProjectFile.h"

int ProjectFile::ProbeProjectVersion(const std::string&)
{
    return 0;
}

bool ProjectFile::read(const std::string&, int, ProjectContents&)
{
    m_error = "无法读取该工程文件";
    return false;
}

bool ProjectFile::write(const std::string&, const CIDG&, const std::string&, std::int32_t)
{
    m_error = "无法保存该工程文件";
    return false;
}
