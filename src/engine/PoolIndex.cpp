#include "PoolIndex.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <algorithm>

namespace
{
unsigned char foldAscii (unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}

bool equalIgnoringAsciiCase (const char* a, const char* b)
{
    for (;; ++a, ++b)
    {
        if (foldAscii ((unsigned char)*a) != foldAscii ((unsigned char)*b))
            return false;

        if (*a == 0)
            return true;
    }
}

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

PoolIndex::PoolIndex (tag_bw_listitem* const* pool, int poolCount)
    : m_poolCount (poolCount)
    , m_pool (pool)
{
    buildClasses (pool);
    buildGroups (pool);
}

void PoolIndex::buildClasses (tag_bw_listitem* const* pool)
{
    // The table grows with the number of distinct words, not with the pool, so that a pool of many
    // repeats keeps it small enough to stay in the cache.
    m_hashSlots.assign (64, 0);
    m_classOf.resize ((size_t)m_poolCount);

    for (int i = 0; i < m_poolCount; ++i)
    {
        const char* text = pool[i]->wordText;
        const std::uint64_t hash = foldedHash (text);
        const size_t mask = m_hashSlots.size() - 1;
        size_t slot = (size_t)hash & mask;

        for (;;)
        {
            const int entry = m_hashSlots[slot];

            if (entry == 0)
            {
                const int classId = (int)m_firstOfClass.size();
                m_firstOfClass.push_back (i);
                m_classHashes.push_back (hash);
                m_hashSlots[slot] = classId + 1;
                m_classOf[(size_t)i] = classId;

                if (m_firstOfClass.size() * 2 > m_hashSlots.size())
                    growHashTable();

                break;
            }

            const int classId = entry - 1;

            if (m_classHashes[(size_t)classId] == hash &&
                equalIgnoringAsciiCase (pool[m_firstOfClass[(size_t)classId]]->wordText, text))
            {
                m_classOf[(size_t)i] = classId;
                break;
            }

            slot = (slot + 1) & mask;
        }
    }

    m_excluded.assign (m_firstOfClass.size(), 0);
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

int PoolIndex::findClass (const char* text) const
{
    const std::uint64_t hash = foldedHash (text);
    const size_t mask = m_hashSlots.size() - 1;

    for (size_t slot = (size_t)hash & mask;; slot = (slot + 1) & mask)
    {
        const int entry = m_hashSlots[slot];

        if (entry == 0)
            return -1;

        const int classId = entry - 1;

        if (m_classHashes[(size_t)classId] == hash &&
            equalIgnoringAsciiCase (m_pool[m_firstOfClass[(size_t)classId]]->wordText, text))
            return classId;
    }
}

void PoolIndex::buildGroups (tag_bw_listitem* const* pool)
{
    // The whole pool needs no index list: its positions are the pool indices.
    m_all.tree.build (m_classOf, allCap);

    // Distinct suffix records, sorted by address so a record finds its range by binary search.
    std::vector<const tag_Stem*> records;

    for (int i = 0; i < m_poolCount; ++i)
        if (pool[i]->stemText != nullptr)
            records.push_back (pool[i]->stemRecord);

    std::sort (records.begin(), records.end());
    records.erase (std::unique (records.begin(), records.end()), records.end());
    m_suffixOfRange = records;

    std::vector<int> countPerRecord (records.size(), 0);
    std::vector<int> recordOf ((size_t)m_poolCount, -1);

    for (int i = 0; i < m_poolCount; ++i)
    {
        if (pool[i]->stemText == nullptr)
            continue;

        const auto found = std::lower_bound (records.begin(), records.end(), pool[i]->stemRecord);
        const int record = (int)(found - records.begin());
        recordOf[(size_t)i] = record;
        ++countPerRecord[(size_t)record];
    }

    m_suffixRangeStart.assign (records.size() + 1, 0);

    for (size_t r = 0; r < records.size(); ++r)
        m_suffixRangeStart[r + 1] = m_suffixRangeStart[r] + countPerRecord[r];

    const int withSuffix = m_suffixRangeStart.back();
    std::vector<int> next (m_suffixRangeStart.begin(), m_suffixRangeStart.end() - 1);
    m_bySuffix.poolIndices.resize ((size_t)withSuffix);
    m_bySuffixPresence.poolIndices.clear();
    m_bySuffixPresence.poolIndices.reserve ((size_t)m_poolCount);

    for (int i = 0; i < m_poolCount; ++i)
    {
        if (recordOf[(size_t)i] >= 0)
            m_bySuffix.poolIndices[(size_t)next[(size_t)recordOf[(size_t)i]]++] = i;
        else
            m_bySuffixPresence.poolIndices.push_back (i);
    }

    m_firstWithSuffix = (int)m_bySuffixPresence.poolIndices.size();

    for (int i = 0; i < m_poolCount; ++i)
        if (recordOf[(size_t)i] >= 0)
            m_bySuffixPresence.poolIndices.push_back (i);

    auto classesOf = [this] (const std::vector<int>& poolIndices)
    {
        std::vector<int> classes (poolIndices.size());

        for (size_t p = 0; p < poolIndices.size(); ++p)
            classes[p] = m_classOf[(size_t)poolIndices[p]];

        return classes;
    };

    m_bySuffixPresence.tree.build (classesOf (m_bySuffixPresence.poolIndices), groupCap);
    m_bySuffix.tree.build (classesOf (m_bySuffix.poolIndices), groupCap);
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

    const GroupList* list = &m_all;
    int listStart = 0;
    int listEnd = m_poolCount;

    switch (group)
    {
    case Group::all:
        break;
    case Group::noSuffix:
        list = &m_bySuffixPresence;
        listEnd = m_firstWithSuffix;
        break;
    case Group::withSuffix:
        list = &m_bySuffixPresence;
        listStart = m_firstWithSuffix;
        break;
    case Group::oneSuffix:
    {
        list = &m_bySuffix;
        const auto found = std::lower_bound (m_suffixOfRange.begin(), m_suffixOfRange.end(), suffix);

        if (found == m_suffixOfRange.end() || *found != suffix)
            return -1;

        const size_t range = (size_t)(found - m_suffixOfRange.begin());
        listStart = m_suffixRangeStart[range];
        listEnd = m_suffixRangeStart[range + 1];
        break;
    }
    }

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
