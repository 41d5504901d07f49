#pragma once

#include <string>

namespace halvo::render
{

std::string helpText();

} // namespace halvo::render
