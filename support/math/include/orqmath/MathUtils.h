// Small numeric helpers.
#pragma once

namespace orq {

// Swaps the two values.
void ExChange(int& a, int& b);
void ExChange(double& a, double& b);

// The value of the 1-2-5 series (..., 0.1, 0.2, 0.5, 1, 2, 5, 10, ...)
// nearest to x on a logarithmic scale: the boundaries between 1, 2, 5 and 10
// lie at sqrt(2), sqrt(10) and sqrt(50) times the power of ten, so 1.4 gives
// 1, 1.5 gives 2, 3.2 gives 5 and 7.1 gives 10. Negative x gives the negative
// of Round125(-x); 0 gives 0, NaN gives NaN, an infinity itself. A result
// that would overflow is the largest series value that does not.
double Round125(double x);

// True with probability p, drawing one number from the process's random
// source (Random()) on every call, so that a seeded sequence does not depend
// on p. Always true for p >= 1, always false for p <= 0 and for NaN.
bool BRandom(double p);

}  // namespace orq
