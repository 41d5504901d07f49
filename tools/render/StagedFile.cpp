#include "StagedFile.h"

#include "InterruptCleanup.h"
#include "RenderError.h"

namespace halvo::render
{
namespace
{
std::string cannotWrite(const juce::String& what, const juce::File& file, const juce::String& why)
{
    return ("cannot write the " + what + " '" + file.getFullPathName() + "': " + why).toStdString();
}
} // namespace

StagedFile::StagedFile(const juce::File& target, const juce::String& description)
    : targetFile(target), what(description), temporary(target)
{
    if (target.isDirectory())
        throw RenderError(cannotWrite(what, target, "it is a directory"));
    if (!target.getParentDirectory().isDirectory())
        throw RenderError(cannotWrite(what, target, "its folder does not exist"));

    removeOnInterrupt(temporary.getFile());
    output = std::make_unique<juce::FileOutputStream>(temporary.getFile());
    if (output->failedToOpen())
    {
        forgetOnInterrupt(temporary.getFile());
        throw RenderError(cannotWrite(what, target, output->getStatus().getErrorMessage()));
    }
}

StagedFile::~StagedFile()
{
    forgetOnInterrupt(temporary.getFile());
}

std::unique_ptr<juce::OutputStream> StagedFile::releaseStream() noexcept
{
    return std::move(output);
}

void StagedFile::commit()
{
    if (output != nullptr)
    {
        output->flush();
        if (output->getStatus().failed())
            throw RenderError(cannotWrite(what, targetFile, output->getStatus().getErrorMessage()));
        output.reset();
    }
    if (!temporary.overwriteTargetFileWithTemporary())
        throw RenderError(
            cannotWrite(what, targetFile, "the finished file could not be moved there"));
}

} // namespace halvo::render
