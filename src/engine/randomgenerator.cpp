#include "randomgenerator.h"

#include <chrono>

namespace bellarune {

namespace {
uint64_t splitmix(uint64_t& x)
{
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
uint64_t rotl(uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}
}  // namespace

void RandomGenerator::seed(uint64_t value)
{
    for (uint64_t& w : s_)
        w = splitmix(value);
}

void RandomGenerator::seedFromClock()
{
    seed(static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

uint64_t RandomGenerator::next()
{
    const uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double RandomGenerator::uniform()
{
    if (!queued_.empty()) {
        const double u = queued_.front();
        queued_.pop_front();
        return u;
    }
    // 53 random bits give every double in [0, 1) with equal spacing; never 1.0.
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace bellarune
