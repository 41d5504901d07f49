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

bool writeAll(const juce::File& folder, const PanelFonts& fonts)
{
    const auto file = [&folder](const char* name) { return folder.getChildFile(name); };
    return writeJpeg(paintEditorBackground(fonts), file("editorBackground.jpg"), 0.93f) &&
           writePng(paintWavePlate(Waveform::sine, false), file("waveSine.png")) &&
           writePng(paintWavePlate(Waveform::sine, true), file("waveSineDown.png")) &&
           writePng(paintWavePlate(Waveform::saw, false), file("waveSaw.png")) &&
           writePng(paintWavePlate(Waveform::saw, true), file("waveSawDown.png")) &&
           writePng(paintWavePlate(Waveform::square, false), file("waveSquare.png")) &&
           writePng(paintWavePlate(Waveform::square, true), file("waveSquareDown.png")) &&
           writePng(paintAboutCard(fonts), file("aboutPanel.png")) &&
           writePng(paintKnobFilmstrip(aluminiumKnob()), file("Boutonalu_50x50.png")) &&
           writePng(paintKnobFilmstrip(greenKnob()), file("Boutonvert_40x40.png")) &&
           writePng(paintKnobFilmstrip(redKnob()), file("Boutonrouge_40x40.png"));
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
    if (!folder.createDirectory() || !writeAll(folder, fonts))
    {
        std::cerr << "halvo-artwork: cannot write into " << folder.getFullPathName() << "\n";
        return 1;
    }
    return 0;
}
