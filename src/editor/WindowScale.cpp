#include "editor/WindowScale.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>

namespace halvo
{

namespace
{
// Beyond these a scale is a mistake, not a screen.
constexpr float smallestScale = 0.5f;
constexpr float largestScale = 4.0f;

bool isUsableScale(float scale) noexcept
{
    return std::isfinite(scale) && scale >= smallestScale && scale <= largestScale;
}
} // namespace

float chooseWindowScale(float hostScale, float desktopScale, bool hostAlwaysSendsOne) noexcept
{
    const bool hostSaidSomething = hostAlwaysSendsOne || std::abs(hostScale - 1.0f) > 0.001f;
    if (hostSaidSomething && isUsableScale(hostScale))
        return hostScale;
    return isUsableScale(desktopScale) ? desktopScale : 1.0f;
}

bool hostSendsItsOwnScale(juce::AudioProcessor::WrapperType format)
{
    return juce::PluginHostType().isArdour() && (format == juce::AudioProcessor::wrapperType_VST3 ||
                                                 format == juce::AudioProcessor::wrapperType_LV2);
}

} // namespace halvo
