// Writes one PNG showing every embedded picture, every knob look at 0 / 0.5 / 1, every button
// form at rest / over / down / on and the window put together, for a person to look at:
// halvo-contact-sheet <output .png>
#include "LookTestSupport.h"

#include "EmbeddedResources.h"
#include "lookandfeel/AltLookAndFeelVariants.h"

#include <cmath>
#include <iostream>

namespace
{
using namespace halvo;

const juce::Colour sheetColour(0xff2b2d30);
const juce::Colour captionColour(0xffd8dadd);
constexpr int margin = 24;

juce::Image asset(const char* data, int size)
{
    return juce::ImageCache::getFromMemory(data, size);
}

void caption(juce::Graphics& g, const juce::String& text, int x, int y, float height = 13.0f)
{
    g.setColour(captionColour);
    g.setFont(juce::Font(height));
    g.drawText(text, x, y, 600, static_cast<int>(height) + 4, juce::Justification::centredLeft);
}

void drawZoomed(juce::Graphics& g, const juce::Image& image, int x, int y, int zoom)
{
    g.setImageResamplingQuality(juce::Graphics::lowResamplingQuality);
    g.drawImage(image, x, y, image.getWidth() * zoom, image.getHeight() * zoom, 0, 0,
                image.getWidth(), image.getHeight());
    g.setImageResamplingQuality(juce::Graphics::mediumResamplingQuality);
}

// The editor's face put together from the same pieces: background, knobs, buttons, labels.
class WindowMock final : public juce::Component
{
public:
    enum class Scene
    {
        playing,
        learning,
        about
    };

    explicit WindowMock(Scene scene) : shownScene(scene)
    {
        using namespace EmbeddedResources;
        setSize(623, 289);
        addKnob(gain, {25, 85, 50, 50}, 0.5, nullptr);
        addKnob(rate, {160, 85, 50, 50}, 0.3, nullptr);
        addKnob(mode, {246, 85, 50, 50}, 2.0 / 6.0, nullptr);
        addKnob(reverb, {63, 224, 40, 40}, 0.5, &red);
        addKnob(delayTime, {192, 224, 40, 40}, 0.35, &green);
        addKnob(feedback, {260, 224, 40, 40}, 0.5, &green);

        const std::pair<const char*, int> waves[] = {
            {waveSine_png, waveSine_pngSize},     {waveSineDown_png, waveSineDown_pngSize},
            {waveSaw_png, waveSaw_pngSize},       {waveSawDown_png, waveSawDown_pngSize},
            {waveSquare_png, waveSquare_pngSize}, {waveSquareDown_png, waveSquareDown_pngSize}};
        for (int i = 0; i < 3; ++i)
        {
            auto& button = waveButtons[static_cast<size_t>(i)];
            const auto normal = asset(waves[2 * i].first, waves[2 * i].second);
            const auto down = asset(waves[2 * i + 1].first, waves[2 * i + 1].second);
            button.setImages(false, true, true, normal, 1.0f, {}, normal, 1.0f, {}, down, 1.0f, {});
            button.setClickingTogglesState(true);
            button.setToggleState(i == 0, juce::dontSendNotification);
            button.setBounds(325, i == 0 ? 115 : i == 1 ? 147 : 177, 30, 27);
            addAndMakeVisible(button);
        }

        midiLearn.setButtonText("MIDI Learn");
        midiLearn.setConnectedEdges(15);
        midiLearn.setColour(juce::TextButton::buttonColourId, juce::Colours::black);
        midiLearn.setColour(juce::TextButton::buttonOnColourId, juce::Colours::black);
        midiLearn.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffeeeeee));
        midiLearn.setColour(juce::TextButton::textColourOffId, juce::Colour(0xefeeeeee));
        midiLearn.setToggleState(scene == Scene::learning, juce::dontSendNotification);
        midiLearn.setBounds(554, 0, 69, 30);
        addAndMakeVisible(midiLearn);

        about.setConnectedEdges(15);
        about.setColour(juce::TextButton::buttonColourId, juce::Colour(0x00bbbbff));
        about.setBounds(0, 0, 146, 30);
        addAndMakeVisible(about);

        label.setText(scene == Scene::learning ? "7.1 Hz" : "0 dB", juce::dontSendNotification);
        label.setFont(juce::Font(13.0f));
        label.setJustificationType(juce::Justification::centred);
        label.setColour(juce::Label::textColourId, juce::Colour(0xffeeeeee));
        label.setBounds(scene == Scene::learning ? juce::Rectangle<int>{163, 137, 44, 24}
                                                 : juce::Rectangle<int>{28, 137, 44, 24});
        addAndMakeVisible(label);

        if (scene == Scene::learning)
            for (auto* knob : {&gain, &rate, &mode, &reverb, &delayTime, &feedback})
                knob->getProperties().set("midiLearnOn", true);
    }

    ~WindowMock() override
    {
        for (auto* knob : {&gain, &rate, &mode, &reverb, &delayTime, &feedback})
            knob->setLookAndFeel(nullptr);
    }

    void paint(juce::Graphics& g) override
    {
        using namespace EmbeddedResources;
        g.drawImageAt(asset(editorBackground_jpg, editorBackground_jpgSize), 0, 0);
    }

    void paintOverChildren(juce::Graphics& g) override
    {
        if (shownScene == Scene::playing)
        {
            // A trace as the oscilloscope draws it: light grey, 2 pixels, over the screen.
            juce::Path trace;
            for (int x = 0; x <= 216; ++x)
            {
                const float t = static_cast<float>(x) / 216.0f;
                const float y = 159.0f - 90.0f *
                                             std::sin(juce::MathConstants<float>::twoPi *
                                                      (2.0f * t + 1.5f * t * t)) *
                                             (0.4f + 0.6f * t);
                if (x == 0)
                    trace.startNewSubPath(385.0f, y);
                else
                    trace.lineTo(385.0f + static_cast<float>(x), y);
            }
            g.setColour(juce::Colour(0xffd0d0d0));
            g.strokePath(trace, juce::PathStrokeType(2.0f));
        }
        if (shownScene == Scene::learning)
        {
            // Where the options panel will cover the screen.
            g.setColour(juce::Colours::black.withAlpha(0.85f));
            g.fillRect(361, 30, 262, 262);
            caption(g, "options panel", 372, 40);
        }
        if (shownScene == Scene::about)
        {
            using namespace EmbeddedResources;
            g.setColour(juce::Colours::black.withAlpha(0.8f));
            g.drawImageAt(asset(aboutPanel_png, aboutPanel_pngSize), 210, 17);
            g.setColour(juce::Colour(0xfffcfcfc));
            g.setFont(juce::Font(22.0f));
            g.drawText("HALVO v1.0", 230, 92, 175, 24, juce::Justification::centred);
            g.setColour(juce::Colour(0xffe10035));
            g.setFont(juce::Font(14.0f));
            g.drawText("drovask.com", 235, 255, 168, 22, juce::Justification::centred);
        }
    }

    juce::Slider& learnTarget() { return rate; }

private:
    void addKnob(juce::Slider& knob, juce::Rectangle<int> bounds, double position,
                 juce::LookAndFeel* look)
    {
        knob.setSliderStyle(juce::Slider::RotaryVerticalDrag);
        knob.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
        knob.setRange(0.0, 1.0);
        knob.setValue(position, juce::dontSendNotification);
        knob.setLookAndFeel(look);
        knob.setBounds(bounds);
        addAndMakeVisible(knob);
    }

    Scene shownScene;
    AltLookAndFeel_redButton red;
    AltLookAndFeel_greenButton green;
    juce::Slider gain, rate, mode, reverb, delayTime, feedback;
    std::array<juce::ImageButton, 3> waveButtons;
    juce::TextButton midiLearn, about;
    juce::Label label;
};

juce::Image snapshotWindow(WindowMock::Scene scene)
{
    WindowMock window(scene);
    if (scene == WindowMock::Scene::learning)
    {
        test::HoverStage stage(window);
        stage.moveMouseTo(window.learnTarget().getBounds().getCentre().toFloat());
        return window.createComponentSnapshot(window.getLocalBounds(), true, 1.0f);
    }
    return window.createComponentSnapshot(window.getLocalBounds(), true, 1.0f);
}

// Draws each look's knob at the three positions, at its own size and doubled. Returns the height.
int drawKnobRow(juce::Graphics& g, int x, int y)
{
    AltLookAndFeel aluminium;
    AltLookAndFeel_greenButton green;
    AltLookAndFeel_redButton red;
    const std::tuple<const char*, AltLookAndFeel*, int> looks[] = {
        {"AltLookAndFeel", &aluminium, 50}, {"_greenButton", &green, 40}, {"_redButton", &red, 40}};
    juce::Slider slider;
    for (const auto& [name, look, size] : looks)
    {
        caption(g, juce::String(name) + "  0 / 0.5 / 1", x, y);
        int column = x;
        for (const float position : {0.0f, 0.5f, 1.0f})
        {
            const auto knob = test::paintInto(
                size, size,
                [&](juce::Graphics& kg)
                { look->drawRotarySlider(kg, 0, 0, size, size, position, 0.0f, 1.0f, slider); });
            g.drawImageAt(knob, column, y + 22 + size / 2);
            drawZoomed(g, knob, column + size + 8, y + 22, 2);
            column += size * 3 + 24;
        }
        x = column + 16;
    }
    return 22 + 100 + 16;
}

// Frame k at column k % 16, row k / 16.
void drawFrameGrid(juce::Graphics& g, const juce::Image& strip, int x, int y)
{
    const int size = strip.getWidth();
    for (int frame = 0; frame < strip.getHeight() / size; ++frame)
        g.drawImageAt(test::stripFrame(strip, frame), x + (frame % 16) * (size + 2),
                      y + (frame / 16) * (size + 2));
}

int drawButtonForms(juce::Graphics& g, int x, int y)
{
    AltLookAndFeel standard;
    AltLookAndFeel_WhiteButton white;
    AltLookAndFeel_transparentButton transparent;
    const std::pair<const char*, AltLookAndFeel*> forms[] = {
        {"standard (AltLookAndFeel)", &standard},
        {"whitesmoke (_WhiteButton)", &white},
        {"empty (_transparentButton)", &transparent}};
    const std::tuple<const char*, bool, bool, bool> states[] = {{"rest", false, false, false},
                                                                {"over", true, false, false},
                                                                {"down", false, true, false},
                                                                {"on", false, false, true}};
    const auto panel = juce::Colour(0xff1a1d21);
    int row = y;
    for (const auto& [formName, look] : forms)
    {
        caption(g, formName, x, row + 8);
        int column = x + 190;
        for (const auto& [stateName, over, down, on] : states)
        {
            juce::TextButton button(stateName);
            button.setButtonText(juce::String("MIDI Learn ") + stateName);
            button.setSize(110, 30);
            button.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff000000));
            button.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xff000000));
            button.setToggleState(on, juce::dontSendNotification);
            const auto image =
                test::paintInto(110, 30,
                                [&](juce::Graphics& bg)
                                {
                                    bg.fillAll(panel);
                                    look->drawButtonBackground(
                                        bg, button,
                                        button.findColour(on ? juce::TextButton::buttonOnColourId
                                                             : juce::TextButton::buttonColourId),
                                        over, down);
                                    look->drawButtonText(bg, button, over, down);
                                });
            drawZoomed(g, image, column, row, 2);
            column += 110 * 2 + 12;
        }
        row += 72;
    }
    return row - y;
}

juce::Image makeSheet()
{
    using namespace EmbeddedResources;
    juce::Image sheet(juce::Image::ARGB, 1600, 2800, true);
    juce::Graphics g(sheet);
    g.fillAll(sheetColour);
    int y = margin;

    caption(g,
            "Halvo contact sheet: window at 1x (playing, learning with the mouse on Rate, about)",
            margin, y, 16.0f);
    y += 28;
    const auto playing = snapshotWindow(WindowMock::Scene::playing);
    g.drawImageAt(playing, margin, y);
    g.drawImageAt(snapshotWindow(WindowMock::Scene::learning), margin + 623 + 16, y);
    y += 289 + 16;
    g.drawImageAt(snapshotWindow(WindowMock::Scene::about), margin, y);
    caption(g, "editorBackground_jpg alone", margin + 623 + 16, y - 2);
    g.drawImageAt(asset(editorBackground_jpg, editorBackground_jpgSize), margin + 623 + 16, y + 18);
    y += 289 + 28;

    caption(g, "window zoomed 2x", margin, y, 16.0f);
    y += 24;
    drawZoomed(g, playing, margin, y, 2);
    y += 578 + 24;

    caption(g, "knobs", margin, y, 16.0f);
    y += 24;
    y += drawKnobRow(g, margin, y);

    caption(g, "waveform plates (normal, Down) 1x and 3x; aboutPanel_png", margin, y, 16.0f);
    y += 24;
    const std::pair<const char*, int> plates[] = {
        {waveSine_png, waveSine_pngSize},     {waveSineDown_png, waveSineDown_pngSize},
        {waveSaw_png, waveSaw_pngSize},       {waveSawDown_png, waveSawDown_pngSize},
        {waveSquare_png, waveSquare_pngSize}, {waveSquareDown_png, waveSquareDown_pngSize}};
    int column = margin;
    for (const auto& [data, size] : plates)
    {
        const auto plate = asset(data, size);
        g.setColour(juce::Colour(0xff15171a));
        g.fillRect(column - 4, y - 4, 30 * 3 + 8, 27 * 4 + 16);
        g.drawImageAt(plate, column, y);
        drawZoomed(g, plate, column, y + 35, 3);
        column += 30 * 3 + 16;
    }
    g.drawImageAt(asset(aboutPanel_png, aboutPanel_pngSize), column + 16, y);
    y += 290;

    caption(g, "button forms: rest / over / down / on (2x)", margin, y, 16.0f);
    y += 24;
    y += drawButtonForms(g, margin, y);

    caption(g, "filmstrips, all 128 frames (frame k at row k / 16, column k % 16)", margin, y,
            16.0f);
    y += 24;
    drawFrameGrid(g, asset(Boutonalu_50x50_png, Boutonalu_50x50_pngSize), margin, y);
    drawFrameGrid(g, asset(Boutonvert_40x40_png, Boutonvert_40x40_pngSize), margin + 16 * 52 + 16,
                  y);
    drawFrameGrid(g, asset(Boutonrouge_40x40_png, Boutonrouge_40x40_pngSize), margin + 16 * 52 + 16,
                  y + 8 * 42 + 8);
    y += 2 * 8 * 42 + 8 + margin;
    return sheet.getClippedImage({0, 0, sheet.getWidth(), y}).createCopy();
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: halvo-contact-sheet <output .png>\n";
        return 2;
    }
    juce::ScopedJuceInitialiser_GUI juce;
    AltLookAndFeel look;
    juce::LookAndFeel::setDefaultLookAndFeel(&look);
    juce::Typeface::clearTypefaceCache();

    const juce::File file(juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]));
    file.deleteFile();
    juce::FileOutputStream stream(file);
    juce::PNGImageFormat png;
    const bool written = stream.openedOk() && png.writeImageToStream(makeSheet(), stream);
    juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
    if (!written)
    {
        std::cerr << "halvo-contact-sheet: cannot write " << file.getFullPathName() << "\n";
        return 1;
    }
    std::cout << file.getFullPathName() << "\n";
    return 0;
}
