#pragma once

// A project file of the oldest layout, spelled out byte by byte: one system
// of two rooms, the first with one summer state point.

#include <QFile>
#include <QTemporaryDir>

#include "ProjectFileFixtures.h"

namespace old_fixtures {

using fixtures::Bytes;

// A state point record after its tag, every field spelled out.
inline Bytes statePoint(const std::string& name, float t, float rh, std::int32_t id)
{
    Bytes b;
    b.str(name).i32(0).f32(0.0099f).f32(t).f32(17.9f).f32(50.3f).f32(rh).i32(id);
    b.i32(-1).i32(-1).f32(-1.0f); // mixing sources and ratio
    for (int i = 0; i < 13; ++i)  // partner, ratio line, bases, lines, six crossings
        b.i32(-1);
    b.i32(-1).i32(-1).f32(1.5f).f32(2.5f).i32(-1).f32(0); // related pair, value kind, value
    b.i32(0).i32(0);
    return b;
}

// An old room block: no indoor dry-bulb temperatures, four arrays per
// condition, no parameter points, 29 analysis words.
inline Bytes oldRoom(const std::string& name, bool withPoint)
{
    Bytes b;
    b.f32(12.5f).f32(1.25f).f32(800).f32(55).f32(19.5f).i32(1).str("N夏").str(name);
    b.f32(8.5f).f32(0.5f).f32(600).f32(45).f32(13.0f).i32(0).str("N冬");
    for (int k = 0; k < 3; ++k) {
        if (withPoint && k == 1)
            b.count(1).newClass("CStatePoint").append(statePoint("O", 19.0f, 0.75f, 0));
        else
            b.count(0);
        b.count(0).count(0).count(0);
    }
    for (int i = 0; i < 29; ++i)
        b.i32(7); // dropped on import
    return b;
}

inline CIDG oldSettings()
{
    CIDG idg;
    idg.m_strProjectName = "旧工程";
    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    idg.m_fSummerPressure = 95000;
    idg.m_fWinterDensity = 1.25f;
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 1;
    idg.m_nMargin = {11, 12, 13, 14};
    idg.m_nPointRadius = 4;
    idg.m_fZoom = 2.0f;
    return idg;
}

inline Bytes oldProject()
{
    Bytes b;
    b.str("W旧").f32(27.5f).f32(0).f32(33.5f).i32(0);
    b.str("W").f32(-6.0f).f32(80).f32(-5.0f).i32(1);
    b.i32(1).str("旧系统").i32(2).append(oldRoom("房间甲", true)).append(oldRoom("房间乙", false));
    b.append(fixtures::chartSettings(oldSettings())).append(fixtures::documentTail(1, "r.txt"));
    return b;
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const std::vector<std::uint8_t>& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

} // namespace old_fixtures
