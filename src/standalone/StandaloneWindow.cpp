#include "standalone/StandaloneWindow.h"

#include "HalvoIdentity.h"
#include "presets/FactoryPresets.h"
#include "presets/PresetFiles.h"

namespace halvo
{
namespace
{
// The framework's own menu items keep their numbers; ours follow.
enum MenuItem
{
    audioSettings = 1,
    saveState = 2,
    loadState = 3,
    resetState = 4,
    loadPresetFile = 5,
    firstFactoryPreset = 100,
};

// Where the installed preset files are: the user's VST3 presets, then the system's.
juce::File presetFolder()
{
    const auto subfolder = juce::String(identity::manufacturer) + "/" + identity::productName;
    for (const auto& base : {juce::File("~/.vst3/presets"), juce::File("/usr/share/vst3/presets"),
                             juce::File("/usr/local/share/vst3/presets")})
        if (base.getChildFile(subfolder).isDirectory())
            return base.getChildFile(subfolder);
    return juce::File::getSpecialLocation(juce::File::userHomeDirectory);
}
} // namespace

void StandaloneWindow::buttonClicked(juce::Button*)
{
    juce::PopupMenu presets;
    int item = firstFactoryPreset;
    for (const auto& preset : factoryPresets())
        presets.addItem(item++, preset.name);

    juce::PopupMenu menu;
    menu.addItem(audioSettings, TRANS("Audio/MIDI Settings..."));
    menu.addSeparator();
    menu.addItem(saveState, TRANS("Save current state..."));
    menu.addItem(loadState, TRANS("Load a saved state..."));
    menu.addSeparator();
    menu.addSubMenu(TRANS("Factory presets"), presets);
    menu.addItem(loadPresetFile, TRANS("Load a preset file..."));
    menu.addSeparator();
    menu.addItem(resetState, TRANS("Reset to default state"));

    menu.showMenuAsync(juce::PopupMenu::Options(),
                       [window = juce::Component::SafePointer<StandaloneWindow>(this)](int result)
                       {
                           if (window != nullptr && result != 0)
                               window->handleResult(result);
                       });
}

void StandaloneWindow::handleResult(int result)
{
    const auto presetIndex = static_cast<std::size_t>(result - firstFactoryPreset);
    if (result >= firstFactoryPreset && presetIndex < factoryPresets().size())
    {
        const auto block = presetStateBlock(factoryPresets()[presetIndex]);
        applyState(block.data(), block.size());
    }
    else if (result == loadPresetFile)
    {
        askForPresetFile();
    }
    else
    {
        handleMenuResult(result);
    }
}

void StandaloneWindow::askForPresetFile()
{
    presetChooser = std::make_unique<juce::FileChooser>(TRANS("Load a preset file"), presetFolder(),
                                                        "*.vstpreset;*.fxp;*");
    presetChooser->launchAsync(
        juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
        [this](const juce::FileChooser& chooser)
        {
            const auto file = chooser.getResult();
            if (file == juce::File())
                return;
            juce::MemoryBlock data;
            // A preset file is a few hundred bytes; anything large is not one.
            const auto state = file.getSize() < (1 << 20) && file.loadFileAsData(data)
                                   ? stateFromPresetFile(data.getData(), data.getSize())
                                   : std::nullopt;
            if (state)
                applyState(state->data(), state->size());
            else
                juce::AlertWindow::showMessageBoxAsync(
                    juce::MessageBoxIconType::WarningIcon, TRANS("Not a preset"),
                    file.getFileName() + TRANS(" is not a preset or saved state of ") +
                        identity::productName + ".");
        });
}

void StandaloneWindow::applyState(const void* data, std::size_t size)
{
    if (auto* processor = getAudioProcessor())
        processor->setStateInformation(data, static_cast<int>(size));
}

} // namespace halvo
