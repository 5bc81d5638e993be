#include "chart/Canvas.h"
#include "model/CIDG.h"

void CIDG::DrawObjects(Canvas&) {}

bool CIDG::ClipSegment(Canvas&, int, int, int, int, const CanvasRect&) const
{
    return false;
}
