#include "parameters/StateTextCheck.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
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
// parser stops: at the end of the root element or when the parser runs out of text. Where the
// parser repeats a search that cannot succeed, the walk knows at once and only counts the cost.
class ParserWalk
{
public:
    ParserWalk(std::string_view utf8, XmlParserWork& workDone) : work(workDone)
    {
        text.reserve(utf8.size() + 1);
        const auto source = juce::CharPointer_UTF8(utf8.data());
        for (auto p = source; static_cast<std::size_t>(p.getAddress() - utf8.data()) < utf8.size();)
            text.push_back(static_cast<char32_t>(p.getAndAdvance()));
        text.push_back(0);
        const std::u32string_view all(text.data(), text.size() - 1);
        for (std::size_t mark = 0; mark < std::size(marks); ++mark)
            lastMark[mark] = all.rfind(marks[mark]);
        work.check += text.size() * (1 + std::size(marks));
    }

    bool isSafe()
    {
        if (readPrologue())
            readElement();
        return !refused;
    }

private:
    static constexpr auto none = std::u32string_view::npos;

    // What the parser searches for.
    enum Mark : std::size_t
    {
        commentEnd,
        instructionEnd,
        cdataEnd,
        tagEnd,
        entityEnd
    };
    static constexpr std::u32string_view marks[] = {U"-->", U"?>", U"]]>", U">", U";"};

    char32_t charAt(std::size_t index) const
    {
        ++work.check;
        return index < text.size() ? text[index] : 0;
    }
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

    // Where the mark starts from the position on; past its last occurrence that is known at once.
    std::size_t find(Mark mark) const
    {
        if (lastMark[mark] == none || lastMark[mark] < position)
            return none;
        const auto found =
            std::u32string_view(text.data(), text.size() - 1).find(marks[mark], position);
        work.check += found + marks[mark].size() - position;
        return found;
    }

    std::size_t charactersLeft() const
    {
        return position < text.size() ? text.size() - 1 - position : 0;
    }

    // The parser reads these characters once more; past a limit the text is not worth its time.
    void repeat(std::size_t characters)
    {
        work.parserRepeats += characters;
        if (work.parserRepeats > maximumParserRepeats)
            refused = true;
    }

    // Element and attribute names go into one process-wide pool, kept sorted: each new name is
    // inserted by moving every name after it, so the parser's time grows with the square of the
    // number of distinct names. Past a number no saved state comes near, the text is refused.
    void notePooledName(std::size_t start, std::size_t end)
    {
        const std::u32string_view name(text.data() + start, end - start);
        if (pooledNames.size() < maximumDistinctNames)
            pooledNames.insert(name);
        else if (pooledNames.find(name) == pooledNames.end())
            refused = true;
        work.distinctNames = pooledNames.size();
    }

    // Orders names by their characters, counting the characters each comparison reads.
    struct CountingOrder
    {
        std::size_t* counted;
        bool operator()(std::u32string_view a, std::u32string_view b) const
        {
            const auto shorter = std::min(a.size(), b.size());
            std::size_t same = 0;
            while (same < shorter && a[same] == b[same])
                ++same;
            *counted += same + 1;
            return same < shorter ? a[same] < b[same] : a.size() < b.size();
        }
    };

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
        while (end < text.size() && isIdentifierChar(charAt(end)))
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
                if (!skipPast(4, commentEnd))
                    return;
                continue;
            }
            if (at() == '<' && at(1) == '?')
            {
                if (!skipPast(2, instructionEnd))
                    return;
                continue;
            }
            return;
        }
    }

    // Steps over an opening of the given length and past the mark; out of data without it, after
    // the parser searched the rest of the text (and, left inside a start tag, goes on reading).
    bool skipPast(std::size_t opening, Mark mark)
    {
        position += opening;
        const auto found = find(mark);
        if (found == none)
        {
            repeat(charactersLeft());
            outOfData = true;
            return false;
        }
        position = found + marks[mark].size();
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
        // The parser reads declarations only from an internal subset, and only when the text
        // refers to an entity it does not know: then its entities expand, each inside the other,
        // without limit, and every reference and parameter entity is looked up against all of it.
        for (std::size_t i = dtdStart; i < position && !dtdHasSubset; ++i)
            dtdHasSubset = charAt(i) == '[';
        return true;
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
        notePooledName(position, endOfToken());
        position = endOfToken();

        while (!refused)
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

            const std::size_t nameStart = position;
            position = endOfToken();
            const std::size_t nameEnd = position;
            skipNextWhiteSpace();
            if (readNextChar() != '=')
                return true;
            skipNextWhiteSpace();
            if (at() != '"' && at() != '\'')
                return true;
            notePooledName(nameStart, nameEnd);
            readQuotedString();
        }
        return true;
    }

    // The parser appends the value piece by piece (text runs and references) to a string that
    // grows by exactly the piece, so every piece copies all that came before it.
    void readQuotedString()
    {
        const char32_t quote = readNextChar();
        std::size_t valueLength = 0;
        while (!outOfData && !refused)
        {
            const char32_t c = readNextChar();
            if (c == quote)
                return;
            // The parser steps back here even when it found the end of the text.
            --position;
            const std::size_t pieceStart = position;
            if (c == '&')
                readEntity(false);
            else
                for (;; ++position)
                {
                    if (at() == quote || at() == '&')
                        break;
                    if (at() == 0)
                    {
                        outOfData = true;
                        return;
                    }
                }
            repeat(valueLength);
            valueLength += position - pieceStart;
            if (at() == quote && c != '&')
            {
                ++position;
                return;
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
                // Without a '>' every open element ends here, and so does the document, after
                // each of them searched the rest of the text for it.
                const auto closing = find(tagEnd);
                if (closing == none)
                {
                    closedByCutText = true;
                    repeat(charactersLeft() * static_cast<std::size_t>(depth));
                }
                else
                    position = closing + 1;
                break;
            }
            if (at() == '<' && startsWith(U"![CDATA[", 1))
            {
                if (!skipPast(9, cdataEnd))
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
                    if (!skipPast(4, commentEnd))
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

        const auto semicolon = find(entityEnd);
        if (semicolon == none)
        {
            outOfData = true;
            repeat(charactersLeft());
            return;
        }
        // An unknown name is looked up in the DTD; if none declares it, it stands for itself, and
        // text starting with '<' is parsed as markup.
        if (dtdHasSubset || (inText && at() == '<' && semicolon > position + 1))
            refused = true;
        position = semicolon + 1;
    }

    XmlParserWork& work;
    std::u32string text;
    std::set<std::u32string_view, CountingOrder> pooledNames{CountingOrder{&work.check}};
    std::size_t lastMark[std::size(marks)] = {};
    std::size_t position = 0;
    int depth = 0;
    bool dtdHasSubset = false;
    bool outOfData = false;
    bool closedByCutText = false;
    bool refused = false;
};
} // namespace

bool isSafeForXmlParser(std::string_view text, XmlParserWork& work)
{
    return isUtf8(text) && !endsInsideHexReference(text) && ParserWalk(text, work).isSafe();
}

bool isSafeForXmlParser(std::string_view text)
{
    XmlParserWork work;
    return isSafeForXmlParser(text, work);
}

} // namespace halvo
