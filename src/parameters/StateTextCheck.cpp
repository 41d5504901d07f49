#include "parameters/StateTextCheck.h"

#include <cstddef>

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

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == ':' || c == '.';
}

// Follows the parser through the plain part of a document: elements without attributes, text
// without references, comments and CDATA sections. Anything else makes the rest of the text count
// as if every '>' in it opened one more level, a bound the parser cannot exceed.
class NestingScan
{
public:
    explicit NestingScan(std::string_view textToScan) : text(textToScan) {}

    bool staysWithinLimit()
    {
        const std::size_t root = skipProlog();
        if (root == std::string_view::npos)
            return true;
        if (text.substr(root).starts_with("<!DOCTYPE"))
            return false;
        return scanElements(root);
    }

private:
    static constexpr auto none = std::string_view::npos;

    bool startsAt(std::size_t at, std::string_view prefix) const
    {
        return text.substr(at).starts_with(prefix);
    }

    // Skips what precedes the root element as the parser does: white space, comments and
    // processing instructions (the XML declaration among them). Returns where the root may start,
    // or none when the parser runs out of text first.
    std::size_t skipProlog() const
    {
        std::size_t i = 0;
        while (i < text.size())
        {
            if (isSpace(text[i]))
                ++i;
            else if (startsAt(i, "<!--"))
                i = skipPast(i + 4, "-->");
            else if (startsAt(i, "<?"))
                i = skipPast(i + 2, "?>");
            else
                return i;
        }
        return none;
    }

    std::size_t skipPast(std::size_t from, std::string_view terminator) const
    {
        const auto at = text.find(terminator, from);
        return at == none ? text.size() : at + terminator.size();
    }

    bool scanElements(std::size_t i)
    {
        while (i < text.size())
        {
            const char c = text[i];
            if (c == '&')
                return boundRest(i);
            if (c != '<')
            {
                ++i;
                continue;
            }
            if (depth > 0 && startsAt(i, "<!--"))
                i = skipPast(i + 4, "-->");
            else if (depth > 0 && startsAt(i, "<![CDATA["))
                i = skipPast(i + 9, "]]>");
            else if (depth > 0 && startsAt(i, "<?"))
                return false;
            else if (depth > 0 && startsAt(i, "</"))
            {
                if (--depth == 0)
                    return true;
                i = skipPast(i + 2, ">");
            }
            else if (i + 1 < text.size() && isNameChar(text[i + 1]))
            {
                if (++depth > maximumNestingDepth)
                    return false;
                i += 2;
                while (i < text.size() && isNameChar(text[i]))
                    ++i;
                while (i < text.size() && isSpace(text[i]))
                    ++i;
                if (startsAt(i, ">"))
                    ++i;
                else if (startsAt(i, "/>"))
                {
                    if (--depth == 0)
                        return true;
                    i += 2;
                }
                else if (i < text.size())
                    return boundRest(i);
            }
            else
                return boundRest(i);
        }
        return true;
    }

    bool boundRest(std::size_t from) const
    {
        const auto rest = text.substr(from);
        if (rest.find("<?") != none || rest.find("&<") != none)
            return false;
        std::size_t levels = static_cast<std::size_t>(depth);
        for (const char c : rest)
            if (c == '>' && ++levels > static_cast<std::size_t>(maximumNestingDepth))
                return false;
        return true;
    }

    std::string_view text;
    int depth = 0;
};
} // namespace

bool isSafeForXmlParser(std::string_view text)
{
    return isUtf8(text) && !endsInsideHexReference(text) && NestingScan(text).staysWithinLimit();
}

} // namespace halvo
