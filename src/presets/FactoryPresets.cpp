#include "presets/FactoryPresets.h"

#include "parameters/StateFormat.h"

#include <algorithm>

namespace halvo
{
namespace
{
// What the normalised values mean (see ParameterTable.h): DelayTime 0.1 + 0.9x s, DelayFeedback
// 110x %, OSC 0 sine / 0.5 saw / 1 square, Rate 20x Hz, Mode 6x (0.17 steps), Reverb 10x s,
// Gain 100x - 90 dB (0.9 is 0 dB). Feedback past 100 % (x > 0.909) runs away into the delay's
// limit, so such a preset keeps its Gain low.
constexpr std::array<FactoryPreset, numFactoryPresets> presets{{
    // clang-format off
    //                                                                               DelayTime Feedback OSC   Rate    Mode  Reverb Gain
    {"Plain Sine",          "A steady sine, no sweep, a soft echo and a small room: a clean start",
                                                                                    {0.4444f, 0.25f,   0.0f, 0.0f,   0.0f,  0.2f,  0.95f}},
    {"Glacial Tide",        "Sine rising and falling once every 50 s into a wide eight-second hall",
                                                                                    {0.4444f, 0.4f,    0.0f, 0.001f, 0.0f,  0.8f,  0.91f}},
    {"Dub Siren",           "Square siren wailing up and down every two seconds into long dub echoes",
                                                                                    {0.3056f, 0.7f,    1.0f, 0.025f, 0.0f,  0.3f,  0.9f}},
    {"Bubble Chatter",      "Sine leaping to nine times its pitch twice per cycle: bubbles at 3 Hz",
                                                                                    {0.1667f, 0.35f,   0.0f, 0.15f,  0.17f, 0.35f, 0.93f}},
    {"Warble Lead",         "Saw lead with a fast double-peaked warble and a short echo",
                                                                                    {0.1111f, 0.25f,   0.5f, 0.3f,   0.17f, 0.25f, 0.95f}},
    {"Valley Sweep",        "Saw diving from twice its pitch to half and back every four seconds",
                                                                                    {0.4444f, 0.5f,    0.5f, 0.0125f,0.33f, 0.5f,  0.91f}},
    {"Cathedral Drone",     "Slow saw valley through one-second echoes into a ten-second reverb",
                                                                                    {1.0f,    0.6f,    0.5f, 0.0025f,0.33f, 1.0f,  0.91f}},
    {"Laser Volley",        "Saw zaps falling from nine times the pitch, six a second, slapback",
                                                                                    {0.0f,    0.2f,    0.5f, 0.3f,   0.5f,  0.2f,  0.96f}},
    {"Octave Stepper",      "Square hopping between the octave below and the fifth above at 4 Hz",
                                                                                    {0.1667f, 0.45f,   1.0f, 0.2f,   0.67f, 0.3f,  0.94f}},
    {"Sine Trill",          "Sine trilling at 12 Hz between the octave below and the fifth above",
                                                                                    {0.2222f, 0.3f,    0.0f, 0.6f,   0.67f, 0.4f,  0.92f}},
    {"Twelfth Hopper",      "Sine leaping an octave and a fifth up and back, twice a second",
                                                                                    {0.2222f, 0.5f,    0.0f, 0.1f,   0.83f, 0.4f,  0.92f}},
    {"Stair Climber",       "Slow saw steps up a twelfth and down through three-quarter-second echoes",
                                                                                    {0.7222f, 0.55f,   0.5f, 0.025f, 0.83f, 0.6f,  0.92f}},
    {"Gated Octave Pulse",  "Square an octave up, chopped on and off six times a second",
                                                                                    {0.0444f, 0.3f,    1.0f, 0.3f,   1.0f,  0.15f, 0.96f}},
    {"Slapback Square",     "Bare square with one quick slap echo and no reverb at all",
                                                                                    {0.0f,    0.1f,    1.0f, 0.0f,   0.0f,  0.0f,  1.0f}},
    {"Twenty Hertz Growl",  "The fastest sweep, 20 Hz, turns a saw into a dry metallic growl",
                                                                                    {0.0f,    0.0f,    0.5f, 1.0f,   0.0f,  0.0f,  0.98f}},
    {"Runaway Echoes",      "Feedback past 100 %: echoes pile up into a roaring wall, Gain held low",
                                                                                    {0.2778f, 0.96f,   0.0f, 0.005f, 0.33f, 0.3f,  0.76f}},
    // clang-format on
}};

char lowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSlugCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
} // namespace

const std::array<FactoryPreset, numFactoryPresets>& factoryPresets()
{
    return presets;
}

const FactoryPreset* findFactoryPreset(std::string_view name)
{
    const auto sameName = [name](const FactoryPreset& preset)
    {
        const std::string_view candidate = preset.name;
        return candidate.size() == name.size() &&
               std::equal(candidate.begin(), candidate.end(), name.begin(),
                          [](char a, char b) { return lowerCase(a) == lowerCase(b); });
    };
    const auto found = std::find_if(presets.begin(), presets.end(), sameName);
    return found == presets.end() ? nullptr : &*found;
}

std::vector<char> presetStateBlock(const FactoryPreset& preset)
{
    return writeParameterBlock(preset.values);
}

std::string presetSlug(std::string_view name)
{
    std::string slug;
    bool separatorPending = false;
    for (const char c : name)
    {
        const char lower = lowerCase(c);
        if (!isSlugCharacter(lower))
        {
            separatorPending = !slug.empty();
            continue;
        }
        if (separatorPending)
            slug += '-';
        separatorPending = false;
        slug += lower;
    }
    return slug;
}

} // namespace halvo
