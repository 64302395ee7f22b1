// Counting replacements of the global operator new and delete. Outside a
// measurement they cost one relaxed load; the block sizes come from the
// allocator itself, so blocks taken before Start and freed during the
// measurement lower the count like any other.
#include "heap_peak.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace
{

std::atomic<bool> counting{false};
std::atomic<int64_t> held{0};
std::atomic<int64_t> peak{0};

void Taken(void* p)
{
    const int64_t size = static_cast<int64_t>(malloc_usable_size(p));
    const int64_t now = held.fetch_add(size, std::memory_order_relaxed) + size;
    int64_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

} // namespace

namespace heappeak
{

void Start()
{
    held = 0;
    peak = 0;
    counting = true;
}

int64_t Stop()
{
    counting = false;
    return peak.load();
}

} // namespace heappeak

void* operator new(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    if (counting.load(std::memory_order_relaxed)) Taken(p);
    return p;
}

void operator delete(void* p) noexcept
{
    if (p != nullptr && counting.load(std::memory_order_relaxed))
        held.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}
