// The Standalone app's JACK MIDI port, against a JACK server that jack-midi-test.sh starts on its
// dummy driver: a client of the test's own sends to the port.
#include "standalone/JackMidiInput.h"

#include <gtest/gtest.h>

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace halvo::test
{
namespace
{
struct RecordingReceiver final : juce::MidiInputCallback
{
    void handleIncomingMidiMessage(juce::MidiInput*, const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        messages.push_back(message);
    }

    std::vector<juce::MidiMessage> received()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return messages;
    }

    std::mutex mutex;
    std::vector<juce::MidiMessage> messages;
};

// Writes two notes into one period, the given number of frames apart, once.
struct Sender
{
    static int process(jack_nframes_t numFrames, void* self)
    {
        auto& sender = *static_cast<Sender*>(self);
        void* buffer = jack_port_get_buffer(sender.port, numFrames);
        jack_midi_clear_buffer(buffer);
        if (sender.send.exchange(false))
        {
            const jack_midi_data_t first[] = {0x90, 60, 100};
            const jack_midi_data_t second[] = {0x90, 72, 100};
            jack_midi_event_write(buffer, sender.firstFrame, first, sizeof first);
            jack_midi_event_write(buffer, sender.firstFrame + sender.spacing, second,
                                  sizeof second);
        }
        return 0;
    }

    jack_port_t* port = nullptr;
    jack_nframes_t firstFrame = 100;
    jack_nframes_t spacing = 300;
    std::atomic<bool> send{false};
};

template <typename Condition> bool waitFor(Condition condition)
{
    for (int tries = 0; tries < 200; ++tries)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}
} // namespace

TEST(JackMidiInput, NotesOfOnePeriodKeepTheirSpacingInFrames)
{
    RecordingReceiver receiver;
    const JackMidiInput input(receiver);
    ASSERT_TRUE(waitFor([&] { return input.isOpen(); })) << "the port did not open";

    Sender sender;
    jack_client_t* client = jack_client_open("Halvo MIDI sender", JackNoStartServer, nullptr);
    ASSERT_NE(client, nullptr) << "no JACK server";
    sender.port = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    ASSERT_NE(sender.port, nullptr);
    jack_set_process_callback(client, Sender::process, &sender);
    ASSERT_EQ(jack_activate(client), 0);
    ASSERT_EQ(jack_connect(client, jack_port_name(sender.port), "Halvo MIDI:midi_in"), 0);
    ASSERT_LT(sender.firstFrame + sender.spacing, jack_get_buffer_size(client));
    const double rate = jack_get_sample_rate(client);

    sender.send = true;
    const bool arrived = waitFor([&] { return receiver.received().size() >= 2; });
    jack_client_close(client);
    ASSERT_TRUE(arrived);

    const auto messages = receiver.received();
    EXPECT_EQ(messages[0].getNoteNumber(), 60);
    EXPECT_EQ(messages[1].getNoteNumber(), 72);
    const double spacing = (messages[1].getTimeStamp() - messages[0].getTimeStamp()) * rate;
    EXPECT_NEAR(spacing, sender.spacing, 0.01);
}

} // namespace halvo::test
