#pragma once

class CIDG;

// Checks the references of every derived point of every room and condition
// as a project file left them: a source index out of range, a mixing or
// equal-value source that does not come before the point, or a point that
// depends on itself through its lines. Each such point becomes an
// independent point keeping its stored state. Returns how many points were
// repaired. Every walk visits each point at most once.
int RepairReferences(CIDG& idg);
