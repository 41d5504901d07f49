#pragma once

#include <string_view>

namespace halvo
{

// Whether JUCE's XML parser may be given this text (which holds no zero byte). Refused only for
// what hurts the parser: text that is not UTF-8 (it steps over the bytes a lead byte announces),
// a hex character reference cut off by the end of the text (it reads past it), a DTD with an
// internal subset (its entities expand without limit), a processing instruction followed by text
// inside an element (the parser stalls for ever), an entity it would parse as markup, entities
// without their ';' that would make it search the rest of the text again and again, and
// elements nested deeper than the stack can take.
bool isSafeForXmlParser(std::string_view text);

} // namespace halvo
