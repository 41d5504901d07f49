#include "engine/MurmelAudioProcessor.h"
#include "parameters/StateFormat.h"
#include "presets/FactoryPresets.h"
#include "presets/PresetFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace halvo::test
{

TEST(FactoryPresets, HaveShortDistinctNamesAndOneLineDescriptions)
{
    std::set<std::string> slugs;
    for (const auto& preset : factoryPresets())
    {
        const std::string name = preset.name;
        const std::string description = preset.description;
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), maxPresetNameLength) << name;
        EXPECT_FALSE(description.empty()) << name;
        EXPECT_EQ(description.find('\n'), std::string::npos) << name;
        EXPECT_TRUE(slugs.insert(presetSlug(name)).second) << name;
        EXPECT_EQ(findFactoryPreset(presetSlug(name)), nullptr);
        EXPECT_EQ(findFactoryPreset(juce::String(name).toUpperCase().toStdString()), &preset);
    }
    EXPECT_EQ(presetSlug("Dub Siren"), "dub-siren");
    EXPECT_EQ(presetSlug(" 20 Hz -- Growl! "), "20-hz-growl");
}

TEST(FactoryPresets, EachBlockSetsItsSevenValuesAndKeepsTheControllerAssignments)
{
    for (const auto& preset : factoryPresets())
    {
        SCOPED_TRACE(preset.name);
        MurmelAudioProcessor processor;
        processor.midiMap[gainIndex].store(74);
        processor.midiChannel.store(3);
        processor.parametersChanged.store(false);

        const auto block = presetStateBlock(preset);
        const auto entries = readStateBlock(block.data(), static_cast<int>(block.size()));
        ASSERT_TRUE(entries.has_value());
        EXPECT_EQ(entries->size(), static_cast<std::size_t>(numParameters));

        processor.setStateInformation(block.data(), static_cast<int>(block.size()));
        for (int index = 0; index < numParameters; ++index)
            EXPECT_EQ(processor.getParameterValue(index),
                      preset.values[static_cast<std::size_t>(index)])
                << parameterTable[static_cast<std::size_t>(index)].name;
        EXPECT_TRUE(processor.parametersChanged.load());
        EXPECT_EQ(processor.midiMap[gainIndex].load(), 74);
        EXPECT_EQ(processor.midiChannel.load(), 3);
    }
}

TEST(PresetFiles, CarryTheStateBlockAndAreReadBack)
{
    const auto block = presetStateBlock(factoryPresets()[0]);
    const auto vst3 = writeVst3PresetFile(block, "A preset");
    const auto fxp = writeFxpFile(block, "A preset with a name too long for the field");
    EXPECT_EQ(std::string(vst3.data(), 4), "VST3");
    EXPECT_EQ(std::string(vst3.data() + 8, 32), "ABCDEF019182FAEB4472766B48614472");
    EXPECT_EQ(std::string(fxp.data() + 28), "A preset with a name too lo"); // 27 characters
    EXPECT_EQ(vst3ComponentClassId(), "ABCDEF019182FAEB4472766B48614472");

    for (const auto* file : {&vst3, &fxp, &block})
    {
        const auto state = stateFromPresetFile(file->data(), file->size());
        ASSERT_TRUE(state.has_value());
        EXPECT_EQ(*state, block);
    }

    auto otherPlugin = vst3;
    otherPlugin[39] = 'F';
    auto cutShort = fxp;
    cutShort.resize(fxp.size() - 1);
    std::vector<char> junk(100, 'x');
    // A file of ours whose block the reader refuses loads nothing, and says so like any other.
    auto unreadable = block;
    unreadable[8] = 'x';
    auto vst3Unreadable = writeVst3PresetFile(unreadable, "Unreadable");
    auto fxpUnreadable = writeFxpFile(unreadable, "Unreadable");
    for (const auto* file :
         {&otherPlugin, &cutShort, &junk, &unreadable, &vst3Unreadable, &fxpUnreadable})
        EXPECT_FALSE(stateFromPresetFile(file->data(), file->size()).has_value());
    EXPECT_FALSE(stateFromPresetFile(vst3.data(), 47).has_value());
}

} // namespace halvo::test
