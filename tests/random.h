// A small, fast pseudo-random generator whose sequence is the same on every
// platform, so that generated tests and exports are the same everywhere.
#ifndef RANDOM_H
#define RANDOM_H

#include <cstdint>

struct Random {
  uint64_t state; // the seed, then the generator's state

  // Step the generator; return its whole state, every bit of it usable.
  uint64_t Next() {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state;
  }

  // Return a number from 0 to n - 1.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() >> 33) % n; }
};

#endif
