#pragma once

#include <stdexcept>
#include <string>

namespace halvo::render
{

// A problem the user can fix (a bad file, an unwritable path); its text is shown as it is.
class RenderError : public std::runtime_error
{
public:
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace halvo::render
