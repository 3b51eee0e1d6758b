#include "LookupAddresses.h"

#include "ProductSite.h"

namespace LookupAddresses
{
namespace
{
const char* const thesaurusService = "https://www.thesaurus.com/browse/";
const char* const dictionaryService = "https://www.dictionary.com/browse/";
const char* const searchService = "https://www.google.com/search?hl=en&lr=&as_qdr=all&q=";
const char* const searchServiceEnd = "&btnG=Search";

bool isUnreserved (juce::juce_wchar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

juce::String encodeCharacter (juce::juce_wchar c)
{
    if (isUnreserved (c))
        return juce::String::charToString (c);

    juce::String escaped;
    const auto utf8 = juce::String::charToString (c).toStdString();
    for (unsigned char byte : utf8)
        escaped << '%' << juce::String::toHexString ((int)byte).paddedLeft ('0', 2).toUpperCase();
    return escaped;
}

int bytesOf (const juce::String& text)
{
    return (int)text.getNumBytesAsUTF8();
}

// Appends the words, encoded and joined by "+", as far as they fit into
// bytesLeft. Each character is encoded whole or not at all, and a "+" is
// only written when the first character of the next word fits behind it.
juce::String encodeWordsWithin (const juce::StringArray& words, int bytesLeft)
{
    juce::String result;

    for (int i = 0; i < words.size(); ++i)
    {
        const int separatorBytes = i > 0 ? 1 : 0;

        for (auto p = words[i].getCharPointer(); !p.isEmpty(); ++p)
        {
            const auto encoded = encodeCharacter (*p);
            const bool first = p == words[i].getCharPointer();
            const int needed = bytesOf (encoded) + (first ? separatorBytes : 0);

            if (needed > bytesLeft)
                return result;

            if (first && separatorBytes > 0)
                result << '+';

            result << encoded;
            bytesLeft -= needed;
        }
    }

    return result;
}

juce::String compose (const juce::String& pagePath, const char* service, const juce::StringArray& words,
                      const char* serviceEnd)
{
    const auto start = quillet::getProductPageAddress (pagePath) + "#" + service;
    const juce::String end (serviceEnd);
    const int bytesLeft = maxAddressBytes - bytesOf (start) - bytesOf (end);

    // Only a product page path of several kilobytes gets here; open nothing then.
    if (bytesLeft < 0)
        return {};

    return start + encodeWordsWithin (words, bytesLeft) + end;
}
} // namespace

juce::String PercentEncode (const juce::String& text)
{
    juce::String result;
    for (auto p = text.getCharPointer(); !p.isEmpty(); ++p)
        result << encodeCharacter (*p);
    return result;
}

juce::StringArray LetterOrDigitRuns (const juce::String& text)
{
    juce::StringArray runs;
    juce::String current;

    for (auto p = text.getCharPointer(); !p.isEmpty(); ++p)
    {
        if (juce::CharacterFunctions::isLetterOrDigit (*p))
        {
            current += juce::String::charToString (*p);
        }
        else if (current.isNotEmpty())
        {
            runs.add (current);
            current.clear();
        }
    }

    if (current.isNotEmpty())
        runs.add (current);

    return runs;
}

juce::String ForThesaurus (const juce::String& word)
{
    return compose ("/tools/quillet/thesaurus.html", thesaurusService, juce::StringArray (word), "");
}

juce::String ForDictionary (const juce::String& word)
{
    return compose ("/tools/quillet/dictionary.html", dictionaryService, juce::StringArray (word), "");
}

juce::String ForSearch (const juce::String& word)
{
    return compose ("/tools/quillet/search.html", searchService, juce::StringArray (word), searchServiceEnd);
}

juce::String ForAllWordsSearch (const juce::String& text)
{
    return compose ("/tools/quillet/search.html", searchService, LetterOrDigitRuns (text), searchServiceEnd);
}

juce::String ForProductHome()
{
    return quillet::getProductPageAddress ("/tools/quillet/doc/index.html");
}
} // namespace LookupAddresses
