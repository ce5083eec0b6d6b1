// The colours of a gradient button's face lines, computed alike by every compiler.
#pragma once
#include <cstdint>

namespace tessarin {

// The step of one channel at line i of n: N(span / n × i), the quotient and the product
// each rounded to a 64-bit mantissa (extended precision), then to the nearest integer,
// ties to even. span is |Lc − Sc| (0 to 255), n ≥ 1, 0 ≤ i ≤ n.
int GradientStep(int span, int n, int i);
// The same value in exact integer arithmetic, for compilers without an 80-bit long double.
int GradientStepExact(int span, int n, int i);
// The same value in 80-bit long double; only where the compiler has one.
bool HasExtendedLongDouble();
int GradientStepExtended(int span, int n, int i);

// One channel of line i: from light towards shadow by the step.
int GradientChannel(int light, int shadow, int n, int i);
// The colour (0x00BBGGRR) of line i of n between light and shadow (both RGB already).
std::uint32_t GradientLineColor(std::uint32_t light, std::uint32_t shadow, int n, int i);

}  // namespace tessarin
