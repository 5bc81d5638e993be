#include "chart/Canvas.h"
#include "model/CIDG.h"

void CIDG::ComputeSaturationBoundary() {}

void CIDG::DrawChart(Canvas& canvas, const ChartDevice& device)
{
    LayoutChart(device);
    DrawObjects(canvas);
}
