#pragma once

#include <cstddef>
#include <string_view>

namespace halvo
{

// Whether JUCE's XML parser may be given this text (which holds no zero byte). Refused only for
// what hurts the parser: text that is not UTF-8 (it steps over the bytes a lead byte announces),
// a hex character reference cut off by the end of the text (it reads past it), a DTD with an
// internal subset when the text refers to an entity it would look up there (its entities expand
// without limit), a processing instruction followed by text inside an element (the parser stalls
// for ever), an entity it would parse as markup, text that makes the parser read the same
// characters again and again beyond a fixed amount (searches that fail at the end of the text,
// attribute values copied whole for every piece appended), and elements nested deeper than the
// stack can take, and more distinct element and attribute names than any saved state holds (the
// parser pools them process-wide at a cost that grows with the square of their number).
bool isSafeForXmlParser(std::string_view text);

// What judging a text took and what parsing it would take, in characters stepped over.
struct XmlParserWork
{
    // Characters the check itself read: a few passes over the text at most.
    std::size_t check = 0;
    // Characters the parser would read more than once.
    std::size_t parserRepeats = 0;
    // Distinct element and attribute names the parser would add to its pool.
    std::size_t distinctNames = 0;
};

// The most the parser may read again: tens of milliseconds at the parser's slowest.
inline constexpr std::size_t maximumParserRepeats = std::size_t{1} << 23;

// A saved block holds about a dozen names; unknown elements by the hundreds are still read.
inline constexpr std::size_t maximumDistinctNames = 1024;

bool isSafeForXmlParser(std::string_view text, XmlParserWork& work);

} // namespace halvo
