// Powers of ten and decimal magnitudes, computed exactly.
//
// The number of decimal places a mapped coordinate carries, and the grid it
// is rounded to, must not depend on the processor: log10 and pow of the x87
// unit are off by one unit in the last place on some processors, which
// turns an extent of exactly 1000 into four digits instead of three. These
// functions use only exact integer arithmetic and correctly rounded
// multiplications and divisions, so every machine gets the same answer.
#pragma once
#include "numeric/Extended.h"

namespace orvik {

// 10^n for n >= 0: exact up to 10^27 (the largest power of ten a Extended
// holds exactly); beyond, the product of exact powers, rounded the same way
// on every machine.
Extended PowerOfTen(int n);

// The least k with 10^k >= x, for a finite x > 0: 3 for 1000, 4 for the next
// Extended above 1000, 0 for 0.5. Compared exactly, not through log10.
int DecimalCeiling(Extended x);

}  // namespace orvik
