// Included before every source of the WebAssembly build: what emscripten 3.1.6's C++ library
// lacks and the shared sources use.
#pragma once

#include <bit>

#if !defined(__cpp_lib_bit_cast)
namespace std
{
template <typename To, typename From> constexpr To bit_cast(const From& from) noexcept
{
    return __builtin_bit_cast(To, from);
}
} // namespace std
#endif
