#include "randomgenerator.h"

#include <chrono>

namespace bellarune {

void RandomGenerator::seedFromClock()
{
    auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<uint64_t>(now) ^ 0x9E3779B97F4A7C15ull);
}

double RandomGenerator::uniform()
{
    // 53 random bits give every double in [0, 1) with equal spacing; never 1.0.
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace bellarune
