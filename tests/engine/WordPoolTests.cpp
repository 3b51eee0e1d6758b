#include "Quillet.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// Builds a pool from idea text the way a generation does and keeps it for inspection.
struct Pool
{
    explicit Pool (const juce::String& text)
    {
        stems = GetInitialStemArray (stemCount);
        engine.AppendWordsFromString (text, list, count, stems, stemCount);

        for (auto* item = list.mp_head; item != nullptr; item = item->nextItem)
            items.push_back (item);
    }

    ~Pool()
    {
        list.EmptyList();
        std::free (stems);
    }

    std::vector<std::string> words() const
    {
        std::vector<std::string> result;

        for (auto* item : items)
            result.emplace_back (item->wordText);

        return result;
    }

    std::string suffixOf (size_t i) const { return items[i]->stemText != nullptr ? items[i]->stemText : ""; }

    int runPasses()
    {
        RunStemPass (items.data(), count, stems, stemCount);
        return RunRhymeCountPass (items.data(), count);
    }

    Quillet engine;
    int stemCount = 0;
    tag_Stem* stems = nullptr;
    bw_List list{MyEmptyItem};
    int count = 0;
    std::vector<tag_bw_listitem*> items;
};

std::string suffixOfWord (const char* word)
{
    Pool pool (word);
    return pool.count == 1 ? pool.suffixOf (0) : "<not one word>";
}
} // namespace

TEST (RhymeStems, TableHoldsTheSuffixesInOrder)
{
    int count = 0;
    tag_Stem* stems = GetInitialStemArray (count);
    ASSERT_NE (stems, nullptr);
    EXPECT_EQ (count, 101);
    EXPECT_EQ (GStems[101], nullptr);
    EXPECT_STREQ (GStems[0], "aces");
    EXPECT_STREQ (GStems[48], "ights");
    EXPECT_STREQ (GStems[100], "ch");

    for (int i = 0; i < count; ++i)
    {
        EXPECT_EQ (stems[i].stemText, GStems[i]);
        EXPECT_EQ (stems[i].stemLength, (int)std::strlen (GStems[i]));
        EXPECT_EQ (stems[i].firstWord, nullptr);
        EXPECT_EQ (stems[i].hasSecondWord, 0);

        // A suffix that ends an earlier one would never be reached; the longer must come first.
        for (int j = i + 1; j < count; ++j)
        {
            const size_t li = std::strlen (GStems[i]), lj = std::strlen (GStems[j]);
            EXPECT_FALSE (lj > li && std::strcmp (GStems[j] + lj - li, GStems[i]) == 0)
                << GStems[j] << " comes after " << GStems[i];
        }
    }

    EXPECT_EQ (stems[101].stemText, nullptr); // the spare zero record
    std::free (stems);
}

TEST (RhymeStems, WordsTakeTheFirstMatchingSuffixIgnoringAsciiCase)
{
    EXPECT_EQ (suffixOfWord ("places"), "aces");
    EXPECT_EQ (suffixOfWord ("place"), "ace");
    EXPECT_EQ (suffixOfWord ("PLACES"), "aces");
    EXPECT_EQ (suffixOfWord ("feed"), "eed");
    EXPECT_EQ (suffixOfWord ("fed"), "ed");
    EXPECT_EQ (suffixOfWord ("lights"), "ights");
    EXPECT_EQ (suffixOfWord ("light"), "ight");
    EXPECT_EQ (suffixOfWord ("at"), "at");
    EXPECT_EQ (suffixOfWord ("beaches"), "ches");
    EXPECT_EQ (suffixOfWord ("sky"), "");
    EXPECT_EQ (suffixOfWord ("blue"), "");
    // "love" ends in the table's "ve".
    EXPECT_EQ (suffixOfWord ("love"), "ve");
    EXPECT_EQ (suffixOfWord ("loves"), "ves");
    // Letters outside ASCII are not folded: no suffix matches them.
    EXPECT_EQ (suffixOfWord ("caf\xc3\x89"), "");
}

TEST (RhymeStems, FastLookupAgreesWithTryingEverySuffixInOrder)
{
    int count = 0;
    tag_Stem* stems = GetInitialStemArray (count);
    std::vector<std::string> words = {"x", "ed", "ED", "eD", "sEEd", "wIDes", "Ances", "aces", "mouths", "out"};

    // Every suffix, every suffix with one more leading letter, in both cases.
    for (int i = 0; i < count; ++i)
    {
        const std::string suffix = GStems[i];
        words.push_back (suffix);
        words.push_back ("b" + suffix);
        words.push_back ("E" + suffix);
        words.push_back (juce::String (suffix).toUpperCase().toStdString());
        words.push_back (suffix.substr (1));
    }

    for (const auto& word : words)
    {
        tag_Stem* expected = nullptr;

        for (int i = 0; i < count && expected == nullptr; ++i)
            if (word.size() >= (size_t)stems[i].stemLength &&
                juce::String (word.substr (word.size() - (size_t)stems[i].stemLength))
                    .equalsIgnoreCase (stems[i].stemText))
                expected = &stems[i];

        EXPECT_EQ (FindStemForWord (word.c_str(), word.size(), stems, count), expected) << word;
    }

    std::free (stems);
}

TEST (WordPool, TokensAreCutAtSeparatorsAndSingleLettersDropped)
{
    EXPECT_EQ (Pool ("I a A i").words(), (std::vector<std::string>{"I", "A"}));
    EXPECT_EQ (Pool ("Hello,world").words(), (std::vector<std::string>{"Hello", "world"}));
    EXPECT_EQ (Pool ("and/or love! (hope time: x<y").words(),
               (std::vector<std::string>{"and/or", "love!", "(hope", "time:", "x<y"}));
    EXPECT_EQ (
        Pool ("one\r\ntwo\tthree\"four\";five?six)seven.eight]nine[ten").words(),
        (std::vector<std::string>{"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"}));
    EXPECT_EQ (Pool (" ,, .. \n\n ").count, 0);
    EXPECT_EQ (Pool ({}).count, 0);

    // A single accented letter is two bytes and so a word.
    Pool accented (juce::String (juce::CharPointer_UTF8 ("\xc3\xa9 b")));
    EXPECT_EQ (accented.words(), (std::vector<std::string>{"\xc3\xa9"}));

    // Every occurrence is its own pool word, and the count follows the list.
    Pool repeated ("night night night");
    EXPECT_EQ (repeated.count, 3);
    EXPECT_EQ (repeated.items.size(), 3u);
}

TEST (WordPool, RhymePassesKeepSuffixesSharedByDifferentWords)
{
    Pool sameWord ("night Night NIGHT");
    EXPECT_EQ (sameWord.runPasses(), 0);

    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ (sameWord.items[i]->stemText, nullptr);
        EXPECT_EQ (sameWord.items[i]->stemRecord, nullptr);
    }

    Pool rhyming ("night light night sky");
    EXPECT_EQ (rhyming.runPasses(), 3);
    EXPECT_EQ (rhyming.suffixOf (0), "ight");
    EXPECT_EQ (rhyming.suffixOf (1), "ight");
    EXPECT_EQ (rhyming.suffixOf (2), "ight");
    EXPECT_EQ (rhyming.suffixOf (3), "");
    EXPECT_STREQ (rhyming.items[0]->stemRecord->firstWord, "night");
    EXPECT_EQ (rhyming.items[0]->stemRecord->hasSecondWord, 1);

    // Only suffixes with two different words survive; others are dropped word by word.
    Pool mixed ("day way places love stay");
    EXPECT_EQ (mixed.runPasses(), 3);
    EXPECT_EQ (mixed.suffixOf (2), "");
    EXPECT_EQ (mixed.suffixOf (3), "");
    EXPECT_EQ (mixed.suffixOf (4), "ay");
}

TEST (WordPool, ListOwnsItsItemsAndReleasesThemThroughItsFunction)
{
    static int released = 0;
    released = 0;

    {
        bw_List list (
            [] (tag_bw_listitem* item)
            {
                ++released;
                MyEmptyItem (item);
            });

        for (int i = 0; i < 3; ++i)
        {
            auto* item = static_cast<tag_bw_listitem*> (std::calloc (1, sizeof (tag_bw_listitem)));
            item->wordText = static_cast<char*> (std::malloc (4));
            std::strcpy (item->wordText, "abc");
            list.AddItemToEnd (item);
        }

        EXPECT_NE (list.mp_head, list.mp_tail);
        EXPECT_EQ (list.mp_tail->nextItem, nullptr);
        list.EmptyList();
        EXPECT_EQ (released, 3);
        EXPECT_EQ (list.mp_head, nullptr);
        EXPECT_EQ (list.mp_tail, nullptr);

        auto* last = static_cast<tag_bw_listitem*> (std::calloc (1, sizeof (tag_bw_listitem)));
        list.AddItemToEnd (last);
        EXPECT_EQ (list.mp_head, last);
    }

    EXPECT_EQ (released, 4); // the destructor empties the list too

    tag_bw_listitem item{};
    item.wordText = static_cast<char*> (std::malloc (2));
    MyEmptyItem (&item);
    EXPECT_EQ (item.wordText, nullptr);
}
