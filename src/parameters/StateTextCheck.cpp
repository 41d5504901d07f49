#include "parameters/StateTextCheck.h"

#include <juce_core/juce_core.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace halvo
{
namespace
{
// The parser recurses once per nesting level, and so do the tree's destructor and text gathering.
constexpr int maximumNestingDepth = 256;

bool isContinuationByte(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool isUtf8(std::string_view text)
{
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char lowest = 0x80;
        unsigned char highest = 0xbf;
        if (lead >= 0xc2 && lead <= 0xdf)
            length = 2;
        else if (lead >= 0xe0 && lead <= 0xef)
        {
            length = 3;
            lowest = lead == 0xe0 ? 0xa0 : 0x80;
            highest = lead == 0xed ? 0x9f : 0xbf;
        }
        else if (lead >= 0xf0 && lead <= 0xf4)
        {
            length = 4;
            lowest = lead == 0xf0 ? 0x90 : 0x80;
            highest = lead == 0xf4 ? 0x8f : 0xbf;
        }
        else
            return false;

        if (size - i < length)
            return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < lowest || second > highest)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (!isContinuationByte(static_cast<unsigned char>(text[i + k])))
                return false;
        i += length;
    }
    return true;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The parser reads up to eight hex digits of "&#x" and then steps over one more character, even
// when that is the end of the text.
bool endsInsideHexReference(std::string_view text)
{
    for (auto at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 1))
    {
        std::size_t i = at + 2;
        if (i >= text.size() || (text[i] != 'x' && text[i] != 'X'))
            continue;
        ++i;
        for (int digits = 0; digits < 8 && i < text.size() && isHexDigit(text[i]); ++digits)
            ++i;
        if (i == text.size())
            return true;
    }
    return false;
}

// Walks the text exactly as JUCE 7's XmlDocument reads it (same steps, same character classes),
// without building anything, and notes what would hurt the parser on the way. It stops where the
// parser stops: at the end of the root element or when the parser runs out of text.
class ParserWalk
{
public:
    explicit ParserWalk(std::string_view utf8)
    {
        text.reserve(utf8.size() + 1);
        const auto source = juce::CharPointer_UTF8(utf8.data());
        for (auto p = source; static_cast<std::size_t>(p.getAddress() - utf8.data()) < utf8.size();)
            text.push_back(static_cast<char32_t>(p.getAndAdvance()));
        text.push_back(0);
    }

    bool isSafe()
    {
        if (readPrologue())
            readElement();
        return !refused;
    }

private:
    static constexpr auto none = std::u32string_view::npos;
    // Characters the parser may compare while it searches for a ';' that is not there; a few
    // such entities are harmless, a text full of them keeps the host busy for minutes.
    static constexpr std::size_t maximumSearchWork = std::size_t{1} << 25;

    char32_t charAt(std::size_t index) const { return index < text.size() ? text[index] : 0; }
    char32_t at(std::size_t offset = 0) const { return charAt(position + offset); }

    static bool isWhitespace(char32_t c)
    {
        return juce::CharacterFunctions::isWhitespace(static_cast<juce::juce_wchar>(c));
    }

    static bool isIdentifierChar(char32_t c)
    {
        static constexpr std::uint32_t legal[] = {0, 0x7ff6000, 0x87fffffe, 0x7fffffe, 0};
        if (c < 160)
            return (legal[c >> 5] & (std::uint32_t{1} << (c & 31))) != 0;
        return juce::CharacterFunctions::isLetterOrDigit(static_cast<juce::juce_wchar>(c)) ||
               c == '_' || c == '-' || c == ':' || c == '.';
    }

    bool startsWith(std::u32string_view prefix, std::size_t offset = 0) const
    {
        for (std::size_t k = 0; k < prefix.size(); ++k)
            if (at(offset + k) != prefix[k])
                return false;
        return true;
    }

    bool matchesIgnoringCase(std::size_t index, std::u32string_view word) const
    {
        using juce::CharacterFunctions;
        for (std::size_t k = 0; k < word.size(); ++k)
            if (CharacterFunctions::toUpperCase(static_cast<juce::juce_wchar>(charAt(index + k))) !=
                CharacterFunctions::toUpperCase(static_cast<juce::juce_wchar>(word[k])))
                return false;
        return true;
    }

    std::size_t find(std::u32string_view wanted) const
    {
        return std::u32string_view(text.data(), text.size() - 1).find(wanted, position);
    }

    char32_t readNextChar()
    {
        const char32_t c = at();
        if (c == 0)
            outOfData = true;
        else
            ++position;
        return c;
    }

    std::size_t endOfToken() const
    {
        std::size_t end = position;
        while (end < text.size() && isIdentifierChar(text[end]))
            ++end;
        return end;
    }

    void skipNextWhiteSpace()
    {
        for (;;)
        {
            while (isWhitespace(at()))
                ++position;
            if (at() == 0)
            {
                outOfData = true;
                return;
            }
            if (at() == '<' && startsWith(U"!--", 1))
            {
                if (!skipPast(4, U"-->"))
                    return;
                continue;
            }
            if (at() == '<' && at(1) == '?')
            {
                if (!skipPast(2, U"?>"))
                    return;
                continue;
            }
            return;
        }
    }

    // Steps over an opening of the given length and past the terminator; out of data without it.
    bool skipPast(std::size_t opening, std::u32string_view terminator)
    {
        position += opening;
        const auto found = find(terminator);
        if (found == none)
        {
            outOfData = true;
            return false;
        }
        position = found + terminator.size();
        return true;
    }

    // What precedes the root element (the XML declaration is skipped like any processing
    // instruction) and a DTD. False when the parser gives up before the root element.
    bool readPrologue()
    {
        skipNextWhiteSpace();
        if (!startsWith(U"<!DOCTYPE"))
            return true;

        position += 9;
        const std::size_t dtdStart = position;
        for (int open = 1; open > 0;)
        {
            const char32_t c = readNextChar();
            if (outOfData)
                return false;
            open += c == '<' ? 1 : (c == '>' ? -1 : 0);
        }
        // The parser reads declarations only from an internal subset: its entities expand, each
        // inside the other, without limit, and every unknown reference and parameter entity is
        // looked up against all of it. A DTD without one (<!DOCTYPE Root>) is harmless.
        for (std::size_t i = dtdStart; i < position && !refused; ++i)
            refused = text[i] == '[';
        return !refused;
    }

    // False where the parser gets no element.
    bool readElement()
    {
        skipNextWhiteSpace();
        if (outOfData || at() != '<')
            return false;
        ++position;
        if (endOfToken() == position)
        {
            skipNextWhiteSpace();
            if (endOfToken() == position)
                return false;
        }
        position = endOfToken();

        for (;;)
        {
            skipNextWhiteSpace();
            const char32_t c = at();
            if (c == '/' && at(1) == '>')
            {
                position += 2;
                return true;
            }
            if (c == '>')
            {
                ++position;
                readChildren();
                return true;
            }
            if (!isIdentifierChar(c))
                return true;

            position = endOfToken();
            skipNextWhiteSpace();
            if (readNextChar() != '=')
                return true;
            skipNextWhiteSpace();
            if (at() != '"' && at() != '\'')
                return true;
            readQuotedString();
        }
    }

    void readQuotedString()
    {
        const char32_t quote = readNextChar();
        while (!outOfData)
        {
            const char32_t c = readNextChar();
            if (c == quote)
                return;
            // The parser steps back here even when it found the end of the text.
            --position;
            if (c == '&')
            {
                readEntity(false);
                continue;
            }
            for (;; ++position)
            {
                if (at() == quote)
                {
                    ++position;
                    return;
                }
                if (at() == '&')
                    break;
                if (at() == 0)
                {
                    outOfData = true;
                    break;
                }
            }
        }
    }

    void readChildren()
    {
        if (++depth > maximumNestingDepth)
        {
            refused = true;
            return;
        }
        while (!refused && !closedByCutText)
        {
            const std::size_t beforeWhitespace = position;
            skipNextWhiteSpace();
            if (outOfData)
                break;
            if (at() == '<' && at(1) == '/')
            {
                // Without a '>' every open element ends here, and so does the document.
                const auto closing = find(U">");
                if (closing == none)
                    closedByCutText = true;
                else
                    position = closing + 1;
                break;
            }
            if (at() == '<' && startsWith(U"![CDATA[", 1))
            {
                if (!skipPast(9, U"]]>"))
                    position = text.size() - 1;
            }
            else if (at() == '<')
            {
                if (!readElement())
                    break;
            }
            else
            {
                position = beforeWhitespace;
                if (!readText())
                    break;
            }
        }
        --depth;
    }

    // Character data up to the next markup. False when the parser leaves the element here.
    bool readText()
    {
        for (;;)
        {
            const char32_t c = at();
            if (c == '<')
            {
                if (startsWith(U"!--", 1))
                {
                    if (!skipPast(4, U"-->"))
                        return false;
                    continue;
                }
                if (at(1) == '?')
                    refused = instructionLeadsToText();
                return true;
            }
            if (c == 0)
            {
                outOfData = true;
                return false;
            }
            if (c == '&')
                readEntity(true);
            else
                ++position;
            if (refused)
                return false;
        }
    }

    // The parser skips a processing instruction (and what white space, comments and further
    // instructions follow) when it looks for markup; if text comes next, it goes back to read
    // the text from the instruction, stops at the instruction again, and goes round for ever.
    bool instructionLeadsToText()
    {
        const std::size_t instruction = position;
        const bool wasOutOfData = outOfData;
        skipNextWhiteSpace();
        const bool leadsToText = !outOfData && at() != '<';
        position = instruction;
        outOfData = wasOutOfData;
        return leadsToText;
    }

    void readEntity(bool inText)
    {
        ++position;
        for (const std::u32string_view known : {U"amp;", U"quot;", U"apos;", U"lt;", U"gt;"})
            if (matchesIgnoringCase(position, known))
            {
                position += known.size();
                return;
            }

        if (at() == '#')
        {
            ++position;
            if (at() == 'x' || at() == 'X')
            {
                ++position;
                for (int digits = 0; at() != ';'; ++position)
                    if (juce::CharacterFunctions::getHexDigitValue(
                            static_cast<juce::juce_wchar>(at())) < 0 ||
                        ++digits > 8)
                        break;
            }
            else if (at() >= '0' && at() <= '9')
            {
                for (int digits = 0; at() != ';'; ++position)
                    if (at() == 0)
                        return;
                    else if (++digits > 12)
                        break;
            }
            else
                return;
            // Past the ';' or over whatever stopped the digits (never the end: see above).
            if (at() != 0)
                ++position;
            return;
        }

        const auto semicolon = find(U";");
        if (semicolon == none)
        {
            outOfData = true;
            searchWork += text.size() - position;
            refused = searchWork > maximumSearchWork;
            return;
        }
        // An unknown name stands for itself, and text starting with '<' is parsed as markup.
        if (inText && at() == '<' && semicolon > position + 1)
            refused = true;
        position = semicolon + 1;
    }

    std::u32string text;
    std::size_t position = 0;
    int depth = 0;
    std::size_t searchWork = 0;
    bool outOfData = false;
    bool closedByCutText = false;
    bool refused = false;
};
} // namespace

bool isSafeForXmlParser(std::string_view text)
{
    return isUtf8(text) && !endsInsideHexReference(text) && ParserWalk(text).isSafe();
}

} // namespace halvo
