// The parts of JUCE's audio basics the note input uses (the synthesiser, MIDI messages and
// buffers), compiled from Debian's JUCE sources as they are.
#include <juce_audio_basics/juce_audio_basics.h>

#include <juce_audio_basics/buffers/juce_FloatVectorOperations.cpp>
#include <juce_audio_basics/midi/juce_MidiBuffer.cpp>
#include <juce_audio_basics/midi/juce_MidiMessage.cpp>
#include <juce_audio_basics/synthesisers/juce_Synthesiser.cpp>
