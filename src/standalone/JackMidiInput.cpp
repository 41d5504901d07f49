#include "standalone/JackMidiInput.h"

#include <dlfcn.h>

namespace halvo
{

// The few libjack functions the port needs, looked up in the library loaded at run time.
struct JackMidiInput::Library
{
    void* handle = dlopen("libjack.so.0", RTLD_LAZY | RTLD_LOCAL);

    template <typename Function> Function* find(const char* name) const
    {
        return handle != nullptr ? reinterpret_cast<Function*>(dlsym(handle, name)) : nullptr;
    }

    decltype(&jack_client_open) clientOpen = find<decltype(jack_client_open)>("jack_client_open");
    decltype(&jack_client_close) clientClose =
        find<decltype(jack_client_close)>("jack_client_close");
    decltype(&jack_port_register) portRegister =
        find<decltype(jack_port_register)>("jack_port_register");
    decltype(&jack_set_process_callback) setProcessCallback =
        find<decltype(jack_set_process_callback)>("jack_set_process_callback");
    decltype(&jack_activate) activate = find<decltype(jack_activate)>("jack_activate");
    decltype(&jack_port_get_buffer) portGetBuffer =
        find<decltype(jack_port_get_buffer)>("jack_port_get_buffer");
    decltype(&jack_midi_get_event_count) midiEventCount =
        find<decltype(jack_midi_get_event_count)>("jack_midi_get_event_count");
    decltype(&jack_midi_event_get) midiEventGet =
        find<decltype(jack_midi_event_get)>("jack_midi_event_get");

    bool isComplete() const noexcept
    {
        return clientOpen != nullptr && clientClose != nullptr && portRegister != nullptr &&
               setProcessCallback != nullptr && activate != nullptr && portGetBuffer != nullptr &&
               midiEventCount != nullptr && midiEventGet != nullptr;
    }

    ~Library()
    {
        if (handle != nullptr)
            dlclose(handle);
    }
};

JackMidiInput::JackMidiInput(juce::MidiInputCallback& receiverToUse)
    : receiver(receiverToUse), jack(std::make_unique<Library>())
{
    if (!jack->isComplete())
        return;

    client = jack->clientOpen("Halvo MIDI", JackNoStartServer, nullptr);
    if (client == nullptr)
        return;

    port = jack->portRegister(client, "midi_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (port == nullptr || jack->setProcessCallback(client, process, this) != 0 ||
        jack->activate(client) != 0)
    {
        jack->clientClose(client);
        client = nullptr;
    }
}

JackMidiInput::~JackMidiInput()
{
    if (client != nullptr)
        jack->clientClose(client);
}

int JackMidiInput::process(jack_nframes_t numFrames, void* self)
{
    auto& input = *static_cast<JackMidiInput*>(self);
    void* buffer = input.jack->portGetBuffer(input.port, numFrames);
    const auto count = input.jack->midiEventCount(buffer);
    const double now = juce::Time::getMillisecondCounterHiRes() * 0.001;

    for (std::uint32_t index = 0; index < count; ++index)
    {
        jack_midi_event_t event;
        if (input.jack->midiEventGet(&event, buffer, index) != 0 || event.size == 0)
            continue;

        // Channel messages only, each whole: running status, system exclusive and stray data
        // bytes are left out.
        const int status = event.buffer[0];
        const int size = static_cast<int>(event.size);
        if (status >= 0x80 && status < 0xf0 &&
            size == juce::MidiMessage::getMessageLengthFromFirstByte(event.buffer[0]))
            input.receiver.handleIncomingMidiMessage(nullptr,
                                                     juce::MidiMessage(event.buffer, size, now));
    }
    return 0;
}

} // namespace halvo
