#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <jack/jack.h>
#include <jack/midiport.h>

#include <memory>

namespace halvo
{

// A JACK MIDI input port for the Standalone app ("Halvo MIDI:midi_in"), beside the audio that
// JUCE's JACK device plays. Like JUCE, it loads libjack when it runs: without libjack or without a
// running JACK server (or PipeWire's) it stays closed and the app keeps its other MIDI inputs.
class JackMidiInput final
{
public:
    // Messages go to the receiver from JACK's process thread, as JUCE's own MIDI inputs deliver
    // theirs from their threads.
    explicit JackMidiInput(juce::MidiInputCallback& receiver);
    ~JackMidiInput();

    bool isOpen() const noexcept { return client != nullptr; }

private:
    struct Library;

    static int process(jack_nframes_t numFrames, void* self);

    juce::MidiInputCallback& receiver;
    std::unique_ptr<Library> jack;
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;

    JUCE_DECLARE_NON_COPYABLE(JackMidiInput)
};

} // namespace halvo
