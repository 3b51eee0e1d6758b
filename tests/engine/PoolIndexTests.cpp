#include "ExclusionSearchTree.h"
#include "PoolIndex.h"
#include "bw_List.h"

#include <gtest/gtest.h>

#include <random>

// Classes are made lazily, in whatever order the walk asks for them; the first pool word of a text
// must still be the first in pool order, as a locked slot takes the first matching pool word.
TEST (PoolIndex, FirstWordOfATextIsFirstInPoolOrderWhateverWasAskedBefore)
{
    const char* texts[] = {"sun", "Night", "moon", "night", "NIGHT", "I", "sky"};
    tag_bw_listitem items[7]{};
    tag_bw_listitem* pool[7];

    for (int i = 0; i < 7; ++i)
    {
        items[i].wordText = const_cast<char*> (texts[i]);
        pool[i] = &items[i];
    }

    PoolIndex index (pool, 7, {});
    const int night = index.classOf (4);
    EXPECT_EQ (index.classOf (3), night);
    EXPECT_EQ (index.classOfText ("nIGHT"), night);
    EXPECT_NE (index.classOfText ("i"), night);

    const std::pair<const char*, int> first[] = {{"night", 1}, {"i", 5}, {"star", -1}, {"a", -1}};

    for (const auto& [text, expected] : first)
        EXPECT_EQ (index.firstIndexWithText (text), expected) << text;

    // From index 2 to the end without the night words and "sun": "moon"; from 3 round to 2: "I"; an empty range.
    const auto all = PoolIndex::Group::all;
    EXPECT_EQ (index.findCandidate (all, nullptr, 2, 1, {night, index.classOf (0)}), 2);
    EXPECT_EQ (index.findCandidate (all, nullptr, 3, 2, {night, index.classOf (0)}), 5);
    EXPECT_EQ (index.findCandidate (all, nullptr, 4, 4, {}), -1);
    EXPECT_EQ (index.findCandidate (PoolIndex::Group::noSuffix, nullptr, 3, 1, {night, index.classOfText ("I")}), 6);
}

// The tree must answer exactly what a plain scan answers, for sequences that are long runs of a few
// classes (where it skips) as well as varied ones (where it descends), and for any range.
TEST (ExclusionSearchTree, FindsWhatAPlainScanFinds)
{
    std::mt19937 random (2024);
    auto below = [&random] (int n) { return (int)(random() % (unsigned)n); };

    for (int round = 0; round < 400; ++round)
    {
        const int classCount = 1 + below (round % 3 == 0 ? 3 : 40);
        std::vector<int> classes ((size_t)(1 + below (round % 5 == 0 ? 5000 : 300)));
        const int length = (int)classes.size();
        int current = 0;

        for (auto& c : classes)
        {
            current = below (8) == 0 ? below (classCount) : current; // runs of one class, broken now and then
            c = below (5) == 0 ? below (classCount) : current;
        }

        const int cap = 1 + below (20);
        ExclusionSearchTree tree;
        tree.build (classes, cap);
        ASSERT_EQ (tree.size(), length);

        for (int query = 0; query < 20; ++query)
        {
            std::vector<std::uint8_t> excluded ((size_t)classCount, 0);

            for (int e = below (cap + 1); e > 0; --e)
                excluded[(size_t)below (classCount)] = 1;

            const int from = below (length + 1) - 1, to = from + below (length + 2);
            int expected = -1;

            for (int p = std::max (from, 0); p < std::min (to, length) && expected < 0; ++p)
                expected = excluded[(size_t)classes[(size_t)p]] == 0 ? p : -1;

            ASSERT_EQ (tree.findFirstNotExcluded (from, to, excluded), expected) << round << " " << from << " " << to;
        }
    }
}
