#pragma once

#include <juce_audio_plugin_client/juce_audio_plugin_client.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include <juce_audio_plugin_client/Standalone/juce_StandaloneFilterWindow.h>

#include <memory>

namespace halvo
{

// The framework's Standalone window with the factory presets in its options menu, beside its own
// items, and a way to load a preset file (.vstpreset, .fxp or a saved state).
class StandaloneWindow final : public juce::StandaloneFilterWindow
{
public:
    using juce::StandaloneFilterWindow::StandaloneFilterWindow;

private:
    void buttonClicked(juce::Button*) override;
    void handleResult(int result);
    void askForPresetFile();
    void applyState(const void* data, std::size_t size);

    std::unique_ptr<juce::FileChooser> presetChooser;
};

} // namespace halvo
