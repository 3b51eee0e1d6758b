#pragma once

#include "ExclusionSearchTree.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct tag_bw_listitem;
struct tag_Stem;

// Index structures over one generation's pool (after the rhyme passes), so that a random walk that
// would test many candidates in vain can jump straight to the candidate it would stop at.
//
// Words that are equal ignoring ASCII case share a text class; every test of the walk is a condition
// on a candidate's suffix group plus a short list of text classes it must not have. Each part is built
// on first use, so a generation pays only for the groups its walks actually search.
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

    // withSuffix: the pool indices of the words that have a suffix, ascending.
    PoolIndex (tag_bw_listitem* const* pool, int poolCount, std::vector<int> withSuffix);

    // The class of a pool word.
    int classOf (int poolIndex);

    // The class of a text; a text that no pool word has gets a class of its own, which no word matches.
    int classOfText (const char* text);

    // The first pool index whose text equals text ignoring ASCII case, or -1.
    int firstIndexWithText (const char* text);

    // The first pool index in the cyclic range from `from` up to, not including, `end` that belongs to the
    // group and whose class is not excluded; -1 when there is none. `from` == `end` means an empty range.
    // The search stays quick while excludedClasses holds at most maxExcluded distinct classes.
    int findCandidate (Group group, const tag_Stem* suffix, int from, int end, const std::vector<int>& excludedClasses);

private:
    struct GroupList
    {
        bool hasTree = false;
        std::vector<int> poolIndices; // ascending pool indices (left empty for the whole pool)
        ExclusionSearchTree tree;     // over their classes
    };

    int findOrAddClass (const char* text, bool add);
    void growHashTable();
    void classifyAll();
    void buildSuffixLists();
    void buildTree (GroupList& list, int cap);
    int findInList (const GroupList& list, int listStart, int listEnd, int from, int to) const;

    tag_bw_listitem* const* m_pool = nullptr;
    int m_poolCount = 0;

    std::vector<int> m_classOf; // -1 until the word is classified
    bool m_allClassified = false;
    std::vector<const char*> m_classText; // one text of each class
    std::vector<int> m_firstOfClass;      // smallest pool index in the class, -1 for none
    std::vector<std::uint64_t> m_classHashes;
    std::vector<int> m_hashSlots;           // open addressing: class id + 1, 0 for an empty slot
    std::deque<std::string> m_outsideTexts; // texts of classes that no pool word has

    GroupList m_all;
    bool m_hasSuffixLists = false;
    GroupList m_noSuffix;
    GroupList m_withSuffix;
    GroupList m_bySuffix; // pool words with a suffix, grouped by suffix record
    std::vector<const tag_Stem*> m_suffixOfRange;
    std::vector<int> m_suffixRangeStart; // one more entry than m_suffixOfRange

    std::vector<std::uint8_t> m_excluded; // scratch flags, indexed by class id
};
