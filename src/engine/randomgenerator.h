#pragma once
#include <cstdint>
#include <random>

namespace bellarune {

// The game's one source of chance. Seeded from the clock at start-up, seedable in tests.
class RandomGenerator {
public:
    RandomGenerator() { seedFromClock(); }
    void seedFromClock();
    void seed(uint64_t value) { engine_.seed(value); }
    // Uniform in [0, 1).
    double uniform();
    // The integer part of n times a uniform number: 0..n-1 (0 for n <= 0).
    int draw(int n) { return n <= 0 ? 0 : static_cast<int>(n * uniform()); }

private:
    std::mt19937_64 engine_;
};

}  // namespace bellarune
