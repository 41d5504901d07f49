#include "AudioPlot.h"

#include "PlotScales.h"

#include <algorithm>
#include <cmath>

namespace halvo::render
{
namespace
{
constexpr int plotLeft = 104;
constexpr int plotRight = 1446;
constexpr int plotWidth = plotRight - plotLeft;
constexpr int waveformTop = 138;
constexpr int waveformBottom = 378;
constexpr int laneGap = 12;
constexpr int spectrogramTop = 420;
constexpr int spectrogramBottom = 920;
constexpr int spectrogramRows = spectrogramBottom - spectrogramTop;
constexpr float levelRangeDb = 90.0f;

const juce::Colour backgroundColour{0xff0d1117};
const juce::Colour panelColour{0xff161b22};
const juce::Colour borderColour{0x33ffffff};
const juce::Colour gridColour{0x16ffffff};
const juce::Colour textColour{0xffd5dde6};
const juce::Colour dimTextColour{0xff8b949e};
const juce::Colour peakColour{0xff1f89d4};
const juce::Colour rmsColour{0xff8fd0ff};
const juce::Colour markerColour{0x80ffffff};

juce::Font font(float size, int style = juce::Font::plain)
{
    return juce::Font(size, style);
}

class Painter
{
public:
    Painter(juce::Graphics& graphics, double durationSeconds)
        : g(graphics), duration(std::max(durationSeconds, 1e-9)), ticks(timeTicks(duration, 16))
    {
    }

    float xFor(double seconds) const
    {
        return static_cast<float>(plotLeft + seconds / duration * plotWidth);
    }

    void caption(const PlotCaption& text)
    {
        g.setColour(textColour);
        g.setFont(font(26.0f, juce::Font::bold));
        g.drawText(text.title, plotLeft, 14, plotWidth, 32, juce::Justification::centredLeft);
        g.setFont(font(15.0f));
        g.setColour(dimTextColour);
        for (int line = 0; line < std::min(3, text.details.size()); ++line)
            g.drawFittedText(text.details[line], plotLeft, 50 + 20 * line, width(), 20,
                             juce::Justification::centredLeft, 1, 0.8f);
    }

    void panelHeading(int top, const juce::String& name, const juce::String& note)
    {
        g.setColour(textColour);
        g.setFont(font(15.0f, juce::Font::bold));
        g.drawText(name, plotLeft, top - 22, plotWidth, 18, juce::Justification::centredLeft);
        g.setColour(dimTextColour);
        g.setFont(font(13.0f));
        g.drawText(note, plotLeft, top - 22, plotWidth, 18, juce::Justification::centredRight);
    }

    void timeGrid(int top, int bottom)
    {
        g.setColour(gridColour);
        for (const auto& tick : ticks)
            g.drawVerticalLine(juce::roundToInt(xFor(tick.value)), static_cast<float>(top),
                               static_cast<float>(bottom));
    }

    void timeAxis(int top)
    {
        g.setFont(font(13.0f));
        for (const auto& tick : ticks)
        {
            const int x = juce::roundToInt(xFor(tick.value));
            g.setColour(borderColour);
            g.drawVerticalLine(x, static_cast<float>(top), static_cast<float>(top + 5));
            g.setColour(dimTextColour);
            g.drawText(tick.label, x - 30, top + 6, 60, 16, juce::Justification::centred);
        }
        g.setColour(textColour);
        g.setFont(font(14.0f));
        g.drawText("Time (s)", plotLeft, top + 26, plotWidth, 20, juce::Justification::centred);
    }

    void verticalTitle(const juce::String& text, int centreX, int top, int bottom)
    {
        juce::Graphics::ScopedSaveState saved(g);
        const int length = bottom - top;
        const int centreY = (top + bottom) / 2;
        g.addTransform(juce::AffineTransform::rotation(-juce::MathConstants<float>::halfPi,
                                                       static_cast<float>(centreX),
                                                       static_cast<float>(centreY)));
        g.setColour(textColour);
        g.setFont(font(14.0f));
        g.drawText(text, centreX - length / 2, centreY - 10, length, 20,
                   juce::Justification::centred);
    }

    void border(juce::Rectangle<int> area)
    {
        g.setColour(borderColour);
        g.drawRect(area, 1);
    }

    void waveformLane(const WaveformEnvelope& envelope, int channel, juce::Rectangle<int> lane,
                      const juce::String& name)
    {
        g.setColour(panelColour);
        g.fillRect(lane);
        timeGrid(lane.getY(), lane.getBottom());

        const float centre = static_cast<float>(lane.getCentreY());
        const float halfHeight = static_cast<float>(lane.getHeight()) * 0.5f - 2.0f;
        const auto yFor = [&](float value)
        { return centre - std::clamp(value, -1.0f, 1.0f) * halfHeight; };

        g.setFont(font(11.0f));
        for (const float value : {1.0f, 0.5f, 0.0f, -0.5f, -1.0f})
        {
            const float y = yFor(value);
            g.setColour(value == 0.0f ? borderColour : gridColour);
            g.drawHorizontalLine(juce::roundToInt(y), static_cast<float>(lane.getX()),
                                 static_cast<float>(lane.getRight()));
            g.setColour(dimTextColour);
            g.drawText(juce::String(value, value == std::round(value) ? 0 : 1), lane.getX() - 44,
                       juce::roundToInt(y) - 7, 38, 14, juce::Justification::centredRight);
        }

        for (int x = 0; x < envelope.columns(); ++x)
        {
            const auto column = envelope.column(channel, x);
            const float left = static_cast<float>(lane.getX() + x);
            const float top = yFor(column.highest);
            const float bottom = std::max(yFor(column.lowest), top + 1.0f);
            g.setColour(peakColour);
            g.fillRect(left, top, 1.0f, bottom - top);

            const float rmsTop = std::max(top, yFor(column.rms));
            const float rmsBottom = std::min(bottom, yFor(-column.rms));
            if (rmsBottom > rmsTop)
            {
                g.setColour(rmsColour);
                g.fillRect(left, rmsTop, 1.0f, rmsBottom - rmsTop);
            }
        }

        g.setColour(textColour);
        g.setFont(font(12.0f, juce::Font::bold));
        g.drawText(name, lane.getRight() - 46, lane.getY() + 4, 40, 14,
                   juce::Justification::centredRight);
        border(lane);
    }

    void spectrogramPanel(const Spectrogram& spectrogram, float topDb)
    {
        juce::Image picture(juce::Image::RGB, spectrogram.columns(), spectrogram.rows(), false);
        {
            juce::Image::BitmapData pixels(picture, juce::Image::BitmapData::writeOnly);
            for (int x = 0; x < spectrogram.columns(); ++x)
                for (int row = 0; row < spectrogram.rows(); ++row)
                {
                    const float level = spectrogram.levelDb(x, row);
                    const float position = (level - (topDb - levelRangeDb)) / levelRangeDb;
                    pixels.setPixelColour(x, spectrogram.rows() - 1 - row, heatColour(position));
                }
        }
        g.drawImageAt(picture, plotLeft, spectrogramTop);

        g.setColour(juce::Colours::white.withAlpha(0.10f));
        for (const auto& tick : ticks)
            g.drawVerticalLine(juce::roundToInt(xFor(tick.value)),
                               static_cast<float>(spectrogramTop),
                               static_cast<float>(spectrogramBottom));

        g.setFont(font(13.0f));
        for (const auto& tick :
             frequencyTicks(spectrogram.lowestFrequency(), spectrogram.highestFrequency()))
        {
            const int y = spectrogramBottom - juce::roundToInt(spectrogram.rowPosition(tick.value));
            g.setColour(juce::Colours::white.withAlpha(0.14f));
            g.drawHorizontalLine(y, static_cast<float>(plotLeft), static_cast<float>(plotRight));
            g.setColour(dimTextColour);
            g.drawText(tick.label, plotLeft - 50, y - 8, 44, 16, juce::Justification::centredRight);
        }
        border({plotLeft, spectrogramTop, plotWidth, spectrogramRows});
    }

    void colourBar(float topDb)
    {
        const int left = plotRight + 26;
        const int barWidth = 16;
        for (int y = 0; y < spectrogramRows; ++y)
        {
            g.setColour(heatColour(1.0f - static_cast<float>(y) / (spectrogramRows - 1)));
            g.fillRect(left, spectrogramTop + y, barWidth, 1);
        }
        border({left, spectrogramTop, barWidth, spectrogramRows});

        g.setFont(font(13.0f));
        const float bottomDb = topDb - levelRangeDb;
        for (const auto& tick : levelTicks(bottomDb, topDb))
        {
            const auto fraction = (tick.value - bottomDb) / levelRangeDb;
            const int y = spectrogramBottom - juce::roundToInt(fraction * spectrogramRows);
            g.setColour(borderColour);
            g.drawHorizontalLine(y, static_cast<float>(left + barWidth),
                                 static_cast<float>(left + barWidth + 5));
            g.setColour(dimTextColour);
            g.drawText(tick.label, left + barWidth + 8, y - 8, 40, 16,
                       juce::Justification::centredLeft);
        }
        verticalTitle("Level (dBFS)", plotRight + 118, spectrogramTop, spectrogramBottom);
    }

    void markers(const std::vector<Marker>& list)
    {
        const float dashes[] = {4.0f, 4.0f};
        float labelsEnd = 0.0f;
        g.setFont(font(12.0f, juce::Font::bold));
        for (const auto& marker : list)
        {
            if (marker.seconds < 0.0 || marker.seconds > duration)
                continue;
            const float x = xFor(marker.seconds);
            g.setColour(markerColour);
            g.drawDashedLine(
                {x, static_cast<float>(waveformTop), x, static_cast<float>(spectrogramBottom)},
                dashes, 2, 1.0f);

            // Labels that would run into the previous one are left out; the line stays.
            const float labelWidth = g.getCurrentFont().getStringWidthFloat(marker.label) + 10.0f;
            if (x + 3.0f < labelsEnd || x + labelWidth > static_cast<float>(plotRight))
                continue;
            const juce::Rectangle<float> pill(x + 3.0f, waveformTop + 4.0f, labelWidth, 17.0f);
            g.setColour(backgroundColour.withAlpha(0.85f));
            g.fillRoundedRectangle(pill, 4.0f);
            g.setColour(textColour);
            g.drawText(marker.label, pill, juce::Justification::centred);
            labelsEnd = pill.getRight() + 4.0f;
        }
    }

private:
    static int width() { return AudioPlot::width - plotLeft - 20; }

    juce::Graphics& g;
    double duration;
    std::vector<Tick> ticks;
};
} // namespace

AudioPlot::AudioPlot(double rate, int numChannels, std::int64_t samples)
    : sampleRate(rate), totalSamples(samples), envelope(numChannels, samples, plotWidth),
      spectrogram(rate, samples, plotWidth, spectrogramRows)
{
}

void AudioPlot::push(const juce::AudioBuffer<float>& block)
{
    envelope.push(block);
    spectrogram.push(block);
}

juce::Image AudioPlot::draw(const PlotCaption& caption, const std::vector<Marker>& markers)
{
    spectrogram.finish();
    // The colour scale hangs from the loudest level, rounded up to 10 dB.
    const float highest = spectrogram.highestLevelDb();
    const float topDb = highest > -150.0f ? std::ceil(highest / 10.0f) * 10.0f : 0.0f;

    juce::Image image(juce::Image::RGB, width, height, true);
    juce::Graphics g(image);
    g.fillAll(backgroundColour);

    Painter painter(g, static_cast<double>(totalSamples) / sampleRate);
    painter.caption(caption);

    const bool stereo = envelope.channels() > 1;
    painter.panelHeading(waveformTop, "Waveform",
                         "dark: lowest to highest sample   light: RMS   full scale = 1");
    if (stereo)
    {
        const int laneHeight = (waveformBottom - waveformTop - laneGap) / 2;
        painter.waveformLane(envelope, 0, {plotLeft, waveformTop, plotWidth, laneHeight}, "L");
        painter.waveformLane(envelope, 1,
                             {plotLeft, waveformBottom - laneHeight, plotWidth, laneHeight}, "R");
    }
    else
    {
        painter.waveformLane(
            envelope, 0, {plotLeft, waveformTop, plotWidth, waveformBottom - waveformTop}, "mono");
    }
    painter.verticalTitle("Amplitude", 24, waveformTop, waveformBottom);

    painter.panelHeading(
        spectrogramTop, stereo ? "Spectrogram of (L + R) / 2" : "Spectrogram",
        "logarithmic frequency axis, " +
            juce::String(juce::roundToInt(1000.0 * spectrogram.frameSize() / sampleRate)) +
            " ms Hann frames");
    painter.spectrogramPanel(spectrogram, topDb);
    painter.verticalTitle("Frequency (Hz)", 24, spectrogramTop, spectrogramBottom);
    painter.colourBar(topDb);
    painter.timeAxis(spectrogramBottom);
    painter.markers(markers);
    return image;
}

} // namespace halvo::render
