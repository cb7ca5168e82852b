#pragma once
// Play orders: the sequence in which the playlist's entries are played.
#include <cstdint>
#include <vector>

namespace vorlinde {

// Playlist indices 0..count-1 in list order, or, when `random`, shuffled into one cycle through
// all entries (no entry stays at its own place once count >= 2) drawn from `seed`.
std::vector<int32_t> BuildPlayOrder(int count, bool random, uint32_t seed);

// A seed from the clock: the low 32 bits of the performance counter, or the millisecond tick
// count where there is no such counter.
uint32_t ClockSeed();

}  // namespace vorlinde
