#include <tarquel_1_0/PrefixSumTree.h>

namespace tarquel_1_0 {

namespace {

int lowestBit(int i)
{
    return i & -i;
}

} // namespace

void PrefixSumTree::assign(const std::vector<int>& values)
{
    const int n = static_cast<int>(values.size());
    m_tree.assign(values.size() + 1, 0);
    for (int i = 1; i <= n; ++i) {
        m_tree[i] += values[i - 1];
        const int parent = i + lowestBit(i);
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
}

void PrefixSumTree::add(int index, int delta)
{
    for (int i = index + 1; i <= size(); i += lowestBit(i))
        m_tree[i] += delta;
}

int PrefixSumTree::prefix(int count) const
{
    int sum = 0;
    for (int i = count < size() ? count : size(); i > 0; i -= lowestBit(i))
        sum += m_tree[i];
    return sum;
}

int PrefixSumTree::countUpTo(int sum) const
{
    int step = 1;
    while (step * 2 <= size())
        step *= 2;
    int count = 0;
    for (; step > 0; step /= 2) {
        if (count + step <= size() && m_tree[count + step] <= sum) {
            count += step;
            sum -= m_tree[count];
        }
    }
    return count;
}

} // namespace tarquel_1_0
