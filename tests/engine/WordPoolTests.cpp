#include "Quillet.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST (RhymeStems, TableOrderPutsEveryLongerSuffixFirstAndLookupsFollowIt)
{
    int count = 0;
    tag_Stem* stems = GetInitialStemArray (count);
    ASSERT_EQ (count, 101);
    EXPECT_EQ (GStems[101], nullptr);
    EXPECT_EQ (std::string (GStems[0]) + GStems[48] + GStems[100], "acesightsch");
    EXPECT_EQ (stems[101].stemText, nullptr); // the spare zero record
    std::vector<std::string> words = {"x", "ed", "eD", "sEEd", "wIDes", "Ances", "mouths", "out"};

    for (int i = 0; i < count; ++i)
    {
        EXPECT_TRUE (stems[i].stemText == GStems[i] && stems[i].stemLength == (int)std::strlen (GStems[i]) &&
                     stems[i].firstWord == nullptr && stems[i].hasSecondWord == 0)
            << i;

        // A suffix that ends an earlier one would never be reached.
        for (int j = i + 1; j < count; ++j)
        {
            const size_t li = std::strlen (GStems[i]), lj = std::strlen (GStems[j]);
            EXPECT_FALSE (lj > li && std::strcmp (GStems[j] + lj - li, GStems[i]) == 0) << GStems[j];
        }

        for (const auto& suffix : {std::string (GStems[i]), std::string (GStems[i] + 1)})
            for (const auto& word :
                 {suffix, "b" + suffix, "E" + suffix, juce::String (suffix).toUpperCase().toStdString()})
                words.push_back (word);
    }

    // Both lookups must equal trying every suffix in table order, ASCII case ignored.
    for (const auto& word : words)
    {
        tag_Stem* expected = nullptr;

        for (int i = 0; i < count && expected == nullptr; ++i)
            if (word.size() >= std::strlen (GStems[i]) &&
                juce::String (word.substr (word.size() - std::strlen (GStems[i]))).equalsIgnoreCase (GStems[i]))
                expected = &stems[i];

        EXPECT_EQ (FindStemForWord (word.c_str(), word.size(), stems, count), expected) << word;
        EXPECT_EQ (FindStemInInitialArray (word.c_str(), word.size(), stems), expected) << word;
    }

    std::free (stems);
}

TEST (WordPool, TokensAreCutAtSeparatorsOnlyAndKeepTheirSuffixOnlyWhenTwoDifferentWordsShareIt)
{
    // Text, its pool words with their first suffix, and what the rhyme passes leave.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"places place feed fed lights light at beaches sky love loves caf\xc3\x89", // no ASCII folding of \xc3\x89
         "places/aces place/ace feed/eed fed/ed lights/ights light/ight at/at beaches/ches sky/ love/ve loves/ves "
         "caf\xc3\x89/",
         "places/ place/ feed/ fed/ lights/ light/ at/ beaches/ sky/ love/ loves/ caf\xc3\x89/"},
        {"I a A i night NIGHT", "I/ A/ night/ight NIGHT/ight", "I/ A/ night/ NIGHT/"}, // the same word is no rhyme
        {"and/or love! (hope time: x<y", "and/or/or love!/ (hope/ time:/ x<y/", "and/or/ love!/ (hope/ time:/ x<y/"},
        {"one\r\ntwo\tthree\"four\";five?six)seven.eight]nine[ten,eleven",
         "one/ two/ three/ four/ur five/ve six/ seven/en eight/ight nine/ ten/en eleven/en",
         "one/ two/ three/ four/ five/ six/ seven/en eight/ nine/ ten/en eleven/en"},
        {"night light night sky", "night/ight light/ight night/ight sky/", "night/ight light/ight night/ight sky/"},
        {"\xc3\xa9 b", "\xc3\xa9/", "\xc3\xa9/"}, // one accented letter is two bytes, and so a word
        {" ,, .. \n\n ", "", ""},
    };

    for (const auto& [text, tokens, kept] : cases)
    {
        int stemCount = 0, count = 0;
        tag_Stem* stems = GetInitialStemArray (stemCount);
        bw_List list (MyEmptyItem); // its destructor releases the words (the sanitizer build reports a leak otherwise)
        Quillet().AppendWordsFromString (juce::String::fromUTF8 (text), list, count, stems, stemCount);
        std::vector<tag_bw_listitem*> items;

        for (auto* item = list.mp_head; item != nullptr; item = item->nextItem)
            items.push_back (item);

        auto words = [&items] // each word followed by "/" and its suffix
        {
            std::string result;
            for (auto* item : items)
                result += (result.empty() ? "" : " ") + std::string (item->wordText) + "/" +
                          (item->stemText != nullptr ? item->stemText : "");
            return result;
        };

        ASSERT_EQ (count, (int)items.size());
        EXPECT_EQ (words(), tokens) << text;
        RunStemPass (items.data(), count, stems, stemCount);
        std::vector<int> keptIndices, withSuffix; // the rhyme count and, ascending, the indices that kept a suffix
        const int rhymeCount = RunRhymeCountPass (items.data(), count, &keptIndices);
        EXPECT_EQ (words(), kept) << text;

        for (int i = 0; i < count; ++i)
            if (items[(size_t)i]->stemText != nullptr)
                withSuffix.push_back (i);

        EXPECT_EQ (keptIndices, withSuffix);
        EXPECT_EQ (rhymeCount, (int)withSuffix.size());

        // A suffix's first word is the first pool word with it.
        EXPECT_TRUE (withSuffix.empty() || std::strcmp (items[(size_t)withSuffix[0]]->stemRecord->firstWord,
                                                        items[(size_t)withSuffix[0]]->wordText) == 0);
        std::free (stems);
    }
}
