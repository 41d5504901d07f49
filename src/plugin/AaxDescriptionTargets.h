#pragma once

#include <cstdint>

// What the AAX description step talks to: the host's collection and the descriptors it hands out.
// The host owns every object here; an AAX build adapts the vendor's interfaces to these.
namespace halvo::aax
{

// A four-character code as a 32-bit value, its first character in the most significant byte.
constexpr std::uint32_t fourCharCode(const char* code)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3]));
}

enum class StemFormat : std::uint32_t
{
    mono,
    stereo
};

enum class Property
{
    manufacturerId,
    productId,
    canBypass,
    inputStemFormat,
    outputStemFormat,
    nativeId,
    audioSuiteId,
    supportsMultiMono
};

class PropertyMap
{
public:
    virtual ~PropertyMap() = default;
    virtual void add(Property property, std::uint32_t value) = 0;
};

class ComponentDescriptor
{
public:
    virtual ~ComponentDescriptor() = default;
    virtual void addMidiInputNode(const char* name, std::uint32_t channelMask) = 0;
    virtual PropertyMap& properties() = 0;
};

class EffectDescriptor
{
public:
    virtual ~EffectDescriptor() = default;
    virtual void addName(const char* name) = 0;
    virtual void addCategory(std::uint32_t category) = 0;
    // Null when the host has none to give.
    virtual ComponentDescriptor* newComponentDescriptor() = 0;
    virtual void addComponent(ComponentDescriptor& component) = 0;
};

class Collection
{
public:
    virtual ~Collection() = default;
    // Null when the host has none to give.
    virtual EffectDescriptor* newEffectDescriptor() = 0;
    virtual void addEffect(const char* identifier, EffectDescriptor& effect) = 0;
    virtual void setManufacturerName(const char* name) = 0;
    virtual void addPackageName(const char* name) = 0;
    virtual void setPackageVersion(std::uint32_t version) = 0;
};

} // namespace halvo::aax
