#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace halvo::render
{

// An output file written under a temporary name beside its target and renamed over the target
// only by commit(), so a failed run leaves no partial file. Opening it up front proves the
// target's directory is writable before any work is done.
class StagedFile
{
public:
    // Throws RenderError if the target cannot be written.
    StagedFile(const juce::File& target, const juce::String& description);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    juce::FileOutputStream& stream() noexcept { return *output; }

    // For writers that insist on owning their stream; the stream must be gone before commit().
    std::unique_ptr<juce::OutputStream> releaseStream() noexcept;

    // Throws RenderError if the data did not reach the disk or the rename failed.
    void commit();

    const juce::File& target() const noexcept { return targetFile; }

private:
    juce::File targetFile;
    juce::String what;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::FileOutputStream> output;
};

} // namespace halvo::render
