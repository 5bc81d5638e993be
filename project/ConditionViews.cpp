#include "project/ConditionViews.h"

std::unique_ptr<ProjectContents> ScratchCopy(const CIDG& idg, const std::string& reportPath,
                                             std::int32_t returnMode)
{
    auto copy = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.readBytes(ProjectFile::toBytes(idg, reportPath, returnMode), *copy))
        return nullptr;
    return copy;
}
