#include "platform/qt/qt_block_heights.h"

#include <algorithm>

namespace pennory::platform::qt {

void BlockHeights::assign(std::vector<double> heights) {
    m_values = std::move(heights);
    rebuild();
}

void BlockHeights::rebuild() {
    const std::size_t n = m_values.size();
    m_tree.assign(n + 1, 0.0);
    for (std::size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_values[i - 1];
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n) m_tree[parent] += m_tree[i];
    }
}

void BlockHeights::set(int index, double height) {
    const double delta = height - m_values[static_cast<std::size_t>(index)];
    if (delta == 0) return;
    m_values[static_cast<std::size_t>(index)] = height;
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < m_tree.size();
         i += i & (~i + 1)) {
        m_tree[i] += delta;
    }
}

void BlockHeights::replace(int first, int count, const std::vector<double>& replacement) {
    first = std::clamp(first, 0, size());
    count = std::clamp(count, 0, size() - first);
    if (count == static_cast<int>(replacement.size())) {
        for (int i = 0; i < count; ++i) set(first + i, replacement[static_cast<std::size_t>(i)]);
        return;
    }
    const auto at = m_values.begin() + first;
    m_values.erase(at, at + count);
    m_values.insert(m_values.begin() + first, replacement.begin(), replacement.end());
    rebuild();
}

double BlockHeights::before(int index) const {
    double sum = 0;
    for (std::size_t i = static_cast<std::size_t>(std::clamp(index, 0, size())); i > 0;
         i -= i & (~i + 1)) {
        sum += m_tree[i];
    }
    return sum;
}

int BlockHeights::indexAt(double y) const {
    if (m_values.empty()) return -1;
    // Descend the tree for the most blocks whose heights sum to at most y.
    std::size_t position = 0;
    std::size_t step = 1;
    while (step * 2 <= m_values.size()) step *= 2;
    double rest = y;
    for (; step > 0; step /= 2) {
        const std::size_t next = position + step;
        if (next <= m_values.size() && m_tree[next] <= rest) {
            position = next;
            rest -= m_tree[next];
        }
    }
    return std::min(static_cast<int>(position), size() - 1);
}

}  // namespace pennory::platform::qt
