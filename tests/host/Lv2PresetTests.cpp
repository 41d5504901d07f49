// The factory presets as LV2 hosts apply them: the built bundle read by the system's lilv (the
// library Ardour uses), each preset restored into an instance of the plug-in through lilv, and the
// plug-in's state read back through its own state interface.
#include "parameters/StateFormat.h"
#include "presets/FactoryPresets.h"

#include <juce_core/juce_core.h>

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace halvo::test
{
namespace
{
class UridMap
{
public:
    LV2_URID map(const char* uri)
    {
        const auto [entry, added] = ids.try_emplace(uri, static_cast<LV2_URID>(ids.size() + 1));
        return entry->second;
    }

    LV2_URID_Map feature{this, [](LV2_URID_Map_Handle self, const char* uri)
                         { return static_cast<UridMap*>(self)->map(uri); }};

private:
    std::map<std::string, LV2_URID> ids;
};

// What JUCE's LV2 client asks of its host: URIDs, bounded blocks and the largest block length.
struct HostFeatures
{
    explicit HostFeatures(UridMap& uris)
        : options{{LV2_OPTIONS_INSTANCE, 0, uris.map(LV2_BUF_SIZE__maxBlockLength),
                   sizeof(maxBlockLength), uris.map(LV2_ATOM__Int), &maxBlockLength},
                  {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}},
          map{LV2_URID__map, &uris.feature}, bounded{LV2_BUF_SIZE__boundedBlockLength, nullptr},
          optionsFeature{LV2_OPTIONS__options, options}, list{&map, &bounded, &optionsFeature,
                                                              nullptr}
    {
    }

    std::int32_t maxBlockLength = 512;
    LV2_Options_Option options[2];
    LV2_Feature map, bounded, optionsFeature;
    const LV2_Feature* list[4];
};

struct StringNode
{
    explicit StringNode(LilvNode* n) : node(n) {}
    ~StringNode() { lilv_node_free(node); }
    std::string text() const { return node != nullptr ? lilv_node_as_string(node) : ""; }
    LilvNode* node;
};

// The plug-in's state after a restore, as its own state interface stores it.
std::optional<std::vector<StateEntry>> savedStateOf(LilvInstance* instance, UridMap& uris,
                                                    const LV2_Feature* const* features)
{
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance, LV2_STATE__interface));
    if (state == nullptr)
        return std::nullopt;

    struct Store
    {
        LV2_URID key;
        juce::String text;
    } store{uris.map((std::string(HALVO_LV2_URI) + ":StateString").c_str()), {}};
    state->save(
        lilv_instance_get_handle(instance),
        [](LV2_State_Handle handle, std::uint32_t key, const void* value, std::size_t size,
           std::uint32_t, std::uint32_t)
        {
            auto& target = *static_cast<Store*>(handle);
            if (key == target.key)
                target.text =
                    juce::String::fromUTF8(static_cast<const char*>(value), static_cast<int>(size));
            return LV2_STATE_SUCCESS;
        },
        &store, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, features);

    juce::MemoryBlock block;
    if (!block.fromBase64Encoding(store.text))
        return std::nullopt;
    return readStateBlock(block.getData(), static_cast<int>(block.getSize()));
}

class BundlePresets : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto bundle = juce::File(HALVO_LV2_BUNDLE);
        const auto bundleUri = juce::URL(bundle).toString(false) + "/";
        StringNode bundleNode(lilv_new_uri(world.get(), bundleUri.toRawUTF8()));
        lilv_world_load_bundle(world.get(), bundleNode.node);
        StringNode pluginUri(lilv_new_uri(world.get(), HALVO_LV2_URI));
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world.get()), pluginUri.node);
        ASSERT_NE(plugin, nullptr) << "no plug-in " << HALVO_LV2_URI << " in " << bundleUri;
    }

    std::string valueOf(const LilvNode* subject, const char* predicate)
    {
        StringNode property(lilv_new_uri(world.get(), predicate));
        StringNode value(lilv_world_get(world.get(), subject, property.node, nullptr));
        return value.text();
    }

    std::unique_ptr<LilvWorld, decltype(&lilv_world_free)> world{lilv_world_new(),
                                                                 &lilv_world_free};
    const LilvPlugin* plugin = nullptr;
};

TEST_F(BundlePresets, EachIsListedAndSetsItsParametersWhenLilvRestoresIt)
{
    UridMap uris;
    HostFeatures features(uris);
    StringNode presetClass(lilv_new_uri(world.get(), LV2_PRESETS__Preset));
    LilvNodes* related = lilv_plugin_get_related(plugin, presetClass.node);
    std::map<std::string, const LilvNode*> presetsByLabel;
    LILV_FOREACH(nodes, i, related)
    {
        const LilvNode* preset = lilv_nodes_get(related, i);
        lilv_world_load_resource(world.get(), preset);
        presetsByLabel[valueOf(preset, LILV_NS_RDFS "label")] = preset;
    }

    // The factory presets, and the one program's preset, which resets every value.
    std::vector<FactoryPreset> expected(factoryPresets().begin(), factoryPresets().end());
    FactoryPreset defaults{"Default", "", {}};
    for (std::size_t index = 0; index < defaults.values.size(); ++index)
        defaults.values[index] = parameterTable[index].defaultValue;
    expected.push_back(defaults);
    EXPECT_EQ(presetsByLabel.size(), expected.size());

    for (const auto& preset : expected)
    {
        SCOPED_TRACE(preset.name);
        ASSERT_EQ(presetsByLabel.count(preset.name), 1u);
        const LilvNode* node = presetsByLabel[preset.name];
        if (*preset.description != '\0')
        {
            EXPECT_EQ(valueOf(node, LILV_NS_RDFS "comment"), preset.description);
        }

        LilvState* state = lilv_state_new_from_world(world.get(), &uris.feature, node);
        ASSERT_NE(state, nullptr);
        LilvInstance* instance = lilv_plugin_instantiate(plugin, 44100.0, features.list);
        ASSERT_NE(instance, nullptr);
        lilv_state_restore(
            state, instance, [](const char*, void*, const void*, std::uint32_t, std::uint32_t) {},
            nullptr, 0, features.list);

        const auto entries = savedStateOf(instance, uris, features.list);
        ASSERT_TRUE(entries.has_value());
        int parametersSeen = 0;
        for (const auto& entry : *entries)
            if (entry.kind == StateEntry::Kind::parameter)
            {
                ++parametersSeen;
                EXPECT_EQ(entry.parameterValue,
                          preset.values[static_cast<std::size_t>(entry.parameterIndex)])
                    << parameterTable[static_cast<std::size_t>(entry.parameterIndex)].name;
            }
        EXPECT_EQ(parametersSeen, numParameters);

        lilv_instance_free(instance);
        lilv_state_free(state);
    }
    lilv_nodes_free(related);
}

} // namespace
} // namespace halvo::test
