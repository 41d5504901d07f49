#include "WavFileWriter.h"

#include "RenderError.h"

namespace halvo::render
{
namespace
{
std::string writeFailed(const juce::File& target)
{
    return ("cannot write the WAV file '" + target.getFullPathName() + "' (is the disk full?)")
        .toStdString();
}
} // namespace

WavFileWriter::WavFileWriter(const juce::File& target, double sampleRate, int numChannels)
    : file(target, "WAV file"), stream(&file.stream())
{
    juce::WavAudioFormat format;
    auto output = file.releaseStream();
    writer.reset(format.createWriterFor(
        output.get(), sampleRate, static_cast<unsigned int>(numChannels), wavBitsPerSample, {}, 0));
    if (writer == nullptr)
        throw RenderError(("cannot write a " + juce::String(numChannels) + "-channel WAV file at " +
                           juce::String(sampleRate) + " Hz")
                              .toStdString());
    output.release(); // the writer owns it now
}

void WavFileWriter::write(const juce::AudioBuffer<float>& block)
{
    if (!writer->writeFromAudioSampleBuffer(block, 0, block.getNumSamples()) ||
        stream->getStatus().failed())
        throw RenderError(writeFailed(file.target()));
}

void WavFileWriter::commit()
{
    // flush() writes the final header; the stream's status tells whether it all reached the disk.
    const bool headerWritten = writer->flush();
    stream->flush();
    if (!headerWritten || stream->getStatus().failed())
        throw RenderError(writeFailed(file.target()));
    writer.reset();
    file.commit();
}

} // namespace halvo::render
