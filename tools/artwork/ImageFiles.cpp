#include "ImageFiles.h"

namespace halvo::artwork
{

namespace
{
bool writeWith(juce::ImageFileFormat& format, const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream(file);
    return stream.openedOk() && format.writeImageToStream(image, stream);
}
} // namespace

bool writePng(const juce::Image& image, const juce::File& file)
{
    juce::PNGImageFormat png;
    return writeWith(png, image.convertedToFormat(juce::Image::ARGB), file);
}

bool writeJpeg(const juce::Image& image, const juce::File& file, float quality)
{
    juce::JPEGImageFormat jpeg;
    jpeg.setQuality(quality);
    return writeWith(jpeg, image.convertedToFormat(juce::Image::RGB), file);
}

} // namespace halvo::artwork
