#include "app/PlayOrder.h"

#include <windows.h>

#include <numeric>
#include <random>
#include <utility>

namespace vorlinde {

std::vector<int32_t> BuildPlayOrder(int count, bool random, uint32_t seed) {
    std::vector<int32_t> order(static_cast<size_t>(count > 0 ? count : 0));
    std::iota(order.begin(), order.end(), 0);
    if (!random) return order;
    std::mt19937 generator(seed);
    // Each element is swapped with a partner strictly below it, which makes the order one
    // random cycle through all entries, each such cycle equally likely.
    for (int k = count; k >= 1; --k) {
        int j = 0;
        if (k >= 2) j = std::uniform_int_distribution<int>(0, k - 2)(generator);
        std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(k - 1)]);
    }
    return order;
}

uint32_t ClockSeed() {
    LARGE_INTEGER counter{};
    if (QueryPerformanceCounter(&counter)) return static_cast<uint32_t>(counter.QuadPart & 0xFFFFFFFFu);
    return GetTickCount();
}

}  // namespace vorlinde
