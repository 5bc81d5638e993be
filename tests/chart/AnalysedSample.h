#pragma once

#include <gtest/gtest.h>

#include <string>

#include "analysis/Binding.h"
#include "project/ProjectFile.h"

// The bundled sample project, read and with every view derived as the
// document derives it on open; its rooms carry the four analyses' results.
inline ::testing::AssertionResult ReadAnalysedSample(ProjectContents& contents)
{
    const std::string sample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";
    ProjectFile file;
    if (!file.read(sample, ProjectFile::ProbeProjectVersion(sample), contents))
        return ::testing::AssertionFailure() << file.errorString();
    RefreshAllViews(contents.idg);
    return ::testing::AssertionSuccess();
}
