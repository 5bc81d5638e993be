#include "project/ProjectSerializer.h"

#include <QCoreApplication>

#include <cstring>
#include <type_traits>

namespace project_serializer {
namespace {

constexpr std::string_view kMarker = "QVX";

// The analysis words a room block stores, in file order.
constexpr int kSavedAnalysisWords[] = {15, 16, 17, 18, 0,  1,  2,  13, 14, 3,  4,  5,  6,  20,
                                       22, 24, 25, 19, 23, 21, 39, 37, 38, 26, 28, 27, 29, 30,
                                       40, 55, 44, 45, 47, 46, 77, 76, 75, 63, 65, 68, 66, 64};

// Analysis words of an old room block.
constexpr int kOldAnalysisWords = 29;

// Smallest encoded size of each record after its 2-byte tag: every string at
// least its one-byte prefix.
constexpr std::size_t kMinStatePoint = 1 + 31 * 4;
constexpr std::size_t kMinProcessLine = 1 + 3 * 4;
constexpr std::size_t kMinHhrLine = 1 + 5 * 4;
constexpr std::size_t kMinText = 2 + LogFont::kRecordSize + (4 + 1 + 1 + 3 + 1 + 9 + 1) * 4;
constexpr std::size_t kMinComfortArea = 10;
constexpr std::size_t kMinParamPoint = 1 + 12 * 4;
constexpr std::size_t kMinSystem = 1 + 4;
constexpr std::size_t kTagSize = 2;

template <class T> struct RecordTraits;

// Heat-recovery and evaporative points keep their sources, effectiveness and
// type in 16 bytes after the common fields of a state point.
bool HasStepRecipe(const CStatePoint& p)
{
    return p.m_nKind == CStatePoint::kHeatRecovery || p.m_nKind == CStatePoint::kEvaporative;
}

template <> struct RecordTraits<CStatePoint> {
    static constexpr ArchiveClass cls = ArchiveClass::StatePoint;
    static constexpr std::size_t minSize = kMinStatePoint;

    static void write(ArchiveWriter& out, const CStatePoint& p)
    {
        out.writeString(p.m_strName);
        out.writeInt(p.m_nKind);
        out.writeFloat(p.m_d);
        out.writeFloat(p.m_t);
        out.writeFloat(p.m_tw);
        out.writeFloat(p.m_h);
        out.writeFloat(p.m_RH);
        out.writeInt(p.m_nId);
        out.writeInt(p.m_nMixSrc1);
        out.writeInt(p.m_nMixSrc2);
        out.writeFloat(p.m_fMixRatio);
        out.writeInt(p.m_nRelPartner);
        out.writeInt(p.m_nRelHhrLine);
        out.writeInt(p.m_nBaseD);
        out.writeInt(p.m_nBaseH);
        out.writeInt(p.m_nBaseT);
        out.writeInt(p.m_nOnProcessLine);
        out.writeInt(p.m_nOnHhrLine);
        out.writeInt(p.m_nCrossProc1);
        out.writeInt(p.m_nCrossProc2);
        out.writeInt(p.m_nCrossHhr1);
        out.writeInt(p.m_nCrossHhr2);
        out.writeInt(p.m_nCrossProc);
        out.writeInt(p.m_nCrossHhr);
        out.writeInt(p.m_nRelDiffType);
        out.writeInt(p.m_nRelPropType);
        out.writeFloat(p.m_fRelValue1);
        out.writeFloat(p.m_fRelValue2);
        out.writeInt(p.m_nValueKind);
        out.writeFloat(p.m_fValue);
        // Two words the format reserves: written as 0, skipped on reading.
        out.writeInt(0);
        out.writeInt(0);
        // A heat-recovery or evaporative point (only in files of version
        // 328) ends with what it is made from.
        if (HasStepRecipe(p)) {
            out.writeInt(p.m_nStepSrc1);
            out.writeInt(p.m_nStepSrc2);
            out.writeFloat(p.m_fStepEffect);
            out.writeInt(p.m_nStepType);
        }
    }

    static void read(ArchiveReader& in, CStatePoint& p, int version)
    {
        p.m_strName = in.readString();
        p.m_nKind = in.readInt();
        p.m_d = in.readFloat();
        p.m_t = in.readFloat();
        p.m_tw = in.readFloat();
        p.m_h = in.readFloat();
        p.m_RH = in.readFloat();
        p.m_nId = in.readInt();
        p.m_nMixSrc1 = in.readInt();
        p.m_nMixSrc2 = in.readInt();
        p.m_fMixRatio = in.readFloat();
        p.m_nRelPartner = in.readInt();
        p.m_nRelHhrLine = in.readInt();
        p.m_nBaseD = in.readInt();
        p.m_nBaseH = in.readInt();
        p.m_nBaseT = in.readInt();
        p.m_nOnProcessLine = in.readInt();
        p.m_nOnHhrLine = in.readInt();
        p.m_nCrossProc1 = in.readInt();
        p.m_nCrossProc2 = in.readInt();
        p.m_nCrossHhr1 = in.readInt();
        p.m_nCrossHhr2 = in.readInt();
        p.m_nCrossProc = in.readInt();
        p.m_nCrossHhr = in.readInt();
        p.m_nRelDiffType = in.readInt();
        p.m_nRelPropType = in.readInt();
        p.m_fRelValue1 = in.readFloat();
        p.m_fRelValue2 = in.readFloat();
        p.m_nValueKind = in.readInt();
        p.m_fValue = in.readFloat();
        in.readInt();
        in.readInt();
        // Before version 328 no point carries a recipe: a point of these
        // kinds there has lost its sources, and the reference check makes it
        // independent.
        if (version >= ProjectFile::kRecoveryVersion && HasStepRecipe(p)) {
            const std::size_t start = in.offset();
            p.m_nStepSrc1 = in.readInt();
            p.m_nStepSrc2 = in.readInt();
            p.m_fStepEffect = in.readFloat();
            p.m_nStepType = in.readInt();
            if ((p.m_nStepType != 0 && p.m_nStepType != 1) || !(p.m_fStepEffect >= 0.0f) ||
                !(p.m_fStepEffect <= 1.0f))
                throw ArchiveError(
                    QCoreApplication::translate("ProjectFile", "状态点的处理参数无效（位置 %1）")
                        .arg(start)
                        .toStdString());
        }
    }
};

template <> struct RecordTraits<CGuoChengXian> {
    static constexpr ArchiveClass cls = ArchiveClass::ProcessLine;
    static constexpr std::size_t minSize = kMinProcessLine;

    static void write(ArchiveWriter& out, const CGuoChengXian& line)
    {
        out.writeInt(line.m_nStart);
        out.writeInt(line.m_nEnd);
        out.writeString(line.m_strName);
        out.writeInt(line.m_nId);
    }

    static void read(ArchiveReader& in, CGuoChengXian& line)
    {
        line.m_nStart = in.readInt();
        line.m_nEnd = in.readInt();
        line.m_strName = in.readString();
        line.m_nId = in.readInt();
    }
};

template <> struct RecordTraits<CReShiBiXian> {
    static constexpr ArchiveClass cls = ArchiveClass::HhrLine;
    static constexpr std::size_t minSize = kMinHhrLine;

    static void write(ArchiveWriter& out, const CReShiBiXian& line)
    {
        out.writeString(line.m_strName);
        out.writeInt(line.m_nId);
        out.writeFloat(line.m_fRatio);
        out.writeInt(line.m_nPoint1);
        out.writeInt(line.m_nPoint2);
        out.writeInt(line.m_nMode);
    }

    static void read(ArchiveReader& in, CReShiBiXian& line)
    {
        line.m_strName = in.readString();
        line.m_nId = in.readInt();
        line.m_fRatio = in.readFloat();
        line.m_nPoint1 = in.readInt();
        line.m_nPoint2 = in.readInt();
        line.m_nMode = in.readInt();
    }
};

template <> struct RecordTraits<CCommentString> {
    static constexpr ArchiveClass cls = ArchiveClass::Text;
    static constexpr std::size_t minSize = kMinText;

    static void write(ArchiveWriter& out, const CCommentString& text)
    {
        out.writeString(text.m_strText);
        for (const std::int32_t place : text.m_nPlace)
            out.writeInt(place);
        out.writeFont(text.m_font);
        out.writeInt(text.m_nStyle);
        out.writeInt(text.m_nId);
        for (const std::int32_t ref : text.m_nRef)
            out.writeInt(ref);
        out.writeInt(text.m_nRefExtra);
        out.writeString(text.m_strValue);
        for (const float value : text.m_fValues)
            out.writeFloat(value);
        out.writeInt(text.m_nKind);
    }

    static void read(ArchiveReader& in, CCommentString& text)
    {
        text.m_strText = in.readString();
        for (std::int32_t& place : text.m_nPlace)
            place = in.readInt();
        text.m_font = in.readFont();
        text.m_nStyle = in.readInt();
        text.m_nId = in.readInt();
        for (std::int32_t& ref : text.m_nRef)
            ref = in.readInt();
        text.m_nRefExtra = in.readInt();
        text.m_strValue = in.readString();
        for (float& value : text.m_fValues)
            value = in.readFloat();
        text.m_nKind = in.readInt();
    }
};

template <> struct RecordTraits<CComfortArea> {
    static constexpr ArchiveClass cls = ArchiveClass::ComfortArea;
    static constexpr std::size_t minSize = kMinComfortArea;

    static void write(ArchiveWriter& out, const CComfortArea& area)
    {
        for (const std::string& corner : area.m_strCorner)
            out.writeString(corner);
        for (const std::string& edge : area.m_strEdge)
            out.writeString(edge);
        out.writeString(area.m_strName);
        out.writeString(area.m_strLabel);
    }

    static void read(ArchiveReader& in, CComfortArea& area)
    {
        for (std::string& corner : area.m_strCorner)
            corner = in.readString();
        for (std::string& edge : area.m_strEdge)
            edge = in.readString();
        area.m_strName = in.readString();
        area.m_strLabel = in.readString();
    }
};

template <> struct RecordTraits<CParamPoint> {
    static constexpr ArchiveClass cls = ArchiveClass::ParamPoint;
    static constexpr std::size_t minSize = kMinParamPoint;

    static void write(ArchiveWriter& out, const CParamPoint& p)
    {
        out.writeString(p.m_strName);
        out.writeFloat(p.m_d);
        out.writeFloat(p.m_t);
        out.writeFloat(p.m_tw);
        out.writeFloat(p.m_h);
        out.writeFloat(p.m_RH);
        out.writeInt(p.m_nId);
        out.writeFloat(p.m_p);
        out.writeFloat(p.m_pq);
        out.writeFloat(p.m_pqb);
        out.writeFloat(p.m_td);
        out.writeFloat(p.m_v);
        out.writeFloat(p.m_rho);
    }

    static void read(ArchiveReader& in, CParamPoint& p)
    {
        p.m_strName = in.readString();
        p.m_d = in.readFloat();
        p.m_t = in.readFloat();
        p.m_tw = in.readFloat();
        p.m_h = in.readFloat();
        p.m_RH = in.readFloat();
        p.m_nId = in.readInt();
        p.m_p = in.readFloat();
        p.m_pq = in.readFloat();
        p.m_pqb = in.readFloat();
        p.m_td = in.readFloat();
        p.m_v = in.readFloat();
        p.m_rho = in.readFloat();
    }
};

template <class T> void writeArray(ArchiveWriter& out, const ObjectArray<T>& array)
{
    out.writeCount(static_cast<std::uint32_t>(array.size()));
    for (const auto& object : array) {
        if (!object) {
            out.writeNullTag();
            continue;
        }
        out.writeNewObjectTag(RecordTraits<T>::cls);
        RecordTraits<T>::write(out, *object);
    }
}

template <class T> void readArray(ArchiveReader& in, ObjectArray<T>& array, int version = 0)
{
    const std::uint32_t count = in.readCount(kTagSize + RecordTraits<T>::minSize);
    array.clear();
    array.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        in.readNewObjectTag(RecordTraits<T>::cls);
        auto object = std::make_unique<T>();
        if constexpr (std::is_same_v<T, CStatePoint>)
            RecordTraits<T>::read(in, *object, version);
        else
            RecordTraits<T>::read(in, *object);
        array.push_back(std::move(object));
    }
}

void writeWord(ArchiveWriter& out, const CServiceArea::AnalysisWord& word)
{
    std::uint32_t bits;
    std::memcpy(&bits, &word, sizeof bits);
    out.writeUInt32(bits);
}

void readWord(ArchiveReader& in, CServiceArea::AnalysisWord& word)
{
    const std::uint32_t bits = in.readUInt32();
    std::memcpy(&word, &bits, sizeof bits);
}

void writeRoom(ArchiveWriter& out, const CServiceArea& room, bool withRecovery)
{
    out.writeFloat(room.m_fSummerInT);
    out.writeFloat(room.m_fSummerLoad);
    out.writeFloat(room.m_fSummerMoistLoad);
    out.writeFloat(room.m_fSummerFreshAir);
    out.writeFloat(room.m_fSummerInRH);
    out.writeFloat(room.m_fSummerInTw);
    out.writeInt(room.m_bSummerInByRH);
    out.writeString(room.m_strSummerInName);
    out.writeString(room.m_strName);
    out.writeFloat(room.m_fWinterInT);
    out.writeFloat(room.m_fWinterLoad);
    out.writeFloat(room.m_fWinterMoistLoad);
    out.writeFloat(room.m_fWinterFreshAir);
    out.writeFloat(room.m_fWinterInRH);
    out.writeFloat(room.m_fWinterInTw);
    out.writeInt(room.m_bWinterInByRH);
    out.writeString(room.m_strWinterInName);

    const auto& d = room.m_anaD;
    const auto& n = room.m_anaI;
    out.writeDouble(d[1]);
    out.writeDouble(d[0]);
    out.writeInt(n[0]);
    for (int i = 1; i <= 10; ++i)
        out.writeInt(n[i]);
    out.writeDouble(d[2]);
    out.writeInt(n[11]);
    out.writeInt(n[12]);
    for (int i = 13; i <= 19; ++i)
        out.writeInt(n[i]);
    for (int i = 3; i <= 7; ++i)
        out.writeDouble(d[i]);
    out.writeDouble(d[9]);
    out.writeInt(n[21]);
    out.writeInt(n[20]);
    out.writeInt(n[22]);
    out.writeDouble(d[8]);
    out.writeInt(n[23]);
    out.writeDouble(d[10]);

    for (int k = 0; k < kConditionCount; ++k) {
        writeArray(out, room.m_points[k]);
        writeArray(out, room.m_processLines[k]);
        writeArray(out, room.m_hhrLines[k]);
        writeArray(out, room.m_texts[k]);
        writeArray(out, room.m_comfortAreas[k]);
    }
    writeArray(out, room.m_paramPoints);
    for (const int word : kSavedAnalysisWords)
        writeWord(out, room.m_anaW[word]);
    if (withRecovery) {
        const RoomHeatRecovery& r = room.m_recovery;
        out.writeInt(r.mode);
        out.writeFloat(r.effectiveness);
        out.writeInt(r.summerPoint);
        out.writeInt(r.winterPoint);
        out.writeFloat(r.summerRecovered);
        out.writeFloat(r.winterRecovered);
    }
}

// Whether the project needs version 328: a room recovers heat, or a view
// holds a heat-recovery or evaporative point.
bool NeedsRecoveryVersion(const CIDG& idg)
{
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms) {
            if (room->m_recovery.mode != kRecoveryNone)
                return true;
            for (const auto& points : room->m_points)
                for (const auto& point : points)
                    if (point && HasStepRecipe(*point))
                        return true;
        }
    return false;
}

// Whether the project needs version 329: drawn in the ASHRAE form, shown in
// IP units or showing the specific-volume lines in any way but the default.
bool NeedsDisplayVersion(const CIDG& idg)
{
    return idg.m_nChartForm != CIDG::kFormId || idg.m_nUnitSystem == CIDG::kUnitsIP ||
           idg.m_volumeLines != defaultVolumeLines();
}

// The heat recovery of a room block of version 328. A mode or an
// effectiveness no exchanger has is a damaged file, not a setting to keep.
void readRecovery(ArchiveReader& in, RoomHeatRecovery& r)
{
    const std::size_t start = in.offset();
    r.mode = in.readInt();
    r.effectiveness = in.readFloat();
    r.summerPoint = in.readInt();
    r.winterPoint = in.readInt();
    r.summerRecovered = in.readFloat();
    r.winterRecovered = in.readFloat();
    if (r.mode < kRecoveryNone || r.mode > kRecoverySensible || !(r.effectiveness >= 0.0f) ||
        !(r.effectiveness <= 1.0f) || r.summerPoint < -1 || r.winterPoint < -1 ||
        !std::isfinite(r.summerRecovered) || !std::isfinite(r.winterRecovered))
        throw ArchiveError(QCoreApplication::translate("ProjectFile", "房间的热回收参数无效（位置 %1）")
                               .arg(start)
                               .toStdString());
}

// A room block of the layout before version 320: no indoor dry-bulb
// temperatures, no analysis settings, no comfort zones, no parameter points,
// and 29 analysis words that the current analyses do not read (the room keeps
// the defaults of a new room for all of these).
void readOldRoom(ArchiveReader& in, CServiceArea& room)
{
    room.m_fSummerLoad = in.readFloat();
    room.m_fSummerMoistLoad = in.readFloat();
    room.m_fSummerFreshAir = in.readFloat();
    room.m_fSummerInRH = in.readFloat();
    room.m_fSummerInTw = in.readFloat();
    room.m_bSummerInByRH = in.readInt();
    room.m_strSummerInName = in.readString();
    room.m_strName = in.readString();
    room.m_fWinterLoad = in.readFloat();
    room.m_fWinterMoistLoad = in.readFloat();
    room.m_fWinterFreshAir = in.readFloat();
    room.m_fWinterInRH = in.readFloat();
    room.m_fWinterInTw = in.readFloat();
    room.m_bWinterInByRH = in.readInt();
    room.m_strWinterInName = in.readString();
    for (int k = 0; k < kConditionCount; ++k) {
        readArray(in, room.m_points[k]);
        readArray(in, room.m_processLines[k]);
        readArray(in, room.m_hhrLines[k]);
        readArray(in, room.m_texts[k]);
    }
    for (int i = 0; i < kOldAnalysisWords; ++i)
        in.readUInt32();
}

void readRoom(ArchiveReader& in, int version, CServiceArea& room)
{
    if (version == kOldLayout) {
        readOldRoom(in, room);
        return;
    }
    room.m_fSummerInT = in.readFloat();
    room.m_fSummerLoad = in.readFloat();
    room.m_fSummerMoistLoad = in.readFloat();
    room.m_fSummerFreshAir = in.readFloat();
    room.m_fSummerInRH = in.readFloat();
    room.m_fSummerInTw = in.readFloat();
    room.m_bSummerInByRH = in.readInt();
    room.m_strSummerInName = in.readString();
    room.m_strName = in.readString();
    room.m_fWinterInT = in.readFloat();
    room.m_fWinterLoad = in.readFloat();
    room.m_fWinterMoistLoad = in.readFloat();
    room.m_fWinterFreshAir = in.readFloat();
    room.m_fWinterInRH = in.readFloat();
    room.m_fWinterInTw = in.readFloat();
    room.m_bWinterInByRH = in.readInt();
    room.m_strWinterInName = in.readString();

    // Each later version appended one group of analysis settings; a group
    // the file lacks keeps the defaults of a new room.
    auto& d = room.m_anaD;
    auto& n = room.m_anaI;
    if (version >= 322) {
        d[1] = in.readDouble();
        d[0] = in.readDouble();
        n[0] = in.readInt();
    }
    if (version >= 323)
        for (int i = 1; i <= 10; ++i)
            n[i] = in.readInt();
    if (version >= 324) {
        d[2] = in.readDouble();
        n[11] = in.readInt();
        n[12] = in.readInt();
    }
    if (version >= 325) {
        for (int i = 13; i <= 19; ++i)
            n[i] = in.readInt();
        for (int i = 3; i <= 7; ++i)
            d[i] = in.readDouble();
    }
    if (version >= 326) {
        d[9] = in.readDouble();
        n[21] = in.readInt();
        n[20] = in.readInt();
        n[22] = in.readInt();
        d[8] = in.readDouble();
    }
    if (version >= 327) {
        n[23] = in.readInt();
        d[10] = in.readDouble();
    }

    for (int k = 0; k < kConditionCount; ++k) {
        readArray(in, room.m_points[k], version);
        readArray(in, room.m_processLines[k]);
        readArray(in, room.m_hhrLines[k]);
        readArray(in, room.m_texts[k]);
        if (version >= 321)
            readArray(in, room.m_comfortAreas[k]);
    }
    readArray(in, room.m_paramPoints);
    for (const int word : kSavedAnalysisWords)
        readWord(in, room.m_anaW[word]);
    if (version >= ProjectFile::kRecoveryVersion)
        readRecovery(in, room.m_recovery);
}

void writeOutdoorAndSystems(ArchiveWriter& out, const CAir_Room& rooms, bool withRecovery)
{
    out.writeString(rooms.m_strSummerOutName);
    out.writeFloat(rooms.m_fSummerOutTw);
    out.writeFloat(rooms.m_fSummerOutRH);
    out.writeFloat(rooms.m_fSummerOutT);
    out.writeInt(rooms.m_bSummerOutByRH);
    out.writeString(rooms.m_strWinterOutName);
    out.writeFloat(rooms.m_fWinterOutTw);
    out.writeFloat(rooms.m_fWinterOutRH);
    out.writeFloat(rooms.m_fWinterOutT);
    out.writeInt(rooms.m_bWinterOutByRH);
    out.writeInt(static_cast<std::int32_t>(rooms.m_systems.size()));
    for (const auto& system : rooms.m_systems) {
        out.writeString(system->m_strName);
        out.writeInt(static_cast<std::int32_t>(system->m_rooms.size()));
        for (const auto& room : system->m_rooms)
            writeRoom(out, *room, withRecovery);
    }
}

void readOutdoorAndSystems(ArchiveReader& in, int version, CAir_Room& rooms)
{
    rooms.m_strSummerOutName = in.readString();
    rooms.m_fSummerOutTw = in.readFloat();
    rooms.m_fSummerOutRH = in.readFloat();
    rooms.m_fSummerOutT = in.readFloat();
    rooms.m_bSummerOutByRH = in.readInt();
    rooms.m_strWinterOutName = in.readString();
    rooms.m_fWinterOutTw = in.readFloat();
    rooms.m_fWinterOutRH = in.readFloat();
    rooms.m_fWinterOutT = in.readFloat();
    rooms.m_bWinterOutByRH = in.readInt();
    const std::uint32_t systemCount = in.readBlockCount(kMinSystem);
    for (std::uint32_t s = 0; s < systemCount; ++s) {
        auto system = std::make_unique<CAcSystem>();
        system->m_strName = in.readString();
        const std::uint32_t roomCount = in.readBlockCount(minimumRoomSize(version));
        for (std::uint32_t r = 0; r < roomCount; ++r) {
            auto room = std::make_unique<CServiceArea>();
            readRoom(in, version, *room);
            system->m_rooms.push_back(std::move(room));
        }
        rooms.m_systems.push_back(std::move(system));
    }
}

void writeDrawOption(ArchiveWriter& out, const DrawOption& option)
{
    out.writeInt(option.m_bShow);
    out.writeInt(option.m_bLabel);
    out.writeInt(option.m_color);
    out.writeInt(option.m_nWidth);
    out.writeInt(option.m_nStyle);
    out.writeFloat(option.m_fStep);
}

void readDrawOption(ArchiveReader& in, DrawOption& option)
{
    option.m_bShow = in.readInt();
    option.m_bLabel = in.readInt();
    option.m_color = in.readInt();
    option.m_nWidth = in.readInt();
    option.m_nStyle = in.readInt();
    option.m_fStep = in.readFloat();
}

// The chart model's settings, in file order (which is not everywhere the
// declared order: the zoom precedes the offsets, the first font follows the
// three label settings, and the label switches go process lines,
// heat–moisture ratio lines, state points).
void writeChartModel(ArchiveWriter& out, const CIDG& idg, bool withRecovery, bool withDisplay)
{
    writeOutdoorAndSystems(out, idg.m_rooms, withRecovery);
    out.writeString(idg.m_strProjectName);
    out.writeInt(idg.m_nUnitSystem);
    out.writeFloat(idg.m_fSummerAirT);
    out.writeFloat(idg.m_fSummerPressure);
    out.writeFloat(idg.m_fSummerAirD);
    out.writeFloat(idg.m_fSummerDensity);
    out.writeFloat(idg.m_fWinterAirT);
    out.writeFloat(idg.m_fWinterPressure);
    out.writeFloat(idg.m_fWinterAirD);
    out.writeFloat(idg.m_fWinterDensity);
    out.writeInt(idg.m_nCurSystem);
    out.writeInt(idg.m_nCurRoom);
    out.writeInt(idg.m_bChartView);
    for (const std::int32_t margin : idg.m_nMargin)
        out.writeInt(margin);
    out.writeInt(idg.m_textColor);
    out.writeInt(idg.m_bShowValues);
    out.writeInt(idg.m_bValuesDefault);
    out.writeFont(idg.m_font1);
    out.writeInt(idg.m_lineColor);
    out.writeInt(idg.m_nLineWidth);
    out.writeInt(idg.m_nLineStyle);
    out.writeInt(idg.m_nArrowStyle);
    out.writeInt(idg.m_nPointRadius);
    out.writeInt(idg.m_pointColor);
    out.writeInt(idg.m_nameColor);
    out.writeFont(idg.m_font2);
    out.writeInt(idg.m_nLabelPosition);
    out.writeInt(idg.m_bShowProcessLineLabels);
    out.writeInt(idg.m_bShowHhrLineLabels);
    out.writeInt(idg.m_bShowPointLabels);
    out.writeInt(idg.m_bShowHhrLines);
    out.writeInt(idg.m_nClipLeft);
    out.writeInt(idg.m_nClipTop);
    out.writeFloat(idg.m_fZoom);
    out.writeInt(idg.m_nXOffset);
    out.writeInt(idg.m_nYOffset);
    out.writeFloat(idg.m_fXMaxFull);
    out.writeFloat(idg.m_fXMin);
    out.writeFloat(idg.m_fXMax);
    out.writeFloat(idg.m_fTMin);
    out.writeFloat(idg.m_fTMax);
    for (const DrawOption& option : idg.m_drawOptions)
        writeDrawOption(out, option);
    if (withDisplay) {
        out.writeInt(idg.m_nChartForm);
        writeDrawOption(out, idg.m_volumeLines);
    }
}

void readChartModel(ArchiveReader& in, int version, CIDG& idg)
{
    readOutdoorAndSystems(in, version, idg.m_rooms);
    idg.m_strProjectName = in.readString();
    idg.m_nUnitSystem = in.readInt();
    idg.m_fSummerAirT = in.readFloat();
    idg.m_fSummerPressure = in.readFloat();
    idg.m_fSummerAirD = in.readFloat();
    idg.m_fSummerDensity = in.readFloat();
    idg.m_fWinterAirT = in.readFloat();
    idg.m_fWinterPressure = in.readFloat();
    idg.m_fWinterAirD = in.readFloat();
    idg.m_fWinterDensity = in.readFloat();
    idg.m_nCurSystem = in.readInt();
    idg.m_nCurRoom = in.readInt();
    idg.m_bChartView = in.readInt();
    for (std::int32_t& margin : idg.m_nMargin)
        margin = in.readInt();
    idg.m_textColor = in.readInt();
    idg.m_bShowValues = in.readInt();
    idg.m_bValuesDefault = in.readInt();
    idg.m_font1 = in.readFont();
    idg.m_lineColor = in.readInt();
    idg.m_nLineWidth = in.readInt();
    idg.m_nLineStyle = in.readInt();
    idg.m_nArrowStyle = in.readInt();
    idg.m_nPointRadius = in.readInt();
    idg.m_pointColor = in.readInt();
    idg.m_nameColor = in.readInt();
    idg.m_font2 = in.readFont();
    idg.m_nLabelPosition = in.readInt();
    idg.m_bShowProcessLineLabels = in.readInt();
    idg.m_bShowHhrLineLabels = in.readInt();
    idg.m_bShowPointLabels = in.readInt();
    idg.m_bShowHhrLines = in.readInt();
    idg.m_nClipLeft = in.readInt();
    idg.m_nClipTop = in.readInt();
    idg.m_fZoom = in.readFloat();
    idg.m_nXOffset = in.readInt();
    idg.m_nYOffset = in.readInt();
    idg.m_fXMaxFull = in.readFloat();
    idg.m_fXMin = in.readFloat();
    idg.m_fXMax = in.readFloat();
    idg.m_fTMin = in.readFloat();
    idg.m_fTMax = in.readFloat();
    for (DrawOption& option : idg.m_drawOptions)
        readDrawOption(in, option);
    if (version >= ProjectFile::kDisplayVersion) {
        // A form or a unit system this program does not draw is a damaged
        // file, not a choice to keep.
        const std::size_t start = in.offset();
        idg.m_nChartForm = in.readInt();
        readDrawOption(in, idg.m_volumeLines);
        if ((idg.m_nChartForm != CIDG::kFormId && idg.m_nChartForm != CIDG::kFormAshrae) ||
            idg.m_nUnitSystem < CIDG::kUnitsEngineering || idg.m_nUnitSystem > CIDG::kUnitsIP ||
            !(idg.m_volumeLines.m_fStep > 0.0f))
            throw ArchiveError(
                QCoreApplication::translate("ProjectFile", "工程文件的图形式或单位制无效（位置 %1）")
                    .arg(start)
                    .toStdString());
    }
}

} // namespace

std::size_t minimumRoomSize(int version)
{
    if (version == kOldLayout)
        return 5 * 4 + 4 + 2 + 5 * 4 + 4 + 1 + kConditionCount * 4 * 2 + kOldAnalysisWords * 4;
    std::size_t size = 6 * 4 + 4 + 2 + 6 * 4 + 4 + 1;
    if (version >= 322)
        size += 20;
    if (version >= 323)
        size += 40;
    if (version >= 324)
        size += 16;
    if (version >= 325)
        size += 68;
    if (version >= 326)
        size += 28;
    if (version >= 327)
        size += 12;
    if (version >= ProjectFile::kRecoveryVersion)
        size += 24;
    const std::size_t arraysPerCondition = version >= 321 ? 5 : 4;
    size += (kConditionCount * arraysPerCondition + 1) * 2;
    size += std::size(kSavedAnalysisWords) * 4;
    return size;
}

void writeProject(ArchiveWriter& out, const CIDG& idg, const std::string& reportPath, std::int32_t returnMode)
{
    // A project whose rooms recover no heat and whose views hold no
    // heat-recovery or evaporative point is written exactly as before; one
    // that does carries version 328 negated, which readers up to 327 refuse
    // as a version below 320 instead of reading it as 327 and dropping the
    // recovery of every room or misreading the points' recipes.
    // A project drawn or shown in a way readers up to 328 do not know is
    // written as −329, with all of 328.
    const bool withDisplay = NeedsDisplayVersion(idg);
    const bool withRecovery = withDisplay || NeedsRecoveryVersion(idg);
    out.writeRawString(kMarker);
    out.writeInt(withDisplay    ? -ProjectFile::kDisplayVersion
                 : withRecovery ? -ProjectFile::kRecoveryVersion
                                : ProjectFile::kCurrentVersion);
    writeChartModel(out, idg, withRecovery, withDisplay);
    out.writeInt(returnMode);
    out.writeString(reportPath);
    out.writeInt(0);
}

std::vector<std::uint8_t> roomBytes(const CServiceArea& room)
{
    ArchiveWriter out;
    writeRoom(out, room, true);
    return out.takeBytes();
}

void readProject(ArchiveReader& in, ProjectContents& contents)
{
    const std::span<const std::uint8_t> head = in.peek(4);
    const bool hasMarker =
        head.size() == 4 && std::string_view(reinterpret_cast<const char*>(head.data()) + 1, 3) == kMarker;
    int version;
    if (hasMarker) {
        in.readString();
        version = in.readInt();
        if (version == -ProjectFile::kRecoveryVersion || version == -ProjectFile::kDisplayVersion)
            version = -version;
        else if (version < kFirstVersion)
            throw ArchiveError(QCoreApplication::translate("ProjectFile", "工程文件的版本号 %1 不受支持")
                                   .arg(version)
                                   .toStdString());
        else if (version > ProjectFile::kCurrentVersion)
            version = ProjectFile::kCurrentVersion;
    } else {
        version = in.readInt();
        if (version != kFirstVersion)
            throw ArchiveError(
                QCoreApplication::translate("ProjectFile", "不是本程序的工程文件").toStdString());
    }
    readChartModel(in, version, contents.idg);
    contents.returnMode = in.readInt();
    contents.reportPath = in.readString();
    contents.reserved = in.readInt();
    // Bytes after the document fields are not part of the project: ignored.
}

void readOldProject(ArchiveReader& in, ProjectContents& contents)
{
    readChartModel(in, kOldLayout, contents.idg);
    contents.returnMode = in.readInt();
    contents.reportPath = in.readString();
    contents.reserved = in.readInt();
}

} // namespace project_serializer
