#include "plugin/AaxDescription.h"

#include "HalvoIdentity.h"

namespace halvo::aax
{
namespace
{
constexpr std::uint32_t allMidiChannels = 0xffff;

StemFormat stemFormat(short channels)
{
    return channels == 1 ? StemFormat::mono : StemFormat::stereo;
}

std::uint32_t codeForConfiguration(const char* base, std::uint32_t index)
{
    return fourCharCode(base) + index;
}

// Returns false when the host gives no component descriptor.
bool describeComponents(EffectDescriptor& effect)
{
    std::uint32_t index = 0;
    for (const auto& configuration : identity::channelConfigurations)
    {
        auto* component = effect.newComponentDescriptor();
        if (component == nullptr)
            return false;
        component->addMidiInputNode(identity::productName, allMidiChannels);
        auto& properties = component->properties();
        properties.add(Property::manufacturerId, fourCharCode(identity::manufacturerCode));
        properties.add(Property::productId, fourCharCode(identity::pluginCode));
        properties.add(Property::canBypass, 1);
        properties.add(Property::inputStemFormat,
                       static_cast<std::uint32_t>(stemFormat(configuration[0])));
        properties.add(Property::outputStemFormat,
                       static_cast<std::uint32_t>(stemFormat(configuration[1])));
        properties.add(Property::nativeId, codeForConfiguration(identity::aaxNativeIdBase, index));
        properties.add(Property::audioSuiteId,
                       codeForConfiguration(identity::aaxAudioSuiteIdBase, index));
        properties.add(Property::supportsMultiMono, 1);
        effect.addComponent(*component);
        ++index;
    }
    return true;
}

std::int32_t describe(Collection& collection)
{
    auto* effect = collection.newEffectDescriptor();
    if (effect == nullptr)
        return nullObject;

    effect->addName(identity::description);
    effect->addName(identity::productName);
    effect->addCategory(identity::aaxCategory);
    if (!describeComponents(*effect))
        return nullObject;
    collection.addEffect(identity::aaxIdentifier, *effect);

    collection.setManufacturerName(identity::manufacturer);
    collection.addPackageName(identity::description);
    collection.addPackageName(identity::productName);
    collection.setPackageVersion(static_cast<std::uint32_t>(identity::versionCode));
    return success;
}
} // namespace

std::int32_t describePlugin(Collection& collection) noexcept
{
    try
    {
        return describe(collection);
    }
    catch (...)
    {
        return unexpectedFailure;
    }
}

} // namespace halvo::aax
