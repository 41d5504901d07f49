#include "EditorTestSupport.h"

namespace juce
{
// JUCE's own message-loop step (declared the same way by its plug-in client).
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

namespace halvo::test
{

juce::MouseEvent mouseEventAt(juce::Component& target, juce::Point<float> position,
                              juce::Point<float> downPosition, int numberOfClicks)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(
        juce::Desktop::getInstance().getMainMouseSource(), position,
        juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier),
        juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
        juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
        juce::MouseInputSource::defaultTiltY, &target, &target, now, downPosition, now,
        numberOfClicks, position != downPosition);
}

juce::Component* clickAt(juce::Component& root, juce::Point<int> position)
{
    // A window a host shows is visible; only visible components are found under a point.
    root.setVisible(true);
    auto* target = root.getComponentAt(position);
    if (target == nullptr)
        return nullptr;

    const auto local = target->getLocalPoint(&root, position).toFloat();
    const auto event = mouseEventAt(*target, local, local);
    target->mouseDown(event);
    target->mouseUp(event);
    return target;
}

void dragVertically(juce::Slider& knob, float pixels)
{
    const auto start = knob.getLocalBounds().getCentre().toFloat();
    knob.mouseDown(mouseEventAt(knob, start, start));
    for (int step = 1; step <= 4; ++step)
    {
        const auto position = start.translated(0.0f, pixels * static_cast<float>(step) / 4.0f);
        knob.mouseDrag(mouseEventAt(knob, position, start));
    }
    const auto end = start.translated(0.0f, pixels);
    knob.mouseUp(mouseEventAt(knob, end, start));
}

void doubleClick(juce::Slider& knob)
{
    const auto centre = knob.getLocalBounds().getCentre().toFloat();
    knob.mouseDoubleClick(mouseEventAt(knob, centre, centre, 2));
}

} // namespace halvo::test

namespace halvo::test
{

void dispatchPendingMessages()
{
    for (int message = 0; message < 100000; ++message)
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            return;
}

} // namespace halvo::test
