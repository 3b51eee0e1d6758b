#include "PoolIndex.h"
#include "bw_List.h"

#include <gtest/gtest.h>

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
    const int late = index.classOf (4);
    EXPECT_EQ (index.classOf (3), late);
    EXPECT_EQ (index.classOfText ("nIGHT"), late);
    EXPECT_NE (index.classOfText ("i"), late);

    EXPECT_EQ (index.firstIndexWithText ("night"), 1);
    EXPECT_EQ (index.firstIndexWithText ("i"), 5);
    EXPECT_EQ (index.firstIndexWithText ("star"), -1);
    EXPECT_EQ (index.firstIndexWithText ("a"), -1);

    // A search from index 2 to the end that excludes the night words and "sun" stops at "moon"; a range from an index
    // back to itself is empty.
    EXPECT_EQ (index.findCandidate (PoolIndex::Group::all, nullptr, 2, 1, {late, index.classOf (0)}), 2);
    EXPECT_EQ (index.findCandidate (PoolIndex::Group::all, nullptr, 3, 2, {late, index.classOf (0)}), 5);
    EXPECT_EQ (index.findCandidate (PoolIndex::Group::all, nullptr, 4, 4, {}), -1);
    EXPECT_EQ (index.findCandidate (PoolIndex::Group::noSuffix, nullptr, 3, 1, {late, index.classOfText ("I")}), 6);
}
