#pragma once
#include <cstdint>
#include <deque>
#include <initializer_list>

namespace bellarune {

// The game's one source of chance. Seeded from the clock at start-up, seedable in tests.
class RandomGenerator {
public:
    RandomGenerator() { seedFromClock(); }
    void seedFromClock();
    void seed(uint64_t value);
    // Uniform in [0, 1).
    double uniform();
    // Tests lay down the uniform numbers of the next draws; the generator goes on after them.
    void queue(std::initializer_list<double> values) { queued_.insert(queued_.end(), values); }
    std::size_t queued() const { return queued_.size(); }
    // The integer part of n times a uniform number: 0..n-1 (0 for n <= 0).
    int draw(int n) { return n <= 0 ? 0 : static_cast<int>(n * uniform()); }

private:
    // xoshiro256**: fast and of good quality, which matters when a pick tries 252,500 candidates.
    uint64_t next();
    uint64_t s_[4] = {};
    std::deque<double> queued_;
};

}  // namespace bellarune
