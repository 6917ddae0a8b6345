#pragma once

// Replaces the global operator new of the test program that includes this
// header (include it in one file of that program only): while a
// FailLargeAllocations is alive, every request of a megabyte or more throws
// std::bad_alloc, as it does on a machine short of memory. The month's tables
// are several megabytes; the rest of a start-up asks for far less.

#include <atomic>
#include <cstdlib>
#include <new>

namespace tl::test {

inline std::atomic<bool> g_failLargeAllocations{false};

class FailLargeAllocations {
public:
    FailLargeAllocations() { g_failLargeAllocations = true; }
    ~FailLargeAllocations() { g_failLargeAllocations = false; }
    FailLargeAllocations(const FailLargeAllocations&) = delete;
    FailLargeAllocations& operator=(const FailLargeAllocations&) = delete;
};

} // namespace tl::test

// These operators pair malloc with free themselves; GCC sees only the new
// expression and the free once the delete is inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    if (tl::test::g_failLargeAllocations && size >= (std::size_t{1} << 20))
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

// The array forms too: a sanitizer's runtime provides its own, which would
// not pass through the one above.
void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
