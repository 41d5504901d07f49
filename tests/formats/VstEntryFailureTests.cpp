#include "VstModule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <utility>

// The next allocation on a thread that asks for it fails, as it may when memory runs out. A
// program of its own, since valgrind tells a replaced operator new's blocks from its own.
namespace
{
thread_local bool failNextAllocation = false;
} // namespace

void* operator new(std::size_t size)
{
    if (std::exchange(failNextAllocation, false))
        throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

namespace halvo::test
{

// Starting JUCE's library is not covered by JUCE's own catch; whatever fails there, the host gets
// no exception through a C entry point. Each call runs in a fresh process, as a failure leaves
// JUCE's library half started.
TEST(VstEntry, AFailureWhileTheLibraryStartsReachesTheHostAsNull)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* name : {"VSTPluginMain", "main"})
        EXPECT_EXIT(
            {
                const auto entry = VstModule::get().entry(name);
                failNextAllocation = true;
                try
                {
                    entry(&hostCallback);
                    std::_Exit(0);
                }
                catch (...)
                {
                    std::_Exit(1);
                }
            },
            testing::ExitedWithCode(0), "")
            << name;
}

} // namespace halvo::test
