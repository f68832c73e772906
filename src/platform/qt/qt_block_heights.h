#pragma once
// The heights of a document's blocks in order, with their running sums kept in a Fenwick
// tree: a block's top and the block at a height are found in O(log n), one height changed in
// O(log n); a change in the number of blocks rebuilds the tree in O(n).

#include <cstddef>
#include <vector>

namespace pennory::platform::qt {

class BlockHeights {
public:
    void assign(std::vector<double> heights);
    int size() const { return static_cast<int>(m_values.size()); }
    double at(int index) const { return m_values[static_cast<std::size_t>(index)]; }
    void set(int index, double height);
    // Replaces count heights from first with replacement, and rebuilds the sums.
    void replace(int first, int count, const std::vector<double>& replacement);

    // The sum of the heights before index (0 ≤ index ≤ size()).
    double before(int index) const;
    double total() const { return before(size()); }
    // The block whose slot holds y: the last one whose top is at most y; 0 above the first,
    // the last below the end; -1 when there are none.
    int indexAt(double y) const;

private:
    void rebuild();
    std::vector<double> m_values;
    std::vector<double> m_tree;  // 1-based Fenwick tree over m_values
};

}  // namespace pennory::platform::qt
