#include "gui/widgets/UnitText.h"

namespace unit_text {

namespace {

using qorva::units::DisplaySystem;
using qorva::units::displaySystemOf;

} // namespace

float Shown(Quantity quantity, float stored, int unitSystem)
{
    return qorva::units::shown(quantity, stored, displaySystemOf(unitSystem));
}

float Stored(Quantity quantity, float shown, int unitSystem)
{
    return qorva::units::stored(quantity, shown, displaySystemOf(unitSystem));
}

QString Number(Quantity quantity, float stored, int unitSystem, const char* pattern, const char* ipPattern)
{
    const bool ip = displaySystemOf(unitSystem) == DisplaySystem::IP;
    return QString::asprintf(ip && ipPattern ? ipPattern : pattern,
                             double(Shown(quantity, stored, unitSystem)));
}

} // namespace unit_text
