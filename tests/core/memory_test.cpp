#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "core/memory.h"

namespace {

TEST(MemoryManager, ReleasePathIgnoresNullAndFreesEitherForm)
{
    XMEMORY_MANAGER::Deallocate(nullptr, false);
    XMEMORY_MANAGER::Deallocate(nullptr, true);
    void* a = XMEMORY_MANAGER::Allocate(16);
    std::memset(a, 1, 16);
    XMEMORY_MANAGER::Deallocate(a, true); // an array release of a scalar block is still a plain free
    void* b = XMEMORY_MANAGER::Allocate(0);
    EXPECT_NE(b, nullptr);
    XMEMORY_MANAGER::Deallocate(b, false);
    EXPECT_TRUE(g_MemoryManager.IsTracking());
}

} // namespace
