#include "PoolIndex.h"
#include "AsciiCase.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <algorithm>

namespace
{
std::uint64_t foldedHash (const char* text)
{
    std::uint64_t hash = 14695981039346656037ull;

    for (; *text != 0; ++text)
    {
        hash ^= foldAscii ((unsigned char)*text);
        hash *= 1099511628211ull;
    }

    return hash;
}

// Searches of the whole pool exclude at most the other words of a line and "A"; searches of a suffix
// group (last positions only) exclude at most "A", "I" and the rhyme reference.
constexpr int allCap = PoolIndex::maxExcluded;
constexpr int groupCap = 3;
} // namespace

PoolIndex::PoolIndex (tag_bw_listitem* const* pool, int poolCount, std::vector<int> withSuffix)
    : m_pool (pool)
    , m_poolCount (poolCount)
    , m_classOf ((size_t)poolCount, -1)
    , m_hashSlots (64, 0)
{
    m_withSuffix.poolIndices = std::move (withSuffix);
}

int PoolIndex::findOrAddClass (const char* text, bool add)
{
    const std::uint64_t hash = foldedHash (text);
    const size_t mask = m_hashSlots.size() - 1;

    for (size_t slot = (size_t)hash & mask;; slot = (slot + 1) & mask)
    {
        const int entry = m_hashSlots[slot];

        if (entry == 0)
        {
            if (!add)
                return -1;

            const int classId = (int)m_classText.size();
            m_classText.push_back (text);
            m_firstOfClass.push_back (-1);
            m_classHashes.push_back (hash);
            m_hashSlots[slot] = classId + 1;

            // The table grows with the number of distinct words, not with the pool, so that a pool of
            // many repeats keeps it small enough to stay in the cache.
            if (m_classText.size() * 2 > m_hashSlots.size())
                growHashTable();

            return classId;
        }

        const int classId = entry - 1;

        if (m_classHashes[(size_t)classId] == hash && equalIgnoringAsciiCase (m_classText[(size_t)classId], text))
            return classId;
    }
}

void PoolIndex::growHashTable()
{
    m_hashSlots.assign (m_hashSlots.size() * 2, 0);
    const size_t mask = m_hashSlots.size() - 1;

    for (size_t classId = 0; classId < m_classHashes.size(); ++classId)
    {
        size_t slot = (size_t)m_classHashes[classId] & mask;

        while (m_hashSlots[slot] != 0)
            slot = (slot + 1) & mask;

        m_hashSlots[slot] = (int)classId + 1;
    }
}

int PoolIndex::classOf (int poolIndex)
{
    int& classId = m_classOf[(size_t)poolIndex];

    if (classId < 0)
    {
        classId = findOrAddClass (m_pool[poolIndex]->wordText, true);
        int& first = m_firstOfClass[(size_t)classId];

        if (first < 0 || poolIndex < first)
            first = poolIndex;
    }

    return classId;
}

int PoolIndex::classOfText (const char* text)
{
    if (const int classId = findOrAddClass (text, false); classId >= 0)
        return classId;

    // Kept as a copy: the caller's text may not outlive the index.
    m_outsideTexts.emplace_back (text);
    return findOrAddClass (m_outsideTexts.back().c_str(), true);
}

void PoolIndex::classifyAll()
{
    if (m_allClassified)
        return;

    for (int i = 0; i < m_poolCount; ++i)
        classOf (i);

    m_allClassified = true;
}

int PoolIndex::firstIndexWithText (const char* text)
{
    classifyAll();
    const int classId = findOrAddClass (text, false);
    return classId < 0 ? -1 : m_firstOfClass[(size_t)classId];
}

void PoolIndex::buildSuffixLists()
{
    if (m_hasSuffixLists)
        return;

    m_hasSuffixLists = true;

    // The words without a suffix are the others, found without reading the pool words again.
    auto withSuffix = m_withSuffix.poolIndices.begin();
    m_noSuffix.poolIndices.reserve ((size_t)m_poolCount - m_withSuffix.poolIndices.size());

    for (int i = 0; i < m_poolCount; ++i)
    {
        if (withSuffix != m_withSuffix.poolIndices.end() && *withSuffix == i)
            ++withSuffix;
        else
            m_noSuffix.poolIndices.push_back (i);
    }

    // Distinct suffix records, sorted by address so a record finds its range by binary search.
    std::vector<const tag_Stem*> records;

    for (const int i : m_withSuffix.poolIndices)
        if (records.empty() || records.back() != m_pool[i]->stemRecord)
            records.push_back (m_pool[i]->stemRecord);

    std::sort (records.begin(), records.end());
    records.erase (std::unique (records.begin(), records.end()), records.end());
    m_suffixOfRange = records;

    std::vector<int> recordOf;
    recordOf.reserve (m_withSuffix.poolIndices.size());
    std::vector<int> countPerRecord (records.size(), 0);

    for (const int i : m_withSuffix.poolIndices)
    {
        const auto found = std::lower_bound (records.begin(), records.end(), m_pool[i]->stemRecord);
        recordOf.push_back ((int)(found - records.begin()));
        ++countPerRecord[(size_t)recordOf.back()];
    }

    m_suffixRangeStart.assign (records.size() + 1, 0);

    for (size_t r = 0; r < records.size(); ++r)
        m_suffixRangeStart[r + 1] = m_suffixRangeStart[r] + countPerRecord[r];

    std::vector<int> next (m_suffixRangeStart.begin(), m_suffixRangeStart.end() - 1);
    m_bySuffix.poolIndices.resize (m_withSuffix.poolIndices.size());

    for (size_t k = 0; k < recordOf.size(); ++k)
        m_bySuffix.poolIndices[(size_t)next[(size_t)recordOf[k]]++] = m_withSuffix.poolIndices[k];
}

void PoolIndex::buildTree (GroupList& list, int cap)
{
    if (list.hasTree)
        return;

    list.hasTree = true;

    if (&list == &m_all)
    {
        classifyAll();
        list.tree.build (m_classOf, cap);
        return;
    }

    std::vector<int> classes (list.poolIndices.size());

    for (size_t p = 0; p < classes.size(); ++p)
        classes[p] = classOf (list.poolIndices[p]);

    list.tree.build (std::move (classes), cap);
}

int PoolIndex::findInList (const GroupList& list, int listStart, int listEnd, int from, int to) const
{
    if (&list == &m_all)
        return list.tree.findFirstNotExcluded (from, to, m_excluded);

    const auto begin = list.poolIndices.begin();
    const int lo = (int)(std::lower_bound (begin + listStart, begin + listEnd, from) - begin);
    const int hi = (int)(std::lower_bound (begin + lo, begin + listEnd, to) - begin);
    const int position = list.tree.findFirstNotExcluded (lo, hi, m_excluded);
    return position < 0 ? -1 : list.poolIndices[(size_t)position];
}

int PoolIndex::findCandidate (Group group, const tag_Stem* suffix, int from, int end,
                              const std::vector<int>& excludedClasses)
{
    if (from == end)
        return -1;

    GroupList* list = &m_all;
    int listStart = 0;
    int listEnd = m_poolCount;

    if (group != Group::all)
    {
        buildSuffixLists();
        list = group == Group::noSuffix ? &m_noSuffix : (group == Group::withSuffix ? &m_withSuffix : &m_bySuffix);
        listEnd = (int)list->poolIndices.size();
    }

    if (group == Group::oneSuffix)
    {
        const auto found = std::lower_bound (m_suffixOfRange.begin(), m_suffixOfRange.end(), suffix);

        if (found == m_suffixOfRange.end() || *found != suffix)
            return -1;

        const size_t range = (size_t)(found - m_suffixOfRange.begin());
        listStart = m_suffixRangeStart[range];
        listEnd = m_suffixRangeStart[range + 1];
    }

    buildTree (*list, group == Group::all ? allCap : groupCap);
    m_excluded.resize (m_classText.size(), 0);

    for (const int classId : excludedClasses)
        m_excluded[(size_t)classId] = 1;

    int found = -1;

    if (from < end)
    {
        found = findInList (*list, listStart, listEnd, from, end);
    }
    else
    {
        found = findInList (*list, listStart, listEnd, from, m_poolCount);

        if (found < 0)
            found = findInList (*list, listStart, listEnd, 0, end);
    }

    for (const int classId : excludedClasses)
        m_excluded[(size_t)classId] = 0;

    return found;
}
