#pragma once

#include <juce_core/juce_core.h>

namespace halvo::render::test
{

// An empty directory of its own for one test, removed with everything in it afterwards. The name is
// random: tests run as parallel processes, and two of them may look for a free name at once.
class ScratchDirectory
{
public:
    ScratchDirectory()
        : directory(juce::File::getSpecialLocation(juce::File::tempDirectory)
                        .getChildFile("halvo-render-test-" + juce::Uuid().toString()))
    {
        directory.createDirectory();
    }

    ~ScratchDirectory() { directory.deleteRecursively(); }

    juce::File file(const juce::String& name) const { return directory.getChildFile(name); }
    const juce::File& path() const noexcept { return directory; }

    juce::StringArray names() const
    {
        juce::StringArray found;
        for (const auto& entry : juce::RangedDirectoryIterator(directory, false, "*",
                                                               juce::File::findFilesAndDirectories))
            found.add(entry.getFile().getFileName());
        found.sort(false);
        return found;
    }

private:
    juce::File directory;
};

} // namespace halvo::render::test
