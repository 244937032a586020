// The game executable frees every heap block through the memory manager. Linked into
// the executable only: the sanitizers of the test build keep their own operators.
#include <new>

#include "core/memory.h"

void* operator new(std::size_t size) { return XMEMORY_MANAGER::Allocate(size); }
void* operator new[](std::size_t size) { return XMEMORY_MANAGER::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return XMEMORY_MANAGER::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return XMEMORY_MANAGER::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { XMEMORY_MANAGER::Deallocate(p, false); }
void operator delete[](void* p) noexcept { XMEMORY_MANAGER::Deallocate(p, true); }
void operator delete(void* p, std::size_t) noexcept { XMEMORY_MANAGER::Deallocate(p, false); }
void operator delete[](void* p, std::size_t) noexcept { XMEMORY_MANAGER::Deallocate(p, true); }
void operator delete(void* p, const std::nothrow_t&) noexcept { XMEMORY_MANAGER::Deallocate(p, false); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { XMEMORY_MANAGER::Deallocate(p, true); }
