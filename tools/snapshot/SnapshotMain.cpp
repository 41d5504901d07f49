#include "editor/MurmelAudioProcessorEditor.h"
#include "editor/OptionGUI.h"
#include "engine/MurmelAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
constexpr const char* usage =
    "usage: halvo-snapshot <window.png> [--learn] [--scale N]\n"
    "Draws the plug-in window into a PNG with a note held, so the oscilloscope shows a\n"
    "trace; --learn switches MIDI learn on first; --scale draws it as a screen with N\n"
    "device pixels per window pixel shows it (2 gives 1246 x 578).\n";

// A tenth of a second of a held A3, enough for the trace to reach its full height.
void playNote(halvo::MurmelAudioProcessor& processor)
{
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;
    processor.setPlayConfigDetails(2, 2, sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);
    processor.keyboardState.noteOn(1, 57, 1.0f);

    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    for (int block = 0; block < 9; ++block)
    {
        buffer.clear();
        processor.processBlock(buffer, midi);
    }
}

template <typename ComponentType>
ComponentType* findChild(juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
        if (auto* match = dynamic_cast<ComponentType*>(child))
            if (name.isEmpty() || child->getName() == name)
                return match;
    return nullptr;
}

bool writePng(const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream(file);
    return stream.openedOk() && juce::PNGImageFormat().writeImageToStream(image, stream);
}
} // namespace

int main(int argc, char** argv)
{
    juce::String outputPath;
    bool learn = false;
    float scale = 1.0f;
    for (int i = 1; i < argc; ++i)
    {
        const juce::String argument(argv[i]);
        if (argument == "--learn")
            learn = true;
        else if (argument == "--scale" && i + 1 < argc &&
                 juce::String(argv[i + 1]).getFloatValue() >= 0.25f &&
                 juce::String(argv[i + 1]).getFloatValue() <= 8.0f)
            scale = juce::String(argv[++i]).getFloatValue();
        else if (outputPath.isEmpty() && !argument.startsWith("-"))
            outputPath = argument;
        else
        {
            std::cerr << usage;
            return 2;
        }
    }
    if (outputPath.isEmpty())
    {
        std::cerr << usage;
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI gui;
    halvo::MurmelAudioProcessor processor;
    playNote(processor);

    juce::Image image;
    {
        halvo::MurmelAudioProcessorEditor editor(processor);
        if (learn)
            if (auto* toggle = findChild<juce::Button>(editor, "buttonMIDILearn"))
                toggle->setToggleState(true, juce::sendNotificationSync);
        editor.timerCallback();
        if (auto* options = findChild<halvo::OptionGUI>(editor, {}))
            options->timerCallback();
        image = editor.createComponentSnapshot(editor.getLocalBounds(), true, scale);
    }

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile(outputPath);
    if (!writePng(image, file))
    {
        std::cerr << "halvo-snapshot: cannot write " << file.getFullPathName() << "\n";
        return 1;
    }
    return 0;
}
