#include "editor/Oscillo.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>

namespace halvo::test
{
namespace
{

constexpr int width = 216;
constexpr int height = 258;
constexpr float mid = height * 0.5f;

class OscilloTest : public ::testing::Test
{
protected:
    void fill(float value)
    {
        for (auto& sample : samples)
            sample.store(value);
    }

    juce::Image draw(int numSamples)
    {
        Oscillo oscillo(samples, numSamples);
        oscillo.setSize(width, height);
        return oscillo.createComponentSnapshot(oscillo.getLocalBounds(), true, 1.0f);
    }

    // The alpha-weighted centre row of the trace in one pixel column; none if the column is empty.
    static std::optional<float> traceRow(const juce::Image& image, int x)
    {
        double weight = 0.0;
        double weightedRow = 0.0;
        for (int y = 0; y < image.getHeight(); ++y)
        {
            const double alpha = image.getPixelAt(x, y).getFloatAlpha();
            weight += alpha;
            weightedRow += alpha * (y + 0.5);
        }
        if (weight < 0.5)
            return std::nullopt;
        return static_cast<float>(weightedRow / weight);
    }

    static void expectTraceAt(const juce::Image& image, int x, float expectedRow)
    {
        const auto row = traceRow(image, x);
        ASSERT_TRUE(row.has_value()) << "column " << x;
        EXPECT_NEAR(*row, expectedRow, 1.0f) << "column " << x;
    }

    std::array<std::atomic<float>, 512> samples{};
};

TEST_F(OscilloTest, SilenceIsAStraightLineAlongTheMiddle)
{
    fill(0.0f);
    const auto image = draw(512);
    for (int x = 1; x < width - 1; ++x)
        expectTraceAt(image, x, mid);
    EXPECT_EQ(image.getPixelAt(100, 20).getAlpha(), 0) << "no background is painted";
}

TEST_F(OscilloTest, AConstantQuarterSitsAQuarterDownWithFadesAtBothEdges)
{
    fill(0.25f);
    const auto image = draw(512);
    const float quarter = mid - 0.25f * 2.0f * mid;

    for (int x = 45; x < width - 45; ++x)
        expectTraceAt(image, x, quarter);
    expectTraceAt(image, 20, mid - 0.125f * 2.0f * mid);
    expectTraceAt(image, width - 20, mid - 0.125f * 2.0f * mid);
    expectTraceAt(image, 1, mid - 0.25f / 40.0f * 2.0f * mid);
    EXPECT_EQ(image.getPixelAt(100, 200).getAlpha(), 0);
    EXPECT_EQ(image.getPixelAt(100, 64), juce::Colour(0xfff5f5f5));
}

TEST_F(OscilloTest, SamplesAreSpreadOverTheWidth)
{
    // Sample i is drawn at pixel x when i = floor(511 x / 216): sample 200 lands near x = 84.6.
    fill(0.0f);
    for (int i = 195; i <= 205; ++i)
        samples[static_cast<std::size_t>(i)].store(0.25f);
    const auto image = draw(512);
    expectTraceAt(image, 85, mid - 0.5f * mid);
    expectTraceAt(image, 60, mid);
    expectTraceAt(image, 110, mid);
}

TEST_F(OscilloTest, OnlyValidSamplesAreRead)
{
    fill(0.4f);
    samples[0].store(-0.25f);
    // With no valid samples the trace is the middle line, whatever the buffer holds.
    const auto empty = draw(0);
    for (int x = 1; x < width - 1; ++x)
        expectTraceAt(empty, x, mid);

    // One valid sample is used for every pixel.
    const auto single = draw(1);
    expectTraceAt(single, 100, mid + 0.25f * 2.0f * mid);

    // A sample that is not a number is drawn on the middle line rather than poisoning the path.
    fill(std::numeric_limits<float>::quiet_NaN());
    expectTraceAt(draw(512), 100, mid);

    // A count beyond the buffer is held at its size.
    std::array<std::atomic<float>, 4> shortBuffer{};
    Oscillo oscillo(shortBuffer, 100000);
    oscillo.setSize(width, height);
    const auto image = oscillo.createComponentSnapshot(oscillo.getLocalBounds(), true, 1.0f);
    expectTraceAt(image, 100, mid);
}

} // namespace
} // namespace halvo::test
