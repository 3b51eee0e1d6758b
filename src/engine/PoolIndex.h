#pragma once

#include "ExclusionSearchTree.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct tag_bw_listitem;
struct tag_Stem;

// Index structures over one generation's pool (after the rhyme passes), so that a random walk that
// would test many candidates in vain can jump straight to the candidate it would stop at.
//
// Words that are equal ignoring ASCII case share a text class; every test of the walk is a condition
// on a candidate's suffix group plus a short list of text classes it must not have.
class PoolIndex
{
public:
    enum class Group
    {
        all,        // every pool word
        noSuffix,   // pool words without a suffix
        withSuffix, // pool words with a suffix
        oneSuffix   // pool words with one given suffix
    };

    // The largest number of excluded classes a search may carry: 19 other words of a line plus "A".
    static constexpr int maxExcluded = 20;

    PoolIndex (tag_bw_listitem* const* pool, int poolCount);

    int classOf (int poolIndex) const { return m_classOf[(std::size_t)poolIndex]; }

    // The class of a text, or -1 when no pool word has that text ignoring ASCII case.
    int findClass (const char* text) const;

    // The first pool index of a class.
    int firstIndexOf (int classId) const { return m_firstOfClass[(std::size_t)classId]; }

    // The first pool index in the cyclic range from `from` up to, not including, `end` that belongs to the
    // group and whose class is not excluded; -1 when there is none. `from` == `end` means an empty range.
    // excludedClasses holds at most maxExcluded class ids.
    int findCandidate (Group group, const tag_Stem* suffix, int from, int end, const std::vector<int>& excludedClasses);

private:
    struct GroupList
    {
        std::vector<int> poolIndices; // ascending pool indices (left empty for the whole pool)
        ExclusionSearchTree tree;     // over their classes
    };

    void buildClasses (tag_bw_listitem* const* pool);
    void growHashTable();
    void buildGroups (tag_bw_listitem* const* pool);
    int findInList (const GroupList& list, int listStart, int listEnd, int from, int to) const;

    int m_poolCount = 0;
    std::vector<int> m_classOf;
    std::vector<int> m_firstOfClass;
    std::vector<std::uint64_t> m_classHashes;
    std::vector<int> m_hashSlots; // open addressing: class id + 1, 0 for an empty slot
    tag_bw_listitem* const* m_pool = nullptr;

    GroupList m_all;
    GroupList m_bySuffixPresence; // pool words without a suffix, then those with one
    int m_firstWithSuffix = 0;    // position in m_bySuffixPresence where the words with a suffix start
    GroupList m_bySuffix;         // pool words with a suffix, grouped by suffix record
    std::vector<const tag_Stem*> m_suffixOfRange;
    std::vector<int> m_suffixRangeStart; // one more entry than m_suffixOfRange

    std::vector<std::uint8_t> m_excluded; // scratch flags, indexed by class id
};
