#pragma once

#include "plugin/AaxDescriptionTargets.h"

#include <cstdint>

namespace halvo::aax
{

inline constexpr std::int32_t success = 0;
// The host gave no object where one was needed; nothing is registered.
inline constexpr std::int32_t nullObject = -20004;
// Anything thrown while describing, as the host is told it.
inline constexpr std::int32_t unexpectedFailure = static_cast<std::int32_t>(0x8000FFFFu);

// Describes the plug-in to an AAX host: one effect with a component per channel configuration,
// registered under the AAX identifier, then the package data. Never throws.
std::int32_t describePlugin(Collection& collection) noexcept;

} // namespace halvo::aax
