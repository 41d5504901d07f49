#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace halvo::render
{

struct Tick
{
    double value;
    juce::String label;
};

// Round-numbered time ticks from 0 to durationSeconds, at most about maxTicks of them.
std::vector<Tick> timeTicks(double durationSeconds, int maxTicks);

// 50, 100, 200, 500, 1k, ... within the range.
std::vector<Tick> frequencyTicks(double lowHz, double highHz);

// Every 10 dB from bottomDb to topDb.
std::vector<Tick> levelTicks(float bottomDb, float topDb);

// Perceptually even dark-to-bright colours for 0 (quiet) to 1 (loud).
juce::Colour heatColour(float position);

} // namespace halvo::render
