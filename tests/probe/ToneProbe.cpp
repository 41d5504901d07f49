// Plays Halvo note 69 in a host and checks that what comes back holds its tone, 440 Hz, with a
// patch whose pitch stands still (no sweep, sine waveform).
//
//   halvo-tone-probe settings            writes the Standalone app's settings with that patch
//   halvo-tone-probe jack MIDI-PORT AUDIO-PORT
//                                        a JACK client: sends the note to MIDI-PORT, records
//                                        AUDIO-PORT and checks the recording
//   halvo-tone-probe wav FILE            checks the first channel of a WAV file in which the
//                                        note starts at the beginning
#include "engine/MurmelAudioProcessor.h"

#include "parameters/ParameterTable.h"
#include <juce_audio_formats/juce_audio_formats.h>

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr double noteFrequency = 440.0;
constexpr double recordSeconds = 1.5;
constexpr double analysisStart = 0.25; // seconds after the note, past the amplitude glide
constexpr double analysisLength = 1.0;
// Within a tenth of a semitone (note 68 is 415.3 Hz, note 70 466.2 Hz): room for the spectral smear
// of a dropped cycle on a busy machine, none for a wrong note.
constexpr double toleranceHz = 2.5;

// The patch, as the state block the plug-in gives its host.
juce::MemoryBlock steadySineState()
{
    halvo::MurmelAudioProcessor processor;
    processor.setParameter(halvo::rateIndex, 0.0f);
    processor.setParameter(halvo::oscIndex, 0.0f);
    juce::MemoryBlock state;
    processor.getStateInformation(state);
    return state;
}

// The settings file the app reads at start-up.
int writeSettings()
{
    juce::ScopedJuceInitialiser_GUI juce;
    juce::PropertiesFile::Options options;
    options.applicationName = "Halvo";
    options.filenameSuffix = ".settings";
    options.folderName = "~/.config";
    juce::PropertiesFile settings(options);
    settings.setValue("filterState", steadySineState().toBase64Encoding());
    if (!settings.save())
        return 1;
    std::printf("settings: %s\n", settings.getFile().getFullPathName().toRawUTF8());
    return 0;
}

struct Recorder
{
    jack_port_t* midiOut = nullptr;
    jack_port_t* audioIn = nullptr;
    std::vector<float> samples;
    std::atomic<bool> start{false};
    std::atomic<std::size_t> recorded{0};
    std::atomic<int> xruns{0};
    bool noteSent = false;
};

int process(jack_nframes_t numFrames, void* arg)
{
    auto& recorder = *static_cast<Recorder*>(arg);
    void* midi = jack_port_get_buffer(recorder.midiOut, numFrames);
    jack_midi_clear_buffer(midi);
    if (!recorder.start.load())
        return 0;

    if (!recorder.noteSent)
    {
        const jack_midi_data_t noteOn[] = {0x90, 69, 100};
        recorder.noteSent = jack_midi_event_write(midi, 0, noteOn, sizeof noteOn) == 0;
    }
    const auto* input =
        static_cast<const float*>(jack_port_get_buffer(recorder.audioIn, numFrames));
    auto count = recorder.recorded.load();
    for (jack_nframes_t i = 0; i < numFrames && count < recorder.samples.size(); ++i)
        recorder.samples[count++] = input[i];
    recorder.recorded.store(count);
    return 0;
}

int countXrun(void* arg)
{
    ++static_cast<Recorder*>(arg)->xruns;
    return 0;
}

bool waitForPort(jack_client_t* client, const char* name)
{
    for (int attempt = 0; attempt < 300; ++attempt)
    {
        if (jack_port_by_name(client, name) != nullptr)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "FAIL: no JACK port %s\n", name);
    return false;
}

// Magnitude of one frequency in a Hann-windowed stretch of the recording.
double magnitudeAt(const std::vector<float>& samples, std::size_t first, std::size_t length,
                   double frequency, double sampleRate)
{
    const double pi = 3.14159265358979323846;
    double re = 0.0, im = 0.0;
    for (std::size_t i = 0; i < length; ++i)
    {
        const double window = 0.5 - 0.5 * std::cos(2.0 * pi * double(i) / double(length - 1));
        const double phase = 2.0 * pi * frequency * double(i) / sampleRate;
        re += window * samples[first + i] * std::cos(phase);
        im -= window * samples[first + i] * std::sin(phase);
    }
    return std::sqrt(re * re + im * im);
}

int analyse(const std::vector<float>& samples, double sampleRate)
{
    const auto first = static_cast<std::size_t>(analysisStart * sampleRate);
    const auto length = static_cast<std::size_t>(analysisLength * sampleRate);

    double sumOfSquares = 0.0;
    for (std::size_t i = first; i < first + length; ++i)
        sumOfSquares += double(samples[i]) * samples[i];
    const double rmsDb = 10.0 * std::log10(sumOfSquares / double(length) + 1e-30);

    // The strongest frequency between 50 Hz and 5 kHz, to a tenth of a hertz.
    double peak = 0.0, peakMagnitude = -1.0;
    for (double f = 50.0; f <= 5000.0; f += 1.0)
        if (const double m = magnitudeAt(samples, first, length, f, sampleRate); m > peakMagnitude)
            peak = f, peakMagnitude = m;
    const double coarse = peak;
    for (int step = -10; step <= 10; ++step)
    {
        const double f = coarse + 0.1 * step;
        if (const double m = magnitudeAt(samples, first, length, f, sampleRate); m > peakMagnitude)
            peak = f, peakMagnitude = m;
    }

    std::printf("recorded %.2f s at %.0f Hz; from %.2f s for %.2f s: level %.1f dBFS RMS, "
                "strongest frequency %.1f Hz (expected %.1f +- %.1f Hz)\n",
                double(samples.size()) / sampleRate, sampleRate, analysisStart, analysisLength,
                rmsDb, peak, noteFrequency, toleranceHz);
    if (rmsDb < -50.0)
    {
        std::fprintf(stderr, "FAIL: the recording is silent\n");
        return 1;
    }
    if (std::fabs(peak - noteFrequency) > toleranceHz)
    {
        std::fprintf(stderr, "FAIL: the tone is not the note's\n");
        return 1;
    }
    return 0;
}

int analyseWav(const char* path)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader(wav.createReaderFor(
        new juce::FileInputStream(juce::File::getCurrentWorkingDirectory().getChildFile(path)),
        true));
    const double neededSeconds = analysisStart + analysisLength;
    if (reader == nullptr || double(reader->lengthInSamples) < neededSeconds * reader->sampleRate)
    {
        std::fprintf(stderr, "FAIL: %s is not a WAV file of at least %.2f s\n", path,
                     neededSeconds);
        return 1;
    }
    juce::AudioBuffer<float> audio(1, static_cast<int>(reader->lengthInSamples));
    reader->read(&audio, 0, audio.getNumSamples(), 0, true, false);
    const std::vector<float> samples(audio.getReadPointer(0),
                                     audio.getReadPointer(0) + audio.getNumSamples());
    return analyse(samples, reader->sampleRate);
}

int playAndRecord(const char* midiPort, const char* audioPort)
{
    jack_status_t status{};
    jack_client_t* client = jack_client_open("halvo-tone-probe", JackNoStartServer, &status);
    if (client == nullptr)
    {
        std::fprintf(stderr, "FAIL: no JACK server (status 0x%x)\n", unsigned(status));
        return 1;
    }

    Recorder recorder;
    const double sampleRate = jack_get_sample_rate(client);
    recorder.samples.assign(static_cast<std::size_t>(recordSeconds * sampleRate), 0.0f);
    recorder.midiOut =
        jack_port_register(client, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    recorder.audioIn =
        jack_port_register(client, "audio_in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    int result = 1;
    if (recorder.midiOut != nullptr && recorder.audioIn != nullptr &&
        jack_set_process_callback(client, process, &recorder) == 0 &&
        jack_set_xrun_callback(client, countXrun, &recorder) == 0 && jack_activate(client) == 0 &&
        waitForPort(client, midiPort) && waitForPort(client, audioPort) &&
        jack_connect(client, "halvo-tone-probe:midi_out", midiPort) == 0 &&
        jack_connect(client, audioPort, "halvo-tone-probe:audio_in") == 0)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        recorder.start.store(true);
        for (int wait = 0; wait < 200 && recorder.recorded.load() < recorder.samples.size(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        jack_deactivate(client);
        if (recorder.recorded.load() < recorder.samples.size())
            std::fprintf(stderr, "FAIL: recorded only %zu samples\n", recorder.recorded.load());
        else
        {
            std::printf("JACK reported %d xruns\n", recorder.xruns.load());
            result = analyse(recorder.samples, sampleRate);
        }
    }
    else
    {
        std::fprintf(stderr, "FAIL: could not connect to %s and %s\n", midiPort, audioPort);
    }
    jack_client_close(client);
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "settings" && argc == 2)
        return writeSettings();
    if (command == "jack" && argc == 4)
        return playAndRecord(argv[2], argv[3]);
    if (command == "wav" && argc == 3)
        return analyseWav(argv[2]);
    std::fprintf(stderr, "usage: halvo-tone-probe settings | "
                         "jack MIDI-PORT AUDIO-PORT | wav FILE\n");
    return 2;
}
