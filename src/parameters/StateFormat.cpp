#include "parameters/StateFormat.h"

#include "parameters/StateNumbers.h"
#include "parameters/StateTextCheck.h"

#include <juce_core/juce_core.h>

#include <cstring>
#include <string_view>

namespace halvo
{
namespace
{
struct StateKey
{
    const char* name;
    StateEntry::Kind kind;
    int parameterIndex;
};

// Element order of a written block. Rate's assignment is stored under "midiMapFM".
constexpr std::array<StateKey, 15> stateKeys{{
    {"OSC", StateEntry::Kind::parameter, oscIndex},
    {"DelayTime", StateEntry::Kind::parameter, delayTimeIndex},
    {"Rate", StateEntry::Kind::parameter, rateIndex},
    {"Mode", StateEntry::Kind::parameter, modeIndex},
    {"Reverb", StateEntry::Kind::parameter, reverbIndex},
    {"Gain", StateEntry::Kind::parameter, gainIndex},
    {"DelayFeedback", StateEntry::Kind::parameter, delayFeedbackIndex},
    {"idxMidiChannel", StateEntry::Kind::midiChannel, -1},
    {"midiMapOSC", StateEntry::Kind::midiAssignment, oscIndex},
    {"midiMapDelayTime", StateEntry::Kind::midiAssignment, delayTimeIndex},
    {"midiMapDelayFeedback", StateEntry::Kind::midiAssignment, delayFeedbackIndex},
    {"midiMapFM", StateEntry::Kind::midiAssignment, rateIndex},
    {"midiMapGain", StateEntry::Kind::midiAssignment, gainIndex},
    {"midiMapMode", StateEntry::Kind::midiAssignment, modeIndex},
    {"midiMapReverb", StateEntry::Kind::midiAssignment, reverbIndex},
}};

// A real block is a few hundred bytes; a cap keeps hostile input from taking the host's time.
constexpr std::size_t maximumTextBytes = 1 << 20;

void appendElement(std::string& text, const char* name, const std::string& value)
{
    text += '<';
    text += name;
    text += '>';
    text += value;
    text += "</";
    text += name;
    text += '>';
}

std::uint32_t readLittleEndian(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Letter case changes no character count, so a name of another length is no key: a large block's
// many foreign elements cost one count each, not fifteen comparisons.
const StateKey* findKey(const juce::String& tagName)
{
    const auto length = static_cast<std::size_t>(tagName.length());
    for (const auto& key : stateKeys)
        if (std::char_traits<char>::length(key.name) == length &&
            tagName.equalsIgnoreCase(key.name))
            return &key;
    return nullptr;
}
} // namespace

std::string stateXmlText(const PluginState& state)
{
    std::string text = "<Root>";
    for (const auto& key : stateKeys)
    {
        const auto index = static_cast<std::size_t>(key.parameterIndex);
        switch (key.kind)
        {
        case StateEntry::Kind::parameter:
            appendElement(text, key.name, formatParameterValue(state.parameters[index]));
            break;
        case StateEntry::Kind::midiChannel:
            appendElement(text, key.name, std::to_string(state.midiChannel));
            break;
        case StateEntry::Kind::midiAssignment:
            appendElement(text, key.name, std::to_string(state.midiMap[index]));
            break;
        }
    }
    return text + "</Root>";
}

namespace
{
std::vector<char> blockHolding(const std::string& text)
{
    const auto length = static_cast<std::uint32_t>(text.size());
    std::vector<char> block(8 + text.size() + 1, '\0');
    for (int byte = 0; byte < 4; ++byte)
    {
        block[static_cast<std::size_t>(byte)] =
            static_cast<char>((stateMagic >> (8 * byte)) & 0xff);
        block[static_cast<std::size_t>(4 + byte)] =
            static_cast<char>((length >> (8 * byte)) & 0xff);
    }
    std::memcpy(block.data() + 8, text.data(), text.size());
    return block;
}
} // namespace

std::vector<char> writeStateBlock(const PluginState& state)
{
    return blockHolding(stateXmlText(state));
}

std::vector<char> writeParameterBlock(const std::array<float, numParameters>& parameters)
{
    std::string text = "<Root>";
    for (const auto& key : stateKeys)
        if (key.kind == StateEntry::Kind::parameter)
            appendElement(
                text, key.name,
                formatParameterValue(parameters[static_cast<std::size_t>(key.parameterIndex)]));
    return blockHolding(text + "</Root>");
}

std::optional<std::vector<StateEntry>> readStateBlock(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return std::nullopt;

    const auto* bytes = static_cast<const unsigned char*>(data);
    if (readLittleEndian(bytes) != stateMagic)
        return std::nullopt;

    const auto declaredLength = static_cast<std::int32_t>(readLittleEndian(bytes + 4));
    if (declaredLength <= 0)
        return std::nullopt;

    // The text is cut at the block's end; the parser sees it only up to its first zero byte.
    const auto available = static_cast<std::size_t>(juce::jmin(sizeInBytes - 8, declaredLength));
    const auto* start = reinterpret_cast<const char*>(bytes + 8);
    const auto* zero = static_cast<const char*>(std::memchr(start, 0, available));
    const std::string_view text(start, zero != nullptr ? static_cast<std::size_t>(zero - start)
                                                       : available);
    if (text.size() > maximumTextBytes || !isSafeForXmlParser(text))
        return std::nullopt;

    const auto root =
        juce::parseXML(juce::String::fromUTF8(text.data(), static_cast<int>(text.size())));
    if (root == nullptr)
    {
        // The parser pooled the names it met before giving up; a refused block leaves none.
        juce::StringPool::getGlobalPool().garbageCollect();
        return std::nullopt;
    }

    std::vector<StateEntry> entries;
    for (const auto* child : root->getChildIterator())
    {
        const auto* key = findKey(child->getTagName());
        if (key == nullptr)
            continue;
        const juce::String content = child->getAllSubText();
        if (key->kind == StateEntry::Kind::parameter)
            entries.push_back({key->kind, key->parameterIndex, readStateFloat(content), 0});
        else
            entries.push_back({key->kind, key->parameterIndex, 0.0f, readStateInteger(content)});
    }
    return entries;
}

} // namespace halvo
