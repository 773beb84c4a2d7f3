#pragma once

#include <memory>
#include <new>
#include <utility>

// A std::allocator whose value-less construct leaves the bytes as they are, so that
// vector::resize on pixel memory that a decoder overwrites costs no zeroing pass.
template <typename T> class DefaultInitAllocator : public std::allocator<T> {
public:
    template <typename U> struct rebind {
        using other = DefaultInitAllocator<U>;
    };

    DefaultInitAllocator() = default;
    template <typename U> DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept { }

    template <typename U> void construct(U* place) { ::new (static_cast<void*>(place)) U; }
    template <typename U, typename... Args> void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
