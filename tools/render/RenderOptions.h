#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvo::render
{

struct ParameterSetting
{
    int parameterIndex = 0;
    float value = 0.0f;
};

struct ControllerAssignment
{
    int parameterIndex = 0;
    int controller = -1; // -1 removes the assignment
};

struct RenderOptions
{
    std::string midiFile; // empty: the demo phrase
    std::string outputPath;
    std::string plotPath;
    std::string statePath;
    std::string saveStatePath;
    std::string presetName; // a factory preset, as its table spells it
    int sampleRate = 44100;
    int blockSize = 512;
    int numChannels = 2;
    double tailSeconds = 4.0;
    std::vector<ParameterSetting> settings;
    std::vector<ControllerAssignment> assignments;
    std::optional<int> midiChannel;
    bool showHelp = false;
    bool listPresets = false;
};

inline constexpr int minSampleRate = 8000;
inline constexpr int maxSampleRate = 384000;
inline constexpr int maxBlockSize = 65536;
inline constexpr double maxTailSeconds = 600.0;
inline constexpr const char* demoOutputPath = "halvo-demo.wav";

struct ParseResult
{
    RenderOptions options;
    std::string error; // empty when the arguments were understood
};

// Parses the arguments after the program name. Every value is checked here, so a run that
// gets past parsing fails only on files.
ParseResult parseArguments(const std::vector<std::string>& arguments);

// Case-insensitive lookup of a parameter name.
std::optional<int> findParameterIndex(std::string_view name);

// "DelayTime, DelayFeedback, OSC, Rate, Mode, Reverb, Gain"
std::string parameterNameList();

} // namespace halvo::render
