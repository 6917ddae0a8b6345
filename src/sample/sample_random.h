#pragma once

#include <cstdint>
#include <string_view>

namespace tl::sample {

// A small generator with a fixed algorithm (xoshiro256** seeded through
// splitmix64), so the same seed gives the same months with every compiler and
// standard library. The distributions of <random> are not fixed across
// libraries and are not used here.
class SampleRandom {
public:
    // One stream per purpose: the label keeps the streams apart, so adding a
    // draw in one part of a month does not change the others.
    SampleRandom(uint64_t seed, std::string_view label)
    {
        uint64_t x = seed ^ Fnv1a(label);
        for (uint64_t& word : m_state)
            word = SplitMix(x);
    }

    uint64_t Next()
    {
        const uint64_t result = Rotl(m_state[1] * 5, 7) * 9;
        const uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = Rotl(m_state[3], 45);
        return result;
    }

    // 0 to n - 1; 0 when n is not positive.
    int Below(int n)
    {
        if (n <= 0)
            return 0;
        return static_cast<int>(Next() % static_cast<uint64_t>(n));
    }

    // lo to hi, both included.
    int Between(int lo, int hi) { return hi <= lo ? lo : lo + Below(hi - lo + 1); }

    // True with the given chance in percent.
    bool Percent(int chance) { return Below(100) < chance; }

    static uint64_t Fnv1a(std::string_view text)
    {
        uint64_t h = 0xcbf29ce484222325ULL;
        for (char c : text) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3ULL;
        }
        return h;
    }

private:
    static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static uint64_t SplitMix(uint64_t& x)
    {
        uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    uint64_t m_state[4]{};
};

} // namespace tl::sample
