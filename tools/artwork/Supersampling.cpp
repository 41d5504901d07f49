#include "Supersampling.h"

#include <cmath>
#include <vector>

namespace halvo::artwork
{

juce::Image renderSupersampled(int width, int height, int scale, int factor,
                               const std::function<void(juce::Graphics&)>& paint)
{
    width *= scale;
    height *= scale;
    juce::Image large(juce::Image::ARGB, width * factor, height * factor, true);
    {
        juce::Graphics g(large);
        g.addTransform(juce::AffineTransform::scale(static_cast<float>(scale * factor)));
        paint(g);
    }

    juce::Image result(juce::Image::ARGB, width, height, true);
    const juce::Image::BitmapData source(large, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData target(result, juce::Image::BitmapData::writeOnly);
    const float samples = static_cast<float>(factor * factor);

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            // Averaged with premultiplied channels, so transparent samples add no colour.
            float alpha = 0.0f, red = 0.0f, green = 0.0f, blue = 0.0f;
            for (int sy = 0; sy < factor; ++sy)
            {
                for (int sx = 0; sx < factor; ++sx)
                {
                    const auto c = source.getPixelColour(x * factor + sx, y * factor + sy);
                    const float a = c.getFloatAlpha();
                    alpha += a;
                    red += a * c.getFloatRed();
                    green += a * c.getFloatGreen();
                    blue += a * c.getFloatBlue();
                }
            }
            if (alpha > 0.0f)
                target.setPixelColour(x, y,
                                      juce::Colour::fromFloatRGBA(red / alpha, green / alpha,
                                                                  blue / alpha, alpha / samples));
        }
    }
    return result;
}

void addBrushedGrain(juce::Image& image, juce::Rectangle<int> area, float strength, int seed)
{
    juce::Random random(seed);
    const juce::Image::BitmapData pixels(image, juce::Image::BitmapData::readWrite);
    area = area.getIntersection(image.getBounds());

    // A brushing streak is a slowly wandering offset along each row.
    std::vector<float> streak(static_cast<size_t>(image.getWidth()));
    for (int y = area.getY(); y < area.getBottom(); ++y)
    {
        float wander = (random.nextFloat() - 0.5f) * 0.6f;
        for (auto& value : streak)
        {
            wander = wander * 0.985f + (random.nextFloat() - 0.5f) * 0.06f;
            value = wander;
        }
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto c = pixels.getPixelColour(x, y);
            if (c.getAlpha() == 0)
                continue;
            const float grain = (random.nextFloat() - 0.5f) + streak[static_cast<size_t>(x)];
            const float delta = grain * strength;
            auto shift = [delta](float channel)
            { return juce::jlimit(0.0f, 1.0f, channel + delta); };
            pixels.setPixelColour(
                x, y,
                juce::Colour::fromFloatRGBA(shift(c.getFloatRed()), shift(c.getFloatGreen()),
                                            shift(c.getFloatBlue()), c.getFloatAlpha()));
        }
    }
}

} // namespace halvo::artwork
