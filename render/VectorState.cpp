#include "render/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <cstdint>
#endif

namespace chart {

#if defined(__x86_64__) || defined(__i386__)

namespace {

std::uint64_t extendedControlRegister(unsigned index)
{
    unsigned low = 0;
    unsigned high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(index));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// AVX usable: the CPU has it and the system saves the SSE and AVX state
// (XCR0 bits 1 and 2) on a task switch.
bool cpuHasAvx()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & bit_OSXSAVE) || !(ecx & bit_AVX)) {
        return false;
    }
    return (extendedControlRegister(0) & 0x6) == 0x6;
}

// XGETBV with ECX = 1 (CPUID leaf 0xD, sub-leaf 1, EAX bit 2).
bool cpuReportsStateInUse()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return cpuHasAvx() && __get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx) && (eax & 0x4);
}

bool hasAvx()
{
    static const bool value = cpuHasAvx();
    return value;
}

__attribute__((target("avx"), noinline)) void zeroUpper()
{
    __builtin_ia32_vzeroupper();
}

} // namespace

void clearUpperVectorState()
{
    if (hasAvx()) {
        zeroUpper();
    }
}

std::optional<bool> upperVectorStateInUse()
{
    static const bool supported = cpuReportsStateInUse();
    if (!supported) {
        return std::nullopt;
    }
    // Bit 2 of XINUSE: the upper halves of YMM0–15.
    return (extendedControlRegister(1) & 0x4) != 0;
}

#else

void clearUpperVectorState() {}

std::optional<bool> upperVectorStateInUse()
{
    return std::nullopt;
}

#endif

} // namespace chart
