#pragma once

namespace halvo::test
{

// Counts heap calls (malloc, calloc, realloc, free and everything built on them, operator new
// included) made by the calling thread while armed.
class ScopedAllocationCounter
{
public:
    ScopedAllocationCounter();
    ~ScopedAllocationCounter();

    long allocations() const;
    long releases() const;
};

} // namespace halvo::test
