// The look-up addresses: their fixed parts, percent-encoding and the byte limit.
#include "EditorTestSupport.h"
#include "LookupAddresses.h"
#include "ProductSite.h"

TEST (LookupAddresses, FixedPartsOfEachAddress)
{
    EXPECT_EQ (LookupAddresses::ForThesaurus ("love"),
               quillet::getProductPageAddress ("/tools/quillet/thesaurus.html") +
                   "#https://www.thesaurus.com/browse/love");
    EXPECT_EQ (LookupAddresses::ForDictionary ("love"),
               quillet::getProductPageAddress ("/tools/quillet/dictionary.html") +
                   "#https://www.dictionary.com/browse/love");
    EXPECT_EQ (LookupAddresses::ForSearch ("love"),
               quillet::getProductPageAddress ("/tools/quillet/search.html") +
                   "#https://www.google.com/search?hl=en&lr=&as_qdr=all&q=love&btnG=Search");
    EXPECT_EQ (LookupAddresses::ForProductHome(), quillet::getProductPageAddress ("/tools/quillet/doc/index.html"));
}

TEST (LookupAddresses, PercentEncodesEverythingButUnreservedCharacters)
{
    EXPECT_EQ (LookupAddresses::PercentEncode ("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ (LookupAddresses::PercentEncode ("a b+c&d=e#f?g/h%i"), "a%20b%2Bc%26d%3De%23f%3Fg%2Fh%25i");
    EXPECT_EQ (LookupAddresses::PercentEncode ("`$(x);'\"\\{|}"), "%60%24%28x%29%3B%27%22%5C%7B%7C%7D");
    EXPECT_EQ (LookupAddresses::PercentEncode (juce::CharPointer_UTF8 ("\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xb5")),
               "%C3%A9%E2%82%AC%F0%9F%8E%B5");

    // The encoded word cannot leave its place in the address.
    EXPECT_TRUE (LookupAddresses::ForSearch ("rock&roll=fun#top").endsWith ("q=rock%26roll%3Dfun%23top&btnG=Search"));
}

TEST (LookupAddresses, AllWordsSearchJoinsRunsOfLettersAndDigits)
{
    const juce::String start ("#https://www.google.com/search?hl=en&lr=&as_qdr=all&q=");
    EXPECT_TRUE (LookupAddresses::ForAllWordsSearch ("Love is blue.").endsWith (start + "Love+is+blue&btnG=Search"));
    EXPECT_TRUE (LookupAddresses::ForAllWordsSearch ("don't stop").endsWith (start + "don+t+stop&btnG=Search"));
    EXPECT_TRUE (LookupAddresses::ForAllWordsSearch ("  rain, rain, go away!  ")
                     .endsWith (start + "rain+rain+go+away&btnG=Search"));
    EXPECT_TRUE (LookupAddresses::ForAllWordsSearch ("4 u2 ..x").endsWith (start + "4+u2+x&btnG=Search"));
    EXPECT_TRUE (LookupAddresses::ForAllWordsSearch ("...").endsWith (start + "&btnG=Search"));
}

TEST (LookupAddresses, TooLongWordsAreCutBetweenCharacters)
{
    const juce::String accent (juce::CharPointer_UTF8 ("\xc3\xa9"));
    const auto base = LookupAddresses::ForThesaurus ({});

    for (int extra = 0; extra < 6; ++extra)
    {
        // "xxx...é é é ..." arranged so the limit falls at each byte of an escape in turn.
        const auto word = juce::String::repeatedString ("x", extra) + juce::String::repeatedString (accent, 2000);
        const auto address = LookupAddresses::ForThesaurus (word);

        EXPECT_LE ((int)address.getNumBytesAsUTF8(), LookupAddresses::maxAddressBytes);
        EXPECT_GT ((int)address.getNumBytesAsUTF8(), LookupAddresses::maxAddressBytes - 6);
        ASSERT_TRUE (address.startsWith (base));

        const auto encoded = address.substring (base.length());
        EXPECT_TRUE (LookupAddresses::PercentEncode (word).startsWith (encoded));
        EXPECT_EQ ((encoded.length() - extra) % 6, 0) << "cut inside an escape with " << extra << " extra letters";
    }

    // A short word is not touched.
    EXPECT_TRUE (LookupAddresses::ForThesaurus ("tiny").endsWith ("/browse/tiny"));
}

TEST (LookupAddresses, TooLongQueriesKeepTheirEndAndNoDanglingPlus)
{
    const auto text = juce::String::repeatedString ("ab ", 3000);
    const auto address = LookupAddresses::ForAllWordsSearch (text);

    EXPECT_LE ((int)address.getNumBytesAsUTF8(), LookupAddresses::maxAddressBytes);
    EXPECT_GT ((int)address.getNumBytesAsUTF8(), LookupAddresses::maxAddressBytes - 4);
    EXPECT_TRUE (address.endsWith ("ab&btnG=Search") || address.endsWith ("+a&btnG=Search"));
    EXPECT_FALSE (address.contains ("+&btnG"));

    const auto single = LookupAddresses::ForSearch (juce::String::repeatedString ("w", 9000));
    EXPECT_EQ ((int)single.getNumBytesAsUTF8(), LookupAddresses::maxAddressBytes);
    EXPECT_TRUE (single.endsWith ("w&btnG=Search"));
}
