#pragma once

#include <optional>

// The upper halves of the AVX vector registers. Qt's raster paint engine and
// QGuiApplication's start-up return from AVX code without clearing them
// (vzeroupper). While they hold data, Intel CPUs make every legacy-SSE
// instruction that follows, which is all of our double arithmetic and much
// of Qt's own painting, either pay a state transition (before Skylake) or
// merge with the stale upper half (since): the chart's geometry then runs
// several times slower. Clearing them where our drawing starts and after
// each painting call into Qt removes that.
namespace chart {

// Clears the upper halves where the CPU has AVX (vzeroupper); does nothing
// on other CPUs, where the instruction would be illegal. Cheap enough to call
// after every painting call: the CPU check is made once.
void clearUpperVectorState();

// Whether the CPU reports the upper halves as holding data (XGETBV with
// ECX = 1, the AVX bit of XINUSE); empty where the CPU cannot tell.
std::optional<bool> upperVectorStateInUse();

} // namespace chart
