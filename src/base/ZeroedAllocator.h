#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

// An allocator whose memory comes zeroed from calloc and whose elements of a
// plain type are not written again when a container makes them: calloc's
// zeros are their value. A large buffer then costs no page of memory until
// something is written into it, as the kernel's fresh pages are zero without
// being touched, and a process that fills a few kilobytes of it is spared
// the page faults of clearing all of it.
template <class T>
struct ZeroedAllocator {
    using value_type = T;

    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        if (void* memory = std::calloc(count, sizeof(T)))
            return static_cast<T*>(memory);
        throw std::bad_alloc();
    }
    void deallocate(T* memory, std::size_t) noexcept { std::free(memory); }

    template <class U, class... Args>
    void construct(U* at, Args&&... args)
    {
        if constexpr (sizeof...(Args) > 0 || !std::is_trivially_default_constructible_v<U>)
            ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) = default;
};
