#pragma once

#include <cstdint>
#include <string>

#include "model/CIDG.h"

// Everything a project file holds: the chart model and the document's saved fields.
struct ProjectContents {
    CIDG idg;
    std::string reportPath;
    std::int32_t returnMode = 0;
    std::int32_t reserved = 0;
};

// The .id project file format.
class ProjectFile {
public:
    static constexpr int kCurrentVersion = 327;

    // 327 (or the stored version) for a current file, 320 for an older file,
    // 0 for a file that cannot be opened as a project.
    static int ProbeProjectVersion(const std::string& path);

    // Reads the whole file into contents; false with errorString() set when the
    // file cannot be read completely (contents are then unspecified).
    bool read(const std::string& path, int version, ProjectContents& contents);
    // Writes atomically: the previous file is intact when this fails.
    bool write(const std::string& path, const CIDG& idg, const std::string& reportPath,
               std::int32_t returnMode);

    const std::string& errorString() const { return m_error; }

private:
    std::string m_error;
};
