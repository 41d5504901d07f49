#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace halvo
{

// Compares bit patterns, so NaN and the sign of zero count too. Reports the first difference only.
inline ::testing::AssertionResult bitIdentical(const std::vector<float>& actual,
                                               const std::vector<float>& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "sizes " << actual.size() << " and " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (std::bit_cast<std::uint32_t>(actual[i]) != std::bit_cast<std::uint32_t>(expected[i]))
            return ::testing::AssertionFailure()
                   << "sample " << i << ": " << actual[i] << " instead of " << expected[i];
    return ::testing::AssertionSuccess();
}

} // namespace halvo
