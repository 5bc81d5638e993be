#pragma once

class ChartGeometry;

namespace chart {

class GridSink;

// The specific volume of moist air (m³/kg of dry air) at dry bulb t (°C),
// moisture content x (kg/kg) and pressure p (Pa), ideal gases.
double SpecificVolume(double t, double x, double p);

// Draws the lines of equal specific volume of the chart model's settings
// (CIDG::m_volumeLines) through the sink, in the chart's form, with their
// values in the unit system shown: straight lines of steep descent from the
// dry-air edge to the saturation curve.
void DrawVolumeLines(ChartGeometry& chart, GridSink& sink);

} // namespace chart
