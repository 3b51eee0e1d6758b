#include "ExclusionSearchTree.h"

#include <algorithm>

namespace
{
// Adds a class to a node's list unless it is there already; a node past its cap becomes rich.
void addClass (std::uint8_t& count, int* nodeClasses, int cap, int classId)
{
    if (count > cap)
        return;

    for (int i = 0; i < count; ++i)
        if (nodeClasses[i] == classId)
            return;

    if (count == cap)
        count = (std::uint8_t) (cap + 1);
    else
        nodeClasses[count++] = classId;
}
} // namespace

void ExclusionSearchTree::build (std::vector<int> classes, int cap)
{
    m_classes = std::move (classes);
    m_cap = std::clamp (cap, 1, 254);
    m_levels.clear();

    const int positions = (int)m_classes.size();
    int span = 1;
    int childCount = positions;

    while (childCount > 1)
    {
        Level level;
        level.nodeSpan = span * fanOut;
        const int nodeCount = (childCount + fanOut - 1) / fanOut;
        level.counts.assign ((size_t)nodeCount, 0);
        level.nodeClasses.assign ((size_t)nodeCount * (size_t)m_cap, 0);

        for (int child = 0; child < childCount; ++child)
        {
            const int node = child / fanOut;
            auto& count = level.counts[(size_t)node];
            int* nodeClasses = level.nodeClasses.data() + (size_t)node * (size_t)m_cap;

            if (m_levels.empty())
            {
                addClass (count, nodeClasses, m_cap, m_classes[(size_t)child]);
                continue;
            }

            const auto& below = m_levels.back();
            const int childClassCount = below.counts[(size_t)child];

            if (childClassCount > m_cap)
            {
                count = (std::uint8_t) (m_cap + 1);
                continue;
            }

            const int* childClasses = below.nodeClasses.data() + (size_t)child * (size_t)m_cap;

            for (int i = 0; i < childClassCount; ++i)
                addClass (count, nodeClasses, m_cap, childClasses[i]);
        }

        m_levels.push_back (std::move (level));
        span *= fanOut;
        childCount = nodeCount;
    }
}

bool ExclusionSearchTree::allExcluded (const Level& level, int node, const std::vector<std::uint8_t>& excluded) const
{
    const int count = level.counts[(size_t)node];

    if (count > m_cap)
        return false;

    const int* nodeClasses = level.nodeClasses.data() + (size_t)node * (size_t)m_cap;

    for (int i = 0; i < count; ++i)
        if (excluded[(size_t)nodeClasses[i]] == 0)
            return false;

    return true;
}

int ExclusionSearchTree::search (int level, int node, int from, int to, const std::vector<std::uint8_t>& excluded) const
{
    if (level < 0)
        return excluded[(size_t)m_classes[(size_t)node]] == 0 ? node : -1;

    const auto& info = m_levels[(size_t)level];
    const int start = node * info.nodeSpan;
    const int end = std::min (start + info.nodeSpan, (int)m_classes.size());

    if (end <= from || start >= to)
        return -1;

    if (start >= from && end <= to && allExcluded (info, node, excluded))
        return -1;

    const int childSpan = info.nodeSpan / fanOut;
    const int firstChild = std::max (start, from) / childSpan;
    const int lastChild = (std::min (end, to) - 1) / childSpan;

    for (int child = firstChild; child <= lastChild; ++child)
        if (const int found = search (level - 1, child, from, to, excluded); found >= 0)
            return found;

    return -1;
}

int ExclusionSearchTree::findFirstNotExcluded (int from, int to, const std::vector<std::uint8_t>& excluded) const
{
    from = std::max (from, 0);
    to = std::min (to, (int)m_classes.size());

    if (from >= to)
        return -1;

    if (m_levels.empty())
    {
        for (int p = from; p < to; ++p)
            if (excluded[(size_t)m_classes[(size_t)p]] == 0)
                return p;

        return -1;
    }

    return search ((int)m_levels.size() - 1, 0, from, to, excluded);
}
