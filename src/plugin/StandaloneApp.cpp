#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_audio_plugin_client/juce_audio_plugin_client.h>
#include <juce_audio_utils/juce_audio_utils.h>
#include <juce_gui_extra/juce_gui_extra.h>

#include <juce_audio_plugin_client/Standalone/juce_StandaloneFilterWindow.h>

#include "HalvoIdentity.h"
#include "standalone/JackMidiInput.h"
#include "standalone/StandaloneWindow.h"

#include <memory>

namespace halvo
{

// The Standalone app: the framework's own, except that the audio input is not muted. The framework
// mutes it against feedback and puts up a banner saying so; the instrument never lets its input
// through, so there is no feedback to fear and no banner to read. On Linux it also plays through
// JACK when a JACK server runs and no device was chosen, and takes MIDI from a JACK port and from
// an ALSA sequencer port of its own, besides the inputs chosen in its settings. The JACK port and
// audio follow a server that stops and starts again. Its options menu offers the factory presets
// (see StandaloneWindow).
class StandaloneApp final : public juce::JUCEApplication, private juce::Timer
{
public:
    StandaloneApp()
    {
        juce::PropertiesFile::Options options;
        options.applicationName = getApplicationName();
        options.filenameSuffix = ".settings";
        options.folderName = "~/.config";
        appProperties.setStorageParameters(options);
    }

    const juce::String getApplicationName() override { return identity::productName; }
    const juce::String getApplicationVersion() override { return identity::version; }
    bool moreThanOneInstanceAllowed() override { return true; }
    void anotherInstanceStarted(const juce::String&) override {}

    void initialise(const juce::String&) override
    {
        juce::StandalonePluginHolder::PluginInOuts channels[] = {
            JucePlugin_PreferredChannelConfigurations};
        const auto background = juce::LookAndFeel::getDefaultLookAndFeel().findColour(
            juce::ResizableWindow::backgroundColourId);
        mainWindow = std::make_unique<StandaloneWindow>(
            getApplicationName(), background, appProperties.getUserSettings(), false,
            juce::String(), nullptr,
            juce::Array<juce::StandalonePluginHolder::PluginInOuts>(
                channels, juce::numElementsInArray(channels)));
        auto& holder = *mainWindow->pluginHolder;
        holder.getMuteInputValue().setValue(false);
        if (appProperties.getUserSettings()->getXmlValue("audioSetup") == nullptr)
            useJackIfRunning(holder.deviceManager);

        jackMidiInput = std::make_unique<JackMidiInput>(holder.player);
        alsaMidiInput = juce::MidiInput::createNewDevice(getApplicationName(), &holder.player);
        if (alsaMidiInput != nullptr)
            alsaMidiInput->start();

        mainWindow->setVisible(true);
        startTimer(jackRetryIntervalMs);
    }

    void shutdown() override
    {
        stopTimer();
        jackMidiInput = nullptr;
        alsaMidiInput = nullptr;
        mainWindow = nullptr;
        appProperties.saveIfNeeded();
    }

    void systemRequestedQuit() override
    {
        if (mainWindow != nullptr)
            mainWindow->pluginHolder->savePluginState();

        // A modal dialog (the audio settings) closes first; the quit is asked again after it.
        if (juce::ModalComponentManager::getInstance()->cancelAllModalComponents())
        {
            juce::Timer::callAfterDelay(100,
                                        []
                                        {
                                            if (auto* app =
                                                    juce::JUCEApplicationBase::getInstance())
                                                app->systemRequestedQuit();
                                        });
        }
        else
        {
            quit();
        }
    }

private:
    static constexpr int jackRetryIntervalMs = 1000;

    // A JACK server that went away and came back (or was restarted): the audio device opens again
    // once the MIDI port, which looks for a server on a thread of its own, found one running.
    void timerCallback() override
    {
        if (mainWindow != nullptr)
            reopenJackAudio(mainWindow->pluginHolder->deviceManager);
    }

    // The device manager forgets the device's setup when opening it fails, so the setup that last
    // played is kept here.
    void reopenJackAudio(juce::AudioDeviceManager& devices)
    {
        if (devices.getCurrentAudioDeviceType() != "JACK")
            return;
        if (auto* device = devices.getCurrentAudioDevice(); device != nullptr && device->isOpen())
        {
            lastJackSetup = devices.getAudioDeviceSetup();
            return;
        }
        if (lastJackSetup.outputDeviceName.isEmpty() || !jackMidiInput->isOpen())
            return;
        devices.closeAudioDevice();
        devices.setAudioDeviceSetup(lastJackSetup, false);
    }

    // A running JACK server is what a Linux musician plays through; the framework would pick the
    // first device type with devices, ALSA.
    static void useJackIfRunning(juce::AudioDeviceManager& devices)
    {
        for (auto* type : devices.getAvailableDeviceTypes())
            if (type->getTypeName() == "JACK" && !type->getDeviceNames(false).isEmpty())
            {
                devices.setCurrentAudioDeviceType(type->getTypeName(), true);
                return;
            }
    }

    juce::ApplicationProperties appProperties;
    std::unique_ptr<StandaloneWindow> mainWindow;
    std::unique_ptr<JackMidiInput> jackMidiInput;
    juce::AudioDeviceManager::AudioDeviceSetup lastJackSetup;
    std::unique_ptr<juce::MidiInput> alsaMidiInput;
};

} // namespace halvo

juce::JUCEApplicationBase* juce_CreateApplication();

juce::JUCEApplicationBase* juce_CreateApplication()
{
    return new halvo::StandaloneApp();
}
