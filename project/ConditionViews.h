#pragma once

#include <memory>
#include <string>

#include "analysis/Binding.h"
#include "model/CIDG.h"
#include "project/ProjectFile.h"

// Reading a room's condition views as the chart draws them, without touching
// the project: binding and re-deriving a view changes the model's current
// lists and may re-word its result texts, so it is done on a scratch copy.

// A copy of idg made through the project file's bytes (every saved field, no
// pointer shared); nullptr if the bytes cannot be read back.
std::unique_ptr<ProjectContents> ScratchCopy(const CIDG& idg, const std::string& reportPath = std::string(),
                                             std::int32_t returnMode = 0);

// Room (s, r) of idg shown in its summer and then its winter view, each
// re-derived as the chart draws it; onView(condition) reads idg's current
// lists. False when a view cannot be bound (its design states do not
// complete); the views after it are not shown. idg is a scratch copy: the
// selection and the room's condition are left changed.
template <class OnView> bool ForEachConditionView(CIDG& idg, int s, int r, OnView&& onView)
{
    idg.m_nCurSystem = s;
    idg.m_nCurRoom = r;
    for (int condition : {kConditionSummer, kConditionWinter}) {
        idg.m_rooms.SetRoomCondition(s, r, condition);
        if (!idg.PointAtCurrentRoom() || !RefreshCurrentView(idg))
            return false;
        onView(condition);
    }
    return true;
}
