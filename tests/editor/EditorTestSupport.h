#pragma once

#include "editor/MurmelAudioProcessorEditor.h"
#include "engine/MurmelAudioProcessor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace halvo::test
{

// Everything the processor tells its host: value messages and change gestures, in order.
class HostRecorder final : public juce::AudioProcessorListener
{
public:
    enum class Kind
    {
        gestureBegin,
        value,
        gestureEnd
    };

    struct Event
    {
        Kind kind;
        int index;
        float value;
    };

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        events.push_back({Kind::value, index, value});
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin(juce::AudioProcessor*, int index) override
    {
        events.push_back({Kind::gestureBegin, index, 0.0f});
    }
    void audioProcessorParameterChangeGestureEnd(juce::AudioProcessor*, int index) override
    {
        events.push_back({Kind::gestureEnd, index, 0.0f});
    }

    std::vector<Event> events;
};

// Finds a direct child by component name (names are part of the window's behaviour).
template <typename ComponentType>
ComponentType& childNamed(juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name)
            if (auto* match = dynamic_cast<ComponentType*>(child))
                return *match;
    throw std::runtime_error(("no child named " + name).toStdString());
}

template <typename ComponentType> ComponentType& childOfType(juce::Component& parent)
{
    for (auto* child : parent.getChildren())
        if (auto* match = dynamic_cast<ComponentType*>(child))
            return *match;
    throw std::runtime_error("no child of the wanted type");
}

juce::MouseEvent mouseEventAt(juce::Component& target, juce::Point<float> position,
                              juce::Point<float> downPosition, int numberOfClicks = 1);

// A left click at a point of root, delivered to whatever component lies on top there, as the
// mouse would; returns that component.
juce::Component* clickAt(juce::Component& root, juce::Point<int> position);

// A vertical drag on a knob from its centre by the given pixels (negative is upwards).
void dragVertically(juce::Slider& knob, float pixels);

void doubleClick(juce::Slider& knob);

// Delivers the messages JUCE has posted (value changes, timers), as a running host would.
void dispatchPendingMessages();

class EditorTest : public ::testing::Test
{
protected:
    EditorTest() { processor.addListener(&host); }
    ~EditorTest() override
    {
        editor.reset();
        processor.removeListener(&host);
    }

    void tick() { editor->timerCallback(); }

    template <typename ComponentType> ComponentType& child(const juce::String& name)
    {
        return childNamed<ComponentType>(*editor, name);
    }

    MurmelAudioProcessor processor;
    HostRecorder host;
    std::unique_ptr<MurmelAudioProcessorEditor> editor =
        std::make_unique<MurmelAudioProcessorEditor>(processor);
};

} // namespace halvo::test
