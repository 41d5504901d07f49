#include "AllocationCounter.h"

#include <cstddef>

// glibc's own entry points, so that the counting versions below can forward to them.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);
extern "C" void __libc_free(void* pointer);

namespace
{
thread_local bool armed = false;
thread_local long allocationCount = 0;
thread_local long releaseCount = 0;

void countAllocation()
{
    if (armed)
        ++allocationCount;
}
} // namespace

extern "C" void* malloc(std::size_t size)
{
    countAllocation();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    countAllocation();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    countAllocation();
    return __libc_realloc(pointer, size);
}

extern "C" void free(void* pointer)
{
    if (armed && pointer != nullptr)
        ++releaseCount;
    __libc_free(pointer);
}

namespace halvo::test
{

ScopedAllocationCounter::ScopedAllocationCounter()
{
    allocationCount = 0;
    releaseCount = 0;
    armed = true;
}

ScopedAllocationCounter::~ScopedAllocationCounter()
{
    armed = false;
}

long ScopedAllocationCounter::allocations() const
{
    return allocationCount;
}

long ScopedAllocationCounter::releases() const
{
    return releaseCount;
}

} // namespace halvo::test
