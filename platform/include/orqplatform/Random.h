// The process's seedable random source (a PCG32 generator). A given seed
// always gives the same sequence, on every platform. The source is shared
// process state and, like the rest of the library, meant for one thread.
#pragma once

#include <cstdint>

namespace orq {

// The seed last set (by SetRandSeed or Randomize); 0 at start-up.
uint32_t RandSeed();
// Restarts the sequence from Seed.
void SetRandSeed(uint32_t Seed);
// Seeds from the clock and the process id; the new seed always differs from
// the current one.
void Randomize();

// Uniform in [0, 1).
double Random();
// Uniform integer in [0, Range); 0 when Range <= 0.
int32_t Random(int32_t Range);

}  // namespace orq
