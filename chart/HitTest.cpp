#include "model/CIDG.h"

PickResult CIDG::PickObject(int, int)
{
    return {};
}

int CIDG::NearestPoint(int, int)
{
    return -1;
}

bool CIDG::IsInsideChart(const CStatePoint&)
{
    return false;
}
