#pragma once

#include <cstdint>

namespace demo {

// A small SplitMix64 generator: the demo company must come out identical from one seed on every
// platform and library version, which std::rand and the std distributions do not promise.
class DemoRandom {
public:
    explicit DemoRandom(uint64_t seed)
        : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL)
    {
    }

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi], both included.
    int64_t between(int64_t lo, int64_t hi)
    {
        if (hi <= lo)
            return lo;
        return lo + static_cast<int64_t>(next() % static_cast<uint64_t>(hi - lo + 1));
    }
    bool percent(int p) { return between(0, 99) < p; }
    template <typename T, int N> const T& pick(const T (&items)[N])
    {
        return items[between(0, N - 1)];
    }

private:
    uint64_t state_;
};

}  // namespace demo
