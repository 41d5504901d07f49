#include "PluginHost.h"

#include <gtest/gtest.h>

#include <map>

namespace halvo::test
{
namespace
{
// What a host saved from the LV2 before it lost its audio inputs: Gain 0.3 and Mode 0.5, the
// other parameters at their defaults. The host state names ports by symbol.
const char* const stateFromEarlierBuild = R"(<https://drovask.com/plugins/halvo/savedState>
	a pset:Preset ;
	lv2:appliesTo <https://drovask.com/plugins/halvo> ;
	lv2:port [
		lv2:symbol "enabled" ;
		pset:value 1.0
	] , [
		lv2:symbol "freeWheeling" ;
		pset:value 0.0
	] ;
	state:state [
		<https://drovask.com/plugins/halvo:StateString> "429.VMjLgPZ....OR81az4COOM0P9.iK0vyKOM0P9vCQkwVX4QUZsUlOv3RM77BQkwVX4QUZsUlO7HUXzUlOv3BLvTCOuHUXzUlO7zzajUlOv3RM77RSuQVY9viTkYWYxIlOv3RM77hTkYWYxIlO7bTXo4lOv3xL77xQgkla9vCQkwVX4YTYkQlXgM1Z9.iK0vyKDUFagkmQkUFYhE1Xq4COoQFdMkFYoMDZg4lakwlOvvyKoQFdMkFYoMDZg4lakwlO7zVZjkVSgA2SSMjOsDCOuzVZjkVSgA2SSMjO7zVZjkVSgAGQkwVX4QUZsUlOsDCOuzVZjkVSgAGQkwVX4QUZsUlO7zVZjkVSgAGQkwVX4YTYkQlXgM1Z9zRL77RaoQVZMEFbDUFagkmQkUFYhE1Xq4COskFYo0TXvYTS9zRL77RaoQVZMEFbF0jO7zVZjkVSgA2Qgkla9zRL77RaoQVZMEFbGEVZt4COskFYo0TXv0zajUlOsDCOuzVZjkVSgAWSuQVY9vSaoQVZMEFbRUlckImX9zRL77RaoQVZMEFbRUlckImX9vyKR81az4C."
	] .
)";

void run(juce::AudioPluginInstance& instance)
{
    juce::AudioBuffer<float> buffer(2, 256);
    buffer.clear();
    juce::MidiBuffer midi;
    instance.processBlock(buffer, midi);
}

// Counts the value changes the host learns of, per parameter name.
struct AnnouncementCounter final : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged(int index, float) override { ++counts[index]; }
    void parameterGestureChanged(int, bool) override {}
    std::map<int, int> counts;
};
} // namespace

TEST(BuiltLv2, IsAnInstrumentWithStereoOutputAndNoAudioInputs)
{
    const auto instance = loadBuiltPlugin(PluginFormat::lv2);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->getBusCount(true), 0);
    EXPECT_EQ(instance->getTotalNumInputChannels(), 0);
    EXPECT_EQ(instance->getTotalNumOutputChannels(), 2);
    EXPECT_TRUE(instance->getPluginDescription().isInstrument);
}

TEST(BuiltLv2, TellsItsHostEveryParameterValueOnceAtTheStart)
{
    const auto instance = loadBuiltPlugin(PluginFormat::lv2);
    ASSERT_NE(instance, nullptr);
    // Without prepareToPlay: JUCE's host would make a new plug-in instance there and restore the
    // old one's state into it, and a restore announces its values anyway.
    AnnouncementCounter counter;
    for (auto* parameter : instance->getParameters())
        parameter->addListener(&counter);
    run(*instance);
    run(*instance);

    for (const char* name : {"DelayTime", "DelayFeedback", "OSC", "Rate", "Mode", "Reverb", "Gain"})
    {
        auto* parameter = findParameter(*instance, name);
        ASSERT_NE(parameter, nullptr) << name;
        EXPECT_EQ(counter.counts[parameter->getParameterIndex()], 1) << name;
        parameter->removeListener(&counter);
    }
}

TEST(BuiltLv2, RestoresStateSavedByAnEarlierBuild)
{
    const auto instance = loadBuiltPlugin(PluginFormat::lv2);
    ASSERT_NE(instance, nullptr);
    instance->prepareToPlay(44100.0, 256);
    const juce::String state(stateFromEarlierBuild);
    instance->setStateInformation(state.toRawUTF8(), static_cast<int>(state.getNumBytesAsUTF8()));
    run(*instance);

    EXPECT_FLOAT_EQ(findParameter(*instance, "Gain")->getValue(), 0.3f);
    EXPECT_FLOAT_EQ(findParameter(*instance, "Mode")->getValue(), 0.5f);
    EXPECT_FLOAT_EQ(findParameter(*instance, "Rate")->getValue(), 0.005f);
    instance->releaseResources();
}

} // namespace halvo::test
