#pragma once

#include <QtGlobal>

#include <cstdint>
#include <span>
#include <string>

#include "project/ProjectFile.h"

// Projects written before version 320: no marker and no version, the chart
// model with old room blocks (no indoor dry-bulb temperatures, comfort zones,
// parameter points or analysis settings; 29 analysis words that are read and
// dropped), then the document fields. Imported rooms keep the defaults of a
// new room for everything the old block lacks.

// Reads an old project from bytes into contents (a fresh ProjectContents);
// false with the reason in error when the bytes are not a whole old project.
bool ReadOldProject(std::span<const std::uint8_t> bytes, ProjectContents& contents, std::string& error);

// Where the import keeps its working copy of the chosen file: the path
// without its last three characters (".id") followed by "_bak"; a file name
// of three characters or fewer gets "_bak" appended instead, so the copy
// never lands outside the file's folder.
std::string OldProjectBackupPath(const std::string& path);

enum class OldImportResult {
    Imported,       // the model holds the imported project; the backup is deleted
    AlreadyCurrent, // the file is a project of version 320 or later; backup left
    CannotOpen,     // the working copy could not be made or opened
    Damaged,        // the file is not a whole old project; nothing of it kept
    CheckFailed,    // the upgraded project did not write and read back; nothing kept
};

// 导入旧工程 on the model: copies path to its backup, refuses a current
// project ("您的工程文件已经升级!"), reads the copy in the old layout and,
// only when all of it was read, replaces the outdoor design points,
// atmospheric values and settings of idg and appends the imported systems
// after those idg holds; reportPath and returnMode receive the old file's
// document fields. Failures show their messages and leave idg, reportPath
// and returnMode untouched; error then holds the reason.
OldImportResult ImportOldProject(CIDG& idg, const std::string& path, std::string& reportPath,
                                 std::int32_t& returnMode, std::string& error);

namespace old_import_messages {
inline constexpr const char* kAlreadyUpgraded =
    QT_TRANSLATE_NOOP("OldProjectImport", "您的工程文件已经升级!");
inline constexpr const char* kBackupNameError =
    QT_TRANSLATE_NOOP("OldProjectImport", "请注意！\n文件存盘时文件名错误!");
inline constexpr const char* kDamaged =
    QT_TRANSLATE_NOOP("OldProjectImport", "对不起，您的文件可能已经损坏!");
inline constexpr const char* kUpgradeFailed = QT_TRANSLATE_NOOP("OldProjectImport", "升级失败!");
inline constexpr const char* kImported =
    QT_TRANSLATE_NOOP("OldProjectImport", "已成功导入原来的旧工程，请点击保存将该工程存为新工程!");
} // namespace old_import_messages
