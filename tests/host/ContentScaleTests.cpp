#include "PluginHost.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
}

namespace halvo::test
{
void ignoreXErrors();

namespace
{
// Runs the message loop (the plug-in's window is painted through it) for a while.
void runMessages(int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(milliseconds);
    while (juce::Time::getMillisecondCounter() < end)
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(5);
}

// What the X server shows in a window, through ImageMagick's import.
juce::Image captureWindow(juce::Component& window)
{
    const auto file = juce::File::createTempFile(".png");
    juce::ChildProcess import;
    const auto id = juce::String(static_cast<juce::int64>(
        reinterpret_cast<juce::pointer_sized_int>(window.getWindowHandle())));
    if (!import.start(juce::StringArray{"import", "-window", id, file.getFullPathName()}))
        return {};
    while (import.isRunning())
        runMessages(20);
    auto image = juce::ImageFileFormat::loadFrom(file);
    file.deleteFile();
    return image;
}

// Mean difference of each device pixel from its 2 x 2 block's average: the detail finer than a
// window pixel, which a 1x picture magnified does not have.
double fineDetail(const juce::Image& image, juce::Rectangle<int> area)
{
    double sum = 0.0;
    int count = 0;
    for (int y = area.getY(); y + 1 < area.getBottom(); y += 2)
        for (int x = area.getX(); x + 1 < area.getRight(); x += 2)
        {
            float block[4];
            for (int i = 0; i < 4; ++i)
                block[i] = image.getPixelAt(x + i % 2, y + i / 2).getPerceivedBrightness();
            const float mean = (block[0] + block[1] + block[2] + block[3]) / 4.0f;
            for (const float value : block)
                sum += std::abs(value - mean);
            count += 4;
        }
    return count > 0 ? sum / count : 0.0;
}
} // namespace

// Needs a screen: run under xvfb-run (CTest does, as halvo-vst3-content-scale).
TEST(OnScreenVst3, ContentScaleTwoGivesATwiceLargeSharpWindow)
{
    const auto instance = loadBuiltPlugin(PluginFormat::vst3);
    ASSERT_NE(instance, nullptr);
    std::unique_ptr<juce::AudioProcessorEditor> editor(instance->createEditorIfNeeded());
    ASSERT_NE(editor, nullptr);
    ignoreXErrors();
    editor->addToDesktop(0);
    editor->setVisible(true);
    runMessages(500);
    EXPECT_EQ(editor->getWidth(), 623);
    EXPECT_EQ(editor->getHeight(), 289);
    const auto at1x = captureWindow(*editor);

    editor->setScaleFactor(2.0f);
    runMessages(1000);
    EXPECT_EQ(editor->getWidth(), 1246);
    EXPECT_EQ(editor->getHeight(), 578);
    const auto at2x = captureWindow(*editor);
    ASSERT_EQ(at2x.getWidth(), 1246);
    ASSERT_EQ(at2x.getHeight(), 578);

    // The knobs and legends at the left, away from the scope, which moves with the sound.
    const juce::Rectangle<int> panel(0, 0, 700, 578);
    const auto magnified = at1x.rescaled(1246, 578, juce::Graphics::mediumResamplingQuality);
    EXPECT_GT(fineDetail(at2x, panel), 1.5 * fineDetail(magnified, panel));
    editor.reset();
    runMessages(200);
}

} // namespace halvo::test
