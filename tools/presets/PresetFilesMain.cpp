// Writes the factory presets into the preset files of every format (see CMakeLists.txt).
//
//   halvo-preset-files OUTPUT-FOLDER
#include "HalvoIdentity.h"
#include "parameters/StateFormat.h"
#include "presets/FactoryPresets.h"
#include "presets/PresetFiles.h"

#include <juce_core/juce_core.h>

#include <cstdio>

namespace
{
juce::String turtleString(const char* text)
{
    return "\"" + juce::String(text).replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
}

juce::String presetUri(const halvo::FactoryPreset& preset)
{
    return juce::String(halvo::identity::lv2Uri) + "/presets/" + halvo::presetSlug(preset.name);
}

juce::String stateStringOf(const std::vector<char>& block)
{
    return juce::MemoryBlock(block.data(), block.size()).toBase64Encoding();
}

const char* const turtlePrefixes =
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix xsd:   <http://www.w3.org/2001/XMLSchema#> .\n\n";

// JUCE's LV2 client restores its whole state from one string property, our state block in JUCE's
// base64 form; hosts hand a preset's state properties to the plug-in as they are.
juce::String lv2Presets()
{
    const juce::String plugin(halvo::identity::lv2Uri);
    const auto stateProperty = plugin + ":StateString";
    juce::String text = turtlePrefixes;
    text << "<" << stateProperty << ">\n"
         << "\ta rdf:Property ;\n"
         << "\trdfs:label \"State\" ;\n"
         << "\trdfs:comment \"The plug-in's state block, base64-encoded.\" ;\n"
         << "\trdfs:range xsd:string .\n\n";
    for (const auto& preset : halvo::factoryPresets())
    {
        const auto block = halvo::presetStateBlock(preset);
        text << "<" << presetUri(preset) << ">\n"
             << "\ta pset:Preset ;\n"
             << "\tlv2:appliesTo <" << plugin << "> ;\n"
             << "\trdfs:label " << turtleString(preset.name) << " ;\n"
             << "\trdfs:comment " << turtleString(preset.description) << " ;\n"
             << "\tstate:state [\n"
             << "\t\t<" << stateProperty << "> \"" << stateStringOf(block) << "\"\n"
             << "\t] .\n\n";
    }
    return text;
}

// The state JUCE's preset for the one program ("Default") gets in place of the program index, which
// selects nothing: the default values, so that choosing it resets the sound as hosts promise.
juce::String defaultPresetState()
{
    std::array<float, halvo::numParameters> defaults{};
    for (std::size_t index = 0; index < defaults.size(); ++index)
        defaults[index] = halvo::parameterTable[index].defaultValue;
    return "state:state [ <" + juce::String(halvo::identity::lv2Uri) + ":StateString> \"" +
           stateStringOf(halvo::writeParameterBlock(defaults)) + "\" ]";
}

// Entries for the bundle's manifest: hosts list presets from it and load presets.ttl for one.
juce::String lv2ManifestEntries()
{
    juce::String text;
    for (const auto& preset : halvo::factoryPresets())
        text << "<" << presetUri(preset) << ">\n"
             << "\ta pset:Preset ;\n"
             << "\tlv2:appliesTo <" << halvo::identity::lv2Uri << "> ;\n"
             << "\trdfs:label " << turtleString(preset.name) << " ;\n"
             << "\trdfs:seeAlso <presets.ttl> .\n\n";
    return text;
}

bool writeFile(const juce::File& file, const std::vector<char>& bytes)
{
    return file.replaceWithData(bytes.data(), bytes.size());
}

bool writeAll(const juce::File& folder)
{
    const auto pluginPresets = folder.getChildFile(halvo::identity::productName);
    const auto lv2 = folder.getChildFile("lv2");
    // Files of a renamed or removed preset must not linger.
    if (!pluginPresets.deleteRecursively() || !pluginPresets.createDirectory() ||
        !lv2.createDirectory())
        return false;

    for (const auto& preset : halvo::factoryPresets())
    {
        const auto block = halvo::presetStateBlock(preset);
        const juce::String name(preset.name);
        if (!writeFile(pluginPresets.getChildFile(name + ".vstpreset"),
                       halvo::writeVst3PresetFile(block, preset.name)) ||
            !writeFile(pluginPresets.getChildFile(name + ".fxp"),
                       halvo::writeFxpFile(block, preset.name)))
            return false;
    }
    const auto lv2Manifest = juce::String(turtlePrefixes) + lv2ManifestEntries();
    // JUCE would end every line with "\r\n".
    auto writeText = [](const juce::File& file, const juce::String& text)
    { return file.replaceWithText(text, false, false, "\n"); };
    return writeText(lv2.getChildFile("presets.ttl"), lv2Presets()) &&
           writeText(lv2.getChildFile("manifest.ttl"), lv2Manifest) &&
           writeText(lv2.getChildFile("default-state.txt"), defaultPresetState());
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: halvo-preset-files OUTPUT-FOLDER\n");
        return 2;
    }
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]);
    if (!folder.createDirectory() || !writeAll(folder))
    {
        std::fprintf(stderr, "halvo-preset-files: cannot write the preset files into %s\n",
                     folder.getFullPathName().toRawUTF8());
        return 1;
    }
    return 0;
}
