// The module's C interface, called from JavaScript. One instance of the module is one instrument;
// byte blocks and texts pass through memory the module owns, and stay valid until the next call
// that writes the same kind.
#include "WebInstrument.h"

#include "parameters/ParameterTable.h"
#include "presets/FactoryPresets.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

using halvo::WebInstrument;

namespace
{
std::unique_ptr<WebInstrument> instrument;
std::vector<char> bytes;
std::string text;

const halvo::FactoryPreset* presetAt(int index)
{
    const auto& presets = halvo::factoryPresets();
    return index >= 0 && static_cast<std::size_t>(index) < presets.size()
               ? &presets[static_cast<std::size_t>(index)]
               : nullptr;
}

const char* keptText(std::string value)
{
    text = std::move(value);
    return text.c_str();
}
} // namespace

extern "C"
{
    EMSCRIPTEN_KEEPALIVE void halvo_prepare(float sampleRate)
    {
        if (!instrument)
            instrument = std::make_unique<WebInstrument>();
        instrument->prepare(sampleRate);
    }

    EMSCRIPTEN_KEEPALIVE int halvo_max_frames()
    {
        return WebInstrument::maxFrames;
    }

    EMSCRIPTEN_KEEPALIVE float* halvo_output(int channel)
    {
        return channel == 0 || channel == 1 ? instrument->output(channel) : nullptr;
    }

    EMSCRIPTEN_KEEPALIVE int halvo_midi(int frame, int status, int data1, int data2)
    {
        return instrument->addMidi(frame, static_cast<std::uint8_t>(status),
                                   static_cast<std::uint8_t>(data1),
                                   static_cast<std::uint8_t>(data2));
    }

    EMSCRIPTEN_KEEPALIVE void halvo_process(int numFrames, int stereo)
    {
        instrument->process(numFrames, stereo != 0);
    }

    EMSCRIPTEN_KEEPALIVE int halvo_parameter_count()
    {
        return halvo::numParameters;
    }

    EMSCRIPTEN_KEEPALIVE const char* halvo_parameter_name(int index)
    {
        return halvo::isParameterIndex(index)
                   ? halvo::parameterTable[static_cast<std::size_t>(index)].name
                   : "";
    }

    EMSCRIPTEN_KEEPALIVE float halvo_parameter_default(int index)
    {
        return halvo::isParameterIndex(index)
                   ? halvo::parameterTable[static_cast<std::size_t>(index)].defaultValue
                   : 0.0f;
    }

    EMSCRIPTEN_KEEPALIVE const char* halvo_parameter_text(float value)
    {
        return keptText(halvo::formatParameterValue(value));
    }

    EMSCRIPTEN_KEEPALIVE float halvo_parameter(int index)
    {
        return instrument->getParameter(index);
    }

    EMSCRIPTEN_KEEPALIVE void halvo_set_parameter(int index, float value)
    {
        instrument->setParameter(index, value);
    }

    EMSCRIPTEN_KEEPALIVE int halvo_midi_channel()
    {
        return instrument->getMidiChannel();
    }

    EMSCRIPTEN_KEEPALIVE void halvo_set_midi_channel(int channel)
    {
        instrument->setMidiChannel(channel);
    }

    EMSCRIPTEN_KEEPALIVE int halvo_assignment(int index)
    {
        return instrument->getAssignment(index);
    }

    EMSCRIPTEN_KEEPALIVE void halvo_set_learn_target(int index)
    {
        instrument->setLearnTarget(index);
    }

    EMSCRIPTEN_KEEPALIVE void halvo_clear_assignments()
    {
        instrument->clearAssignments();
    }

    // Writes the state block into the byte area and returns its size.
    EMSCRIPTEN_KEEPALIVE int halvo_write_state()
    {
        bytes = instrument->writeState();
        return static_cast<int>(bytes.size());
    }

    // The byte area, made size bytes long first when size is not negative.
    EMSCRIPTEN_KEEPALIVE char* halvo_bytes(int size)
    {
        if (size >= 0)
            bytes.assign(static_cast<std::size_t>(size), '\0');
        return bytes.data();
    }

    // Reads the block in the byte area; 0 when it was refused and nothing changed.
    EMSCRIPTEN_KEEPALIVE int halvo_read_state()
    {
        return instrument->readState(bytes.data(), static_cast<int>(bytes.size())) ? 1 : 0;
    }

    EMSCRIPTEN_KEEPALIVE int halvo_preset_count()
    {
        return static_cast<int>(halvo::factoryPresets().size());
    }

    EMSCRIPTEN_KEEPALIVE const char* halvo_preset_name(int index)
    {
        const auto* preset = presetAt(index);
        return preset != nullptr ? preset->name : "";
    }

    EMSCRIPTEN_KEEPALIVE const char* halvo_preset_description(int index)
    {
        const auto* preset = presetAt(index);
        return preset != nullptr ? preset->description : "";
    }

    // Applies a preset as its state block, which leaves the controller assignments alone.
    EMSCRIPTEN_KEEPALIVE int halvo_apply_preset(int index)
    {
        const auto* preset = presetAt(index);
        if (preset == nullptr)
            return 0;
        const auto block = halvo::presetStateBlock(*preset);
        return instrument->readState(block.data(), static_cast<int>(block.size())) ? 1 : 0;
    }
}
