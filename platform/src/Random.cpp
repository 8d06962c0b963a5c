#include "orqplatform/Random.h"

#include <ctime>
#include <unistd.h>

namespace orq {

namespace {

constexpr uint64_t kMultiplier = 6364136223846793005ULL;
constexpr uint64_t kIncrement = 1442695040888963407ULL;

uint32_t g_seed = 0;
uint64_t g_state = 0;

uint32_t Next32() {
  const uint64_t old = g_state;
  g_state = old * kMultiplier + kIncrement;
  const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

// The start-up state equals SetRandSeed(0), so an unseeded process is
// deterministic too.
struct Init {
  Init() { SetRandSeed(0); }
} g_init;

}  // namespace

uint32_t RandSeed() { return g_seed; }

void SetRandSeed(uint32_t Seed) {
  g_seed = Seed;
  g_state = 0;
  Next32();
  g_state += Seed;
  Next32();
}

void Randomize() {
  std::timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  const uint64_t mix = static_cast<uint64_t>(ts.tv_nsec) ^ (static_cast<uint64_t>(ts.tv_sec) << 20) ^
                       (static_cast<uint64_t>(::getpid()) << 40);
  uint32_t seed = static_cast<uint32_t>(mix ^ (mix >> 32));
  // Never the current seed: Randomize always starts a new sequence.
  if (seed == g_seed) ++seed;
  SetRandSeed(seed);
}

double Random() {
  // 53 random bits: every double in [0, 1) on the 2^-53 grid is equally likely.
  const uint64_t hi = Next32() >> 5;  // 27 bits
  const uint64_t lo = Next32() >> 6;  // 26 bits
  return static_cast<double>((hi << 26) | lo) * (1.0 / 9007199254740992.0);
}

int32_t Random(int32_t Range) {
  if (Range <= 0) return 0;
  // Lemire's multiply-and-reject: no modulo bias.
  const uint32_t range = static_cast<uint32_t>(Range);
  uint64_t m = static_cast<uint64_t>(Next32()) * range;
  uint32_t low = static_cast<uint32_t>(m);
  if (low < range) {
    const uint32_t threshold = (0u - range) % range;
    while (low < threshold) {
      m = static_cast<uint64_t>(Next32()) * range;
      low = static_cast<uint32_t>(m);
    }
  }
  return static_cast<int32_t>(m >> 32);
}

}  // namespace orq
