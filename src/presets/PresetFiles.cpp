#include "presets/PresetFiles.h"

#include "HalvoIdentity.h"
#include "parameters/StateFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace halvo
{
namespace
{
// JUCE's VST3 client names its component class by two fixed words and the four-character codes.
constexpr std::uint32_t componentClassWords[] = {0xABCDEF01u, 0x9182FAEBu};

constexpr std::size_t vst3HeaderSize = 4 + 4 + 32 + 8;
constexpr std::size_t vst3ListEntrySize = 4 + 8 + 8;
constexpr std::int32_t vst3FormatVersion = 1;

// Program name field of an .fxp file, and the size of everything before its chunk.
constexpr std::size_t fxpNameSize = 28;
constexpr std::size_t fxpHeaderSize = 7 * 4 + fxpNameSize + 4;

std::uint32_t fourCharCode(const char* code)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    return value;
}

void appendBytes(std::vector<char>& out, const void* data, std::size_t size)
{
    const auto start = out.size();
    out.resize(start + size);
    if (size > 0)
        std::memcpy(out.data() + start, data, size);
}

void appendLittleEndian(std::vector<char>& out, std::uint64_t value, int numBytes)
{
    for (int byte = 0; byte < numBytes; ++byte)
        out.push_back(static_cast<char>((value >> (8 * byte)) & 0xff));
}

void appendBigEndian(std::vector<char>& out, std::uint32_t value)
{
    for (int byte = 3; byte >= 0; --byte)
        out.push_back(static_cast<char>((value >> (8 * byte)) & 0xff));
}

std::uint64_t readLittleEndian(const unsigned char* bytes, int numBytes)
{
    std::uint64_t value = 0;
    for (int byte = numBytes - 1; byte >= 0; --byte)
        value = (value << 8) | bytes[byte];
    return value;
}

std::uint32_t readBigEndian(const unsigned char* bytes)
{
    return (static_cast<std::uint32_t>(bytes[0]) << 24) |
           (static_cast<std::uint32_t>(bytes[1]) << 16) |
           (static_cast<std::uint32_t>(bytes[2]) << 8) | static_cast<std::uint32_t>(bytes[3]);
}

std::string escapedForXml(std::string_view text)
{
    std::string escaped;
    for (const char c : text)
    {
        switch (c)
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string vst3MetaInfo(std::string_view presetName)
{
    const auto attribute = [](const char* id, std::string_view value)
    {
        return "  <Attr id=\"" + std::string(id) + "\" value=\"" + escapedForXml(value) +
               "\" type=\"string\" flags=\"writeProtected\"/>\n";
    };
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<MetaInfo>\n" +
           attribute("MediaType", "VstPreset") + attribute("PlugInName", identity::productName) +
           attribute("PlugInCategory", "Instrument|Synth") + attribute("Name", presetName) +
           "</MetaInfo>\n";
}

bool isStateBlock(const unsigned char* bytes, std::size_t size)
{
    return size > 8 && readLittleEndian(bytes, 4) == stateMagic;
}

std::optional<std::vector<char>> stateFromVst3Preset(const unsigned char* bytes, std::size_t size)
{
    if (size < vst3HeaderSize || std::memcmp(bytes, "VST3", 4) != 0 ||
        vst3ComponentClassId().compare(0, 32, reinterpret_cast<const char*>(bytes + 8), 32) != 0)
        return std::nullopt;

    const auto listOffset = readLittleEndian(bytes + 40, 8);
    if (listOffset < vst3HeaderSize || listOffset > size - 8 ||
        std::memcmp(bytes + listOffset, "List", 4) != 0)
        return std::nullopt;

    const auto count = readLittleEndian(bytes + listOffset + 4, 4);
    const auto available = (size - listOffset - 8) / vst3ListEntrySize;
    for (std::uint64_t entry = 0; entry < count && entry < available; ++entry)
    {
        const auto* fields = bytes + listOffset + 8 + entry * vst3ListEntrySize;
        const auto offset = readLittleEndian(fields + 4, 8);
        const auto length = readLittleEndian(fields + 12, 8);
        if (std::memcmp(fields, "Comp", 4) != 0 || offset > size || length > size - offset)
            continue;
        // Both lie within size now, so they fit the address width.
        const auto* block = bytes + static_cast<std::size_t>(offset);
        const auto blockSize = static_cast<std::size_t>(length);
        if (isStateBlock(block, blockSize))
            return std::vector<char>(block, block + blockSize);
    }
    return std::nullopt;
}

std::optional<std::vector<char>> stateFromFxp(const unsigned char* bytes, std::size_t size)
{
    if (size < fxpHeaderSize || std::memcmp(bytes, "CcnK", 4) != 0 ||
        std::memcmp(bytes + 8, "FPCh", 4) != 0 ||
        readBigEndian(bytes + 16) != fourCharCode(identity::pluginCode))
        return std::nullopt;

    const auto length = readBigEndian(bytes + fxpHeaderSize - 4);
    if (length > size - fxpHeaderSize || !isStateBlock(bytes + fxpHeaderSize, length))
        return std::nullopt;
    return std::vector<char>(bytes + fxpHeaderSize, bytes + fxpHeaderSize + length);
}
} // namespace

std::string vst3ComponentClassId()
{
    const std::uint32_t words[] = {componentClassWords[0], componentClassWords[1],
                                   fourCharCode(identity::manufacturerCode),
                                   fourCharCode(identity::pluginCode)};
    std::string id;
    constexpr char digits[] = "0123456789ABCDEF";
    for (const auto word : words)
        for (int shift = 28; shift >= 0; shift -= 4)
            id += digits[(word >> shift) & 0xf];
    return id;
}

std::vector<char> writeVst3PresetFile(const std::vector<char>& state, std::string_view presetName)
{
    const auto metaInfo = vst3MetaInfo(presetName);
    const std::uint64_t stateOffset = vst3HeaderSize;
    const std::uint64_t metaInfoOffset = stateOffset + state.size();
    const std::uint64_t listOffset = metaInfoOffset + metaInfo.size();

    std::vector<char> file;
    appendBytes(file, "VST3", 4);
    appendLittleEndian(file, vst3FormatVersion, 4);
    appendBytes(file, vst3ComponentClassId().data(), 32);
    appendLittleEndian(file, listOffset, 8);
    appendBytes(file, state.data(), state.size());
    appendBytes(file, metaInfo.data(), metaInfo.size());

    appendBytes(file, "List", 4);
    appendLittleEndian(file, 2, 4);
    appendBytes(file, "Comp", 4);
    appendLittleEndian(file, stateOffset, 8);
    appendLittleEndian(file, state.size(), 8);
    appendBytes(file, "Info", 4);
    appendLittleEndian(file, metaInfoOffset, 8);
    appendLittleEndian(file, metaInfo.size(), 8);
    return file;
}

std::vector<char> writeFxpFile(const std::vector<char>& state, std::string_view programName)
{
    std::vector<char> file;
    appendBytes(file, "CcnK", 4);
    appendBigEndian(file, static_cast<std::uint32_t>(fxpHeaderSize - 8 + state.size()));
    appendBytes(file, "FPCh", 4);
    appendBigEndian(file, 1); // format version
    appendBigEndian(file, fourCharCode(identity::pluginCode));
    appendBigEndian(file, static_cast<std::uint32_t>(identity::vstVendorVersion));
    appendBigEndian(file, 1); // programs
    char name[fxpNameSize] = {};
    std::memcpy(name, programName.data(), std::min(programName.size(), fxpNameSize - 1));
    appendBytes(file, name, fxpNameSize);
    appendBigEndian(file, static_cast<std::uint32_t>(state.size()));
    appendBytes(file, state.data(), state.size());
    return file;
}

std::optional<std::vector<char>> stateFromPresetFile(const void* data, std::size_t size)
{
    if (data == nullptr)
        return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    auto state = isStateBlock(bytes, size) ? std::vector<char>(bytes, bytes + size)
                                           : stateFromVst3Preset(bytes, size);
    if (!state)
        state = stateFromFxp(bytes, size);
    // A block the reader refuses would change nothing: the file is no preset to load.
    if (state && !readStateBlock(state->data(), static_cast<int>(state->size())))
        return std::nullopt;
    return state;
}

} // namespace halvo
