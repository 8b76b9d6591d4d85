#pragma once
// Sums of the first n of a list of non-negative numbers, kept current as single numbers change:
// each change and each sum costs time in the logarithm of the list's length (a binary indexed
// tree), so an area of tens of thousands of rows can grow one row at a time without laying
// every row out again.
#include <chart_export.h>

#include <vector>

namespace tarquel_1_0 {

class TARQUEL_API PrefixSumTree {
public:
    // Replaces the list; linear in its length.
    void assign(const std::vector<int>& values);
    void add(int index, int delta);

    int size() const { return static_cast<int>(m_tree.size()) - 1; }
    // The sum of the first `count` values.
    int prefix(int count) const;
    int total() const { return prefix(size()); }
    // The largest count whose prefix is at most `sum` (the list's length at most); with `sum` below
    // the total, that is the index of the value whose span [prefix(i), prefix(i + 1)) holds `sum`.
    int countUpTo(int sum) const;

private:
    std::vector<int> m_tree{0}; // 1-based: m_tree[i] sums the values (i - lowest bit of i, i]
};

} // namespace tarquel_1_0
