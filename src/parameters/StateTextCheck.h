#pragma once

#include <string_view>

namespace halvo
{

// Whether JUCE's XML parser may be given this text (which holds no zero byte). Refused: text that
// is not UTF-8 (the parser steps over the bytes a lead byte announces), a DTD (its entities expand
// without limit), a processing instruction inside the root element (followed by text it stalls the
// parser for ever), "&<" (an entity parsed as markup), a hex character reference cut off by the
// end of the text (the parser reads past it) and nesting deeper than the stack can take.
bool isSafeForXmlParser(std::string_view text);

} // namespace halvo
