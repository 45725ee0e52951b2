#pragma once
// Groups of items joined pairwise (union-find with path halving).
#include <cstddef>
#include <numeric>
#include <vector>

namespace dravenor {

class DisjointSets {
public:
    explicit DisjointSets(std::size_t size) : parent_(size) { std::iota(parent_.begin(), parent_.end(), 0); }
    std::size_t root(std::size_t i)
    {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    void join(std::size_t a, std::size_t b) { parent_[root(a)] = root(b); }

private:
    std::vector<std::size_t> parent_;
};

} // namespace dravenor
