#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace halvo::render
{

inline constexpr double maxRenderSeconds = 3.0 * 3600.0;

// One run of halvo-render: everything is checked and every output opened before rendering.
// Returns the exit status.
int runRenderer(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace halvo::render
