#include "StateFile.h"

#include "RenderError.h"

namespace halvo::render
{

juce::MemoryBlock loadStateFile(const juce::File& file)
{
    const auto cannotRead = [&](const juce::String& why)
    {
        return RenderError(
            ("cannot read the state file '" + file.getFullPathName() + "': " + why).toStdString());
    };

    if (!file.existsAsFile())
        throw cannotRead(file.isDirectory() ? "it is a directory" : "no such file");
    // A state block is a few hundred bytes; anything huge is the wrong file.
    if (file.getSize() > maxStateFileBytes)
        throw cannotRead("it is far too large to be a state block");

    juce::FileInputStream input(file);
    if (input.failedToOpen())
        throw cannotRead(input.getStatus().getErrorMessage());

    juce::MemoryBlock block;
    input.readIntoMemoryBlock(block);
    if (input.getStatus().failed())
        throw cannotRead(input.getStatus().getErrorMessage());
    return block;
}

} // namespace halvo::render
