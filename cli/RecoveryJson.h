#pragma once

#include <QJsonObject>
#include <QJsonValue>

#include "cli/JsonOutput.h"
#include "model/CServiceArea.h"

// The heat recovery of a room's fresh air in the analyze output: null when
// the room recovers none, else its mode, its effectiveness, and for each
// condition the recovered state W1 by name (null when the analysis placed
// none there) and the heat it saves the coil after it (W).
namespace cli_json {

inline QJsonValue recovery(const CServiceArea& room)
{
    const RoomHeatRecovery& r = room.m_recovery;
    if (r.mode == kRecoveryNone)
        return QJsonValue(QJsonValue::Null);
    const auto condition = [&room](int c, std::int32_t index, float recovered) {
        const auto& list = room.m_points[std::size_t(c)];
        const bool placed = index >= 0 && index < static_cast<std::int32_t>(list.size());
        return QJsonObject{{"point", placed ? text(list[std::size_t(index)]->m_strName) : QJsonValue()},
                           {"recovered", number(recovered)}};
    };
    return QJsonObject{{"mode", r.mode == kRecoveryTotal ? "total" : "sensible"},
                       {"effectiveness", number(r.effectiveness)},
                       {"cooling", condition(kConditionSummer, r.summerPoint, r.summerRecovered)},
                       {"heating", condition(kConditionWinter, r.winterPoint, r.winterRecovered)}};
}

} // namespace cli_json
