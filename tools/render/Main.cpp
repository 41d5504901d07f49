#include "Application.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main(int argc, char* argv[])
{
    // Images, fonts and the MIDI and audio formats need JUCE running; no display is needed.
    const juce::ScopedJuceInitialiser_GUI juce;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return halvo::render::runRenderer(arguments, std::cout, std::cerr);
}
