#pragma once

#include <juce_core/juce_core.h>

namespace halvo::render
{

// Removes the temporary files of a run stopped by Ctrl-C or a kill, which would otherwise stay
// behind beside their targets. Installs its signal handlers on first use.
void removeOnInterrupt(const juce::File& temporaryFile);
void forgetOnInterrupt(const juce::File& temporaryFile);

} // namespace halvo::render
