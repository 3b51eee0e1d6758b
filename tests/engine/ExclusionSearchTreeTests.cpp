#include "ExclusionSearchTree.h"

#include <gtest/gtest.h>

#include <random>

// The tree must answer exactly what a plain scan answers, for sequences that are long runs of a few
// classes (where it skips) as well as varied ones (where it descends), and for any range.
TEST (ExclusionSearchTree, FindsWhatAPlainScanFinds)
{
    std::mt19937 random (2024);

    for (int round = 0; round < 400; ++round)
    {
        const int classCount = 1 + (int)(random() % (round % 3 == 0 ? 3 : 40));
        const int length = 1 + (int)(random() % (round % 5 == 0 ? 5000 : 300));
        std::vector<int> classes ((size_t)length);
        int current = 0;

        for (auto& c : classes)
        {
            if (random() % 8 == 0) // runs of one class, broken now and then
                current = (int)(random() % (unsigned)classCount);

            c = random() % 5 == 0 ? (int)(random() % (unsigned)classCount) : current;
        }

        const int cap = 1 + (int)(random() % 20);
        ExclusionSearchTree tree;
        tree.build (classes, cap);
        ASSERT_EQ (tree.size(), length);

        for (int query = 0; query < 20; ++query)
        {
            std::vector<std::uint8_t> excluded ((size_t)classCount, 0);
            const int excludedCount = (int)(random() % (unsigned)(cap + 1));

            for (int e = 0; e < excludedCount; ++e)
                excluded[random() % (unsigned)classCount] = 1;

            const int from = (int)(random() % (unsigned)(length + 1)) - 1;
            const int to = from + (int)(random() % (unsigned)(length + 2));
            int expected = -1;

            for (int p = std::max (from, 0); p < std::min (to, length) && expected < 0; ++p)
                if (excluded[(size_t)classes[(size_t)p]] == 0)
                    expected = p;

            ASSERT_EQ (tree.findFirstNotExcluded (from, to, excluded), expected)
                << "round " << round << " from " << from << " to " << to;
        }
    }
}
