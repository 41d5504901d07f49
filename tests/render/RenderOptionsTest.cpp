#include "RenderOptions.h"
#include "parameters/ParameterTable.h"

#include <gtest/gtest.h>

namespace halvo::render
{
namespace
{
ParseResult parse(std::vector<std::string> arguments)
{
    return parseArguments(arguments);
}

TEST(RenderOptions, NoArgumentsRenderTheDemoWithTheDocumentedDefaults)
{
    const auto result = parse({});
    ASSERT_EQ(result.error, "");
    const auto& options = result.options;
    EXPECT_EQ(options.midiFile, "");
    EXPECT_EQ(options.outputPath, "halvo-demo.wav");
    EXPECT_EQ(options.sampleRate, 44100);
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_EQ(options.numChannels, 2);
    EXPECT_EQ(options.tailSeconds, 4.0);
    EXPECT_TRUE(options.settings.empty());
    EXPECT_TRUE(options.assignments.empty());
    EXPECT_FALSE(options.midiChannel.has_value());
    EXPECT_FALSE(options.showHelp);
}

TEST(RenderOptions, EveryOptionIsReadWithASpaceOrAnEqualsSign)
{
    for (const bool withEquals : {false, true})
    {
        std::vector<std::string> arguments;
        const auto add = [&](const std::string& name, const std::string& value)
        {
            if (withEquals)
                arguments.push_back(name + "=" + value);
            else
                arguments.insert(arguments.end(), {name, value});
        };
        add("--output", "out.wav");
        add("--sample-rate", "96000");
        add("--block-size", "100");
        add("--tail", "2.5");
        add("--set", "Gain=0.8");
        add("--map", "Rate=74");
        add("--midi-channel", "3");
        add("--state", "in.state");
        add("--save-state", "out.state");
        add("--plot", "picture.PNG");
        arguments.insert(arguments.end(), {"--mono", "tune.mid"});

        const auto result = parse(arguments);
        ASSERT_EQ(result.error, "") << "withEquals " << withEquals;
        const auto& options = result.options;
        EXPECT_EQ(options.outputPath, "out.wav");
        EXPECT_EQ(options.sampleRate, 96000);
        EXPECT_EQ(options.blockSize, 100);
        EXPECT_EQ(options.tailSeconds, 2.5);
        ASSERT_EQ(options.settings.size(), 1u);
        EXPECT_EQ(options.settings[0].parameterIndex, gainIndex);
        EXPECT_FLOAT_EQ(options.settings[0].value, 0.8f);
        ASSERT_EQ(options.assignments.size(), 1u);
        EXPECT_EQ(options.assignments[0].parameterIndex, rateIndex);
        EXPECT_EQ(options.assignments[0].controller, 74);
        EXPECT_EQ(options.midiChannel, 3);
        EXPECT_EQ(options.statePath, "in.state");
        EXPECT_EQ(options.saveStatePath, "out.state");
        EXPECT_EQ(options.plotPath, "picture.PNG");
        EXPECT_EQ(options.numChannels, 1);
        EXPECT_EQ(options.midiFile, "tune.mid");
    }
}

TEST(RenderOptions, ParameterNamesIgnoreCaseAndRepeatsApplyInOrder)
{
    const auto result = parse({"--set", "gain=0.1", "--set", "DELAYFEEDBACK=0", "--set", "GaIn=1",
                               "--map", "mode=-1", "-o", "x.wav", "--stereo"});
    ASSERT_EQ(result.error, "");
    const auto& settings = result.options.settings;
    ASSERT_EQ(settings.size(), 3u);
    EXPECT_EQ(settings[0].parameterIndex, gainIndex);
    EXPECT_EQ(settings[1].parameterIndex, delayFeedbackIndex);
    EXPECT_EQ(settings[2].parameterIndex, gainIndex);
    EXPECT_EQ(settings[2].value, 1.0f);
    EXPECT_EQ(result.options.assignments[0].controller, -1);
    EXPECT_EQ(result.options.outputPath, "x.wav");
    EXPECT_EQ(result.options.numChannels, 2);
}

TEST(RenderOptions, UnknownParameterNamesListTheValidOnes)
{
    for (const auto& arguments : {std::vector<std::string>{"--set", "Volume=0.5"},
                                  std::vector<std::string>{"--map", "Volume=7"}})
    {
        const auto error = parse(arguments).error;
        EXPECT_NE(error.find("unknown parameter 'Volume'"), std::string::npos) << error;
        EXPECT_NE(error.find("DelayTime, DelayFeedback, OSC, Rate, Mode, Reverb, Gain"),
                  std::string::npos)
            << error;
    }
}

TEST(RenderOptions, NonsenseValuesAreRefusedNamingTheOption)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--sample-rate", "0"}, "--sample-rate"},
        {{"--sample-rate", "-44100"}, "--sample-rate"},
        {{"--sample-rate", "44100.5"}, "--sample-rate"},
        {{"--sample-rate", "nan"}, "--sample-rate"},
        {{"--sample-rate", "48k"}, "--sample-rate"},
        {{"--sample-rate", "99999999999"}, "--sample-rate"},
        {{"--block-size", "-5"}, "--block-size"},
        {{"--block-size", "0"}, "--block-size"},
        {{"--block-size", "65537"}, "--block-size"},
        {{"--block-size", ""}, "--block-size"},
        {{"--tail", "-1"}, "--tail"},
        {{"--tail", "nan"}, "--tail"},
        {{"--tail", "inf"}, "--tail"},
        {{"--tail", "1e400"}, "--tail"},
        {{"--tail", "3 s"}, "--tail"},
        {{"--set", "Gain=nan"}, "Gain"},
        {{"--set", "Gain=1.5"}, "Gain"},
        {{"--set", "Gain=-0.1"}, "Gain"},
        {{"--set", "Gain="}, "Gain"},
        {{"--set", "Gain"}, "NAME=VALUE"},
        {{"--set", "=0.5"}, "NAME=VALUE"},
        {{"--map", "Gain=128"}, "Gain"},
        {{"--map", "Gain=7.5"}, "Gain"},
        {{"--map", "Gain"}, "NAME=CC"},
        {{"--midi-channel", "17"}, "--midi-channel"},
        {{"--midi-channel", "-1"}, "--midi-channel"},
        {{"--plot", "picture.jpg"}, "--plot"},
    };
    for (const auto& [arguments, expected] : cases)
    {
        const auto error = parse(arguments).error;
        EXPECT_NE(error.find(expected), std::string::npos)
            << arguments[0] << " " << arguments[1] << " gave: " << error;
    }
}

TEST(RenderOptions, MisusedCommandLinesAreRefused)
{
    EXPECT_EQ(parse({"--tail"}).error, "--tail needs a value");
    EXPECT_EQ(parse({"--frobnicate"}).error, "unknown option '--frobnicate'");
    EXPECT_EQ(parse({"--mono=yes"}).error, "unknown option '--mono=yes'");
    EXPECT_NE(parse({"a.mid", "b.mid"}).error.find("only one MIDI file"), std::string::npos);
    EXPECT_NE(parse({"-o", "same.png", "--plot", "same.png"}).error.find("same file"),
              std::string::npos);
    EXPECT_NE(parse({"--plot", "p.png", "--save-state", "p.png"}).error.find("same file"),
              std::string::npos);
    EXPECT_NE(parse({"song.mid", "-o", "song.mid"}).error.find("the MIDI file and --output"),
              std::string::npos);
}

TEST(RenderOptions, OutputDefaultsToTheMidiFileNameInTheCurrentDirectory)
{
    EXPECT_EQ(parse({"songs/tune.mid"}).options.outputPath, "tune.wav");
    EXPECT_EQ(parse({"/abs/path/Tune.MIDI"}).options.outputPath, "Tune.wav");
    EXPECT_EQ(parse({"noextension"}).options.outputPath, "noextension.wav");
}

TEST(RenderOptions, PresetsAreFoundIgnoringCaseAndNameTheirDefaultOutput)
{
    const auto result = parse({"--preset", "dub SIREN"});
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.presetName, "Dub Siren");
    EXPECT_EQ(result.options.outputPath, "halvo-dub-siren.wav");
    EXPECT_EQ(parse({"tune.mid", "--preset=Dub Siren"}).options.outputPath, "tune.wav");
    EXPECT_EQ(parse({"--preset", "Dub"}).error,
              "unknown preset 'Dub'; halvo-render --list-presets lists them");
    EXPECT_TRUE(parse({"--list-presets", "--tail", "1"}).options.listPresets);
}

TEST(RenderOptions, DoubleDashMakesTheRestFileNames)
{
    const auto result = parse({"--", "-odd.mid"});
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.midiFile, "-odd.mid");
}

TEST(RenderOptions, HelpWinsOverEverythingElseThatParses)
{
    EXPECT_TRUE(parse({"tune.mid", "--help"}).options.showHelp);
    EXPECT_TRUE(parse({"-h"}).options.showHelp);
}

} // namespace
} // namespace halvo::render
