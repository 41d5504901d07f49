#include "plugin/AaxDescription.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace halvo::aax
{
namespace
{
using Calls = std::vector<std::string>;

std::string hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// A host that writes down every call it gets, in order. It is its own effect descriptor, component
// descriptor and property map, so the list shows the calls on all of them in one sequence.
class RecordingHost : public Collection,
                      public EffectDescriptor,
                      public ComponentDescriptor,
                      public PropertyMap
{
public:
    bool givesDescriptor = true;
    bool givesComponents = true;
    bool throwsOnCategory = false;
    Calls calls;

    EffectDescriptor* newEffectDescriptor() override
    {
        calls.push_back("newEffect");
        return givesDescriptor ? this : nullptr;
    }
    void addEffect(const char* identifier, EffectDescriptor&) override
    {
        calls.push_back("addEffect " + std::string(identifier));
    }
    void setManufacturerName(const char* name) override
    {
        calls.push_back("manufacturer " + std::string(name));
    }
    void addPackageName(const char* name) override
    {
        calls.push_back("packageName " + std::string(name));
    }
    void setPackageVersion(std::uint32_t version) override
    {
        calls.push_back("packageVersion " + hex(version));
    }

    void addName(const char* name) override { calls.push_back("name " + std::string(name)); }
    void addCategory(std::uint32_t category) override
    {
        if (throwsOnCategory)
            throw std::runtime_error("host failure");
        calls.push_back("category " + hex(category));
    }
    ComponentDescriptor* newComponentDescriptor() override
    {
        calls.push_back("newComponent");
        return givesComponents ? this : nullptr;
    }
    void addComponent(ComponentDescriptor&) override { calls.push_back("addComponent"); }

    void addMidiInputNode(const char* name, std::uint32_t mask) override
    {
        calls.push_back("midiInput " + std::string(name) + " " + hex(mask));
    }
    PropertyMap& properties() override { return *this; }
    void add(Property property, std::uint32_t value) override
    {
        static const char* names[] = {"manufacturerId",  "productId",        "canBypass",
                                      "inputStemFormat", "outputStemFormat", "nativeId",
                                      "audioSuiteId",    "supportsMultiMono"};
        calls.push_back(std::string(names[static_cast<int>(property)]) + " " + hex(value));
    }
};

Calls componentCalls(StemFormat stem, const char* nativeId, const char* suiteId)
{
    const auto stemValue = hex(static_cast<std::uint32_t>(stem));
    return {"newComponent",
            "midiInput Halvo 0xffff",
            "manufacturerId 0x4472766b", // Drvk
            "productId 0x48614472",      // HaDr
            "canBypass 0x1",
            "inputStemFormat " + stemValue,
            "outputStemFormat " + stemValue,
            "nativeId " + hex(fourCharCode(nativeId)),
            "audioSuiteId " + hex(fourCharCode(suiteId)),
            "supportsMultiMono 0x1",
            "addComponent"};
}
} // namespace

TEST(AaxDescription, MakesTheCallsInOrderWithTheIdentityValues)
{
    RecordingHost host;
    EXPECT_EQ(describePlugin(host), success);

    Calls expected = {"newEffect", "name Halvo", "name Halvo", "category 0x800"};
    for (const auto& call : componentCalls(StemFormat::stereo, "jcaa", "jyaa"))
        expected.push_back(call);
    for (const auto& call : componentCalls(StemFormat::mono, "jcab", "jyab"))
        expected.push_back(call);
    for (const char* call : {"addEffect com.Drovask.Halvo", "manufacturer Drovask",
                             "packageName Halvo", "packageName Halvo", "packageVersion 0x10000"})
        expected.push_back(call);
    EXPECT_EQ(host.calls, expected);
}

TEST(AaxDescription, FailuresRegisterNothingAndAreReportedWithTheirCodes)
{
    RecordingHost noDescriptor;
    noDescriptor.givesDescriptor = false;
    EXPECT_EQ(describePlugin(noDescriptor), -20004);
    EXPECT_EQ(noDescriptor.calls, Calls{"newEffect"});

    RecordingHost noComponent;
    noComponent.givesComponents = false;
    EXPECT_EQ(describePlugin(noComponent), -20004);
    EXPECT_EQ(noComponent.calls.back(), "newComponent");

    RecordingHost throwing;
    throwing.throwsOnCategory = true;
    EXPECT_EQ(describePlugin(throwing), static_cast<std::int32_t>(0x8000FFFFu));
    EXPECT_EQ(throwing.calls, (Calls{"newEffect", "name Halvo", "name Halvo"}));
}

} // namespace halvo::aax
