#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <jack/jack.h>
#include <jack/midiport.h>
#include <semaphore.h>

#include <array>
#include <atomic>
#include <memory>
#include <thread>

namespace halvo
{

// A JACK MIDI input port for the Standalone app ("Halvo MIDI:midi_in"), beside the audio that
// JUCE's JACK device plays. Like JUCE, it loads libjack when it runs: without libjack or without a
// running JACK server (or PipeWire's) it stays closed and the app keeps its other MIDI inputs.
// When the server goes away the port closes, and opens again once a server runs.
class JackMidiInput final
{
public:
    // Messages go to the receiver from a thread of the port's own, as JUCE's own MIDI inputs
    // deliver theirs from their threads; JACK's process thread only queues them and wakes it.
    // That thread also opens the port, at the start and again after the server went away, so a
    // server that does not answer never holds up the caller's (message) thread.
    explicit JackMidiInput(juce::MidiInputCallback& receiver);
    ~JackMidiInput();

    // Whether the port is connected to a running server.
    bool isOpen() const noexcept { return connected.load(std::memory_order_acquire); }

private:
    struct Library;

    // One channel message with its time in seconds: the time of its frame in the period.
    struct Event
    {
        double time;
        std::uint8_t bytes[3];
        std::uint8_t size;
    };
    static constexpr int queueSize = 1024;

    static int process(jack_nframes_t numFrames, void* self);
    static void serverShutDown(void* self);
    void open();
    void close();
    void run();
    bool waitForArrivals();
    void deliverQueuedMessages();

    juce::MidiInputCallback& receiver;
    std::unique_ptr<Library> jack;
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    std::atomic<bool> connected{false};
    bool openedOnce = false;
    juce::AbstractFifo queue{queueSize};
    std::array<Event, queueSize> events{};
    // Posted by JACK's process thread after it queued messages (posting neither locks nor
    // waits), when the server shuts down, and once more to stop the port's thread.
    sem_t arrivals{};
    std::atomic<bool> stopping{false};
    std::thread portThread;

    JUCE_DECLARE_NON_COPYABLE(JackMidiInput)
};

} // namespace halvo
