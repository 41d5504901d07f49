#include "RenderOptions.h"

#include "parameters/ParameterTable.h"
#include "presets/FactoryPresets.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

namespace halvo::render
{
namespace
{
bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c)
    { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The whole text must be the number: "12abc", "", "nan" and "inf" are not numbers here.
std::optional<double> parseReal(std::string_view text)
{
    double value = 0.0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(std::string_view text)
{
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<int> parseIntegerIn(std::string_view text, int lowest, int highest)
{
    const auto value = parseInteger(text);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return value;
}

std::string inQuotes(std::string_view text)
{
    std::string result(1, '\'');
    result.append(text).push_back('\'');
    return result;
}

std::string unknownParameter(std::string_view name)
{
    return "unknown parameter " + inQuotes(name) + "; valid names are " + parameterNameList();
}

// "NAME=VALUE" split at the first '='.
std::optional<std::pair<std::string_view, std::string_view>> splitAssignment(std::string_view text)
{
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return std::nullopt;
    return std::pair{text.substr(0, equals), text.substr(equals + 1)};
}

std::string parseSetting(std::string_view text, RenderOptions& options)
{
    const auto parts = splitAssignment(text);
    if (!parts)
        return "--set needs NAME=VALUE (for example --set Gain=0.8), not " + inQuotes(text);
    const auto index = findParameterIndex(parts->first);
    if (!index)
        return unknownParameter(parts->first);
    const auto value = parseReal(parts->second);
    if (!value || *value < 0.0 || *value > 1.0)
        return "the value of " +
               std::string(parameterTable[static_cast<std::size_t>(*index)].name) +
               " must be a number from 0 to 1 (the normalised parameter value), not " +
               inQuotes(parts->second);
    options.settings.push_back({*index, static_cast<float>(*value)});
    return {};
}

std::string parseAssignment(std::string_view text, RenderOptions& options)
{
    const auto parts = splitAssignment(text);
    if (!parts)
        return "--map needs NAME=CC (for example --map Gain=74), not " + inQuotes(text);
    const auto index = findParameterIndex(parts->first);
    if (!index)
        return unknownParameter(parts->first);
    const auto controller = parseIntegerIn(parts->second, -1, 127);
    if (!controller)
        return "the controller for " +
               std::string(parameterTable[static_cast<std::size_t>(*index)].name) +
               " must be a whole number from 0 to 127, or -1 for none, not " +
               inQuotes(parts->second);
    options.assignments.push_back({*index, *controller});
    return {};
}

using ValueHandler = std::function<std::string(std::string_view, RenderOptions&)>;

const std::map<std::string, ValueHandler, std::less<>>& valueOptions()
{
    static const std::map<std::string, ValueHandler, std::less<>> handlers{
        {"--output",
         [](std::string_view text, RenderOptions& options)
         {
             options.outputPath = text;
             return std::string();
         }},
        {"--plot",
         [](std::string_view text, RenderOptions& options)
         {
             if (text.size() < 4 || !equalIgnoringCase(text.substr(text.size() - 4), ".png"))
                 return "the --plot file must end in .png, not " + inQuotes(text);
             options.plotPath = text;
             return std::string();
         }},
        {"--state",
         [](std::string_view text, RenderOptions& options)
         {
             options.statePath = text;
             return std::string();
         }},
        {"--save-state",
         [](std::string_view text, RenderOptions& options)
         {
             options.saveStatePath = text;
             return std::string();
         }},
        {"--sample-rate",
         [](std::string_view text, RenderOptions& options)
         {
             const auto rate = parseIntegerIn(text, minSampleRate, maxSampleRate);
             if (!rate)
                 return "--sample-rate needs a whole number of Hz from " +
                        std::to_string(minSampleRate) + " to " + std::to_string(maxSampleRate) +
                        ", not " + inQuotes(text);
             options.sampleRate = *rate;
             return std::string();
         }},
        {"--block-size",
         [](std::string_view text, RenderOptions& options)
         {
             const auto size = parseIntegerIn(text, 1, maxBlockSize);
             if (!size)
                 return "--block-size needs a whole number of samples from 1 to " +
                        std::to_string(maxBlockSize) + ", not " + inQuotes(text);
             options.blockSize = *size;
             return std::string();
         }},
        {"--tail",
         [](std::string_view text, RenderOptions& options)
         {
             const auto seconds = parseReal(text);
             if (!seconds || *seconds < 0.0 || *seconds > maxTailSeconds)
                 return "--tail needs a number of seconds from 0 to " +
                        std::to_string(static_cast<int>(maxTailSeconds)) + ", not " +
                        inQuotes(text);
             options.tailSeconds = *seconds;
             return std::string();
         }},
        {"--midi-channel",
         [](std::string_view text, RenderOptions& options)
         {
             const auto channel = parseIntegerIn(text, 0, 16);
             if (!channel)
                 return "--midi-channel needs a channel from 1 to 16, or 0 for any, not " +
                        inQuotes(text);
             options.midiChannel = *channel;
             return std::string();
         }},
        {"--preset",
         [](std::string_view text, RenderOptions& options)
         {
             const auto* preset = findFactoryPreset(text);
             if (preset == nullptr)
                 return "unknown preset " + inQuotes(text) +
                        "; halvo-render --list-presets lists them";
             options.presetName = preset->name;
             return std::string();
         }},
        {"--set", parseSetting},
        {"--map", parseAssignment},
    };
    return handlers;
}

std::string defaultOutputPath(const RenderOptions& options)
{
    if (options.midiFile.empty() && !options.presetName.empty())
        return "halvo-" + presetSlug(options.presetName) + ".wav";
    if (options.midiFile.empty())
        return demoOutputPath;
    return std::filesystem::path(options.midiFile).filename().replace_extension(".wav").string();
}

// Two options naming the same file would have one overwrite the other at the end, or an output
// replace the MIDI file being read.
std::string checkDistinctFiles(const RenderOptions& options)
{
    const std::pair<const char*, const std::string*> files[] = {
        {"the MIDI file", &options.midiFile},
        {"--output", &options.outputPath},
        {"--plot", &options.plotPath},
        {"--save-state", &options.saveStatePath}};
    for (std::size_t i = 0; i < std::size(files); ++i)
        for (std::size_t j = i + 1; j < std::size(files); ++j)
            if (!files[i].second->empty() && *files[i].second == *files[j].second)
                return std::string(files[i].first) + " and " + files[j].first +
                       " name the same file " + inQuotes(*files[i].second);
    return {};
}
} // namespace

std::optional<int> findParameterIndex(std::string_view name)
{
    for (int index = 0; index < numParameters; ++index)
        if (equalIgnoringCase(name, parameterTable[static_cast<std::size_t>(index)].name))
            return index;
    return std::nullopt;
}

std::string parameterNameList()
{
    std::string list;
    for (const auto& parameter : parameterTable)
        list += (list.empty() ? "" : ", ") + std::string(parameter.name);
    return list;
}

ParseResult parseArguments(const std::vector<std::string>& arguments)
{
    ParseResult result;
    auto& options = result.options;
    const auto fail = [&](std::string message)
    {
        result.error = std::move(message);
        return result;
    };

    bool onlyFilesFollow = false;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        std::string_view argument = arguments[i];

        if (onlyFilesFollow || !argument.starts_with("-"))
        {
            if (!options.midiFile.empty())
                return fail("only one MIDI file can be rendered at a time (got " +
                            inQuotes(options.midiFile) + " and " + inQuotes(argument) + ")");
            options.midiFile = argument;
            continue;
        }
        if (argument == "--")
        {
            onlyFilesFollow = true;
            continue;
        }
        if (argument == "-h" || argument == "--help")
        {
            options.showHelp = true;
            continue;
        }
        if (argument == "--list-presets")
        {
            options.listPresets = true;
            continue;
        }
        if (argument == "--mono" || argument == "--stereo")
        {
            options.numChannels = argument == "--mono" ? 1 : 2;
            continue;
        }

        // "--name value" or "--name=value"; -o is --output.
        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (const auto equals = argument.find('='); equals != std::string_view::npos)
        {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (name == "-o")
            name = "--output";

        const auto& handlers = valueOptions();
        const auto handler = handlers.find(name);
        if (handler == handlers.end())
            return fail("unknown option " + inQuotes(argument));
        if (!value)
        {
            if (i + 1 == arguments.size())
                return fail(std::string(name) + " needs a value");
            value = arguments[++i];
        }
        if (auto error = handler->second(*value, options); !error.empty())
            return fail(std::move(error));
    }

    if (options.showHelp || options.listPresets)
        return result;
    if (options.outputPath.empty())
        options.outputPath = defaultOutputPath(options);
    if (auto error = checkDistinctFiles(options); !error.empty())
        return fail(std::move(error));
    return result;
}

} // namespace halvo::render
