#pragma once
// The program's release path for heap blocks. The game executable routes its global
// delete operators through it; allocations are not tracked.
#include <cstddef>

class XMEMORY_MANAGER
{
public:
    XMEMORY_MANAGER();
    ~XMEMORY_MANAGER();
    // Frees a block from the C library heap; a null pointer is ignored.
    static void Deallocate(void* pointer, bool isArray);
    // Allocates from the C library heap; throws std::bad_alloc when it cannot.
    static void* Allocate(std::size_t size);
    bool IsTracking() const { return m_Tracking; }

private:
    bool m_Tracking = false;
};

extern XMEMORY_MANAGER g_MemoryManager;
