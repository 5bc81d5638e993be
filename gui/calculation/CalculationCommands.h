#pragma once

class CMainFrame;

// The commands of the 计算 menu, the state-point information mode of 查看 and
// the output of a state point onto the chart.
void installCalculationCommands(CMainFrame& frame);
