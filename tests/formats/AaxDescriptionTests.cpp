#include "plugin/AaxDescription.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
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

const char* propertyName(Property property)
{
    switch (property)
    {
    case Property::manufacturerId:
        return "manufacturerId";
    case Property::productId:
        return "productId";
    case Property::canBypass:
        return "canBypass";
    case Property::inputStemFormat:
        return "inputStemFormat";
    case Property::outputStemFormat:
        return "outputStemFormat";
    case Property::nativeId:
        return "nativeId";
    case Property::audioSuiteId:
        return "audioSuiteId";
    case Property::supportsMultiMono:
        return "supportsMultiMono";
    }
    return "?";
}

// Host objects that write down every call they get, in order, in one shared list.
class RecordingComponent : public ComponentDescriptor, public PropertyMap
{
public:
    explicit RecordingComponent(Calls& log) : calls(log) {}
    void addMidiInputNode(const char* name, std::uint32_t mask) override
    {
        calls.push_back("midiInput " + std::string(name) + " " + hex(mask));
    }
    PropertyMap& properties() override { return *this; }
    void add(Property property, std::uint32_t value) override
    {
        calls.push_back(std::string("property ") + propertyName(property) + " " + hex(value));
    }

private:
    Calls& calls;
};

class RecordingEffect : public EffectDescriptor
{
public:
    RecordingEffect(Calls& log, bool throws, bool gives)
        : calls(log), throwOnCategory(throws), givesComponents(gives)
    {
    }
    void addName(const char* name) override { calls.push_back("name " + std::string(name)); }
    void addCategory(std::uint32_t category) override
    {
        if (throwOnCategory)
            throw std::runtime_error("host failure");
        calls.push_back("category " + hex(category));
    }
    ComponentDescriptor* newComponentDescriptor() override
    {
        calls.push_back("newComponent");
        return givesComponents ? &components.emplace_back(calls) : nullptr;
    }
    void addComponent(ComponentDescriptor& component) override
    {
        calls.push_back("addComponent " +
                        std::to_string(&component == &components.back() ? components.size() : 0));
    }

private:
    Calls& calls;
    bool throwOnCategory;
    bool givesComponents;
    std::deque<RecordingComponent> components;
};

class RecordingCollection : public Collection
{
public:
    bool givesDescriptor = true;
    bool descriptorThrows = false;
    bool givesComponents = true;
    Calls calls;

    EffectDescriptor* newEffectDescriptor() override
    {
        calls.push_back("newEffect");
        if (!givesDescriptor)
            return nullptr;
        effect = std::make_unique<RecordingEffect>(calls, descriptorThrows, givesComponents);
        return effect.get();
    }
    void addEffect(const char* identifier, EffectDescriptor& added) override
    {
        calls.push_back("addEffect " + std::string(identifier) +
                        (&added == effect.get() ? "" : " (another descriptor)"));
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

private:
    std::unique_ptr<RecordingEffect> effect;
};

Calls componentCalls(int index, const char* stem, const char* nativeId, const char* suiteId)
{
    return {"newComponent",
            "midiInput Halvo 0xffff",
            "property manufacturerId " + hex(fourCharCode("Drvk")),
            "property productId " + hex(fourCharCode("HaDr")),
            "property canBypass 0x1",
            std::string("property inputStemFormat ") + stem,
            std::string("property outputStemFormat ") + stem,
            "property nativeId " + hex(fourCharCode(nativeId)),
            "property audioSuiteId " + hex(fourCharCode(suiteId)),
            "property supportsMultiMono 0x1",
            "addComponent " + std::to_string(index)};
}
} // namespace

TEST(AaxDescription, MakesTheCallsInOrderWithTheIdentityValues)
{
    RecordingCollection collection;
    EXPECT_EQ(describePlugin(collection), success);

    Calls expected = {"newEffect", "name Halvo", "name Halvo", "category 0x800"};
    const auto stereo = hex(static_cast<std::uint32_t>(StemFormat::stereo));
    const auto mono = hex(static_cast<std::uint32_t>(StemFormat::mono));
    for (const auto& call : componentCalls(1, stereo.c_str(), "jcaa", "jyaa"))
        expected.push_back(call);
    for (const auto& call : componentCalls(2, mono.c_str(), "jcab", "jyab"))
        expected.push_back(call);
    for (const char* call : {"addEffect com.Drovask.Halvo", "manufacturer Drovask",
                             "packageName Halvo", "packageName Halvo", "packageVersion 0x10000"})
        expected.push_back(call);
    EXPECT_EQ(collection.calls, expected);
}

TEST(AaxDescription, FailuresRegisterNothingAndAreReportedWithTheirCodes)
{
    RecordingCollection noDescriptor;
    noDescriptor.givesDescriptor = false;
    EXPECT_EQ(describePlugin(noDescriptor), -20004);
    EXPECT_EQ(noDescriptor.calls, Calls{"newEffect"});

    RecordingCollection noComponent;
    noComponent.givesComponents = false;
    EXPECT_EQ(describePlugin(noComponent), -20004);
    EXPECT_EQ(noComponent.calls.back(), "newComponent");

    RecordingCollection throwing;
    throwing.descriptorThrows = true;
    EXPECT_EQ(describePlugin(throwing), static_cast<std::int32_t>(0x8000FFFFu));
    EXPECT_EQ(throwing.calls, (Calls{"newEffect", "name Halvo", "name Halvo"}));
}

TEST(AaxDescription, FourCharacterCodesPutTheFirstCharacterHighest)
{
    EXPECT_EQ(fourCharCode("HaDr"), 0x48614472u);
    EXPECT_EQ(fourCharCode("jcaa") + 1, fourCharCode("jcab"));
}

} // namespace halvo::aax
