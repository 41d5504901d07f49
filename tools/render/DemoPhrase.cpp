#include "DemoPhrase.h"

#include "parameters/ParameterTable.h"

namespace halvo::render
{
namespace
{
class PhraseWriter
{
public:
    explicit PhraseWriter(Performance& target) : performance(target) {}

    void note(double start, double end, int noteNumber)
    {
        performance.midi.push_back(
            {start, juce::MidiMessage::noteOn(1, noteNumber, static_cast<juce::uint8>(100))});
        performance.midi.push_back({end, juce::MidiMessage::noteOff(1, noteNumber)});
    }

    void set(double at, int parameterIndex, float value)
    {
        performance.parameterChanges.push_back({at, parameterIndex, value});
    }

    void mark(double at, const juce::String& label) { performance.markers.push_back({at, label}); }

private:
    Performance& performance;
};

constexpr float sine = 0.0f;
constexpr float saw = 0.5f;
constexpr float square = 1.0f;

void playWaveforms(PhraseWriter& phrase)
{
    // No sweep, so each waveform is heard at the note's own pitch. The delay time stays where it
    // is: moving it would bend these first echoes.
    phrase.set(0.0, rateIndex, 0.0f);
    phrase.set(0.0, modeIndex, 0.0f);
    phrase.set(0.0, delayFeedbackIndex, 0.35f);
    phrase.set(0.0, reverbIndex, 0.3f);
    phrase.set(0.0, gainIndex, 0.95f);

    const std::pair<float, const char*> waveforms[] = {
        {sine, "sine"}, {saw, "saw"}, {square, "square"}};
    double start = 0.0;
    for (const auto& [oscValue, label] : waveforms)
    {
        phrase.set(start, oscIndex, oscValue);
        phrase.mark(start, label);
        phrase.note(start, start + 1.0, 57);
        start += 1.2;
    }
}

void playSweepModes(PhraseWriter& phrase, double start)
{
    // A 1 Hz sweep: two full cycles per note.
    phrase.set(start, oscIndex, saw);
    phrase.set(start, rateIndex, 0.05f);

    const int notes[] = {45, 48, 52, 45, 50, 52, 57};
    for (int mode = 0; mode < 7; ++mode)
    {
        const double at = start + 2.0 * mode;
        phrase.set(at, modeIndex, static_cast<float>(mode) / 6.0f);
        phrase.mark(at, "mode " + juce::String(mode));
        phrase.note(at, at + 1.7, notes[mode]);
    }
}

void playEchoes(PhraseWriter& phrase, double start)
{
    phrase.set(start, modeIndex, 0.0f);
    phrase.set(start, rateIndex, 0.0f);
    phrase.set(start, oscIndex, sine);
    phrase.set(start, delayTimeIndex, 0.25f);
    phrase.set(start, delayFeedbackIndex, 0.5f);
    phrase.set(start, reverbIndex, 0.4f);
    phrase.mark(start, "delay + reverb");

    // Legato, each note ending where the next begins, so the gate stays open throughout.
    const double steps[] = {start, start + 0.3, start + 0.6, start + 0.9, start + 1.5};
    const int notes[] = {57, 60, 64, 69};
    for (std::size_t step = 0; step < std::size(notes); ++step)
        phrase.note(steps[step], steps[step + 1], notes[step]);

    // Moving the delay time while the echoes ring bends their pitch.
    phrase.set(start + 1.0, delayTimeIndex, 0.35f);
}
} // namespace

Performance presetPhrase(const juce::String& presetName)
{
    Performance performance;
    performance.title = "preset " + presetName;
    PhraseWriter phrase(performance);

    phrase.mark(0.0, "held note");
    phrase.note(0.0, 2.5, 45);
    phrase.mark(3.0, "arpeggio");
    const int arpeggio[] = {57, 60, 64, 69};
    for (std::size_t step = 0; step < std::size(arpeggio); ++step)
        phrase.note(3.0 + 0.25 * static_cast<double>(step), 3.2 + 0.25 * static_cast<double>(step),
                    arpeggio[step]);
    phrase.mark(4.5, "held note");
    phrase.note(4.5, presetPhraseLengthSeconds, 52);

    performance.lengthSeconds = presetPhraseLengthSeconds;
    sortByTime(performance);
    return performance;
}

Performance demoPhrase()
{
    Performance performance;
    performance.title = "demo phrase";
    PhraseWriter phrase(performance);

    playWaveforms(phrase);
    playSweepModes(phrase, 3.6);
    playEchoes(phrase, 17.6);

    performance.lengthSeconds = demoPhraseLengthSeconds;
    sortByTime(performance);
    return performance;
}

} // namespace halvo::render
