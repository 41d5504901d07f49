#include "engine/MurmelAudioProcessor.h"
#include "parameters/StateFormat.h"
#include "parameters/StateTextCheck.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace halvo::test
{
namespace
{
std::vector<char> blockWithText(const std::string& text, std::uint32_t length)
{
    std::string bytes = "\x56\x43\x32\x21";
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((length >> shift) & 0xff);
    bytes += text;
    return {bytes.begin(), bytes.end()};
}

std::vector<char> blockWithText(const std::string& text)
{
    auto block = blockWithText(text, static_cast<std::uint32_t>(text.size()));
    block.push_back('\0');
    return block;
}

std::optional<std::vector<StateEntry>> read(const std::vector<char>& block)
{
    return readStateBlock(block.data(), static_cast<int>(block.size()));
}

std::optional<std::vector<StateEntry>> read(const std::string& text)
{
    return read(blockWithText(text));
}

// A processor moved away from the defaults, so that a restore that changes nothing shows.
struct Restored
{
    Restored()
    {
        for (int i = 0; i < numParameters; ++i)
        {
            processor.setParameter(i, 0.25f);
            processor.midiMap[static_cast<std::size_t>(i)].store(40 + i);
        }
        processor.midiChannel.store(5);
        processor.midiLearnEnabled.store(true);
        processor.learnParameterIndex.store(2);
        processor.getStateInformation(before);
        processor.parametersChanged.store(false);
    }

    void restore(const std::vector<char>& block)
    {
        processor.setStateInformation(block.data(), static_cast<int>(block.size()));
    }

    bool unchanged()
    {
        juce::MemoryBlock now;
        processor.getStateInformation(now);
        return now == before && !processor.parametersChanged.load();
    }

    MurmelAudioProcessor processor;
    juce::MemoryBlock before;
};

float parameterRead(const std::string& text)
{
    const auto entries = read("<Root><Gain>" + text + "</Gain></Root>");
    return entries && entries->size() == 1 ? (*entries)[0].parameterValue : -12345.0f;
}

int integerRead(const std::string& text)
{
    const auto entries = read("<Root><midiMapGain>" + text + "</midiMapGain></Root>");
    return entries && entries->size() == 1 ? (*entries)[0].integerValue : -12345;
}
} // namespace

TEST(StateReader, NamesInAnyCaseAndOnlyThePresentKeysApply)
{
    Restored r;
    r.restore(blockWithText("<ROOT><gain>0.5</gain><MIDIMAPFM>12</MIDIMAPFM><midiMapRate>3"
                            "</midiMapRate><midimaposc>5</midimaposc><Unknown>1</Unknown></ROOT>"));
    EXPECT_EQ(r.processor.getParameterValue(gainIndex), 0.5f);
    EXPECT_EQ(r.processor.midiMap[rateIndex].load(), 12);
    EXPECT_EQ(r.processor.getParameterValue(rateIndex), 0.25f);
    EXPECT_EQ(r.processor.midiMap[oscIndex].load(), 5);
    EXPECT_EQ(r.processor.getParameterValue(oscIndex), 0.25f);
    EXPECT_EQ(r.processor.midiMap[gainIndex].load(), 46);
    EXPECT_EQ(r.processor.midiChannel.load(), 5);
    EXPECT_TRUE(r.processor.parametersChanged.load());
    EXPECT_TRUE(r.processor.midiLearnEnabled.load());
    EXPECT_EQ(r.processor.learnParameterIndex.load(), 2);

    Restored onlyUnknown;
    onlyUnknown.restore(blockWithText("<Root><midiMapRate>7</midiMapRate></Root>"));
    EXPECT_TRUE(onlyUnknown.processor.parametersChanged.load());
    onlyUnknown.processor.parametersChanged.store(false);
    EXPECT_TRUE(onlyUnknown.unchanged());
}

TEST(StateReader, EntriesApplyInDocumentOrderAndTheLaterDuplicateWins)
{
    const auto entries = read("<Root><Reverb>0.1</Reverb><idxMidiChannel>17</idxMidiChannel>"
                              "<Reverb>0.7<sub>ignored</sub></Reverb></Root>");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[1].kind, StateEntry::Kind::midiChannel);
    EXPECT_EQ((*entries)[1].integerValue, 17);

    Restored r;
    r.restore(blockWithText("<Root><Reverb>0.1</Reverb><Reverb>0.7</Reverb>"
                            "<idxMidiChannel>17</idxMidiChannel></Root>"));
    EXPECT_EQ(r.processor.getParameterValue(reverbIndex), 0.7f);
    EXPECT_EQ(r.processor.midiChannel.load(), 17);
}

TEST(StateReader, NumbersAreReadAsJuceReadsThem)
{
    EXPECT_EQ(parameterRead(" 0.25"), 0.25f);
    EXPECT_EQ(parameterRead("+.5e1x"), 5.0f);
    EXPECT_EQ(parameterRead("loud"), 0.0f);
    EXPECT_EQ(parameterRead("-1e-3"), -0.001f);
    EXPECT_EQ(parameterRead("<![CDATA[0.75]]>"), 0.75f);
    EXPECT_EQ(integerRead("x"), 0);
    EXPECT_EQ(integerRead("  -12abc"), -12);
    EXPECT_EQ(integerRead("+7"), 7);
    EXPECT_EQ(integerRead("1.9"), 1);

    Restored r;
    r.restore(blockWithText("<Root><Gain>loud</Gain><idxMidiChannel>x</idxMidiChannel></Root>"));
    EXPECT_EQ(r.processor.getParameterValue(gainIndex), 0.0f);
    EXPECT_NEAR(r.processor.outputStage.getGainTarget(), 3.162e-5f, 1e-8f);
    EXPECT_EQ(r.processor.midiChannel.load(), 0);
}

TEST(StateReader, NumbersBeyondTheTypesAreHeldInsteadOfOverflowing)
{
    // 3.40283e+38 is how a save writes floats just below the largest one.
    EXPECT_EQ(parameterRead("3.40283e+38"), FLT_MAX);
    EXPECT_EQ(parameterRead("-1e39"), -FLT_MAX);
    EXPECT_TRUE(std::isinf(parameterRead("1e400")));
    EXPECT_TRUE(std::isinf(parameterRead("1e99999999999")));
    EXPECT_EQ(parameterRead("1e-99999999999"), 0.0f);
    EXPECT_TRUE(std::isnan(parameterRead("nan")));
    EXPECT_EQ(integerRead("99999999999"), INT_MAX);
    EXPECT_EQ(integerRead("-2147483648"), INT_MIN);
    EXPECT_EQ(integerRead("-99999999999999999999999"), INT_MIN);

    Restored r;
    r.restore(blockWithText("<Root><Gain>nan</Gain><Rate>-inf</Rate><Mode>1e400</Mode></Root>"));
    for (const int i : {gainIndex, rateIndex, modeIndex})
        EXPECT_EQ(r.processor.getParameterValue(i), 0.25f);
}

TEST(StateReader, TheTextIsCutAtTheBlocksEndAndAtItsFirstZeroByte)
{
    const std::string text = "<Root><Gain>0.5</Gain><Rate>0.75</Rate></Root>";
    const auto entries = read(blockWithText(text, 100000));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 2u);

    // JUCE's parser lets an unfinished end tag close every open element.
    const auto cutInEndTag = read(blockWithText(text.substr(0, 34), 1000));
    ASSERT_TRUE(cutInEndTag);
    EXPECT_EQ(cutInEndTag->size(), 2u);

    EXPECT_FALSE(read(blockWithText(text.substr(0, 26), 1000)));
    EXPECT_FALSE(read(blockWithText(text, 14)));
    std::string withZero = text;
    withZero[24] = '\0';
    EXPECT_FALSE(read(blockWithText(withZero)));
}

TEST(StateReader, BlocksItCannotReadChangeNothing)
{
    const std::string good = "<Root><Gain>0.5</Gain></Root>";
    auto wrongMagic = blockWithText(good);
    wrongMagic[0] = 0x57;
    auto topBit = blockWithText(good);
    topBit[7] = static_cast<char>(0x80);
    auto zeroLength = blockWithText(good);
    std::memset(zeroLength.data() + 4, 0, 4);

    std::vector<std::vector<char>> unreadable{wrongMagic,
                                              topBit,
                                              zeroLength,
                                              blockWithText("<Root><Gain>0.5</Gain>"),
                                              blockWithText("not xml"),
                                              blockWithText("")};
    const auto full = blockWithText(good);
    for (std::ptrdiff_t size = 0; size <= 8; ++size)
        unreadable.emplace_back(full.begin(), full.begin() + size);

    for (const auto& block : unreadable)
    {
        Restored r;
        r.restore(block);
        EXPECT_TRUE(r.unchanged()) << block.size();
    }
    Restored r;
    r.processor.setStateInformation(nullptr, 100);
    EXPECT_TRUE(r.unchanged());
}

TEST(StateReader, TextThatWouldTripTheXmlParserIsRefused)
{
    const std::string gain = "<Gain>0.5</Gain>";
    const std::vector<std::string> refused{
        "<Root><?pi?>text" + gain + "</Root>",
        "<!DOCTYPE r [<!ENTITY a \"&a;\">]><Root><Gain>&a;</Gain></Root>",
        "<!DOCTYPE r [<!ENTITY a \"&a;\">]><Root a='&a;'>" + gain + "</Root>",
        "<Root>" + gain + "&<Gain>1</Gain>;</Root>",
        "<Root>" + gain + "&#x",
        "<Root>" + gain + "\xc3</Root>",
        "<Root>" + gain + "\xed\xa0\x80</Root>",
        "<Root>" + gain + "\xf0\x9f\x98</Root>",
        "<Root><a>x</a> <?pi?><!-- c --> text" + gain + "</Root>",
    };
    for (const auto& text : refused)
        EXPECT_FALSE(read(text)) << text;

    const std::vector<std::string> accepted{
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n<Root>" + gain + "</Root>\n",
        "<Root a='&lt;&#x41;' b=\"</x>\">" + gain + "<!-- </Root> --></Root>",
        "<Root>" + gain + "</Root><?pi?>text&<<<",
        "<Root>\xc3\xa9\xf0\x9f\x98\x80" + gain + "</Root>",
    };
    for (const auto& text : accepted)
        EXPECT_TRUE(read(text)) << text;
}

TEST(StateReader, WellFormedDocumentsWithoutADangerAreRead)
{
    std::string many;
    for (int i = 0; i < 400; ++i)
        many += "<other>x</other>";
    const std::string gain = "<Gain>0.25</Gain>";
    const std::vector<std::string> documents{
        "<Root version=\"2\">" + many + gain + "</Root>",
        "<Root><note>a &amp; b</note>" + many + gain + "</Root>",
        "<!DOCTYPE Root><Root>" + gain + "</Root>",
        "<!DOCTYPE Root [<!ELEMENT Root ANY>]><Root>" + gain + "</Root>",
        "<!DOCTYPE Root SYSTEM \"a[1].dtd\"><Root>" + gain + "</Root>",
        "<Root><?editor keep?>" + gain + "<?editor end?></Root>",
        "<Root>text <?pi?> <other/>" + gain + "</Root>",
    };
    for (const auto& text : documents)
    {
        const auto entries = read(text);
        ASSERT_TRUE(entries) << text.substr(0, 60);
        ASSERT_FALSE(entries->empty());
        EXPECT_EQ(entries->back().parameterIndex, gainIndex);
        EXPECT_EQ(entries->back().parameterValue, 0.25f);
    }
}

namespace
{
// Whether the process-wide pool of names held this name before the call.
bool isPooled(const char* name)
{
    const juce::String probe(name);
    return juce::StringPool::getGlobalPool().getPooledString(probe).getCharPointer() !=
           probe.getCharPointer();
}
} // namespace

TEST(StateReader, ManyDistinctNamesAreRefusedAndARefusedBlockPoolsNone)
{
    // With "Root", "v" and "Gain", as many names as are read; elements and attributes share the
    // pool, so one name more of either kind is one too many.
    std::string unknown;
    for (std::size_t i = 0; i + 3 < maximumDistinctNames; ++i)
        unknown += "<u" + std::to_string(i) + " v='1'/>";
    const auto gain = read("<Root>" + unknown + "<Gain>0.25</Gain></Root>");
    ASSERT_TRUE(gain);
    EXPECT_EQ(gain->back().parameterValue, 0.25f);
    EXPECT_FALSE(read("<Root>" + unknown + "<Gain x='0'>0.25</Gain></Root>"));

    EXPECT_FALSE(read("<Root>" + unknown + "<refusedByTheCheck1/><Gain/></Root>"));
    EXPECT_FALSE(isPooled("refusedByTheCheck1"));
    const std::string unclosed = "<Root><refusedByTheParser1 refusedByTheParser2='1'/>";
    EXPECT_TRUE(isSafeForXmlParser(unclosed));
    EXPECT_FALSE(read(unclosed));
    EXPECT_FALSE(isPooled("refusedByTheParser1"));
    EXPECT_FALSE(isPooled("refusedByTheParser2"));

    // Repeating names costs nothing in the pool, however often.
    std::string repeated = "<Root>";
    while (repeated.size() < 1000000)
        repeated += "<other a='1'/>";
    EXPECT_TRUE(read(repeated + "</Root>"));
}

TEST(StateReader, NestingIsBoundedAndLargeFlatDocumentsStayQuick)
{
    auto nested = [](int depth)
    {
        std::string text;
        for (int i = 0; i < depth - 1; ++i)
            text += "<a>";
        text += "<Gain>0.5";
        for (int i = 0; i < depth; ++i)
            text += "</a>";
        return text;
    };
    EXPECT_TRUE(read(nested(256)));
    EXPECT_FALSE(read(nested(257)));
    EXPECT_FALSE(read(nested(200000)));

    // Attributes, references and comments on every level change nothing about the depth.
    auto decorated = [](int depth)
    {
        std::string text;
        for (int i = 0; i < depth - 1; ++i)
            text += "<a k='&#x41;>' n=\"&amp;\">&lt;<!-- <b> --><?pi?>";
        text += "<Gain>0.5";
        for (int i = 0; i < depth; ++i)
            text += "</a>";
        return text;
    };
    EXPECT_TRUE(read(decorated(256)));
    EXPECT_FALSE(read(decorated(257)));

    // Closing tags hidden where the parser does not see them must not hide the depth.
    std::string opened;
    for (int i = 0; i < 100000; ++i)
        opened += "<a>";
    const std::string closed(4000, '>');
    EXPECT_FALSE(read("<Root x='" + closed + "</a></a></a>'>" + opened));
    EXPECT_FALSE(read("<Root><!-- </a></a></a> -->" + opened));
    EXPECT_FALSE(read("<Root><![CDATA[</a></a></a>]]>" + opened));
    EXPECT_FALSE(read("<Root>&x</a></a></a>;" + opened));

    std::string flat = "<Root>";
    while (flat.size() < 1000000)
        flat += "<Gain>0.5</Gain><other>x</other>";
    const auto start = std::chrono::steady_clock::now();
    const auto entries = read(flat + "</Root>");
    ASSERT_TRUE(entries);
    EXPECT_GT(entries->size(), 20000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    EXPECT_FALSE(read(flat + std::string(1 << 20, ' ') + "</Root>"));

    // Each '&' without a ';' after it makes the parser search the rest of the text again.
    const auto searchesAgain = std::chrono::steady_clock::now();
    EXPECT_FALSE(read("<Root>" + std::string(1000000, '&') + " </Root>"));
    EXPECT_LT(std::chrono::steady_clock::now() - searchesAgain, std::chrono::seconds(5));
}

// Texts that make the parser read the rest of the text again for every few characters: the check
// reads each of them a bounded number of times, and lets through only what the parser reads again
// up to a fixed amount, so no block up to the size limit keeps a host busy.
TEST(StateReader, TheCheckAndWhatItLetsThroughStayLinearInTheTextsSize)
{
    auto repeated = [](const std::string& piece, std::size_t count)
    {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const std::pair<std::string, std::string> families[] = {
        {"<Root ", "<!--b=\""},              // comments without an end inside a start tag
        {"<Root ", "<?b=\""},                // instructions without an end inside a start tag
        {"<Root a='", "&lt;"},               // an attribute value growing one reference at a time
        {"<Root a='", "x&#65;"},             // ... text and references in turn
        {"<Root>", "&"},                     // references without a ';'
        {repeated("<a>", 256) + "</", "xx"}, // a cut closing tag that every open element searches
    };
    for (const auto& [start, piece] : families)
        for (const std::size_t count : {100u, 3000u, 40000u, 150000u})
        {
            const std::string text = start + repeated(piece, count);
            XmlParserWork work;
            const bool safe = isSafeForXmlParser(text, work);
            EXPECT_LE(work.check, 16 * text.size()) << piece << " x " << count;
            EXPECT_TRUE(!safe || work.parserRepeats <= maximumParserRepeats)
                << piece << " x " << count;
            if (count != 3000)
            {
                EXPECT_EQ(safe, count == 100) << piece << " x " << count;
            }
        }

    // Distinct element or attribute names, in either order: the parser pools every one of them.
    auto distinctNames = [](bool attributes, bool descending, std::size_t count)
    {
        std::string text = attributes ? "<Root" : "<Root>";
        for (std::size_t i = 0; i < count; ++i)
        {
            text += attributes ? " n" : "<n";
            text += std::to_string(descending ? count - i : i);
            text += attributes ? "='1'" : "/>";
        }
        return text + (attributes ? "/>" : "</Root>");
    };
    for (const bool attributes : {false, true})
        for (const bool descending : {false, true})
            for (const std::size_t count : {100u, 3000u, 40000u, 150000u})
            {
                const std::string text = distinctNames(attributes, descending, count);
                XmlParserWork work;
                const bool safe = isSafeForXmlParser(text, work);
                EXPECT_LE(work.check, 16 * text.size()) << text.substr(0, 20) << " x " << count;
                EXPECT_LE(work.distinctNames, maximumDistinctNames);
                EXPECT_EQ(safe, count == 100) << text.substr(0, 20) << " x " << count;
            }

    // What a plug-in writes costs the parser nothing twice.
    XmlParserWork work;
    EXPECT_TRUE(isSafeForXmlParser(
        "<?xml version=\"1.0\"?><Root><Gain>0.5</Gain><midiMapGain>-1</midiMapGain></Root>", work));
    EXPECT_EQ(work.parserRepeats, 0u);
}

} // namespace halvo::test
