#pragma once
// Memory for large pixel buffers (window backing stores, big images). Such a buffer is written
// whole right after it is made; in 4-KiB pages that is one page fault per 4 KiB, which costs a
// window's first frame milliseconds on machines where faults are slow. Buffers of a megabyte
// or more are therefore mapped on their own and offered to the kernel as transparent huge
// pages (2 MiB), which turns hundreds of faults into a few. Small buffers use the heap.
#include <cstddef>
#include <memory>
#include <new>

namespace lindora {

namespace pixel_memory {

// Buffers from this size on are mapped on their own.
inline constexpr std::size_t LargeBytes = std::size_t{1} << 20;

void* allocateLarge(std::size_t bytes);  // throws std::bad_alloc
void releaseLarge(void* p, std::size_t bytes) noexcept;

}  // namespace pixel_memory

template <class T>
class PixelAllocator {
public:
    using value_type = T;

    PixelAllocator() noexcept = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= pixel_memory::LargeBytes) return static_cast<T*>(pixel_memory::allocateLarge(bytes));
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= pixel_memory::LargeBytes) pixel_memory::releaseLarge(p, bytes);
        else std::allocator<T>().deallocate(p, n);
    }

    template <class U>
    bool operator==(const PixelAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace lindora
