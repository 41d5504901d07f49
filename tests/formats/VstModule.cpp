#include "VstModule.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace halvo::test
{

VstModule& VstModule::get()
{
    static VstModule module;
    return module;
}

VstModule::VstModule() : handle(dlopen(HALVO_VST_MODULE, RTLD_NOW | RTLD_LOCAL))
{
    if (handle == nullptr)
        ADD_FAILURE() << "dlopen failed: " << dlerror();
}

AEffect* (*VstModule::entry(const char* name) const)(audioMasterCallback)
{
    return handle == nullptr
               ? nullptr
               : reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(handle, name));
}

VstIntPtr hostCallback(AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

VstIntPtr versionZeroHostCallback(AEffect*, int, int, VstIntPtr, void*, float)
{
    return 0;
}

VstInstance::VstInstance(const char* entryPoint, audioMasterCallback host)
{
    if (const auto entry = VstModule::get().entry(entryPoint))
        effect = entry(host);
}

VstInstance::~VstInstance()
{
    if (effect != nullptr)
        dispatch(effClose);
}

VstIntPtr VstInstance::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt) const
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string VstInstance::text(int opcode, int index) const
{
    char buffer[256];
    std::fill(std::begin(buffer), std::end(buffer), '\x7f');
    dispatch(opcode, index, 0, buffer);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::vector<unsigned char> VstInstance::chunk() const
{
    void* data = nullptr;
    const auto size = dispatch(effGetChunk, 0, 0, &data);
    if (data == nullptr || size <= 0)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return {bytes, bytes + size};
}

void VstInstance::prepare(float sampleRate, int blockSize) const
{
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void VstInstance::sendNoteOn(int note) const
{
    sendMidi(0x90, note, 100);
}

void VstInstance::sendMidi(int status, int data1, int data2) const
{
    VstMidiEvent message{};
    message.type = kVstMidiType;
    message.byteSize = sizeof message;
    message.midiData[0] = static_cast<unsigned char>(status);
    message.midiData[1] = static_cast<unsigned char>(data1);
    message.midiData[2] = static_cast<unsigned char>(data2);

    alignas(VstEvents) unsigned char storage[sizeof(VstEvents) + sizeof(VstEvent*)] = {};
    auto* events = reinterpret_cast<VstEvents*>(storage);
    events->numEvents = 1;
    events->events[0] = reinterpret_cast<VstEvent*>(&message);
    dispatch(effProcessEvents, 0, 0, events);
}

std::vector<std::vector<float>> VstInstance::render(int channels, int samples, int blockSize,
                                                    float input) const
{
    std::vector<std::vector<float>> out(static_cast<std::size_t>(channels));
    std::vector<std::vector<float>> buffers(
        static_cast<std::size_t>(channels),
        std::vector<float>(static_cast<std::size_t>(blockSize)));
    std::vector<float*> pointers;
    for (auto& buffer : buffers)
        pointers.push_back(buffer.data());
    for (int done = 0; done < samples; done += blockSize)
    {
        for (auto& buffer : buffers)
            std::fill(buffer.begin(), buffer.end(), input);
        effect->processReplacing(effect, pointers.data(), pointers.data(), blockSize);
        for (std::size_t c = 0; c < buffers.size(); ++c)
            out[c].insert(out[c].end(), buffers[c].begin(), buffers[c].end());
    }
    return out;
}

SpeakerArrangement::SpeakerArrangement(int channels)
{
    get()->type = channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
    get()->numChannels = channels;
    for (int i = 0; i < channels && i < 2; ++i)
        get()->speakers[i].type = channels == 1 ? kSpeakerM : kSpeakerL + i;
}

} // namespace halvo::test
