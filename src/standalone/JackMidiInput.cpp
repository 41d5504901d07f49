#include "standalone/JackMidiInput.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dlfcn.h>
#include <pthread.h>

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
    decltype(&jack_on_shutdown) onShutdown = find<decltype(jack_on_shutdown)>("jack_on_shutdown");
    decltype(&jack_activate) activate = find<decltype(jack_activate)>("jack_activate");
    decltype(&jack_port_get_buffer) portGetBuffer =
        find<decltype(jack_port_get_buffer)>("jack_port_get_buffer");
    decltype(&jack_midi_get_event_count) midiEventCount =
        find<decltype(jack_midi_get_event_count)>("jack_midi_get_event_count");
    decltype(&jack_midi_event_get) midiEventGet =
        find<decltype(jack_midi_event_get)>("jack_midi_event_get");
    decltype(&jack_get_sample_rate) sampleRate =
        find<decltype(jack_get_sample_rate)>("jack_get_sample_rate");

    bool isComplete() const noexcept
    {
        return clientOpen != nullptr && clientClose != nullptr && portRegister != nullptr &&
               setProcessCallback != nullptr && onShutdown != nullptr && activate != nullptr &&
               portGetBuffer != nullptr && midiEventCount != nullptr && midiEventGet != nullptr &&
               sampleRate != nullptr;
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
    sem_init(&arrivals, 0, 0);
    portThread = std::thread([this] { run(); });
    pthread_setname_np(portThread.native_handle(), "Halvo JACK MIDI");
}

JackMidiInput::~JackMidiInput()
{
    stopping.store(true, std::memory_order_release);
    sem_post(&arrivals);
    portThread.join();
    close();
    sem_destroy(&arrivals);
}

void JackMidiInput::run()
{
    open();
    for (;;)
    {
        const bool woken = waitForArrivals();
        if (stopping.load(std::memory_order_acquire))
            return;
        if (woken)
            deliverQueuedMessages();
        else
        {
            close();
            open();
        }
    }
}

// Sleeps until messages arrive: an idle port costs no wake-ups. A port whose server went away
// wakes once a second to look for a server; false when that second has passed.
bool JackMidiInput::waitForArrivals()
{
    if (!openedOnce || isOpen())
    {
        // A wait cut short by a signal is taken up again.
        while (sem_wait(&arrivals) != 0)
        {
        }
        return true;
    }
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += 1;
    while (sem_clockwait(&arrivals, CLOCK_MONOTONIC, &deadline) != 0)
        if (errno == ETIMEDOUT)
            return false;
    return true;
}

void JackMidiInput::open()
{
    if (!jack->isComplete())
        return;

    client = jack->clientOpen("Halvo MIDI", JackNoStartServer, nullptr);
    if (client == nullptr)
        return;

    port = jack->portRegister(client, "midi_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (port == nullptr || jack->setProcessCallback(client, process, this) != 0)
    {
        close();
        return;
    }
    jack->onShutdown(client, serverShutDown, this);
    if (jack->activate(client) != 0)
    {
        close();
        return;
    }
    connected.store(true, std::memory_order_release);
    openedOnce = true;
}

// A client whose server went away is closed as well, which frees what libjack holds for it.
void JackMidiInput::close()
{
    connected.store(false, std::memory_order_release);
    if (client != nullptr)
        jack->clientClose(client);
    client = nullptr;
    port = nullptr;
}

// On a thread of libjack's, after the server is gone: the port is only marked closed here, and
// its thread woken to look for a server again.
void JackMidiInput::serverShutDown(void* self)
{
    auto& input = *static_cast<JackMidiInput*>(self);
    input.connected.store(false, std::memory_order_release);
    sem_post(&input.arrivals);
}

// JACK's process thread: nothing here locks, allocates or waits. A full queue drops the message.
int JackMidiInput::process(jack_nframes_t numFrames, void* self)
{
    auto& input = *static_cast<JackMidiInput*>(self);
    void* buffer = input.jack->portGetBuffer(input.port, numFrames);
    const auto count = input.jack->midiEventCount(buffer);
    // The period's events arrived during the period before this one, each at its frame: their
    // times keep that spacing for the player, which places them in its blocks by time.
    const double frameSeconds =
        1.0 / std::max(1.0, static_cast<double>(input.jack->sampleRate(input.client)));
    const double periodStart = juce::Time::getMillisecondCounterHiRes() * 0.001 -
                               static_cast<double>(numFrames) * frameSeconds;
    bool queuedAny = false;

    for (std::uint32_t index = 0; index < count; ++index)
    {
        jack_midi_event_t event;
        if (input.jack->midiEventGet(&event, buffer, index) != 0 || event.size == 0)
            continue;

        // Channel messages only, each whole: running status, system exclusive and stray data
        // bytes are left out.
        const int status = event.buffer[0];
        const int size = static_cast<int>(event.size);
        if (status < 0x80 || status >= 0xf0 ||
            size != juce::MidiMessage::getMessageLengthFromFirstByte(event.buffer[0]))
            continue;

        const auto scope = input.queue.write(1);
        if (scope.blockSize1 + scope.blockSize2 == 0)
            continue;
        auto& queued = input.events[static_cast<std::size_t>(
            scope.blockSize1 > 0 ? scope.startIndex1 : scope.startIndex2)];
        queued.time = periodStart + static_cast<double>(event.time) * frameSeconds;
        queued.size = static_cast<std::uint8_t>(size);
        std::copy_n(event.buffer, size, queued.bytes);
        queuedAny = true;
    }
    if (queuedAny)
        sem_post(&input.arrivals);
    return 0;
}

void JackMidiInput::deliverQueuedMessages()
{
    for (int ready = queue.getNumReady(); ready > 0; --ready)
    {
        const auto scope = queue.read(1);
        const auto& event = events[static_cast<std::size_t>(
            scope.blockSize1 > 0 ? scope.startIndex1 : scope.startIndex2)];
        receiver.handleIncomingMidiMessage(nullptr,
                                           juce::MidiMessage(event.bytes, event.size, event.time));
    }
}

} // namespace halvo
