#include "core/memory.h"

#include <cstdlib>
#include <new>

XMEMORY_MANAGER g_MemoryManager;

XMEMORY_MANAGER::XMEMORY_MANAGER() : m_Tracking(true) {}

XMEMORY_MANAGER::~XMEMORY_MANAGER()
{
    m_Tracking = false;
}

void XMEMORY_MANAGER::Deallocate(void* pointer, bool /*isArray*/)
{
    if (!pointer)
        return;
    std::free(pointer);
}

void* XMEMORY_MANAGER::Allocate(std::size_t size)
{
    // Every new gives a pointer of its own, an empty array too; malloc(0) may give null.
    if (size == 0)
        size = 1;
    for (;;) {
        if (void* p = std::malloc(size))
            return p;
        // Out of memory is never a null pointer handed back as an object.
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}
