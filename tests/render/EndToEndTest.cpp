#include "DemoPhrase.h"
#include "ScratchDirectory.h"
#include "engine/MurmelAudioProcessor.h"

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>

// Runs the built halvo-render program the way a person does.
namespace halvo::render
{
namespace
{
struct Run
{
    int exitCode = -1;
    juce::String output; // standard output and error together
};

Run runRenderer(const juce::StringArray& arguments, const juce::File& workingDirectory)
{
    // ChildProcess starts in our own working directory; relative paths are made absolute here.
    juce::StringArray command{HALVO_RENDER_BINARY};
    for (const auto& argument : arguments)
        command.add(argument.startsWith("@")
                        ? workingDirectory.getChildFile(argument.substring(1)).getFullPathName()
                        : argument);
    juce::ChildProcess process;
    Run run;
    if (!process.start(command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return run;
    run.output = process.readAllProcessOutput();
    process.waitForProcessToFinish(60000);
    run.exitCode = static_cast<int>(process.getExitCode());
    return run;
}

struct Wav
{
    double sampleRate = 0.0;
    int bitsPerSample = 0;
    juce::AudioBuffer<float> audio;
};

Wav readWav(const juce::File& file)
{
    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader(
        format.createReaderFor(new juce::FileInputStream(file), true));
    Wav wav;
    if (reader == nullptr)
        return wav;
    wav.sampleRate = reader->sampleRate;
    wav.bitsPerSample = static_cast<int>(reader->bitsPerSample);
    wav.audio.setSize(static_cast<int>(reader->numChannels),
                      static_cast<int>(reader->lengthInSamples));
    reader->read(&wav.audio, 0, wav.audio.getNumSamples(), 0, true, true);
    return wav;
}

float peakOf(const juce::AudioBuffer<float>& audio, double fromSeconds, double toSeconds,
             double rate)
{
    const int from = static_cast<int>(fromSeconds * rate);
    const int to = std::min(audio.getNumSamples(), static_cast<int>(toSeconds * rate));
    return audio.getMagnitude(from, to - from);
}

struct SavedState
{
    float gain = -1.0f;
    float osc = -1.0f;
    int gainController = -2;
};

SavedState restore(const juce::File& stateFile)
{
    juce::MemoryBlock block;
    stateFile.loadFileAsData(block);
    MurmelAudioProcessor processor;
    processor.setStateInformation(block.getData(), static_cast<int>(block.getSize()));
    return {processor.getParameterValue(gainIndex), processor.getParameterValue(oscIndex),
            processor.midiMap[gainIndex].load()};
}

TEST(HalvoRenderProgram, RendersTheDemoPhraseWithAPicture)
{
    const test::ScratchDirectory scratch;
    const auto run = runRenderer(
        {"--output", "@demo.wav", "--plot", "@demo.png", "--sample-rate", "48000", "--tail", "2.5"},
        scratch.path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.output.contains("Wrote")) << run.output;

    const auto wav = readWav(scratch.file("demo.wav"));
    EXPECT_EQ(wav.sampleRate, 48000.0);
    EXPECT_EQ(wav.bitsPerSample, 24);
    EXPECT_EQ(wav.audio.getNumChannels(), 2);
    EXPECT_EQ(wav.audio.getNumSamples(),
              juce::roundToInt((demoPhraseLengthSeconds + 2.5) * 48000.0));

    // Sound in every second of the phrase, in both channels, never beyond full scale.
    for (double second = 0.0; second < demoPhraseLengthSeconds; second += 1.0)
        EXPECT_GT(peakOf(wav.audio, second, second + 1.0, 48000.0), 0.01f) << second << " s";
    for (int channel = 0; channel < 2; ++channel)
    {
        const auto range = wav.audio.findMinMax(channel, 0, wav.audio.getNumSamples());
        EXPECT_GE(range.getStart(), -1.0f);
        EXPECT_LE(range.getEnd(), 1.0f);
        EXPECT_GT(range.getLength(), 0.2f);
    }

    const auto picture = juce::ImageFileFormat::loadFrom(scratch.file("demo.png"));
    EXPECT_EQ(picture.getWidth(), 1600);
    EXPECT_EQ(picture.getHeight(), 1000);
    EXPECT_EQ(scratch.names(), juce::StringArray("demo.png", "demo.wav"));
}

TEST(HalvoRenderProgram, AMidiFilesControllersMoveTheirParameterAndTheStateCarriesOver)
{
    const test::ScratchDirectory scratch;
    juce::MidiMessageSequence track;
    auto noteOn = juce::MidiMessage::noteOn(1, 57, static_cast<juce::uint8>(100));
    auto controller = juce::MidiMessage::controllerEvent(1, 74, 0);
    auto noteOff = juce::MidiMessage::noteOff(1, 57);
    controller.setTimeStamp(480); // 0.5 s at the default 120 bpm
    noteOff.setTimeStamp(960);
    for (const auto& message : {noteOn, controller, noteOff})
        track.addEvent(message);
    juce::MidiFile file;
    file.setTicksPerQuarterNote(480);
    file.addTrack(track);
    {
        juce::FileOutputStream out(scratch.file("song.mid"));
        ASSERT_TRUE(file.writeTo(out));
    }

    const auto first = runRenderer({"@song.mid", "-o", "@song.wav", "--mono", "--map", "Gain=74",
                                    "--tail", "0.5", "--save-state", "@first.state"},
                                   scratch.path());
    ASSERT_EQ(first.exitCode, 0) << first.output;

    const auto wav = readWav(scratch.file("song.wav"));
    EXPECT_EQ(wav.audio.getNumChannels(), 1);
    EXPECT_EQ(wav.audio.getNumSamples(), juce::roundToInt(1.5 * 44100.0));
    EXPECT_GT(peakOf(wav.audio, 0.3, 0.5, 44100.0), 0.05f);
    EXPECT_LT(peakOf(wav.audio, 0.6, 1.5, 44100.0), 1e-3f);

    const auto saved = restore(scratch.file("first.state"));
    EXPECT_EQ(saved.gain, 0.0f);
    EXPECT_EQ(saved.gainController, 74);

    // Starting from the saved state and saving again gives the same block.
    const auto second = runRenderer({"@song.mid", "-o", "@again.wav", "--state", "@first.state",
                                     "--save-state", "@second.state"},
                                    scratch.path());
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_TRUE(scratch.file("first.state").hasIdenticalContentTo(scratch.file("second.state")));
}

TEST(HalvoRenderProgram, TheDemoLeavesAParameterSetByHandAlone)
{
    const test::ScratchDirectory scratch;
    const auto pinned = runRenderer({"-o", "@pinned.wav", "--set", "osc=1", "--tail", "0",
                                     "--block-size", "4096", "--save-state", "@pinned.state"},
                                    scratch.path());
    ASSERT_EQ(pinned.exitCode, 0) << pinned.output;
    EXPECT_EQ(restore(scratch.file("pinned.state")).osc, 1.0f);

    const auto free = runRenderer(
        {"-o", "@free.wav", "--tail", "0", "--block-size", "4096", "--save-state", "@free.state"},
        scratch.path());
    ASSERT_EQ(free.exitCode, 0) << free.output;
    EXPECT_EQ(restore(scratch.file("free.state")).osc, 0.0f); // the phrase ends on the sine
}

TEST(HalvoRenderProgram, BadInputFailsWithAMessageAndWritesNothing)
{
    const test::ScratchDirectory scratch;
    ASSERT_TRUE(scratch.file("notes.txt").replaceWithText("not MIDI, not a state block"));

    const std::vector<std::pair<juce::StringArray, juce::String>> cases{
        {{"--set", "Volume=1"}, "valid names are DelayTime, DelayFeedback, OSC, Rate, Mode"},
        {{"@missing.mid"}, "no such file"},
        {{"@notes.txt"}, "is not a Standard MIDI File"},
        {{"--state", "@notes.txt"}, "is not a Halvo state block"},
        {{"--sample-rate", "0"}, "--sample-rate needs a whole number"},
        {{"--block-size", "-5"}, "--block-size needs a whole number"},
        {{"--tail", "nan"}, "--tail needs a number"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--output", "@no/such/folder/out.wav"}, "its folder does not exist"},
        {{"--save-state", "@no/such/folder/x.state"}, "cannot write the state file"},
        {{"--plot", "@no/such/folder/x.png"}, "cannot write the plot"},
    };
    for (const auto& [arguments, message] : cases)
    {
        auto withOutput = arguments;
        if (!arguments.contains("--output"))
            withOutput.addArray({"--output", "@out.wav"});
        const auto run = runRenderer(withOutput, scratch.path());
        EXPECT_EQ(run.exitCode, 1) << arguments.joinIntoString(" ");
        EXPECT_TRUE(run.output.contains(message))
            << arguments.joinIntoString(" ") << " said: " << run.output;
        EXPECT_EQ(scratch.names(), juce::StringArray("notes.txt")) << arguments.joinIntoString(" ");
    }
}

TEST(HalvoRenderProgram, ListsThePresetsAndRendersOneWithItsPhrase)
{
    const test::ScratchDirectory scratch;
    const auto list = runRenderer({"--list-presets"}, scratch.path());
    EXPECT_EQ(list.exitCode, 0);
    const auto lines = juce::StringArray::fromLines(list.output.trimEnd());
    ASSERT_EQ(lines.size(), 16) << list.output;
    EXPECT_TRUE(lines[2].startsWith("Dub Siren  ")) << lines[2];

    const auto run =
        runRenderer({"--preset", "dub siren", "--tail", "1", "-o", "@dub.wav"}, scratch.path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.output.contains("preset Dub Siren")) << run.output;
    const auto wav = readWav(scratch.file("dub.wav"));
    EXPECT_EQ(wav.audio.getNumSamples(),
              juce::roundToInt((presetPhraseLengthSeconds + 1.0) * 44100.0));
    EXPECT_GT(peakOf(wav.audio, 0.0, 1.0, 44100.0), 0.05f);
}

TEST(HalvoRenderProgram, HelpDescribesEveryOption)
{
    const test::ScratchDirectory scratch;
    const auto run = runRenderer({"--help"}, scratch.path());
    EXPECT_EQ(run.exitCode, 0);
    for (const auto* text :
         {"--output",     "--sample-rate", "--block-size", "--mono",         "--stereo",
          "--tail",       "--set",         "--map",        "--midi-channel", "--state",
          "--save-state", "--plot",        "--help",       "24-bit",         "Default: 44100",
          "Default: 512", "Default: 4",    "Examples:",    "DelayTime",      "DelayFeedback",
          "OSC",          "Rate",          "Mode",         "Reverb",         "Gain",
          "--preset",     "--list-presets"})
        EXPECT_TRUE(run.output.contains(text)) << text;
    EXPECT_TRUE(scratch.names().isEmpty());
}

} // namespace
} // namespace halvo::render
