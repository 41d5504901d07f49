#include "PlotScales.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace halvo::render
{
namespace
{
juce::String numberText(double value, int decimals)
{
    return decimals == 0 ? juce::String(juce::roundToInt(value)) : juce::String(value, decimals);
}
} // namespace

std::vector<Tick> timeTicks(double durationSeconds, int maxTicks)
{
    constexpr double steps[] = {0.001, 0.002, 0.005, 0.01,  0.02,   0.05,  0.1,  0.2,
                                0.5,   1.0,   2.0,   5.0,   10.0,   15.0,  30.0, 60.0,
                                120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0};
    double step = steps[std::size(steps) - 1];
    for (const double candidate : steps)
        if (durationSeconds / candidate <= maxTicks)
        {
            step = candidate;
            break;
        }
    const int decimals = step >= 1.0 ? 0 : (step >= 0.1 ? 1 : (step >= 0.01 ? 2 : 3));

    std::vector<Tick> ticks;
    for (int i = 0; i * step <= durationSeconds + step * 1e-9; ++i)
        ticks.push_back({i * step, numberText(i * step, decimals)});
    return ticks;
}

std::vector<Tick> frequencyTicks(double lowHz, double highHz)
{
    std::vector<Tick> ticks;
    for (double decade = 10.0; decade <= 100000.0; decade *= 10.0)
        for (const double multiple : {1.0, 2.0, 5.0})
        {
            const double hz = decade * multiple;
            if (hz < lowHz || hz > highHz)
                continue;
            const auto label =
                hz >= 1000.0 ? juce::String(hz / 1000.0, 0) + "k" : juce::String(hz, 0);
            ticks.push_back({hz, label});
        }
    return ticks;
}

std::vector<Tick> levelTicks(float bottomDb, float topDb)
{
    std::vector<Tick> ticks;
    for (float level = std::ceil(bottomDb / 10.0f) * 10.0f; level <= topDb; level += 10.0f)
        ticks.push_back({level, juce::String(juce::roundToInt(level))});
    return ticks;
}

juce::Colour heatColour(float position)
{
    // Eleven even samples of a black-purple-orange-yellow ramp.
    static constexpr std::array<juce::uint32, 11> stops{
        0xff000004, 0xff160b39, 0xff420a68, 0xff6a176e, 0xff932667, 0xffbc3754,
        0xffdd513a, 0xfff37819, 0xfffca50a, 0xfff6d746, 0xfffcffa4};
    const float scaled = std::clamp(position, 0.0f, 1.0f) * static_cast<float>(stops.size() - 1);
    const auto below = std::min(static_cast<std::size_t>(scaled), stops.size() - 2);
    const float fraction = scaled - static_cast<float>(below);
    return juce::Colour(stops[below]).interpolatedWith(juce::Colour(stops[below + 1]), fraction);
}

} // namespace halvo::render
