#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Finds, in a sequence of class ids, the first position of a range whose class is not among a few
// excluded classes, without visiting long stretches made only of excluded classes.
//
// A tree of fixed fan-out over the positions: each node lists the distinct classes under it while
// there are at most `cap` of them, and is marked rich when there are more. A rich node always holds
// a class outside any exclusion of at most `cap` classes; a node whose classes are all excluded is
// skipped whole. A search costs about fanOut * depth * cap steps, however long the range.
class ExclusionSearchTree
{
public:
    ExclusionSearchTree() = default;

    // classes: one id per position, each below classCount. cap: the largest exclusion to be searched.
    void build (std::vector<int> classes, int cap);

    // First position p in [from, to) with excluded[classes[p]] == 0, or -1. excluded is indexed by class id
    // and may flag at most `cap` classes.
    int findFirstNotExcluded (int from, int to, const std::vector<std::uint8_t>& excluded) const;

    int size() const { return (int)m_classes.size(); }

private:
    static constexpr int fanOut = 32;

    struct Level
    {
        int nodeSpan = 0;                 // positions under one node
        std::vector<std::uint8_t> counts; // distinct classes per node, cap + 1 when rich
        std::vector<int> nodeClasses;     // cap entries per node
    };

    int search (int level, int node, int from, int to, const std::vector<std::uint8_t>& excluded) const;
    bool allExcluded (const Level& level, int node, const std::vector<std::uint8_t>& excluded) const;

    std::vector<int> m_classes;
    std::vector<Level> m_levels; // m_levels[0] is the first level of nodes above the positions
    int m_cap = 0;
};
