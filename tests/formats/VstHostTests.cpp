#include "../support/DefaultStateText.h"
#include "../support/MeasureFrequency.h"
#include "VstModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include <X11/Xlib.h>

namespace halvo::test
{
namespace
{
constexpr int uniqueId = ('H' << 24) | ('a' << 16) | ('D' << 8) | 'r';

std::vector<unsigned char> blockWithText(const std::string& text)
{
    std::vector<unsigned char> block = {0x56, 0x43, 0x32, 0x21};
    for (int shift = 0; shift < 32; shift += 8)
        block.push_back(static_cast<unsigned char>(text.size() >> shift));
    block.insert(block.end(), text.begin(), text.end());
    block.push_back(0);
    return block;
}

float peak(const std::vector<float>& samples)
{
    float result = 0.0f;
    for (const float sample : samples)
        result = std::isfinite(sample) ? std::max(result, std::fabs(sample)) : 1e9f;
    return result;
}

// The time info as hosts lay it out: 88 bytes, the SMPTE offset and frame rate after the time
// signature.
struct HostTimeInfo
{
    double samplePos, sampleRate, nanoSeconds, ppqPos, tempo, barStartPos, cycleStartPos,
        cycleEndPos;
    std::int32_t timeSigNumerator, timeSigDenominator, smpteOffset, smpteFrameRate,
        samplesToNextClock, flags;
};

// A host that notes every request it gets and answers the time from a struct of exactly its
// own size: 120 BPM in 4/4, playing, 25 frames per second.
std::mutex requestsLock;
std::vector<int> requests;
const auto hostTime = std::make_unique<HostTimeInfo>(
    HostTimeInfo{0.0, 44100.0, 0.0, 0.0, 120.0, 0.0, 0.0, 0.0, 4, 4, 0, 1, 0,
                 (1 << 1) | (1 << 9) | (1 << 10) | (1 << 13) | (1 << 14)});

VstIntPtr recordingHost(AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    const std::lock_guard<std::mutex> lock(requestsLock);
    requests.push_back(opcode);
    if (opcode == audioMasterGetTime)
        return reinterpret_cast<VstIntPtr>(hostTime.get());
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A plain sine without sweep, echoes or reverb, so the pitch can be counted.
void setPlainSine(const VstInstance& instance)
{
    for (const int index : {1, 2, 3, 4, 5})
        instance.effect->setParameter(instance.effect, index, 0.0f);
}
} // namespace

TEST(VstEntry, BothEntryPointsMakeASeparateInstanceEach)
{
    const VstInstance first("VSTPluginMain");
    const VstInstance second("main");
    ASSERT_NE(first.effect, nullptr);
    ASSERT_NE(second.effect, nullptr);
    EXPECT_NE(first.effect, second.effect);
    first.effect->setParameter(first.effect, 6, 0.25f);
    EXPECT_FLOAT_EQ(first.effect->getParameter(first.effect, 6), 0.25f);
    EXPECT_FLOAT_EQ(second.effect->getParameter(second.effect, 6), 0.9f);
}

TEST(VstEntry, AHostReportingVersionZeroGetsNoEffect)
{
    const auto entry = VstModule::get().entry("VSTPluginMain");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(&versionZeroHostCallback), nullptr);
}

TEST(VstEffectRecord, CarriesTheIdentityChannelsAndFlags)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    const AEffect& effect = *instance.effect;
    EXPECT_EQ(effect.magic, kEffectMagic);
    EXPECT_EQ(effect.uniqueID, uniqueId);
    EXPECT_EQ(effect.version, 100);
    EXPECT_EQ(effect.numInputs, 2);
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.numParams, 7);
    EXPECT_EQ(effect.numPrograms, 1);
    EXPECT_EQ(effect.initialDelay, 0);
    EXPECT_EQ(effect.flags,
              effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth);
}

TEST(VstDispatcher, AnswersNamesVersionsCategoryAndPrograms)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    EXPECT_EQ(instance.text(effGetEffectName), "Halvo");
    EXPECT_EQ(instance.text(effGetVendorString), "Drovask");
    EXPECT_EQ(instance.text(effGetProductString), "Halvo");
    EXPECT_EQ(instance.dispatch(effGetVendorVersion), 100);
    EXPECT_EQ(instance.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(instance.dispatch(effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(instance.text(effGetProgramName), "Default");
    EXPECT_EQ(instance.text(effGetProgramNameIndexed, 0), "Default");

    const char* names[] = {"DelayTime", "DelayFeedback", "OSC", "Rate", "Mode", "Reverb", "Gain"};
    const char* texts[] = {"0.5", "0.5", "0.5", "0.005", "0", "0.5", "0.9"};
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(instance.text(effGetParamName, i), names[i]);
        EXPECT_EQ(instance.text(effGetParamDisplay, i), texts[i]);
    }
}

TEST(VstDispatcher, AnswersTheCapabilityTableTextForText)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    const std::pair<const char*, int> table[] = {{"receiveVstEvents", 1},
                                                 {"receiveVstMidiEvent", 1},
                                                 {"receiveVstMidiEvents", 1},
                                                 {"sendVstEvents", -1},
                                                 {"sendVstMidiEvent", -1},
                                                 {"sendVstMidiEvents", -1},
                                                 {"receiveVstTimeInfo", 1},
                                                 {"conformsToWindowRules", 1},
                                                 {"bypass", 1},
                                                 {"openCloseAnyThread", -1},
                                                 {"supportsViewDpiScaling", 0},
                                                 {"hasCockosExtensions", 0},
                                                 {"hasCockosViewAsConfig", 0},
                                                 {"MPE", 0},
                                                 {"Bypass", 0},
                                                 {"", 0}};
    for (const auto& [text, answer] : table)
        EXPECT_EQ(instance.dispatch(effCanDo, 0, 0, const_cast<char*>(text)), answer) << text;
    EXPECT_EQ(instance.dispatch(effCanDo), 0);
}

TEST(VstDispatcher, RequestsWithoutTheirPointersAnswerZero)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    SpeakerArrangement stereo(2);
    const auto arrangement = reinterpret_cast<VstIntPtr>(stereo.get());
    VstSpeakerArrangement* got = nullptr;
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement), 0);
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&got)), 0);
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, 0, &got), 0);
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement), 0);
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, arrangement), 0);
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, 0, stereo.get()), 0);
    for (const int opcode :
         {effGetEffectName, effGetVendorString, effGetProductString, effGetChunk, effProcessEvents,
          effEditGetRect, effGetInputProperties, effGetOutputProperties, effString2Parameter})
        EXPECT_EQ(instance.dispatch(opcode), 0) << opcode;
    for (const int opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel,
                             effGetProgramName, effSetProgramName, effGetProgramNameIndexed})
        instance.dispatch(opcode); // answered without a crash
    EXPECT_FLOAT_EQ(instance.effect->getParameter(instance.effect, 0), 0.5f);
}

TEST(VstSpeakers, OnlyMatchingMonoOrStereoPairsAreAccepted)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    SpeakerArrangement none(0), mono(1), stereo(2);
    auto offer = [&](SpeakerArrangement& in, SpeakerArrangement& out)
    {
        return instance.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(in.get()),
                                 out.get());
    };
    EXPECT_EQ(offer(none, stereo), 0);
    EXPECT_EQ(offer(stereo, mono), 0);
    EXPECT_EQ(offer(mono, stereo), 0);
    EXPECT_EQ(offer(stereo, stereo), 1);
    EXPECT_EQ(offer(mono, mono), 1);

    VstSpeakerArrangement* in = nullptr;
    VstSpeakerArrangement* out = nullptr;
    ASSERT_EQ(
        instance.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
    EXPECT_EQ(in->numChannels, 1);
    EXPECT_EQ(out->numChannels, 1);

    // The processor now runs mono: one channel in, one out.
    setPlainSine(instance);
    instance.prepare(44100.0f, 256);
    instance.sendNoteOn(69);
    const auto rendered = instance.render(1, 44100, 256);
    EXPECT_GT(peak(rendered[0]), 0.05f);
    EXPECT_LE(peak(rendered[0]), 1.0f);
}

TEST(VstSound, ANoteSentAsAnEventSoundsAt440HzWithinFullScale)
{
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    setPlainSine(instance);
    instance.prepare(44100.0f, 512);
    instance.sendNoteOn(69);
    const auto rendered = instance.render(2, 66150, 512);
    EXPECT_NEAR(measureFrequency(rendered[0], 22050, 44100.0), 440.0, 0.1);
    EXPECT_GT(peak(rendered[0]), 0.05f);
    EXPECT_LE(peak(rendered[0]), 1.0f);
    EXPECT_LE(peak(rendered[1]), 1.0f);
    instance.dispatch(effMainsChanged, 0, 0);
}

// Requests fst-dev numbers with placeholders, sent as hosts send them.
TEST(VstDispatcher, BypassTailAndMidiChannelRequestsArriveUnderTheInterfacesNumbers)
{
    constexpr int setBypass = 44, getTailSize = 52, keysRequired = 57, midiInputChannels = 78;
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    EXPECT_EQ(instance.dispatch(getTailSize), 0);
    EXPECT_EQ(instance.dispatch(keysRequired), 0); // reversed: the window takes the keys
    EXPECT_EQ(instance.dispatch(midiInputChannels), 16);

    instance.prepare(44100.0f, 512);
    instance.dispatch(setBypass, 0, 1);
    instance.sendNoteOn(69);
    const auto bypassed = instance.render(2, 4096, 512, 0.25f);
    EXPECT_TRUE(std::all_of(bypassed[0].begin(), bypassed[0].end(),
                            [](float sample) { return sample == 0.25f; }));
    instance.dispatch(setBypass, 0, 0);
    instance.sendNoteOn(69);
    EXPECT_GT(peak(instance.render(2, 4096, 512)[0]), 0.01f);
}

TEST(VstState, TheChunkIsThePluginsOwnBlockAndRestoresIntoAnotherInstance)
{
    const VstInstance first;
    ASSERT_NE(first.effect, nullptr);
    EXPECT_EQ(first.chunk(), blockWithText(defaultStateText));
    EXPECT_EQ(first.chunk().size(), 427u);

    auto text = defaultStateText;
    text.replace(text.find("<Gain>0.9<"), 10, "<Gain>0.3<");
    text.replace(text.find("<midiMapFM>-1<"), 14, "<midiMapFM>74<");
    auto block = blockWithText(text);
    const VstInstance second;
    ASSERT_NE(second.effect, nullptr);
    second.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(block.size()), block.data());
    EXPECT_FLOAT_EQ(second.effect->getParameter(second.effect, 6), 0.3f);
    EXPECT_EQ(second.chunk(), block);

    second.dispatch(effSetChunk, 0, 4, block.data());
    second.dispatch(effSetChunk, 0, 427, nullptr);
    EXPECT_EQ(second.chunk(), block);
}

TEST(VstPins, BothOutputsAreActiveLabelledSpeakersAndPinZeroStartsTheStereoPair)
{
    constexpr int isActive = 1, isStereo = 2, useSpeaker = 4;
    const VstInstance instance;
    ASSERT_NE(instance.effect, nullptr);
    for (const int opcode : {effGetOutputProperties, effGetInputProperties})
    {
        for (int pin = 0; pin < 2; ++pin)
        {
            VstPinProperties properties{};
            ASSERT_EQ(instance.dispatch(opcode, pin, 0, &properties), 1) << opcode << " " << pin;
            EXPECT_EQ(properties.flags, isActive | useSpeaker | (pin == 0 ? isStereo : 0)) << pin;
            EXPECT_EQ(properties.arrangementType, kSpeakerArrStereo);
            EXPECT_GT(strnlen(properties.label, sizeof properties.label), 0u);
        }
        VstPinProperties beyond{};
        EXPECT_EQ(instance.dispatch(opcode, 2, 0, &beyond), 0);
    }
}

// The client reads the SMPTE offset and frame rate where hosts put them, never past the host's
// struct (the test under valgrind sees any read beyond it).
TEST(VstTime, TheHostsTimeInfoIsReadWithinItsOwnStruct)
{
    const VstInstance instance("VSTPluginMain", &recordingHost);
    ASSERT_NE(instance.effect, nullptr);
    instance.prepare(44100.0f, 512);
    instance.sendNoteOn(69);
    EXPECT_GT(peak(instance.render(2, 2048, 512)[0]), 0.01f);
    const std::lock_guard<std::mutex> lock(requestsLock);
    EXPECT_NE(std::find(requests.begin(), requests.end(), audioMasterGetTime), requests.end());
}

// A whole session: the window opens and closes, parameters change from the host and through a
// controller assignment, the state is restored and the sample rate changes. Every request the
// host gets is one the interface defines.
TEST(VstHostSession, TheHostGetsOnlyRequestsUnderTheInterfacesNumbers)
{
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "the window needs an X display; halvo-vst-host-session runs this under "
                        "xvfb-run";
    const VstInstance instance("VSTPluginMain", &recordingHost);
    ASSERT_NE(instance.effect, nullptr);
    auto idle = [&instance]
    {
        for (int i = 0; i < 10; ++i)
        {
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };

    // The host's window the plug-in's window goes into. Like hosts, this one keeps X errors from
    // ending the process (without a window manager a few of the plug-in's requests fail).
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* const display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 623, 289, 0, 0, 0);
    XMapWindow(display, parent);
    XFlush(display);

    instance.prepare(44100.0f, 512);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    instance.effect->setParameter(instance.effect, 6, 0.3f);
    instance.render(2, 2048, 512);
    idle();

    auto text = defaultStateText;
    text.replace(text.find("<midiMapReverb>-1<"), 18, "<midiMapReverb>7<");
    const auto block = blockWithText(text);
    instance.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(block.size()),
                      const_cast<unsigned char*>(block.data()));
    instance.sendMidi(0xb0, 7, 20);
    instance.render(2, 2048, 512);
    idle();
    EXPECT_FLOAT_EQ(instance.effect->getParameter(instance.effect, 5), 20.0f / 127.0f);

    instance.dispatch(effMainsChanged, 0, 0);
    instance.prepare(96000.0f, 512);
    instance.render(2, 2048, 512);
    instance.dispatch(effEditClose);
    idle();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);

    const std::lock_guard<std::mutex> lock(requestsLock);
    for (const int request : requests)
        EXPECT_LT(request, 100000);
}

} // namespace halvo::test
