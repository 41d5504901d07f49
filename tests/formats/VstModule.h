#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>

#include <string>
#include <vector>

namespace halvo::test
{

// The built VST 2.4 module, opened with dlopen once per test program.
class VstModule
{
public:
    static VstModule& get();
    AEffect* (*entry(const char* name) const)(audioMasterCallback);

private:
    VstModule();
    void* handle = nullptr;
};

// The host's side of the callback: it reports VST 2.4 unless told otherwise.
VstIntPtr hostCallback(AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr,
                       float opt);
VstIntPtr versionZeroHostCallback(AEffect* effect, int opcode, int index, VstIntPtr value,
                                  void* ptr, float opt);

// One plug-in instance made through an entry point, closed when it goes.
class VstInstance
{
public:
    explicit VstInstance(const char* entryPoint = "VSTPluginMain",
                         audioMasterCallback host = &hostCallback);
    ~VstInstance();
    VstInstance(const VstInstance&) = delete;
    VstInstance& operator=(const VstInstance&) = delete;

    AEffect* effect = nullptr;
    VstIntPtr dispatch(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    std::string text(int opcode, int index = 0) const;
    std::vector<unsigned char> chunk() const;
    void prepare(float sampleRate, int blockSize) const;
    void sendNoteOn(int note) const;
    void sendMidi(int status, int data1, int data2) const;
    // Runs processReplacing in place over buffers holding the input value; one vector per
    // output channel.
    std::vector<std::vector<float>> render(int channels, int samples, int blockSize,
                                           float input = 0.0f) const;
};

// Room for an arrangement of up to two speakers (the header declares none in the struct).
struct SpeakerArrangement
{
    explicit SpeakerArrangement(int channels);
    VstSpeakerArrangement* get() { return reinterpret_cast<VstSpeakerArrangement*>(storage); }

private:
    alignas(VstSpeakerArrangement) unsigned char storage[sizeof(VstSpeakerArrangement) +
                                                         2 * sizeof(VstSpeakerProperties)] = {};
};

} // namespace halvo::test
