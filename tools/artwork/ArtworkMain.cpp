// Paints the editor's pictures into a folder: halvo-artwork <output folder> <Roboto Regular .ttf>
// <Roboto Light .ttf>. The build runs it; the plug-in embeds what it writes.
#include "AboutCard.h"
#include "ImageFiles.h"
#include "KnobPainter.h"
#include "PanelPainter.h"
#include "PanelText.h"
#include "WavePlates.h"

#include <iostream>

namespace
{
using namespace halvo::artwork;

// Every picture at `scale` pixels per unit; the plain set keeps its names, the others carry their
// scale ("editorBackground_2x.jpg").
bool writeSet(const juce::File& folder, const PanelFonts& fonts, int scale)
{
    const auto file = [&folder, scale](const juce::String& name)
    {
        const auto suffix = scale == 1 ? juce::String() : "_" + juce::String(scale) + "x";
        return folder.getChildFile(name.upToLastOccurrenceOf(".", false, false) + suffix +
                                   name.fromLastOccurrenceOf(".", true, false));
    };
    return writeJpeg(paintEditorBackground(fonts, scale), file("editorBackground.jpg"), 0.93f) &&
           writePng(paintWavePlate(Waveform::sine, false, scale), file("waveSine.png")) &&
           writePng(paintWavePlate(Waveform::sine, true, scale), file("waveSineDown.png")) &&
           writePng(paintWavePlate(Waveform::saw, false, scale), file("waveSaw.png")) &&
           writePng(paintWavePlate(Waveform::saw, true, scale), file("waveSawDown.png")) &&
           writePng(paintWavePlate(Waveform::square, false, scale), file("waveSquare.png")) &&
           writePng(paintWavePlate(Waveform::square, true, scale), file("waveSquareDown.png")) &&
           writePng(paintAboutCard(fonts, scale), file("aboutPanel.png")) &&
           writePng(paintKnobFilmstrip(aluminiumKnob(), scale), file("Boutonalu_50x50.png")) &&
           writePng(paintKnobFilmstrip(greenKnob(), scale), file("Boutonvert_40x40.png")) &&
           writePng(paintKnobFilmstrip(redKnob(), scale), file("Boutonrouge_40x40.png"));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
    {
        std::cerr << "usage: halvo-artwork <output folder> <regular .ttf> <light .ttf>\n";
        return 2;
    }
    const juce::File folder(juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]));
    const auto fonts =
        loadPanelFonts(juce::File::getCurrentWorkingDirectory().getChildFile(argv[2]),
                       juce::File::getCurrentWorkingDirectory().getChildFile(argv[3]));
    if (fonts.regular == nullptr || fonts.light == nullptr)
    {
        std::cerr << "halvo-artwork: cannot load the fonts\n";
        return 1;
    }
    if (!folder.createDirectory() || !writeSet(folder, fonts, 1) || !writeSet(folder, fonts, 2))
    {
        std::cerr << "halvo-artwork: cannot write into " << folder.getFullPathName() << "\n";
        return 1;
    }
    return 0;
}
