#pragma once

#include <cstddef>
#include <cstdint>

namespace tl {

namespace cache_fetch {
template <int kForWriting> inline void Lines(const void* p, size_t size)
{
#if defined(__GNUC__)
    const auto first = reinterpret_cast<uintptr_t>(p) & ~uintptr_t{63};
    const uintptr_t end = reinterpret_cast<uintptr_t>(p) + size;
    for (uintptr_t at = first; at < end; at += 64)
        __builtin_prefetch(reinterpret_cast<const void*>(at), kForWriting);
#else
    (void)p;
    (void)size;
#endif
}
} // namespace cache_fetch

// Ask for the cache lines of `size` bytes at `p` without waiting for them,
// where the bytes lie at places the processor cannot guess in time.
inline void FetchForReading(const void* p, size_t size)
{
    cache_fetch::Lines<0>(p, size);
}
inline void FetchForWriting(const void* p, size_t size)
{
    cache_fetch::Lines<1>(p, size);
}

} // namespace tl
