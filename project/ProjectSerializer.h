#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/Archive.h"
#include "project/ProjectFile.h"

// The layout of a project file: the document fields, the chart model CIDG,
// the systems and rooms with the room groups of each file version, and the
// record classes of the object arrays.
namespace project_serializer {

// The first and the current file version this program reads; later versions
// after a valid marker are read like the current one.
inline constexpr int kFirstVersion = 320;

// Stands for the layout before version 320 (old projects carry no version).
inline constexpr int kOldLayout = 0;

// Smallest number of bytes a room block of file version v can take.
std::size_t minimumRoomSize(int version);

// Writes a whole project in the current format (version 327, with the marker;
// 328 when a room recovers heat or a view holds a heat-recovery or
// evaporative point).
void writeProject(ArchiveWriter& out, const CIDG& idg, const std::string& reportPath,
                  std::int32_t returnMode);

// The bytes of one room block as a project file of version 328 holds them.
std::vector<std::uint8_t> roomBytes(const CServiceArea& room);

// Reads a whole project. A file that starts with the marker "QVX" carries its
// version after it; one without the marker starts with the version, which must
// then be 320. Throws ArchiveError; contents are unspecified after a throw.
void readProject(ArchiveReader& in, ProjectContents& contents);

// Reads a whole project of the layout before version 320: no marker and no
// version, the chart model with old room blocks, then the document fields.
// Throws ArchiveError; contents are unspecified after a throw.
void readOldProject(ArchiveReader& in, ProjectContents& contents);

} // namespace project_serializer
