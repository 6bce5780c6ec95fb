// Replaced global allocation functions that count calls and live bytes. The
// live bytes are the allocator's usable sizes, taken on both allocation and
// release, so that unsized deletes balance sized ones.
#include "alloc_counter.hpp"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::uint64_t> gAllocations{0};
std::atomic<std::int64_t> gLiveBytes{0};

void* allocate(std::size_t size, std::size_t alignment)
{
    if (size == 0) size = 1;
    void* p = nullptr;
    if (alignment <= alignof(std::max_align_t)) {
        p = std::malloc(size);
    } else if (posix_memalign(&p, alignment, size) != 0) {
        p = nullptr;
    }
    if (p == nullptr) return nullptr;
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    gLiveBytes.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    return p;
}

void* allocateOrThrow(std::size_t size, std::size_t alignment)
{
    void* p = allocate(size, alignment);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void release(void* p) noexcept
{
    if (p == nullptr) return;
    gLiveBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

constexpr std::size_t kDefault = alignof(std::max_align_t);

}  // namespace

namespace tarvinel::bench {

AllocStats allocStats() noexcept
{
    return {gAllocations.load(std::memory_order_relaxed), gLiveBytes.load(std::memory_order_relaxed)};
}

}  // namespace tarvinel::bench

void* operator new(std::size_t size) { return allocateOrThrow(size, kDefault); }
void* operator new[](std::size_t size) { return allocateOrThrow(size, kDefault); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, kDefault); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, kDefault); }
void* operator new(std::size_t size, std::align_val_t al)
{
    return allocateOrThrow(size, static_cast<std::size_t>(al));
}
void* operator new[](std::size_t size, std::align_val_t al)
{
    return allocateOrThrow(size, static_cast<std::size_t>(al));
}
void* operator new(std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(al));
}
void* operator new[](std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(al));
}

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete(void* p, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
