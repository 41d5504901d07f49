#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace halvo
{

class MurmelAudioProcessor;

// The host's view of one parameter. Values, defaults and texts come from the processor's table;
// host writes go through the processor's setParameter so every writer takes the same road.
class HostParameter final : public juce::AudioProcessorParameterWithID
{
public:
    HostParameter(MurmelAudioProcessor& owner, int tableIndex);

    float getValue() const override;
    void setValue(float newValue) override;
    float getDefaultValue() const override;
    juce::String getText(float value, int maximumStringLength) const override;
    float getValueForText(const juce::String& text) const override;

private:
    MurmelAudioProcessor& processor;
    const int index;
};

} // namespace halvo
