#pragma once

#include <juce_core/juce_core.h>

/** The web addresses the editors open: a page of the product site, then "#",
    then the address of an outside look-up service, which the product page
    reads from its fragment.

    Every inserted word is percent-encoded as UTF-8, so nothing the user typed
    can change the meaning of the address. An address never exceeds
    maxAddressBytes: a word or query that would not fit is cut between two
    characters before they are encoded, never inside an escape.
*/
namespace LookupAddresses
{
constexpr int maxAddressBytes = 4999;

/** UTF-8 percent-encoding of everything but the unreserved characters A-Z a-z 0-9 - . _ ~ */
juce::String PercentEncode (const juce::String& text);

/** The runs of letters and digits of a text, in order; every other character only separates runs. */
juce::StringArray LetterOrDigitRuns (const juce::String& text);

juce::String ForThesaurus (const juce::String& word);
juce::String ForDictionary (const juce::String& word);
juce::String ForSearch (const juce::String& word);

/** A search for all runs of letters and digits of the text, joined by "+". */
juce::String ForAllWordsSearch (const juce::String& text);

/** The product's home page (its guide), with nothing after it. */
juce::String ForProductHome();
} // namespace LookupAddresses
