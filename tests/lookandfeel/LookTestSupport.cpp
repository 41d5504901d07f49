#include "LookTestSupport.h"

namespace halvo::test
{

namespace
{
// A peer with no native window: enough for the desktop to route mouse events to a component.
class HeadlessPeer final : public juce::ComponentPeer
{
public:
    explicit HeadlessPeer(juce::Component& owner) : juce::ComponentPeer(owner, 0) {}

    void* getNativeHandle() const override { return nullptr; }
    void setVisible(bool) override {}
    void setTitle(const juce::String&) override {}
    void setBounds(const juce::Rectangle<int>& newBounds, bool) override { bounds = newBounds; }
    juce::Rectangle<int> getBounds() const override { return bounds; }
    juce::Point<float> localToGlobal(juce::Point<float> p) override
    {
        return p + bounds.getPosition().toFloat();
    }
    juce::Point<float> globalToLocal(juce::Point<float> p) override
    {
        return p - bounds.getPosition().toFloat();
    }
    void setMinimised(bool) override {}
    bool isMinimised() const override { return false; }
    void setFullScreen(bool) override {}
    bool isFullScreen() const override { return false; }
    void setIcon(const juce::Image&) override {}
    bool contains(juce::Point<int> localPos, bool) const override
    {
        return bounds.withZeroOrigin().contains(localPos);
    }
    OptionalBorderSize getFrameSizeIfPresent() const override { return {}; }
    juce::BorderSize<int> getFrameSize() const override { return {}; }
    bool setAlwaysOnTop(bool) override { return false; }
    void toFront(bool) override {}
    void toBehind(juce::ComponentPeer*) override {}
    bool isFocused() const override { return true; }
    void grabFocus() override {}
    void repaint(const juce::Rectangle<int>&) override {}
    void performAnyPendingRepaintsNow() override {}
    void setAlpha(float) override {}
    juce::StringArray getAvailableRenderingEngines() override { return {"Software Renderer"}; }
    void textInputRequired(juce::Point<int>, juce::TextInputTarget&) override {}

private:
    juce::Rectangle<int> bounds;
};
} // namespace

class HoverStage::Host final : public juce::Component
{
public:
    explicit Host(juce::Component& content)
    {
        setBounds(content.getBounds().withZeroOrigin().getUnion(content.getBounds()));
        addAndMakeVisible(content);
        addToDesktop(0);
        setVisible(true);
    }

    ~Host() override { removeFromDesktop(); }

    void sendMouseMove(juce::Point<float> position)
    {
        getPeer()->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, position,
                                    juce::ModifierKeys(), juce::MouseInputSource::defaultPressure,
                                    juce::MouseInputSource::defaultOrientation,
                                    juce::Time::currentTimeMillis());
    }

    juce::ComponentPeer* createNewPeer(int, void*) override { return new HeadlessPeer(*this); }
};

HoverStage::HoverStage(juce::Component& content) : host(std::make_unique<Host>(content)) {}

HoverStage::~HoverStage()
{
    moveMouseAway();
    host->removeAllChildren();
}

void HoverStage::moveMouseTo(juce::Point<float> position)
{
    host->sendMouseMove(position);
}

void HoverStage::moveMouseAway()
{
    host->sendMouseMove({-1000.0f, -1000.0f});
}

juce::Image paintInto(int width, int height, const std::function<void(juce::Graphics&)>& paint)
{
    juce::Image image(juce::Image::ARGB, width, height, true);
    juce::Graphics g(image);
    paint(g);
    return image;
}

juce::Image stripFrame(const juce::Image& strip, int index)
{
    const int size = strip.getWidth();
    return strip.getClippedImage({0, index * size, size, size}).createCopy();
}

int maxPixelDifference(const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return 255;
    int worst = 0;
    for (int y = 0; y < a.getHeight(); ++y)
    {
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt(x, y), q = b.getPixelAt(x, y);
            worst = juce::jmax(worst, std::abs(p.getAlpha() - q.getAlpha()),
                               std::abs(p.getRed() - q.getRed()),
                               std::abs(p.getGreen() - q.getGreen()));
            worst = juce::jmax(worst, std::abs(p.getBlue() - q.getBlue()));
        }
    }
    return worst;
}

bool isFullyTransparent(const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                return false;
    return true;
}

} // namespace halvo::test
