#pragma once

#include <QtGlobal>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/CIDG.h"

// Everything a project file holds: the chart model and the document's saved fields.
struct ProjectContents {
    CIDG idg;
    std::string reportPath;
    std::int32_t returnMode = 0;
    std::int32_t reserved = 0;
};

// The .id project file format: a short head (the marker "QVX" and the
// version), the chart model with the systems, rooms and every chart object,
// and three document fields. Writes version 327, or 328 when a room recovers
// heat or a view holds a heat-recovery or evaporative point, 329 when the
// project is drawn in the ASHRAE form, shown in IP units or shows the
// specific-volume lines; reads 320 to 329 (later versions after a valid
// marker like 327).
//
// Reading never trusts a count or a length: nothing is allocated beyond what
// the remaining bytes can hold, and a damaged file is refused with a reason.
// An object that appears a second time in a file (a back-reference in the
// object table) is refused too: arrays own their objects, so this program
// never writes one, and sharing one object between two lists is not
// representable. Bytes after the document fields are ignored.
class ProjectFile {
public:
    static constexpr int kCurrentVersion = 327;
    // The version of a project in which a room recovers heat from its
    // exhaust or a view holds a heat-recovery or evaporative point: each
    // room block ends with its heat recovery, and each state point of those
    // two kinds ends with its recipe (entering point, exhaust point,
    // effectiveness, type; 16 bytes). Written as −328 in the head, so that
    // readers up to 327, which read any later version as 327, refuse it as a
    // version below 320 instead.
    static constexpr int kRecoveryVersion = 328;
    // The version of a project drawn in the ASHRAE form, shown in IP units
    // (unit system 2) or showing the specific-volume lines: as 328, and after
    // the chart's line families the form (int, 0 i-d, 1 ASHRAE) and the
    // volume lines' drawing attributes (as a line family's, 24 bytes).
    // Written as −329, which readers up to 328 refuse.
    static constexpr int kDisplayVersion = 329;

    // 327 or 328 (or the stored version) for a current file, 320 for an older file,
    // 0 for a file that cannot be opened as a project. A file that cannot be
    // opened at all shows "请注意！\n文件打开时文件名错误!" first.
    static int ProbeProjectVersion(const std::string& path);

    // Reads the whole file into contents (a fresh ProjectContents); false with
    // errorString() set when the file cannot be read completely (contents are
    // then unspecified). version is the probed version; the layout itself is
    // recognised from the file's head.
    bool read(const std::string& path, int version, ProjectContents& contents);
    // The same from bytes in memory.
    bool readBytes(std::span<const std::uint8_t> bytes, ProjectContents& contents);

    // Writes atomically: a temporary file in the same folder, flushed and then
    // renamed over path, so the previous file is intact when this fails.
    bool write(const std::string& path, const CIDG& idg, const std::string& reportPath,
               std::int32_t returnMode);
    // The bytes write() puts into the file.
    static std::vector<std::uint8_t> toBytes(const CIDG& idg, const std::string& reportPath,
                                             std::int32_t returnMode);

    // Reads the project at in (any version this program opens) and writes it
    // to out in the current format exactly as read: nothing is rebound or
    // recomputed, so a version-327 file comes out byte for byte. False with
    // errorString() set when in is refused or out cannot be written; out is
    // then left as it was.
    bool convert(const std::string& in, const std::string& out);

    const std::string& errorString() const { return m_error; }

private:
    std::string m_error;
};

namespace project_file_messages {
inline constexpr const char* kProbeCannotOpen =
    QT_TRANSLATE_NOOP("ProjectFile", "请注意！\n文件打开时文件名错误!");
// The head of every read failure; a line with the reason follows.
inline constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("ProjectFile", "无法打开文档。");
// The head of every write failure; a line with the reason follows.
inline constexpr const char* kCannotSave = QT_TRANSLATE_NOOP("ProjectFile", "无法保存文档。");
} // namespace project_file_messages
