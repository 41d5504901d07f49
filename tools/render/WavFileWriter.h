#pragma once

#include "StagedFile.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

namespace halvo::render
{

inline constexpr int wavBitsPerSample = 24;

// Streams the rendered blocks into a 24-bit PCM WAV file that appears at its path only once
// complete.
class WavFileWriter
{
public:
    // Throws RenderError if the file cannot be written.
    WavFileWriter(const juce::File& target, double sampleRate, int numChannels);

    void write(const juce::AudioBuffer<float>& block);

    // Finishes the file and moves it into place; throws RenderError on failure.
    void commit();

private:
    StagedFile file;
    juce::FileOutputStream* stream = nullptr; // owned by the writer
    std::unique_ptr<juce::AudioFormatWriter> writer;
};

} // namespace halvo::render
